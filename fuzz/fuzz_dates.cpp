// The date parser: any text; an accepted date formats back to the text as
// typed (trimmed of blanks and controls, as every field), and every
// formatted day parses back to itself. A date as typed into a field reads as
// a stored date does, and what the field then shows is stored as that day.
#include "fuzzcheck.h"

#include "archive/record.h"
#include "common/dates.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  const QDate day = dates::parse(text);
  if (day.isValid()) {
    FUZZ_CHECK(dates::format(day) == fieldtext::trimmed(text));
    FUZZ_CHECK(dates::isValid(dates::format(day)));
  }
  const dates::Typed typed = dates::readTyped(text);
  if (day.isValid()) FUZZ_CHECK(typed.status == dates::Typed::Status::Day && typed.day == day);
  if (typed.status == dates::Typed::Status::Day) {
    FUZZ_CHECK(typed.day.isValid());
    FUZZ_CHECK(dates::parse(dates::normaliseTyped(text)) == typed.day);
  } else {
    FUZZ_CHECK(!typed.day.isValid());
    FUZZ_CHECK(dates::normaliseTyped(text) == text);
  }
  FUZZ_CHECK((typed.status == dates::Typed::Status::Empty) == fieldtext::trimmed(text).isEmpty());
  if (size >= 4) {
    const qint64 julian = qint64(data[0]) | qint64(data[1]) << 8 | qint64(data[2]) << 16 | qint64(data[3] & 0x3F) << 24;
    const QDate any = QDate::fromJulianDay(julian);
    const QString shown = dates::format(any);
    if (any.year() >= 1 && any.year() <= 9999) FUZZ_CHECK(dates::parse(shown) == any);
    else FUZZ_CHECK(!dates::parse(shown).isValid() || dates::parse(shown) == any);
  }
  return 0;
}
