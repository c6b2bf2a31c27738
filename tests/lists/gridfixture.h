// A small yearly archive of appointments for the grid tests: a day, month
// name, year, the date and time they make, a subject and an income flag, and
// a grid over it that lists the appointments of a chosen month or day in
// order of date and time through the computed key MMDDhhmm.
#pragma once

#include "archive/archives.h"
#include "archive/record.h"
#include "common/grids.h"
#include "seed.h"
#include "support.h"

#include <QDate>

#include <initializer_list>

inline const RecordLayout& TRecProva() {
  static const RecordLayout layout("TRecProva", {{"Giorno", FieldKind::Str, 2},
                                                  {"Mese", FieldKind::Str, 12},
                                                  {"Anno", FieldKind::Str, 4},
                                                  {"Data", FieldKind::Str, 10},
                                                  {"OreApp", FieldKind::Str, 2},
                                                  {"MinutiApp", FieldKind::Str, 2},
                                                  {"Ora", FieldKind::Str, 5},
                                                  {"Oggetto", FieldKind::Str, 30},
                                                  {"Entrata", FieldKind::Flag, 2}});
  return layout;
}

inline const ArchiveDef& appointments() {
  static const ArchiveDef def{&TRecProva(), QString(), QStringLiteral(".tst")};
  return def;
}

inline QString monthName(int month) {
  static const char* const months[] = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                                       "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};
  return QString::fromLatin1(months[month - 1]);
}

// "dd/mm/yyyy hh:mm" and a subject.
inline QByteArray appointment(const QString& when, const QString& subject, bool income = true) {
  Record r(TRecProva());
  const QString date = when.left(10), time = when.mid(11, 5);
  r.set("Giorno", date.left(2));
  r.set("Mese", monthName(date.mid(3, 2).toInt()));
  r.set("Anno", date.mid(6, 4));
  r.set("Data", date);
  r.set("OreApp", time.left(2));
  r.set("MinutiApp", time.mid(3, 2));
  r.set("Ora", time);
  r.set("Oggetto", subject);
  r.setFlag("Entrata", income);
  return encode(r);
}

inline void appendAppointments(const QString& path, std::initializer_list<seed::Stored> records) {
  seed::append(path, TRecProva(), records);
}

// The appointments of the chosen day (`byDay`) or of its month, sorted by
// the key MMDDhhmm in the last column.
inline grids::GridDescription appointmentGrid(bool byDay) {
  const RecordLayout& l = TRecProva();
  auto col = [](const char* header, int width, std::string_view field) {
    return xls::ExportColumn{QString::fromUtf8(header), QString::fromUtf8(header), width, {field}};
  };
  grids::GridDescription d{
      .screen = byDay ? QStringLiteral("TfrmProvaGiorno") : QStringLiteral("TfrmProvaMese"),
      .caption = QStringLiteral(" Appuntamenti"),
      .archive = appointments(),
      .columns = {col("Data", 150, "Data"),
                  col("Ora", 150, "Ora"),
                  col("Oggetto", 300, "Oggetto"),
                  {QStringLiteral("Tipo"), QStringLiteral("Tipo"), 150, {"Entrata"},
                   {{QStringLiteral("S\u00EC"), QStringLiteral("Entrata")}, {QStringLiteral("No"), QStringLiteral("Uscita")}}},
                  {QStringLiteral("Codice univoco"), QStringLiteral("Codice univoco"), 150, {}, {},
                   grids::joined(l, {{"Data", 3, 2}, {"Giorno"}, {"OreApp"}, {"MinutiApp"}})}},
      .sortColumn = 4,
      .file = QStringLiteral("Appuntamenti.xls"),
      .worksheet = QStringLiteral("Appuntamenti"),
  };
  const int data = l.require("Data"), mese = l.require("Mese"), anno = l.require("Anno");
  if (byDay)
    d.select = [&l, data](const char* r, const grids::GridContext& c) {
      return decodeField(l, data, r) == c.chosen.toString(QStringLiteral("dd/MM/yyyy")) ? lists::Verdict::List
                                                                                         : lists::Verdict::Skip;
    };
  else
    d.select = [&l, mese, anno](const char* r, const grids::GridContext& c) {
      return decodeField(l, mese, r).toLower() == monthName(c.chosen.month()) &&
                     decodeField(l, anno, r) == QString::number(c.chosen.year())
                 ? lists::Verdict::List
                 : lists::Verdict::Skip;
    };
  return d;
}
