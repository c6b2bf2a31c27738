// Movements written as the movement card stores them, for the tests that
// read a yearly archive (the charts, the cash book, the unpaid payments).
#pragma once

#include "archive/record.h"
#include "movements/movimento.h"
#include "seed.h"

#include <QString>

#include <initializer_list>
#include <vector>

namespace movementfixture {

struct Movement {
  bool income;
  const char* date;   // `Data`
  const char* amount; // `Importo`, stored as given
  bool settled = false;
};

// A movement as the card saves it: type, operation date, reason, amount
// (signed total from the type), due date, settled flag.
inline Record record(bool income, const char* date, const char* reason, const char* amount, const char* due,
                     bool settled = false) {
  Record r(TRecMovimento());
  r.setFlag("Entrata", income);
  r.setFlag("Uscita", !income);
  r.set("Data", QString::fromUtf8(date));
  r.set("Causale", QString::fromUtf8(reason));
  r.set("DataSca", QString::fromUtf8(due));
  r.set("Preavviso", QStringLiteral("0"));
  r.set("Importo", QString::fromUtf8(amount));
  r.set("Totale", movement::signedTotalText(income, QString::fromUtf8(amount)));
  r.set("Pagatore", QStringLiteral("Rossi Mario"));
  r.set("Beneficiario", QStringLiteral("Studio Tecnico Bianchi"));
  r.setFlag("Saldato", settled);
  return r;
}

inline QByteArray bytes(const Movement& m) {
  return encode(record(m.income, m.date, "Parcella", m.amount, m.date, m.settled));
}

// Appends the movements to the archive file at `path` (created when missing).
inline void write(const QString& path, std::initializer_list<Movement> movements) {
  std::vector<QByteArray> records;
  for (const Movement& m : movements) records.push_back(bytes(m));
  seed::appendAll(path, TRecMovimento().size(), records);
}

} // namespace movementfixture
