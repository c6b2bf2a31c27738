// A menu screen of year boxes: an info line, then one box per choice with
// its heading, a year edit (four digits, the current year when shown; Enter
// moves to the box's button) and a button that hands the year to what the
// box opens, usually a screen shown modally over the menu. Help and the way
// back to the main menu. One class, configured by a description per menu.
//
//   YearBoxMenuDescription d{"TfrmMenuStats", " Velarion - Grafici statistici", info, ".eur",
//                            {{"Entrate mensili:", "txtAnnoPreventivi", "btnApriPreventivi", "Visualizza",
//                              [](QWidget* menu, const YearChoice& c) { ...open the chart of c.year... }}, ...},
//                            HelpTopic::Statistiche};
#pragma once

#include "common/help.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

// The year a box accepted: its four characters and the yearly archive they
// name (program folder + year + extension).
struct YearChoice {
  QString year;
  QString file;
};

struct YearBox {
  QString heading;    // the box's heading
  QString yearEdit;   // object name of its year edit
  QString button;     // object name of its button
  QString buttonText; // the button's caption
  // Runs when the button accepts the year, over the menu.
  std::function<void(QWidget* menu, const YearChoice& choice)> open;
};

struct YearBoxMenuDescription {
  QString screen;    // object name of the menu
  QString caption;   // its window caption
  QString info;      // the line that says what the application is for
  QString extension; // of the yearly archive, e.g. ".eur"
  std::vector<YearBox> boxes;
  std::optional<HelpTopic> help; // none leaves `imgGuida` disabled
};

class YearBoxMenu : public QWidget {
  Q_OBJECT
public:
  explicit YearBoxMenu(YearBoxMenuDescription description, QWidget* parent = nullptr);
  const YearBoxMenuDescription& description() const { return d_; }

  // The button of box `index`: the year must be four characters (else a
  // warning and the focus back on the edit); then `lblFile` names the
  // year's archive and the box opens it.
  void open(size_t index);

protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

private:
  YearBoxMenuDescription d_;
  std::vector<QLineEdit*> years_;
  QLabel* file_;
};
