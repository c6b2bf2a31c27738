// A report template: one page (paper, orientation, margins) and named
// objects placed on it in millimetres from the top-left corner of the
// printable area. List templates also carry bands that the layout stacks
// down the pages. The program fills the text boxes by name; the layout
// (reportlayout.h) turns the filled template into pages. Qt Gui only.
#pragma once

#include <QColor>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

namespace report {

// Lengths the program gives in units of 1/96 inch (list heights).
inline constexpr double kMmPerUnit = 25.4 / 96.0;
inline double unitsToMm(double units) { return units * kMmPerUnit; }
inline double mmToUnits(double mm) { return mm / kMmPerUnit; }

// One list line in the list body, in 1/96 inch.
inline constexpr double kListLineUnits = 12.822;
// The band that holds the list body is this much taller than its text.
inline constexpr double kListBandExtraUnits = 10.0;

// The replaceable field of a text box marked expandsDate.
inline const QString kDateField = QStringLiteral("[DATE]");
// The replaceable fields of a text box marked expandsPage: the number of the
// page it prints on and the number of pages of the report.
inline const QString kPageField = QStringLiteral("[PAGE]");
inline const QString kPagesField = QStringLiteral("[PAGES]");

enum class Kind { Text, Picture, Line, Box };

// What a text box does with a text wider than itself.
enum class Fit {
  Clip,   // cut at the box's sides (list lines)
  Shrink, // drawn smaller in the same font, down to kSmallestPointSize, then ended with "…"
  Wrap,   // broken into lines at word boundaries, the box as tall as they need
};
inline constexpr double kSmallestPointSize = 6;
enum class PictureId { None, FolderIcon };

// The lines of a list body, kept one after the other in one text with the
// end of each beside it: a list of many lines costs a few allocations, not
// one per line. Copies share the text until one of them changes.
class TextLines {
public:
  qsizetype size() const { return ends_.size(); }
  bool isEmpty() const { return ends_.isEmpty(); }
  QStringView at(qsizetype i) const {
    const qsizetype begin = i ? ends_[i - 1] : 0;
    return QStringView(text_).mid(begin, ends_[i] - begin);
  }
  void append(QStringView line) {
    text_.append(line);
    ends_.append(text_.size());
  }
  // Room for one more line of `length` characters, written by the caller.
  QChar* appendSpace(qsizetype length) {
    const qsizetype at = text_.size();
    text_.resize(at + length);
    ends_.append(text_.size());
    return text_.data() + at;
  }
  // Room for `lines` more lines of `characters` in all.
  void reserve(qsizetype lines, qsizetype characters) {
    text_.reserve(text_.size() + characters);
    ends_.reserve(ends_.size() + lines);
  }
  // Empties by assignment: clear() on a shared list would keep its size.
  void clear() { *this = TextLines(); }
  QString joined(QChar separator) const;
  QStringList toStringList() const;

private:
  QString text_;
  QList<qsizetype> ends_;
};

struct Element {
  Kind kind = Kind::Text;
  QString name;          // the program finds it by this; empty for fixed labels and decorations
  QRectF rect;           // mm; for a line, a zero width or height gives its direction

  // Text boxes: one line, no word wrap, clipped to the box width unless
  // they fit the text otherwise.
  QString text;
  Fit fit = Fit::Clip;
  bool holdsLines = false;  // the list body: `lines` instead of `text`, broken across pages
  TextLines lines;
  bool expandsDate = false; // kDateField is replaced by the print date
  bool expandsPage = false; // kPageField and kPagesField are replaced by the page and the pages
  QString family = QStringLiteral("Arial");
  double pointSize = 10;
  bool bold = false;
  Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;

  QColor color = Qt::black; // text colour, or the stroke of a line or an outlined box
  QColor fill;              // invalid: no fill
  bool outlined = false;    // boxes and text boxes: a thin frame in `color` (black for text)
  PictureId picture = PictureId::None;
};

// Where a band prints when a list body breaks across pages: once, where it
// comes; a heading again at the top of every page the body goes on to; a
// page foot also at the foot of every page the body leaves, below its last
// line there.
enum class Repeat { Once, Heading, PageFoot };

struct Band {
  QString name;
  double height = 0;  // mm
  std::vector<Element> elements; // positions relative to the band's top
  Repeat repeat = Repeat::Once;
};

class Report {
public:
  Report() = default;
  Report(QString name, QPageLayout::Orientation orientation, double marginMm = 10);

  // The report name (also the title of the PDF).
  const QString& name() const { return name_; }

  // The date (dd/mm/yyyy) written into the date fields when the report is
  // laid out; the program gives it. Empty: the system's date at layout time.
  const QString& printDate() const { return printDate_; }
  void setPrintDate(const QString& date) { printDate_ = date; }

  QPageLayout::Orientation orientation() const { return orientation_; }
  void setOrientation(QPageLayout::Orientation o) { orientation_ = o; }
  // A4 in the current orientation, in mm.
  QSizeF paperSize() const;
  QMarginsF margins() const { return {margin_, margin_, margin_, margin_}; }
  QSizeF printableSize() const;

  // Objects placed directly on the page (cards and field forms).
  std::vector<Element>& elements() { return elements_; }
  const std::vector<Element>& elements() const { return elements_; }
  // Bands, in the order they print (lists).
  std::vector<Band>& bands() { return bands_; }
  const std::vector<Band>& bands() const { return bands_; }

  // An object by name, on the page or in a band; nullptr when there is none.
  Element* find(const QString& name);
  const Element* find(const QString& name) const;
  Band* band(const QString& name);
  const Band* band(const QString& name) const;

  // Filling. Each returns false, changing nothing, when no object of that
  // name and kind exists.
  bool setText(const QString& name, const QString& text);
  QString text(const QString& name) const;
  bool clearLines(const QString& name);
  bool addLine(const QString& name, const QString& line);
  // The list body itself, to fill many lines at once.
  TextLines* lines(const QString& name);
  // Height in 1/96 inch of a text box or of a band.
  bool setHeight(const QString& name, double units);

private:
  QString name_;
  QString printDate_;
  QPageLayout::Orientation orientation_ = QPageLayout::Portrait;
  double margin_ = 10;
  std::vector<Element> elements_;
  std::vector<Band> bands_;
};

} // namespace report
