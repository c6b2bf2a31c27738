// `TfrmCercaStudio`: the results of the search of the whole studio, started
// from the main menu's search box. The results come in as the archives are
// read, grouped by application and year; Enter or a double-click on one
// opens its application's card at that record, and closing the card comes
// back here. "Annulla" or Esc stops a search under way, and so does opening
// a card or closing the screen: what was found stays.
#pragma once

#include "common/studiosearch.h"

#include <QAbstractItemModel>
#include <QCache>
#include <QPointer>
#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeView;

// The groups and their hits as a tree: a group row, its hits under it. A
// hit's texts are read from its archive when a view asks for them, and
// kept for a few hundred rows.
class StudioSearchModel : public QAbstractItemModel {
  Q_OBJECT
public:
  // Where the match lies in the found text of a hit (column 1): a QPoint of
  // its start and length.
  static constexpr int MatchRole = Qt::UserRole + 1;

  explicit StudioSearchModel(QObject* parent = nullptr);
  // A new search (nullptr: none).
  void reset(const studiosearch::Run* run);
  // Takes in what the search found since the last call.
  void catchUp();
  // The hit of a row, or nullptr for a group row.
  const studiosearch::Hit* hitAt(const QModelIndex& index) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
  QString groupTitle(size_t group) const;
  const studiosearch::Shown* shown(size_t hit) const;

  const studiosearch::Run* run_ = nullptr;
  std::vector<size_t> known_; // the hits of each group the views know of
  mutable QCache<size_t, studiosearch::Shown> shown_;
};

class TfrmCercaStudio : public QWidget {
  Q_OBJECT
public:
  explicit TfrmCercaStudio(QWidget* parent = nullptr);
  ~TfrmCercaStudio() override;
  // Shows the screen and searches the text.
  void search(const QString& text);
  // Stops a search under way ("Annulla", Esc).
  void stop();
  bool running() const;

protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

private:
  void start();
  void slice();
  void finish(bool stopped);
  void open(const QModelIndex& index);

  std::unique_ptr<studiosearch::Run> run_;
  StudioSearchModel* model_;
  QLineEdit* txtCerca_;
  QPushButton* btnCerca_;
  QLabel* lblRiepilogo_;
  QTreeView* lstRisultati_;
  QWidget* panAvanzamento_;
  QProgressBar* progress_;
  QLabel* lblAvanzamento_;
  QPushButton* btnAnnulla_;
  QTimer* timer_;
  bool busyCursor_ = false;
  QPointer<QWidget> openedCard_; // the card opened from a result, until it closes
};
