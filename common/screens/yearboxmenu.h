// A menu of year boxes: an information line and a few boxes side by side,
// each with its heading, a year edit (four digits, the current year when the
// menu is shown; Enter moves to the box's button) and a button that opens a
// screen for that year over the menu. Help and the way back to the main
// menu beside them. One class, configured by a description per menu (the
// unpaid payments, the statistical charts).
//
//   YearBoxMenuDescription d{.screen = "...", .caption = ..., .info = ...,
//                            .extension = ".reg",
//                            .boxes = {{"Pagamenti insoluti in entrata", "txtAnnoPreventivi",
//                                       "btnApriPreventivi", [](QWidget* menu, const QString& year) {...}}, ...},
//                            .helpTopic = HelpTopic::Insoluti};
//   auto* menu = new YearBoxMenu(d);
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

struct YearBox {
  QString heading;
  QString yearEdit; // object name of the year edit
  QString button;   // object name of its button
  // Opens the box's screen over the menu for the chosen year, once the
  // menu's hidden `lblFile` names that year's archive.
  std::function<void(QWidget* menu, const QString& year)> open;
  QString hint = {}; // of the button on the status line; none: no hint
};

struct YearBoxMenuDescription {
  QString screen;  // object name
  QString caption; // window caption
  QString info;    // the line above the boxes
  QString extension; // of the yearly archive `lblFile` names
  std::vector<YearBox> boxes;
  std::optional<HelpTopic> helpTopic; // none leaves `imgGuida` disabled
  QString buttonText = QStringLiteral("Visualizza");
};

class YearBoxMenu : public QWidget {
  Q_OBJECT
public:
  explicit YearBoxMenu(YearBoxMenuDescription description, QWidget* parent = nullptr);
  const YearBoxMenuDescription& description() const { return d_; }

  // A box's button: a year that is not four digits is refused with the
  // year warning and the focus back on its edit; otherwise `lblFile` names
  // the year's archive in the program folder and the box's screen opens.
  void open(int box);

protected:
  void showEvent(QShowEvent* e) override;
  // Closing the menu shows the main menu again.
  void closeEvent(QCloseEvent* e) override;

private:
  YearBoxMenuDescription d_;
  std::vector<QLineEdit*> years_;
  QLabel* lblFile_ = nullptr;
};
