// The password file: any file content reads and unscrambles without fault;
// a value that unscrambles scrambles back to itself; any password set is
// read back and accepted.
#include "fuzzcheck.h"

#include "app/shell/password.h"
#include "archive/cp1252.h"
#include "archive/inifile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  IniFile file;
  file.parse(bytes);
  const QString value = file.value(QStringLiteral("Accesso"), QStringLiteral("Valore"));
  if (const auto plain = scrambler::unscramble(value)) {
    const QString even = value.left(value.size() / 2 * 2).toUpper();
    FUZZ_CHECK(scrambler::scramble(*plain) == even);
  }

  // the input as a typed password: stored, read back, accepted
  const QString typed = QString::fromUtf8(bytes.left(255));
  const QString stored = password::normalised(typed);
  if (stored.isEmpty()) return 0;
  IniFile written;
  written.setValue(QStringLiteral("Accesso"), QStringLiteral("Valore"), scrambler::scramble(stored));
  IniFile read;
  read.parse(written.toBytes());
  const auto back = scrambler::unscramble(read.value(QStringLiteral("Accesso"), QStringLiteral("Valore")));
  FUZZ_CHECK(back.has_value());
  password::Stored s;
  s.ok = true;
  s.text = *back;
  FUZZ_CHECK(password::matches(s, typed));
  return 0;
}
