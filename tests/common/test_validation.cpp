// The rules a card checks before a save, tried in order over the record
// alone: the first failure gives the message, its kind and the field.
#include "common/validation.h"

#include <gtest/gtest.h>

namespace {

const RecordLayout& layout() {
  static const RecordLayout l("TRecRegole", {{"Nome", FieldKind::Str, 20},
                                             {"Giorno", FieldKind::Str, 2},
                                             {"Data", FieldKind::Str, 10},
                                             {"Ora", FieldKind::Str, 5}});
  return l;
}

const std::vector<validation::Rule>& rules() {
  static const std::vector<validation::Rule> r = {
      validation::required("Nome", QStringLiteral("Manca il nome.")),
      validation::minLength("Giorno", 2, QStringLiteral("Il giorno vuole due cifre.")),
      validation::holds("Data", [](const Record& rec) { return rec["Data"].startsWith(QLatin1String("0")); },
                        QStringLiteral("La data {Data} non esiste.\n\r\n\rIndicare una data valida."), MessageKind::Plain),
  };
  return r;
}

Record record(const char* nome, const char* giorno, const char* data) {
  Record r(layout());
  r.set("Nome", QString::fromUtf8(nome));
  r.set("Giorno", QString::fromUtf8(giorno));
  r.set("Data", QString::fromUtf8(data));
  return r;
}

} // namespace

TEST(Validation, TheFirstFailingRuleGivesMessageKindAndField) {
  struct Case {
    Record rec;
    const char* field; // nullptr: every rule holds
    MessageKind kind;
    QString message;
  } cases[] = {
      {record("", "", "x"), "Nome", MessageKind::Warning, QStringLiteral("Manca il nome.")},
      {record(" \t ", "05", "01/01/2026"), "Nome", MessageKind::Warning, QStringLiteral("Manca il nome.")},
      {record("Rossi", " 5 ", "01/01/2026"), "Giorno", MessageKind::Warning, QStringLiteral("Il giorno vuole due cifre.")},
      {record("Rossi", "05", " 31/04/2026 "), "Data", MessageKind::Plain,
       QStringLiteral("La data 31/04/2026 non esiste.\n\r\n\rIndicare una data valida.")},
      {record("Rossi", "05", "01/01/2026"), nullptr, MessageKind::Plain, QString()},
  };
  for (const Case& c : cases) {
    const auto failure = validation::firstFailure(rules(), c.rec);
    if (!c.field) {
      EXPECT_FALSE(failure.has_value());
      continue;
    }
    ASSERT_TRUE(failure.has_value()) << c.field;
    EXPECT_EQ(failure->field, std::string_view(c.field));
    EXPECT_EQ(failure->kind, c.kind);
    EXPECT_EQ(failure->message, c.message);
  }
}

TEST(Validation, ComputedFieldsAreFilledBeforeTheRules) {
  const CardRules card{{validation::required("Ora", QStringLiteral("Manca l'ora."))},
                       [](Record& r) { r.set("Ora", r["Giorno"].isEmpty() ? QString() : QStringLiteral("09:30")); }};
  Record r = record("Rossi", "05", "01/01/2026");
  EXPECT_FALSE(card.check(r).has_value());
  EXPECT_EQ(r["Ora"], QStringLiteral("09:30")); // the record written carries it
  Record missing = record("Rossi", "", "01/01/2026");
  ASSERT_TRUE(card.check(missing).has_value());
  EXPECT_EQ(card.check(missing)->message, QStringLiteral("Manca l'ora."));
}

// A typed date of a card may be empty or a real day as dd/mm/yyyy; any other
// text is refused with the plain message that names it as typed.
TEST(Validation, ExistingDates) {
  const validation::Rule rules[] = {validation::existingDate("Data")};
  const QString tail = QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la scheda \u00E8 necessario indicare una "
                                      "data valida nel formato gg/mm/aaaa.");
  const struct {
    const char* data;
    const char* refused; // the text the message names; nullptr: accepted
  } cases[] = {
      {"", nullptr},          {"   ", nullptr},           {"29/02/2028", nullptr}, {" 31/12/2026 ", nullptr},
      {"29/02/2027", "29/02/2027"}, {" 31/04/2025 ", "31/04/2025"}, {"31032027", "31032027"}, {"1/2/2026", "1/2/2026"},
      {"-471", "-471"},
  };
  for (const auto& c : cases) {
    const auto failure = validation::firstFailure(rules, record("Rossi", "05", c.data));
    if (!c.refused) {
      EXPECT_FALSE(failure.has_value()) << c.data;
      continue;
    }
    ASSERT_TRUE(failure.has_value()) << c.data;
    EXPECT_EQ(failure->kind, MessageKind::Plain);
    EXPECT_EQ(failure->field, std::string_view("Data"));
    EXPECT_EQ(failure->message, QStringLiteral("Attenzione: la data ") + QString::fromUtf8(c.refused) + tail);
  }
}
