// TfrmNumerazione (" Impostazione inizio numerazione"): the start of the
// protocol numbering and the year suffix, read from and written to the
// settings file when opened by the protocol card (caller tag "protocollo").
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

class TfrmNumerazione : public QDialog {
  Q_OBJECT
public:
  explicit TfrmNumerazione(QWidget* parent = nullptr);

  void setCallerTag(const QString& tag); // `lblMemory`
  // "Applica e chiudi": writes the start and the suffix flag, then closes.
  void applica();

  // Opens a fresh screen modally and destroys it when it closes.
  static void open(QWidget* parent, const QString& callerTag);

protected:
  void showEvent(QShowEvent* e) override;

private:
  bool forProtocol() const;

  QLabel* memory_;
  QLineEdit* start_;
  QCheckBox* suffix_;
};
