#include "common/dates.h"

#include "support.h"

#include <gtest/gtest.h>

TEST(Dates, ValidityOfTypedTexts) {
  struct Case { const char* text; bool valid; } cases[] = {
      {"05/03/2025", true},   {"31/12/2025", true},  {"29/02/2028", true},  {"29/02/2000", true},
      {" 05/03/2025 ", true}, // blanks around are ignored
      {"31/04/2025", false},  {"29/02/2025", false}, {"29/02/2100", false}, {"00/01/2025", false},
      {"01/00/2025", false},  {"01/13/2025", false}, {"32/01/2025", false}, {"01/01/0000", false},
      {"5/3/2025", false},    {"05/03/25", false},   {"05-03-2025", false}, {"2025/03/05", false},
      {"0a/03/2025", false},  {"+5/03/2025", false}, {"05/03/2025x", false}, {"", false},
      {"oggi", false},        {"//////////", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dates::isValid(QString::fromUtf8(c.text)), c.valid) << c.text;
    // the stored bytes of a field read the same way
    EXPECT_EQ(dates::parseBytes(c.text), dates::parse(QString::fromUtf8(c.text))) << c.text;
  }
  // a character beyond Latin-1 is no digit, though its low byte may be
  EXPECT_FALSE(dates::isValid(QStringLiteral("05/03/202\u0135")));
  EXPECT_EQ(dates::parse(QStringLiteral("29/02/2028")), QDate(2028, 2, 29));
  EXPECT_FALSE(dates::parse(QStringLiteral("31/04/2025")).isValid());
}

// What a date field makes of what is typed into it: the day it names, or
// no day, exactly as the text stands.
TEST(Dates, TypedDates) {
  using S = dates::Typed::Status;
  struct Case { const char* typed; S status; QDate day; const char* shown; } cases[] = {
      {"31/03/2027", S::Day, QDate(2027, 3, 31), "31/03/2027"},
      {"31032027", S::Day, QDate(2027, 3, 31), "31/03/2027"},     // the eight digits ddmmyyyy
      {"1/2/2026", S::Day, QDate(2026, 2, 1), "01/02/2026"},      // one-digit day and month
      {"01/2/2026", S::Day, QDate(2026, 2, 1), "01/02/2026"},
      {" 29/02/2028 ", S::Day, QDate(2028, 2, 29), "29/02/2028"}, // a leap year; blanks around
      {"29022028", S::Day, QDate(2028, 2, 29), "29/02/2028"},
      {"31/02/2026", S::NoDay, {}, "31/02/2026"}, // days that do not exist stay as typed
      {"29/02/2027", S::NoDay, {}, "29/02/2027"},
      {"31/04/2025", S::NoDay, {}, "31/04/2025"},
      {"00/01/2026", S::NoDay, {}, "00/01/2026"},
      {"31/13/2026", S::NoDay, {}, "31/13/2026"},
      {"01/01/0000", S::NoDay, {}, "01/01/0000"},
      {"31022026", S::NoDay, {}, "31022026"},
      {"3103202", S::NoDay, {}, "3103202"},       // seven digits
      {"310320271", S::NoDay, {}, "310320271"},   // nine
      {"31/03/27", S::NoDay, {}, "31/03/27"},     // a two-digit year names no century
      {"1/2/26", S::NoDay, {}, "1/2/26"},
      {"31//2027", S::NoDay, {}, "31//2027"},
      {"/03/2027", S::NoDay, {}, "/03/2027"},
      {"31/03/2027/", S::NoDay, {}, "31/03/2027/"},
      {"131/03/2027", S::NoDay, {}, "131/03/2027"},
      {"25/11/-471", S::NoDay, {}, "25/11/-471"},
      {"-471", S::NoDay, {}, "-471"},
      {"oggi", S::NoDay, {}, "oggi"},
      {"3l/03/2027", S::NoDay, {}, "3l/03/2027"}, // a letter for a digit
      {"", S::Empty, {}, ""},
      {"   ", S::Empty, {}, "   "},
  };
  for (const Case& c : cases) {
    const dates::Typed t = dates::readTyped(QString::fromUtf8(c.typed));
    EXPECT_EQ(t.status, c.status) << c.typed;
    EXPECT_EQ(t.day, c.day) << c.typed;
    EXPECT_EQ(dates::normaliseTyped(QString::fromUtf8(c.typed)), QString::fromUtf8(c.shown)) << c.typed;
    // what a field shows once left is a stored date exactly when it names a day
    EXPECT_EQ(dates::isValid(dates::normaliseTyped(QString::fromUtf8(c.typed))), c.status == S::Day) << c.typed;
  }
  // digits of other scripts are no digits here
  EXPECT_EQ(dates::readTyped(QStringLiteral("\u0663\u0661032027")).status, S::NoDay);
}

TEST(Dates, FormatAndToday) {
  EXPECT_EQ(dates::format(QDate(2025, 3, 5)), QStringLiteral("05/03/2025"));
  EXPECT_EQ(dates::format(QDate(2028, 2, 29)), QStringLiteral("29/02/2028"));
  EXPECT_EQ(dates::format(QDate()), QString());
  FixedClock clock(QDate(2027, 1, 9));
  EXPECT_EQ(dates::today(), QDate(2027, 1, 9));
  EXPECT_EQ(dates::todayText(), QStringLiteral("09/01/2027"));
  // what is written reads back as the same day
  EXPECT_EQ(dates::parse(dates::todayText()), QDate(2027, 1, 9));
}

TEST(Dates, RefusalMessages) {
  using C = dates::DateCheck;
  const QString save = QStringLiteral("Per poter salvare la scheda \u00E8 necessario indicare una data valida");
  const QString summary = QStringLiteral("Per poter visualizzare il riepilogo \u00E8 necessario indicare una data valida.");
  struct Case { C where; QString expected; } cases[] = {
      {C::DeadlineSave, QStringLiteral("Attenzione: la data 31/02/2025 non esiste.\n\r\n\r") + save + QStringLiteral(".")},
      {C::CardDate,
       QStringLiteral("Attenzione: la data 31/02/2025 non esiste.\n\r\n\r") + save + QStringLiteral(" nel formato gg/mm/aaaa.")},
      {C::IntervalStart, QStringLiteral("Attenzione: la data 31/02/2025 di inizio intervallo non esiste.\n\r\n\r") + summary},
      {C::IntervalEnd, QStringLiteral("Attenzione: la data 31/02/2025 di fine intervallo non esiste.\n\r\n\r") + summary},
  };
  for (const Case& c : cases) EXPECT_EQ(dates::invalidDateMessage(c.where, QStringLiteral("  31/02/2025 ")), c.expected);
}

TEST(Dates, YearFields) {
  EXPECT_TRUE(dates::isYearText(QStringLiteral("2026")));
  for (const char* bad : {"", "26", "202", "20266", "20a6", " 2026"}) EXPECT_FALSE(dates::isYearText(QString::fromUtf8(bad))) << bad;
  EXPECT_EQ(QString::fromUtf8(dates::kYearWarning), QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
}
