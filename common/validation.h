// Checking a card before it is saved, as a pure function over the record: a
// table of rules tried in order, the first that fails gives the message,
// its kind and the field that takes the focus. Each module keeps its cards'
// rules in its logic library; the card screens only show the first failure.
#pragma once

#include "archive/record.h"
#include "common/services.h"

#include <QString>

#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace validation {

struct Rule {
  enum class Test {
    Required,  // the trimmed field is not empty
    MinLength, // the trimmed field holds at least `length` characters
    Holds,     // the predicate holds for the record
  };
  Test test = Test::Required;
  std::string_view field; // the field tested; it takes the focus when the rule fails
  // The message; {Field} stands for that field's trimmed text.
  QString message;
  MessageKind kind = MessageKind::Warning;
  int length = 0;
  std::function<bool(const Record&)> holds = {};
};

Rule required(std::string_view field, const QString& message);
Rule minLength(std::string_view field, int length, const QString& message);
Rule holds(std::string_view field, std::function<bool(const Record&)> test, const QString& message,
           MessageKind kind = MessageKind::Warning);
// A typed date of a card that is empty or a real day as dd/mm/yyyy;
// anything else is refused with the plain message that the date does not
// exist (whether the date may be empty is the card's own rule).
Rule existingDate(std::string_view field);

struct Failure {
  QString message;
  MessageKind kind;
  std::string_view field;
};

// The first rule that fails, in order; nothing when every rule holds.
std::optional<Failure> firstFailure(std::span<const Rule> rules, const Record& record);

} // namespace validation

// What a card checks and computes before it writes a record.
struct CardRules {
  std::vector<validation::Rule> rules;
  // Fills the fields the card computes from the others (a signed total, a
  // date composed from day, month and year) before the rules are tried and
  // the record is written; empty when the card computes nothing.
  std::function<void(Record&)> complete = {};

  // complete(), then the first failing rule.
  std::optional<validation::Failure> check(Record& record) const;
};
