// Grid lists: screens that read an archive into a grid of text columns, one
// row per selected record, and export the grid to a spreadsheet file (the
// archive exports, the deadline lists of a day, a month or the imminent
// ones, the protocol summary of an interval, the unpaid payments). Every
// such screen is one GridDescription read by one grid screen
// (common/screens/gridscreen.h); what it reads, selects, numbers and sorts
// is decided here, without widgets.
//
// An archive export:
//   GridDescription d{.screen = "...", .caption = ..., .archive = clientArchive(),
//                     .columns = {{"Cliente", "Cliente", 250, {"Cliente"}}, ...},
//                     .file = "Clienti.xls", .worksheet = "Riepilogo Clienti"};
// A list of the records of a chosen day, sorted by a computed key:
//   .archive = deadlineArchive(),  // yearly: the year of the chosen day
//   .columns = {..., {"Codice univoco", "Codice univoco", 150, {},
//                     {}, grids::joined(layout, {{"Data", 3, 2}, {"Giorno"}, {"OreApp"}, {"MinutiApp"}})}},
//   .select = [](const char* r, const GridContext& c) { ... c.chosen ... },
//   .sortColumn = 19,
// A summary of an interval: .interval = IntervalPanel{...},
//   .select = grids::dateWithin(layout, "DataReg").
#pragma once

#include "gridrows.h"
#include "help.h"
#include "lists.h"
#include "services.h"
#include "xls.h"

#include "archive/archives.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace grids {

// What a selection may look at besides the record.
struct GridContext {
  QDate today;  // the day the grid is filled
  QDate chosen; // the day the opener picked (a calendar's day); invalid when none
  QDate from;   // the interval of the parameter panel; invalid without one
  QDate to;
};

// Which records become rows: List, Skip, or Stop (the record cannot be
// judged: the filling ends there with the rows found so far).
using Select = std::function<lists::Verdict(const char* record, const GridContext& context)>;

// A stored date field between context.from and context.to, both included; a
// field that is not a date stops the filling.
Select dateWithin(const RecordLayout& layout, std::string_view field);

// A piece of a computed cell: characters [from, from + count) of the trimmed
// field (count < 0: to the end).
struct Piece {
  std::string_view field;
  int from = 0;
  int count = -1;
};
// A computed cell made of pieces of fields written one after the other, e.g.
// the key MMDDhhmm of a deadline from its date, day, hours and minutes.
std::function<std::string(const char* record)> joined(const RecordLayout& layout, std::vector<Piece> pieces);

// The date interval that a summary asks for before it lists anything: two
// typed dates `txtDataInizio` and `txtDataFine` (the end starts as today),
// and `cmdTrova`, which checks them and fills the grid.
struct IntervalPanel {
  QString startCaption;
  QString endCaption;
  QString findHint; // hint of `cmdTrova`
  QString dateHint = QStringLiteral("Indica una data nel formato gg/mm/aaa.");
};

struct GridDescription {
  QString screen;  // object name of the export screen
  QString caption; // window caption
  // The status line when the screen opens.
  QString status = QStringLiteral("Esportazione archivio in Microsoft Excel.");
  // The help page of `cmdGuida`; none leaves the picture disabled.
  std::optional<HelpTopic> helpTopic;

  // Where the rows come from: a fixed archive; or a yearly one, whose file is
  // named by the hidden `lblFile` of `fileOfScreen`, or, without such a
  // screen, is the year of the chosen day (of today when none was chosen).
  ArchiveDef archive;
  QString fileOfScreen;
  // A yearly archive named by the context's year may be followed by the next
  // year's file, read only when it exists (it is never created for this):
  // its rows come after this year's, numbered on from them, and a sorted
  // grid sorts each year's rows apart, so the rows go by year first.
  bool nextYearToo = false;

  // The columns after "N.", which holds the row's number in reading order:
  // the number stays with its row when the grid is sorted.
  std::vector<xls::ExportColumn> columns;
  int numberWidth = 50; // on screen
  Select select;        // empty: every record
  // Index into `columns` of the key the rows are sorted by (stable,
  // ascending, case-insensitive); -1 keeps the reading order. A filling that
  // stopped early is not sorted.
  int sortColumn = -1;
  std::optional<IntervalPanel> interval;

  // The export: file in the program folder, worksheet name, the questions
  // before and after writing (Yes/No) and the hint of `cmdEsporta`.
  QString file;
  QString worksheet;
  QString exportHint = QStringLiteral("Esporta l'archivio in formato Microsoft Excel.");
  QString confirmQuestion = xls::text::confirmQuestion();
  QString doneQuestion = xls::text::doneQuestion();
};

// The yearly file that the context names: the year of the chosen day, or of
// today when none was chosen.
QString yearlyPath(const GridDescription& description, const GridContext& context);
// The files a grid without a naming screen reads: the year's file, then the
// next year's when the description asks for it and the file exists.
std::vector<QString> yearlyPaths(const GridDescription& description, const GridContext& context);

struct Filled {
  enum class Outcome {
    Complete, // every record was read
    Stopped,  // a record could not be judged; the rows before it are kept
    Failed,   // the archive could not be read; the rows before it are kept
  };
  // The rows: where each one's record lies; its cells are read again when
  // they are shown or exported.
  GridRows table;
  Outcome outcome = Outcome::Complete;
};

// Reads the archive at `path` into the rows of the grid: the selected
// records in file order, numbered 1, 2, 3 ... as read, then sorted when the
// description says so. Only what selects and sorts the records is read
// here. `read` hears now and then how many records are read.
Filled fill(const GridDescription& description, const QString& path, const GridContext& context,
            const std::function<void(qint64 read)>& read = {});
// The same over several archives read one after the other into one grid:
// the numbers go on from one archive to the next, and each archive's rows
// are sorted apart and stay after the rows of the archives before it. A
// filling that stops or fails ends there.
Filled fill(const GridDescription& description, std::span<const QString> paths, const GridContext& context,
            const std::function<void(qint64 read)>& read = {});

// The rows in ascending order of one column, rows of equal key in their order
// (the order a sorted grid's rows take).
xls::ExportTable sorted(const xls::ExportTable& table, int column);

// The check of the interval panel, in order: start given, end given, start a
// date, end a date, start not after end. The first failure gives its message,
// its kind and the field to focus.
struct IntervalCheck {
  enum class Field { None, Start, End };
  QString message; // empty: the interval is good
  MessageKind kind{};
  Field focus = Field::None;
  QDate from, to;
  bool ok() const { return message.isEmpty(); }
};
IntervalCheck checkInterval(const QString& start, const QString& end);

} // namespace grids
