// The about screen: the product, its copyright and its web address.
#pragma once

#include <QDialog>

class TfrmSplash : public QDialog {
  Q_OBJECT
public:
  explicit TfrmSplash(QWidget* parent = nullptr);

protected:
  void showEvent(QShowEvent* event) override;
};
