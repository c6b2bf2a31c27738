// Rows of a printed card as data: a title and a value pattern in which
// {Field} stands for the field's text, e.g. "N. {Carta}  -  Scadenza: {ScadeCarta}".
#pragma once

#include "archive/record.h"

#include <QString>

#include <utility>
#include <vector>

struct PrintRow {
  QString title;
  QString pattern;
};

// The pattern with every {Field} replaced by the trimmed field, trimmed.
QString expandPattern(const QString& pattern, const Record& record);
// (title, value) pairs for a card printout.
std::vector<std::pair<QString, QString>> expandRows(const std::vector<PrintRow>& rows, const Record& record);
