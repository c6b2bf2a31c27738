// Projects written into a fresh yearly archive for the project tests.
#pragma once

#include "archive/record.h"
#include "projects/progetto.h"
#include "seed.h"
#include "support.h"

#include <QFile>

#include <initializer_list>
#include <utility>

// A project as the card saves one: the required fields, unfinished, then
// the fields given.
inline Record project(std::initializer_list<std::pair<const char*, QString>> fields) {
  Record r(TRecProgetto());
  r.set("Nome", QStringLiteral("Progetto"));
  r.set("Codice", QStringLiteral("P-1"));
  r.set("DataInizio", QStringLiteral("01/01/2026"));
  r.set("DataScade", QStringLiteral("31/12/2026"));
  r.set("CostoPrev", QStringLiteral("0,00"));
  r.set("Responsabile", QStringLiteral("Ing. Neri"));
  r.set("Terminato", fieldtext::no());
  for (const auto& [name, value] : fields) r.set(name, value);
  return r;
}

inline QString projectsPath(const QString& year = QStringLiteral("2026")) { return projectArchive().yearPath(year); }

// Appends records (or raw record bytes) to a year's archive.
inline void appendProjects(const QString& path, std::initializer_list<seed::Stored> records) {
  seed::append(path, TRecProgetto(), records);
}

// A whole file's bytes; empty when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
