// The one screen of every spreadsheet export, built from an
// ExportDescription: the preview grid `grdRecords` filled when the screen is
// shown, `cmdEsporta`, `cmdGuida`, `cmdEsci` and the status line `panInfo`.
#pragma once

#include "common/xls.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <functional>

class QLabel;
class QTableView;

namespace xls {

// The preview: column "N." with the row number, then the export columns.
class ExportModel : public QAbstractTableModel {
  Q_OBJECT
public:
  ExportModel(const ExportDescription& description, QObject* parent = nullptr);
  void setTable(ExportTable table);
  const ExportTable& table() const { return table_; }
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
  const ExportDescription& d_;
  ExportTable table_;
};

class ExportScreen : public QDialog {
  Q_OBJECT
public:
  explicit ExportScreen(const ExportDescription& description, QWidget* parent = nullptr);

  const ExportDescription& description() const { return d_; }
  const ExportTable& table() const { return model_->table(); }
  QTableView* grid() const { return grid_; }

  // Reads the archive into the preview; the screen does it when first shown.
  // A screen that selects its rows some other way overrides it.
  virtual void fill();
  // "Esporta": the confirmation, the file, the offer to open it.
  void esporta();

  // Opens a fresh screen modally and destroys it when it closes.
  static void open(const ExportDescription& description, QWidget* parent);

protected:
  void showEvent(QShowEvent* e) override;
  void setTable(ExportTable table);
  QLabel* statusLine() const { return panInfo_; }

private:
  const ExportDescription& d_;
  ExportModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QLabel* panInfo_ = nullptr;
  bool filled_ = false;
};

} // namespace xls
