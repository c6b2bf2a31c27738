// TfrmBilancio: the cash book of the interval and reason chosen on
// `TfrmMenuBilancio`, built in full before it opens: the lines in archive
// order, the total income, the total expenses and the balance, the find in
// the list (its last text remembered for the whole run) and the print.
#pragma once

#include "cashbook/cashbook.h"

#include <QDate>
#include <QDialog>

class QLabel;
class QLineEdit;
class QListView;

namespace lists {
class ListModel;
}

class TfrmBilancio : public QDialog {
  Q_OBJECT
public:
  // `book` is a complete cash book (cashbook::Book::complete()).
  TfrmBilancio(cashbook::Book book, const QString& reasonFilter, QDate from, QDate to, QWidget* parent = nullptr);
  ~TfrmBilancio() override;

  QStringList lines() const;
  QListView* list() const { return list_; }

  // `btnTrova`: the next line holding the find text.
  void trova();
  // `btnStampa`: the cash book and its totals on the list template.
  void stampa();

protected:
  void showEvent(QShowEvent* e) override;
  void done(int result) override;

private:
  cashbook::Book book_;
  QString reason_;
  QDate from_, to_;
  lists::ListModel* model_ = nullptr;
  QListView* list_ = nullptr;
  QLineEdit* txtTrova_ = nullptr;
};
