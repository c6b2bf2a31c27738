// The information screen: what the product is, and the maker's contact
// address, which opens a message in the mail program.
#pragma once

#include <QDialog>

class TfrmInfo : public QDialog {
  Q_OBJECT
public:
  explicit TfrmInfo(QWidget* parent = nullptr);

protected:
  void showEvent(QShowEvent* event) override;
};
