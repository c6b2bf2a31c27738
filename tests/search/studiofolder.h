// A studio's program folder with every searched application filled: the
// client "Rossi Mario" in the clients, a case, the deadlines and the
// movements of 2025 and 2026; a client living in "Città di Castello"; a
// letter "perché" in the protocol; an unreadable movement year 2024 (a link
// planted under its name, which the archive never follows); and a long
// movement year whose hits lie far apart.
#pragma once

#include "archive/archives.h"
#include "archive/paths.h"
#include "archive/record.h"
#include "cases/pratica.h"
#include "clients/cliente.h"
#include "deadlines/scadenza.h"
#include "documents/documento.h"
#include "movements/movimento.h"
#include "projects/progetto.h"
#include "protocol/protocollo.h"
#include "seed.h"

#include <QFile>
#include <QString>

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace studiofolder {

inline Record make(const RecordLayout& layout, std::initializer_list<std::pair<std::string_view, QString>> fields) {
  Record r(layout);
  for (const auto& [name, value] : fields) r.set(name, value);
  return r;
}

// The records of the long year; Rossi pays the first, the middle and the last.
inline constexpr int kLongYear = 3000;
inline constexpr RecordPosition kLongYearRossi[] = {1, 1500, 3000};

inline void fill() {
  const QString rossi = QStringLiteral("Rossi Mario");
  seed::append(
      clientArchive(),
      {make(TRecCliente(), {{"Cliente", QStringLiteral("Bianchi Anna")}, {"ComuneRes", QStringLiteral("Torino")}}),
       make(TRecCliente(), {{"Cliente", rossi},
                            {"Recapito", QStringLiteral("011 555 1234")},
                            {"IndirizzoRes", QStringLiteral("Via Roma 1")}}),
       make(TRecCliente(),
            {{"Cliente", QStringLiteral("Verdi Luca")}, {"ComuneRes", QStringLiteral("Citt\u00E0 di Castello")}})});
  seed::append(
      caseArchive(),
      {make(TRecPratica(), {{"Oggetto", QStringLiteral("Frazionamento")}, {"Cliente", QStringLiteral("Neri Paolo")}}),
       make(TRecPratica(), {{"Oggetto", QStringLiteral("Condono edilizio")}, {"Cliente", rossi}})});
  seed::append(documentArchive(), {make(TRecDocumento(), {{"Documento", QStringLiteral("Planimetria catastale")},
                                                          {"Produttore", QStringLiteral("Agenzia delle Entrate")}})});
  seed::append(
      protocolArchive(), QStringLiteral("2026"),
      {make(TRecProtocollo(), {{"Numero", QStringLiteral("1")}, {"Oggetto", QStringLiteral("Richiesta permesso")}}),
       make(TRecProtocollo(), {{"Numero", QStringLiteral("2")},
                               {"Oggetto", QStringLiteral("Perch\u00E9 il ritardo")},
                               {"Mittente", QStringLiteral("Comune di Torino")}})});
  seed::append(projectArchive(), QStringLiteral("2026"),
               {make(TRecProgetto(), {{"Nome", QStringLiteral("Villa sul lago")}, {"Codice", QStringLiteral("P-7")}})});
  for (const char* year : {"2025", "2026"}) {
    seed::append(
        deadlineArchive(), QLatin1String(year),
        {make(TRecScadenza(),
              {{"Dettagli", QStringLiteral("Sopralluogo")}, {"Cliente", rossi}, {"Anno", QLatin1String(year)}}),
         make(TRecScadenza(), {{"Dettagli", QStringLiteral("Riunione")},
                               {"Cliente", QStringLiteral("Bianchi Anna")},
                               {"Anno", QLatin1String(year)}})});
    seed::append(movementArchive(), QLatin1String(year),
                 {make(TRecMovimento(), {{"Causale", QStringLiteral("Acconto")},
                                         {"Pagatore", QStringLiteral("Verdi Luca")},
                                         {"Importo", QStringLiteral("100,00")}}),
                  make(TRecMovimento(), {{"Causale", QStringLiteral("Saldo parcella")},
                                         {"Pagatore", rossi},
                                         {"Importo", QStringLiteral("1.250,00")}})});
  }
  // the unreadable year
  QFile::link(paths::inProgramFolder(QStringLiteral("2026.prt")), movementArchive().yearPath(QStringLiteral("2024")));
  // the long year: nobody else's name
  const Record other =
      make(TRecMovimento(), {{"Causale", QStringLiteral("Cancelleria")}, {"Pagatore", QStringLiteral("Gialli")}});
  const Record paid = make(TRecMovimento(), {{"Causale", QStringLiteral("Rata")}, {"Pagatore", rossi}});
  std::vector<Record> records(size_t(kLongYear), other);
  for (RecordPosition p : kLongYearRossi) records[size_t(p - 1)] = paid;
  seed::appendAll(movementArchive().yearPath(QStringLiteral("2019")), movementArchive().recordSize(), records);
}

} // namespace studiofolder
