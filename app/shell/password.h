// The shared password: its scrambler and the password file "unins000.dll"
// (an INI file: section "Accesso", key "Valore", the scrambled password as
// upper-case hexadecimal text, two digits per character).
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace scrambler {

// A byte-wise stream scrambler with feedback of the scrambled byte; all key
// arithmetic is unsigned 16-bit. Files written with other constants cannot
// be read.
inline constexpr quint16 kStartKey = 0xB5C3;
inline constexpr quint16 kMultiplier = 0x6D2B;
inline constexpr quint16 kAddend = 0x3F17;

// Each character as its Windows-1252 byte, scrambled and written as two
// upper-case hexadecimal digits.
QString scramble(QStringView text);
// The reverse: pairs of hexadecimal digits of either case; a final odd digit
// is ignored. Empty when a pair is not hexadecimal.
std::optional<QString> unscramble(QStringView hex);

} // namespace scrambler

namespace password {

// Program folder + "unins000.dll".
QString filePath();

// An entry as it is compared and stored: trimmed, the letters a to z in upper
// case, every other character as the password file can hold it.
QString normalised(QStringView entry);

// The stored password, trimmed. A missing file or key reads as empty text;
// ok is false when the file cannot be read or the value does not unscramble.
struct Stored {
  bool ok = false;
  QString text;
};
Stored read();

// Does the entry match the stored password? (Compare after a successful read.)
inline bool matches(const Stored& stored, QStringView entry) { return stored.text == normalised(entry); }

// Stores the entry (normalised, scrambled) as key "Valore" of section
// "Accesso", creating the file or the section when missing. False on failure.
bool write(QStringView entry);
// The same into a given file (the installation's initial password).
bool writeTo(const QString& path, QStringView entry);

} // namespace password
