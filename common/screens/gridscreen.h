// The one screen of every grid list, built from a GridDescription: the grid
// `grdRecords` (column "N." then the description's columns, alternating row
// backgrounds), the optional interval panel (`txtDataInizio`, `txtDataFine`,
// `cmdTrova`), the commands `cmdEsporta`, `cmdGuida`, `cmdEsci` and the
// status line `panInfo`. Without an interval panel the grid fills itself
// when the screen is first shown; with one, when `cmdTrova` accepts the dates.
#pragma once

#include "common/grids.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QTableView;

namespace grids {

// The grid's model: "N." with each row's reading number, then the columns.
// The cells of the rows asked for are read from the archive a block of rows
// at a time; the last blocks shown are kept.
class GridModel : public QAbstractTableModel {
  Q_OBJECT
public:
  GridModel(const GridDescription& description, QObject* parent = nullptr);
  void setTable(GridRows table);
  const GridRows& table() const { return table_; }
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
  // The cells of the block of rows holding `row`, read when not kept.
  const xls::ExportTable& block(int row) const;

  const GridDescription& d_;
  GridRows table_;
  struct Block {
    int first;
    xls::ExportTable cells;
  };
  mutable std::vector<Block> kept_; // the most recently used last
};

class GridScreen : public QDialog {
  Q_OBJECT
public:
  // `chosen`: the day the opener picked, for the selections and yearly
  // archives that depend on it.
  explicit GridScreen(const GridDescription& description, QWidget* parent = nullptr, QDate chosen = QDate());
  ~GridScreen() override;

  const GridDescription& description() const { return d_; }
  const GridRows& table() const { return model_->table(); }
  QTableView* grid() const { return grid_; }

  // Reads the archive into the grid (within the interval last accepted by
  // `cmdTrova`, if the screen has one); an archive that cannot be read is
  // reported with the archive access message and leaves the grid unfit for
  // export.
  void fill();
  // `cmdTrova` of the interval panel: checks the dates, then fills.
  void trova();
  // `cmdEsporta`: the confirmation, the file, the offer to open it.
  void esporta();

  // Opens a fresh screen modally and destroys it when it closes.
  static void open(const GridDescription& description, QWidget* parent, QDate chosen = QDate());

protected:
  void showEvent(QShowEvent* e) override;

private:
  QWidget* buildInterval(const IntervalPanel& panel);
  std::vector<QString> archivePaths(const GridContext& context) const;

  const GridDescription& d_;
  QDate chosen_;
  QDate from_, to_; // the interval accepted by `cmdTrova`
  GridModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QLabel* panInfo_ = nullptr;
  QLineEdit* txtDataInizio_ = nullptr;
  QLineEdit* txtDataFine_ = nullptr;
  bool shown_ = false;
  // The archive could not be read: what the grid shows is not the archive.
  bool unreadable_ = false;
};

} // namespace grids
