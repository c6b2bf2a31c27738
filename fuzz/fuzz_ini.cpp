// The INI reader and writer (settings and password files): any file reads;
// what is written reads back the same; a value set reads back as set.
#include "fuzzcheck.h"

#include "archive/cp1252.h"
#include "archive/inifile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  IniFile ini;
  ini.parse(bytes);
  const QByteArray written = ini.toBytes();
  IniFile again;
  again.parse(written);
  FUZZ_CHECK(again.toBytes() == written);

  // a value (the tail of the input) set under a fixed section and key reads
  // back trimmed, whatever the file held, and leaves the other keys alone
  const qsizetype cut = bytes.indexOf('\0');
  const QString value = cp1252::decode(cut < 0 ? QByteArray() : bytes.mid(cut + 1));
  const QString before = again.value(QStringLiteral("Accesso"), QStringLiteral("Altro"));
  again.setValue(QStringLiteral("Accesso"), QStringLiteral("Valore"), value);
  IniFile third;
  third.parse(again.toBytes());
  FUZZ_CHECK(third.value(QStringLiteral("Accesso"), QStringLiteral("Valore")) ==
             again.value(QStringLiteral("Accesso"), QStringLiteral("Valore")));
  FUZZ_CHECK(third.value(QStringLiteral("Accesso"), QStringLiteral("Altro")) == before);
  return 0;
}
