// The applications as records: what each application hands the program so
// that the shared pieces (the main menu, the calendar, the attachments, the
// year screens, the lists that send a client or a case to another card, the
// help, the fuzz targets) serve it without naming it. An application is its
// folder plus one record, registered by the shell in menu order.
//
// The record is logic (Qt Core): the two screen entries only name the
// factory of the application's screens and its card description, which
// common/screens and the application's screens provide.
#pragma once

#include "archive/archives.h"
#include "common/help.h"
#include "common/lists.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <string_view>
#include <vector>

class QWidget;
struct CardDescription;

namespace modules {

// The tile of the main menu.
struct Tile {
  const char* picture; // the tile's picture `img...`
  const char* button;  // the button picture under it `btn...`
  const char* title;   // written under the picture
  const char* screen;  // object name of the screen the tile opens
  const char* art;     // the tile's picture in the shell's resources
};

// A date field the calendar fills when opened with a caller tag.
struct CalendarTarget {
  const char* tag;
  const char* screen;
  const char* control;
};

// A card whose attachments "Allega file" edits, opened with its caller tag.
struct AttachmentOwner {
  const char* screen;
  const char* command;
  const char* tag;
};

// The year screen in front of the card of a yearly archive; it is the
// screen the tile opens, and the card is the one of the first yearly archive.
struct YearRow {
  const char16_t* caption;      // the year screen's window caption
  const char16_t* archiveLabel; // the line above the year
  const char16_t* explanation;  // what the application is for
  const char* card;             // object name of the card it opens
  const char16_t* cardCaption;  // the card's caption before the year
  const char* keyWord;          // `lblMemory` when the card is to be opened
};

// What another application's list can send to this one.
enum class Sender {
  Client, // a client of the client search
  Case,   // a case of the case search
};
struct Receiver {
  Sender from;
  lists::CallerTarget target; // caller tag, receiving screen, its copy map
};

// A field the search of the whole studio looks in, and the name a result
// gives it ("Indirizzo di residenza").
struct SearchedField {
  std::string_view field;
  const char16_t* caption;
};

// An archive the search of the whole studio reads.
struct Searched {
  // The application's own search list: its archive, the line that heads a
  // result (the line the list shows) and the card that receives a record
  // picked there.
  const lists::ListDescription& (*list)();
  std::vector<SearchedField> fields;
  // A screen that opens a year's archive itself once shown (the card panel
  // behind a start panel); nullptr: the card's `lblFile` and caption are set
  // from the year row before it is shown.
  void (*openYear)(QWidget* screen, const QString& year) = nullptr;
};

struct Module {
  Tile tile;
  // The archives the application keeps (each a fixed file or a yearly
  // extension, with its layout).
  std::vector<ArchiveDef> archives = {};
  // Other files it keeps in the program folder (its settings), copied by
  // the daily backup beside the archives.
  std::vector<const char*> files = {};
  std::optional<HelpTopic> help = {}; // the application's own help page
  std::vector<CalendarTarget> calendar = {};
  std::optional<AttachmentOwner> attachments = {};
  std::optional<YearRow> year = {};
  std::vector<Receiver> receives = {};
  // Creates the application's persistent screens at start-up and returns
  // the one the tile opens (the shell registers it).
  QWidget* (*create)() = nullptr;
  // The description of the application's card; nullptr without a card.
  const CardDescription& (*card)() = nullptr;
  // The archives the search of the whole studio reads, and how.
  std::vector<Searched> searched = {};
};

// Registers a module after those registered before (menu order); a module
// registered again stays where it is.
void add(const Module& module);
// Takes a module away (a test's own application).
void remove(const Module& module);
std::span<const Module* const> all();

// The module whose tile opens the screen, or nullptr.
const Module* opening(const QString& screen);

// The receivers the modules declare for what a sender sends.
std::vector<lists::CallerTarget> receivers(Sender from);

// A help page a module brings beyond the program's own topics: a topic of
// its own, shown by the help screen with the title and paragraphs given
// (joined by a blank line as every page's are).
HelpTopic addHelpTopic(const QString& title, const QStringList& paragraphs);
struct AddedHelp {
  QString title;
  QStringList paragraphs;
};
// The page of a topic added above, or nullptr for the program's own.
const AddedHelp* addedHelp(HelpTopic topic);

// The object name of the main menu, which the shell names: the screen every
// application returns to when it closes.
QString mainMenu();
void setMainMenu(const QString& screen);

} // namespace modules
