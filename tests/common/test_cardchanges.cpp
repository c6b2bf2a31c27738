#include "common/cardbehaviour.h"

#include <gtest/gtest.h>

namespace {

const RecordLayout& layout() {
  static const RecordLayout l("TRecProva", {{"Nome", FieldKind::Str, 8},
                                            {"Memo", FieldKind::Chars, 12},
                                            {"Fatto", FieldKind::Flag, 2}});
  return l;
}

Record card(const QString& nome, const QString& memo = QString(), const QString& fatto = QStringLiteral("No")) {
  Record r(layout());
  r.set("Nome", nome);
  r.set("Memo", memo);
  r.set("Fatto", fatto);
  return r;
}

} // namespace

// An edit is what the archive would store differently; what storing drops
// is none.
TEST(CardChanges, AnEditIsWhatWouldBeStoredDifferently) {
  const struct {
    Record shown;
    bool edited;
    const char* what;
  } cases[] = {
      {card(QStringLiteral("Rossi")), false, "the same"},
      {card(QStringLiteral("  Rossi \t")), false, "blanks at both ends"},
      {card(QStringLiteral("Rossi"), QStringLiteral(" ")), true, "a blank in a char[N] field, stored as typed"},
      {card(QStringLiteral("rossi")), true, "a letter's case"},
      {card(QStringLiteral("Rossi M")), true, "a letter more"},
      {card(QString()), true, "a field emptied"},
      {card(QStringLiteral("Rossi"), QString(), QStringLiteral("S\u00EC")), true, "a flag ticked"},
      {card(QStringLiteral("Rossi"), QStringLiteral("uno\r\ndue")), true, "a line in a memo"},
  };
  const Record unchanged = card(QStringLiteral("Rossi"));
  for (const auto& c : cases) EXPECT_EQ(differsAsStored(c.shown, unchanged), c.edited) << c.what;
}

// Past a field's width the archive keeps nothing, and a character it cannot
// hold is stored as another it cannot hold would be.
TEST(CardChanges, WhatTheArchiveCannotKeepIsNoEdit) {
  EXPECT_FALSE(differsAsStored(card(QStringLiteral("Bianchini Luca")), card(QStringLiteral("Bianchini"))));
  EXPECT_TRUE(differsAsStored(card(QStringLiteral("Bianchi")), card(QStringLiteral("Bianchini"))));
  EXPECT_FALSE(differsAsStored(card(QStringLiteral("\u0141ukasz")), card(QStringLiteral("\u0142ukasz"))));
  EXPECT_FALSE(differsAsStored(card(QStringLiteral("Ok \u20AC")), card(QStringLiteral("Ok \u20AC"))));
  EXPECT_TRUE(differsAsStored(card(QStringLiteral("Ok \u20AC")), card(QStringLiteral("Ok E"))));
}
