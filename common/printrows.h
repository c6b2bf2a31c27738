// Printed cards as data. Rows hold a value pattern in which {Field} stands
// for the field's text, e.g. "N. {Carta}  -  Scadenza: {ScadeCarta}".
// The card template takes (title, pattern) rows; the field form of the print
// screens takes a FormPrintDescription.
#pragma once

#include "archive/record.h"

#include <QString>

#include <utility>
#include <vector>

// Values shown as words: a stored "Sì" printed as "Entrata". A value not
// listed prints as it is.
using ValueWords = std::vector<std::pair<QString, QString>>;

struct PrintRow {
  QString title;
  QString pattern;
};

// The pattern with every {Field} replaced by the trimmed field, trimmed.
QString expandPattern(const QString& pattern, const Record& record);
// The same, the result then shown as its word when it has one.
QString expandPattern(const QString& pattern, const ValueWords& words, const Record& record);
// (title, value) pairs for a card printout.
std::vector<std::pair<QString, QString>> expandRows(const std::vector<PrintRow>& rows, const Record& record);

// ---- The field form of a print screen ----

// A row: its fixed label, the value box named after the card's edit, and
// the value's pattern, e.g. {"Formato:", "txtFormato", "{Formato}  -  N. pagine: {Pagine}"},
// or {"Tipo movimento:", "txtTipo", "{Entrata}", {{"Sì", "Entrata"}, {"No", "Uscita"}}}.
struct FormPrintRow {
  QString label;
  QString box;
  QString pattern;
  ValueWords words = {};
};

// A print screen of one card: the screen, the report and its rows in order.
struct FormPrintDescription {
  QString screen;     // object name of the print screen
  QString caption;    // window caption
  QString reportName; // e.g. "Scheda Protocollo"
  QString title;      // the heading `titArcataSup`
  std::vector<FormPrintRow> rows;
};

// A filled row of the form.
struct FormField {
  QString label;
  QString name;
  QString value;
};
std::vector<FormField> expandForm(const FormPrintDescription& description, const Record& record);
