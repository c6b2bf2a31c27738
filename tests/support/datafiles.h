// The data files of a studio's program folder as two registered
// applications and the program name them for the daily copy: three fixed
// archives, four yearly extensions, the settings and the password file.
// Registered while the object lives.
#pragma once

#include "common/backup.h"
#include "common/modules.h"

struct RegisteredDataFiles {
  RegisteredDataFiles() {
    modules::add(registers());
    modules::add(yearly());
    backup::alsoKeep(QStringLiteral("unins000.dll"));
  }
  ~RegisteredDataFiles() {
    modules::remove(registers());
    modules::remove(yearly());
  }
  RegisteredDataFiles(const RegisteredDataFiles&) = delete;
  RegisteredDataFiles& operator=(const RegisteredDataFiles&) = delete;

  static const modules::Module& registers() {
    static const modules::Module m{.tile = {},
                                   .archives = {{nullptr, QStringLiteral("Clienti.pro"), {}},
                                                {nullptr, QStringLiteral("Pratiche.pro"), {}},
                                                {nullptr, QStringLiteral("Archivio_Documenti.pro"), {}},
                                                {nullptr, {}, QStringLiteral(".prt")}},
                                   .files = {"Quorbis.ini"}};
    return m;
  }
  static const modules::Module& yearly() {
    static const modules::Module m{.tile = {},
                                   .archives = {{nullptr, {}, QStringLiteral(".prg")},
                                                {nullptr, {}, QStringLiteral(".eur")},
                                                {nullptr, {}, QStringLiteral(".sca")}}};
    return m;
  }
};
