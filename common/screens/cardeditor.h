// The card editor every card screen shares: the position label, Nuovo,
// Salva, Duplica, first/previous/next/last, the command column, status-line
// hints, focus frames and the Enter chain. A card is a description (fields
// in framed sections, commands, required fields, Enter chain) plus the few
// handlers that are particular to it.
#pragma once

#include "archive/record.h"
#include "common/navigation.h"
#include "common/printrows.h"

#include <QHash>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QGridLayout;

struct CardExtra {       // a button beside a field (check, import, today, e-mail)
  QString name;          // object name
  QString text;          // button caption, or empty for a picture
  QString icon = {};     // picture name (screenkit::icon); a captioned button may carry one too
};

struct CardItem {        // a field of a section: caption and control
  enum Kind { Edit, Combo, Check };
  std::string_view field; // record field; the control is "txt"/"chk" + field
  QString caption;
  Kind kind = Edit;
  int span = 1;          // caption + control pairs the item occupies
  QStringList choices;   // combo suggestions
  std::vector<CardExtra> extras;
};

struct CardSection {     // a framed section with its picture on the left
  QString title;
  QString icon;          // picture name (screenkit::icon)
  int pairs;             // caption + control pairs per row
  std::vector<std::vector<CardItem>> rows;
};

struct CardCommand {     // a command picture of the right-hand column
  QString name;
  QString caption;
  QString icon;          // picture name (screenkit::icon)
};

struct CardRequired {    // checked in order on save
  std::string_view field;
  QString message;
};

struct CardDescription {
  QString screen;         // object name, e.g. "TfrmClienti"
  QString caption;        // window caption
  const RecordLayout* layout;
  // The archive: a fixed name in the program folder, or empty for the
  // yearly file named by the card's hidden `lblFile`.
  QString fixedFile;
  std::vector<CardSection> sections;
  std::vector<CardCommand> commands;                  // the column, top to bottom
  // control -> status-line text, beyond the hints of the commands every
  // card shares (new, duplicate, save, find, preview, print, help, exit,
  // the four arrows), which the card editor gives itself
  std::vector<std::pair<QString, QString>> hints;
  std::vector<CardRequired> required;
  std::vector<QString> enterChain;                    // control names
  QString initialStatus;
  // The printed card: its title and rows; cards without rows do not print.
  QString printTitle = {};
  const std::vector<PrintRow>* printRows = nullptr;
};

class CardEditor : public QWidget {
  Q_OBJECT
public:
  explicit CardEditor(const CardDescription& description, QWidget* parent = nullptr);
  ~CardEditor() override;

  const CardDescription& description() const { return d_; }
  QString archivePath() const;
  // The position label as a number, or nothing for a new card.
  std::optional<int> position() const;
  QLabel* positionLabel() const { return lblPosizione_; }
  QLabel* statusLine() const { return panInfo_; }

  // Loads a record into the card at its position (search and navigation).
  virtual void loadRecord(const Record& record, int position);
  // The record as the screen shows it.
  virtual Record recordFromScreen() const;

  // The commands every card shares, public so lists and tests can drive them.
  void nuovo();
  void salva();
  void duplica();
  void naviga(NavCommand command);
  // The card as the screen shows it, printed, previewed or written to PDF
  // (the PDF is then offered for opening).
  enum class Output { Print, Preview, Pdf };
  void stampa(Output output, const QString& pdfFile = QString());

  // Binds a handler to a command or button; commands without a handler are
  // disabled.
  void on(const QString& control, std::function<void()> handler);

protected:
  // Empties the card; Nuovo and showing the screen call it.
  virtual void clearCard();
  // After clearCard() on Nuovo (the case card puts today's date).
  virtual void afterNew() {}
  // Required fields in order; false stops the save.
  virtual bool checkRequired();
  QWidget* field(std::string_view name) const;
  QWidget* firstField() const;

  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

private:
  void build();
  QWidget* makeSection(const CardSection& section);
  QWidget* makeCommandColumn();

  CardDescription d_;
  QLabel* lblPosizione_ = nullptr;
  QLabel* panInfo_ = nullptr;
  QHash<QString, QWidget*> commands_;
};
