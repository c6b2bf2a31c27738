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
      {C::MovementSave,
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
