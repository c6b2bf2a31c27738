// The record form: the fields of a card in their sections, each control
// made by the factory of its kind and bound to its fields, the focus style,
// the Enter chains, the tab order and the first focus. It is a plain
// widget: a card screen holds it, and so can any other screen (the
// deadline screen holds one in its card panel).
#pragma once

#include "carddescription.h"
#include "formcontrols.h"

#include "archive/record.h"

#include <QWidget>

#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

class QGridLayout;
class QLabel;
class QFrame;

class RecordForm : public QWidget {
  Q_OBJECT
public:
  RecordForm(const FormDescription& description, const RecordLayout& layout, QWidget* parent = nullptr);
  ~RecordForm() override;

  const FormDescription& description() const { return d_; }
  const RecordLayout& layout() const { return *layout_; }

  // The record as the form shows it: str fields and flags trimmed, char[N]
  // fields as typed (memos with CR LF line breaks).
  Record record() const;
  // Every field into its control.
  void load(const Record& record);
  // Empties every control but those of the fields listed.
  void clear(std::span<const std::string_view> keep = {});
  // One field's text into its control, as loading puts it.
  void set(std::string_view field, const QString& text);
  QString text(std::string_view field) const;
  // What every save does first, before the record is read (amounts).
  void prepareSave();

  // The widget that takes the focus for a field (nullptr: none).
  QWidget* control(std::string_view field) const;
  // How many controls bind the field (one for a sound description).
  int bindings(std::string_view field) const;
  void focusField(std::string_view field);
  // The first focus; a form with tabbed sections opens its first section.
  void focusFirst();
  QWidget* firstFocusWidget() const;

  // Tabbed sections: the current one, and opening one (its panel shown, its
  // `_B` picture shown and `_A` hidden, the others the other way round);
  // with focus, the section's field takes the focus.
  int currentSection() const { return current_; }
  void openSection(int tabbed, bool focus = true);
  int tabbedSections() const { return int(tabs_.size()); }

  // Moving over the form's background empties the status line; with
  // kindHints, moving over a control with a hint of its kind (a calendar
  // date, a file slot) shows it there. A screen that gives those hints
  // itself, with its own, leaves them out.
  void setStatusLine(QLabel* line, bool withKindHints = true);
  const std::vector<std::pair<QString, QString>>& kindHints() const { return kindHints_; }

protected:
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void showEvent(QShowEvent* e) override;

private:
  // Where an item stands in its section's grid: its caption (nullptr when
  // the control shows its own), its cell, its row, pair and span.
  struct Placed {
    QWidget* caption;
    QWidget* cell;
    int row;
    int pair;
    int span;
    Qt::Alignment captionAlign;
  };
  // A section's grid, laid out wide (its pairs side by side, as described)
  // or, where the width does not hold them, one item per row.
  struct Grid {
    QWidget* outer;   // the frame whose width the grid needs
    QGridLayout* grid;
    int pairs;
    bool fillBelow;   // a stretching row under the items
    std::vector<Placed> items;
    bool wide = true;
    int wideWidth = 0; // what the wide layout needs, once known
  };
  void arrange(Grid& g, bool wide);
  void fitTo(int width);
  int availableWidth() const;
  // The section tabs on as many rows as `room` needs.
  void arrangeTabs(int room);

  struct Tab {
    QString stem;
    QWidget* a;
    QWidget* b;
    QFrame* panel;
    QString focus;
  };

  QWidget* makeFramed(const CardSection& s);
  void fill(QGridLayout* grid, const CardSection& s, QWidget* surface, QWidget* outer, bool fillBelow);
  QWidget* makeTabs(const std::vector<const CardSection*>& tabbed);
  void place(const CardItem& item, Grid& grid, int row, int pair, QWidget* surface);
  void style(const CardItem& item, QWidget* field, QWidget* surface);
  void bindChains();
  void bindTabOrder();
  FormControl* controlOf(std::string_view field) const;

  FormDescription d_;
  const RecordLayout* layout_;
  std::vector<std::unique_ptr<FormControl>> controls_;
  std::vector<FormControl*> byField_;
  std::vector<std::pair<QString, QString>> kindHints_;
  std::vector<QWidget*> backgrounds_;
  std::vector<Tab> tabs_;
  int current_ = -1;
  QGridLayout* tabBar_ = nullptr;
  int tabRows_ = 0, tabColumns_ = 0;
  std::vector<Grid> grids_;
  QWidget* watched_ = nullptr; // the viewport of the scroll area the form stands in
};
