// Archives with the variety of a real studio's: clients of many names,
// towns and trades (a third of them in the studio's own town), movements
// of all sizes spread over the year, deadlines with notices of any length,
// registered mail from many senders, projects of many people. Every record
// goes through the archive's own write path, one record at a time. The
// values come from a fixed-seed generator, so two runs make the same files.
//
// The searches the benchmarks make against them, and how many they find:
//   clients "rossi" + "cesena" + "geometra"   a handful in 100,000 (< 0.01 %)
//   clients in "bologna"                       about 30 %
//   protocol "condono" + sender "cesena"       about 0.1 %
#pragma once

#include "archive/archivio.h"
#include "archive/record.h"

#include <QDate>
#include <QFile>
#include <QString>

#include <cstdint>
#include <functional>

namespace benchrecords {

class Random {
public:
  explicit Random(std::uint64_t seed) : s_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int below(int n) { return int(next() % std::uint64_t(n)); }
  bool chance(int percent) { return below(100) < percent; }
  template <size_t N> const char* pick(const char* const (&items)[N]) { return items[below(int(N))]; }
  QString digits(int n) {
    QString s;
    for (int i = 0; i < n; ++i) s += QChar(u'0' + below(10));
    return s;
  }
  QString letters(int n) {
    QString s;
    for (int i = 0; i < n; ++i) s += QChar(u'A' + below(26));
    return s;
  }
  // A day of `year`, spread over all of it.
  QDate dayOf(int year) { return QDate(year, 1, 1).addDays(below(QDate(year, 1, 1).daysInYear())); }
  // Cents from 1,00 to about 25.000,00, small amounts the most frequent.
  qint64 cents() {
    const int scale[] = {1000, 10000, 100000, 500000, 2500000};
    return 100 + qint64(next() % std::uint64_t(scale[below(5)]));
  }

private:
  std::uint64_t s_;
};

inline const char* const kFirstNames[] = {
    "Marco",  "Giulia",  "Luca",     "Francesca", "Andrea",   "Chiara",  "Matteo",   "Sara",    "Alessandro",
    "Elena",  "Davide",  "Martina",  "Stefano",   "Valentina", "Giorgio", "Silvia",  "Paolo",   "Laura",
    "Roberto", "Anna",   "Simone",   "Federica",  "Nicola",   "Paola",   "Fabio",    "Elisa",   "Riccardo",
    "Monica", "Lorenzo", "Cristina", "Gabriele",  "Barbara",  "Enrico",  "Alessia",  "Niccolò", "Lucia"};
inline const char* const kSurnames[] = {
    "Rossi",    "Russo",    "Ferrari",  "Esposito", "Bianchi",  "Romano",   "Colombo",  "Ricci",     "Marino",
    "Greco",    "Bruno",    "Gallo",    "Conti",    "De Luca",  "Mancini",  "Costa",    "Giordano",  "Rizzo",
    "Lombardi", "Moretti",  "Barbieri", "Fontana",  "Santoro",  "Mariani",  "Rinaldi",  "Caruso",    "Ferrara",
    "Galli",    "Martini",  "Leone",    "Longo",    "Gentile",  "Martinelli", "Vitale", "Lombardo",  "Serra",
    "Coppola",  "De Santis", "D'Angelo", "Marchetti", "Parisi", "Villa",    "Conte",    "Ferraro",   "Ferri",
    "Fabbri",   "Bianco",   "Marini",   "Grasso",   "Valentini", "Messina", "Sala",     "De Angelis", "Gatti",
    "Pellegrini", "Palumbo", "Sanna",   "Farina",   "Rizzi",    "Monti",    "Cattaneo", "Morelli",   "Amato",
    "Silvestri", "Mazza",   "Testa",    "Grassi",   "Pellegrino", "Carbone", "Giuliani", "Benedetti", "Barone",
    "Zanetti",  "Guerra",   "Baldini",  "Bertoni",  "Casadei",  "Zaccaria", "Righi",    "Pasini",    "Foschi",
    "Magnani",  "Neri",     "Verdi",    "Orlandi",  "Tosi",     "Vannini",  "Fiorini",  "Zoli",      "Benini"};
inline const char* const kTowns[] = {
    "Imola",       "Forlì",       "Ravenna",       "Rimini",        "Cesena",        "Faenza",      "Lugo",
    "Modena",      "Ferrara",     "Parma",         "Reggio Emilia", "Carpi",         "Cervia",      "Riccione",
    "Casalecchio di Reno", "San Lazzaro di Savena", "Castel San Pietro Terme", "Budrio", "Medicina", "Pianoro",
    "Sasso Marconi", "Zola Predosa", "Valsamoggia", "Molinella",   "Cento",         "Argenta",     "Comacchio",
    "Cattolica",   "Bellaria",    "Santarcangelo", "Savignano",     "Cesenatico",    "Bagnacavallo", "Russi",
    "Castel Bolognese", "Brisighella", "Mordano",   "Dozza",         "Borgo Tossignano", "Fontanelice"};
inline const char* const kJobs[] = {
    "Ingegnere", "Architetto", "Geometra",   "Commerciante", "Impiegata",   "Impiegato",   "Avvocato",
    "Notaio",    "Medico",     "Insegnante", "Pensionato",   "Artigiano",   "Agricoltore", "Imprenditore",
    "Farmacista", "Commercialista", "Operaio", "Infermiera",  "Studente",    "Casalinga",   "Consulente",
    "Agente immobiliare", "Idraulico", "Elettricista", "Muratore"};
inline const char* const kStreets[] = {"Via Emilia",    "Via Roma",       "Via Garibaldi", "Via Mazzini",
                                       "Viale Carducci", "Via dei Mille", "Piazza Maggiore", "Via Saffi",
                                       "Via Cavour",    "Via Matteotti",  "Via della Repubblica", "Via Gramsci"};
inline const char* const kProducts[] = {
    "Progettazione", "Direzione lavori", "Pratiche catastali", "Certificazione energetica", "Successione",
    "Perizia",       "Sanatoria",        "Frazionamento",      "Collaudo",                   "Rilievo"};
inline const char* const kNotes[] = {
    "", "", "", "Cliente storico dello studio", "Preferisce essere contattato di mattina",
    "Pagamenti sempre puntuali", "Segnalato dall'agenzia immobiliare",
    "Ha in corso una pratica di successione con il fratello; sentire anche il notaio prima di procedere",
    "Chiedere la copia dell'atto di provenienza e le planimetrie catastali aggiornate"};

inline QString personName(Random& g) {
  if (g.chance(8)) return QStringLiteral("Edil %1 S.r.l.").arg(QString::fromUtf8(g.pick(kSurnames)));
  return QString::fromUtf8(g.pick(kSurnames)) + QLatin1Char(' ') + QString::fromUtf8(g.pick(kFirstNames));
}
inline QString town(Random& g) {
  return g.chance(30) ? QStringLiteral("Bologna") : QString::fromUtf8(g.pick(kTowns));
}
inline QString dateText(QDate d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }
inline QString amountText(qint64 cents) {
  return QStringLiteral("%1,%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

// Writes `count` records to `path` (made again from empty), `fill` setting
// the fields of record i.
inline void write(const QString& path, const RecordLayout& layout, qint64 count,
                  const std::function<void(Record&, qint64)>& fill) {
  QFile::remove(path);
  TArchivioSchede a(path, layout.size());
  a.open();
  for (qint64 i = 0; i < count; ++i) {
    Record r(layout);
    fill(r, i);
    a.append(encode(r));
  }
  a.close();
}

} // namespace benchrecords
