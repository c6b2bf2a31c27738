// The small screen that names the year before the card of a yearly archive
// opens: the year edit, "Apri", help and the way back to the main menu. One
// class, configured by a description per archive.
#pragma once

#include "common/modules.h"

#include <QString>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

struct YearScreenDescription {
  QString screen;       // object name of the year screen
  QString caption;      // its window caption
  QString archiveLabel; // the line above the year
  QString explanation;  // what the application is for
  QString extension;    // of the yearly archive
  QString card;         // object name of the card screen it opens
  QString cardCaption;  // the card's caption before the year
  QString keyWord;      // `lblMemory` when the card is to be opened
  // Opens the application's help over the given screen; empty leaves the
  // help picture disabled.
  std::function<void(QWidget*)> help;
};

namespace yearscreens {
// The description of a module's year screen (without help), from its year
// row; empty for a module without one.
YearScreenDescription description(const modules::Module& module);
// The same for the registered module whose tile opens the year screen.
YearScreenDescription description(const QString& yearScreen);
// The year screen of a module, with the module's help.
QWidget* yearScreen(const modules::Module& module);
} // namespace yearscreens

class YearScreen : public QWidget {
  Q_OBJECT
public:
  explicit YearScreen(YearScreenDescription description, QWidget* parent = nullptr);
  const YearScreenDescription& description() const { return d_; }

protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

private:
  void open();

  YearScreenDescription d_;
  QLineEdit* year_;
  QPushButton* open_;
  QLabel* memory_;
};
