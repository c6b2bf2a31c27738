// The print screen of a card (the field form): a few words on what it does,
// "Annulla", which closes, and "Stampa", which fills the form from the
// card's record as the card shows it, prints it without preview and closes.
// One screen serves every card that prints this way; a FormPrintDescription
// says what it prints.
#pragma once

#include "common/printrows.h"

#include <QDialog>

#include <functional>

class FormPrintScreen : public QDialog {
  Q_OBJECT
public:
  // `record`: the record as the calling card shows it, saved or not, asked
  // for when "Stampa" is pressed.
  FormPrintScreen(const FormPrintDescription& description, std::function<Record()> record, QWidget* parent = nullptr);

  const FormPrintDescription& description() const { return d_; }
  // "Stampa": fills the form, hands it to the report output to print, closes.
  void stampa();

  // Opens a fresh screen modally and destroys it when it closes.
  static void open(const FormPrintDescription& description, std::function<Record()> record, QWidget* parent);

private:
  const FormPrintDescription& d_;
  std::function<Record()> record_;
};
