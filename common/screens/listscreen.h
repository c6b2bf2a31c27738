// The one screen of every search and summary list, built from a
// ListDescription: the criteria panel `panAvvio` (searches only), the results
// panel `panContainer` with the list `lstRecords`, the find in the list,
// printing and the double-click that hands a record to the caller's screen.
#pragma once

#include "common/lists.h"

#include <QAbstractListModel>
#include <QDialog>
#include <QSize>

#include <deque>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QFrame;

namespace lists {

// The file of an archive: its fixed file, or the text of the hidden
// `lblFile` of the named screen.
QString resolve(const ArchivePath& path);

// The rows of a list, one record each, every row of the same size; a row's
// line is made from its record when the view shows it, a page of rows at a
// time, and the last few pages are kept.
class ListModel : public QAbstractListModel {
  Q_OBJECT
public:
  using QAbstractListModel::QAbstractListModel;
  void setEntries(ListRows entries);
  const ListRows& entries() const { return entries_; }
  void setRowSize(QSize size) { rowSize_ = size; }
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  static constexpr size_t kPageRows = 128;
  static constexpr size_t kPagesKept = 4;

private:
  QString lineAt(size_t row) const;

  ListRows entries_;
  QSize rowSize_;
  struct Page {
    size_t first = 0;
    ListLines lines;
  };
  mutable std::deque<Page> pages_; // the most recently used first
};

// The list `lstRecords` of a list screen over a fresh model: the lines in
// "Courier New" 12, black, every row 1600 wide and scrolled sideways, one
// line selected at a time.
QListView* makeLineList(QWidget* parent, ListModel** model);

class ListScreen : public QDialog {
  Q_OBJECT
public:
  explicit ListScreen(const ListDescription& description, QWidget* parent = nullptr);
  ~ListScreen() override;

  const ListDescription& description() const { return d_; }
  // The caller tag (`lblMemory`) that names who receives a picked record.
  void setCallerTag(const QString& tag);
  QStringList lines() const;
  const ListRows& entries() const { return model_->entries(); }

  // The commands, public so other screens and tests can drive them.
  void cerca();
  void trova();
  void stampa();
  // Hands the record behind a listed line to the caller's screen, then closes.
  void pick(int row);


  // Fills a summary; the screen does it when shown, or once when it is made
  // if its description says so.
  void fill();

  // Opens a fresh screen modally and destroys it when it closes.
  static void open(const ListDescription& description, QWidget* parent, const QString& callerTag = QString());

protected:
  void showEvent(QShowEvent* e) override;
  void done(int result) override;

private:
  QFrame* buildCriteria();
  QFrame* buildResults();
  void showResults(ListRows entries);

  const ListDescription& d_;
  InListFind find_;
  ListModel* model_ = nullptr;
  QListView* list_ = nullptr;
  QFrame* panAvvio_ = nullptr;
  QFrame* panContainer_ = nullptr;
  std::vector<QLineEdit*> criteria_;
  QLabel* lblMemory_ = nullptr;
  QLabel* lblConta_ = nullptr;
  QLabel* lblAttendere_ = nullptr;
  QLabel* lblTrovate_ = nullptr;
  QLineEdit* txtTrova_ = nullptr;
  QPushButton* btnTrova_ = nullptr;
};

} // namespace lists
