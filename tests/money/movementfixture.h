// Movements written as the movement card stores them, for the tests that
// read a yearly archive (the charts).
#pragma once

#include "archive/archivio.h"
#include "archive/record.h"
#include "money/movimento.h"

#include <QString>

#include <initializer_list>

namespace movementfixture {

struct Movement {
  bool income;
  const char* date;   // `Data`
  const char* amount; // `Importo`, stored as given
  bool settled = false;
};

inline QByteArray bytes(const Movement& m) {
  Record r(TRecMovimento());
  r.setFlag("Entrata", m.income);
  r.setFlag("Uscita", !m.income);
  r.set("Data", QString::fromUtf8(m.date));
  r.set("Causale", QStringLiteral("Parcella"));
  r.set("DataSca", QString::fromUtf8(m.date));
  r.set("Preavviso", QStringLiteral("0"));
  r.set("Importo", QString::fromUtf8(m.amount));
  r.set("Totale", movement::signedTotalText(m.income, QString::fromUtf8(m.amount)));
  r.set("Pagatore", QStringLiteral("Rossi Mario"));
  r.set("Beneficiario", QStringLiteral("Studio Bianchi"));
  r.setFlag("Saldato", m.settled);
  return encode(r);
}

// Appends the movements to the archive file at `path` (created when missing).
inline void write(const QString& path, std::initializer_list<Movement> movements) {
  TArchivioSchede archive(path, TRecMovimento().size());
  archive.open();
  for (const Movement& m : movements) archive.append(bytes(m));
  archive.close();
}

} // namespace movementfixture
