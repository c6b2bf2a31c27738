#include "reports.h"

#include "services.h"

#include "archive/cp1252.h"
#include "engines/reportpainter.h"

namespace report {

namespace {

const QColor kDarkOrange(0xFF, 0x8C, 0x00);
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kLightSteelBlue(0xB0, 0xC4, 0xDE);
const QColor kGold(0xFF, 0xD7, 0x00);
const QColor kSlateGray(0x70, 0x80, 0x90);

constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment kLeftMiddle = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kLeftTop = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kRightMiddle = Qt::AlignRight | Qt::AlignVCenter;

struct Style {
  QString family;
  double pointSize;
  bool bold;
  QColor color;
  QColor fill;
  Qt::Alignment align;
};

Element textBox(const QString& name, QRectF rect, const QString& text, const Style& s) {
  Element e;
  e.kind = Kind::Text;
  e.name = name;
  e.rect = rect;
  e.text = text;
  e.family = s.family;
  e.pointSize = s.pointSize;
  e.bold = s.bold;
  e.color = s.color;
  e.fill = s.fill;
  e.align = s.align;
  // what does not fit prints smaller, and then ends with "..." rather than
  // being cut with no sign
  e.fit = Fit::Shrink;
  return e;
}

// A named box whose placeholder is its own name.
Element namedBox(const QString& name, QRectF rect, const Style& s) { return textBox(name, rect, name, s); }

Element line(const QString& name, QPointF from, double dx, double dy) {
  Element e;
  e.kind = Kind::Line;
  e.name = name;
  e.rect = QRectF(from, QSizeF(dx, dy));
  return e;
}

Element box(QRectF rect, QColor fill, bool outlined) {
  Element e;
  e.kind = Kind::Box;
  e.rect = rect;
  e.fill = fill;
  e.outlined = outlined;
  return e;
}

QString numbered(const char* stem, int n) {
  return QString::fromLatin1(stem) + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The head and foot shared by the card and its document-list variant.
const Style kTitleStyle{QStringLiteral("Arial"), 16, false, Qt::white, kDarkOrange, kCentred};
const Style kFooterStyle{QStringLiteral("Arial"), 10, false, Qt::white, kDarkOrange, kCentred};

Report cardFrame(const QString& titleText) {
  Report r(kCardReportName, QPageLayout::Portrait);
  auto& el = r.elements();
  Element logo;
  logo.kind = Kind::Picture;
  logo.name = QStringLiteral("imgLogo");
  logo.rect = QRectF(3, 3, 17, 13);
  logo.picture = PictureId::FolderIcon;
  el.push_back(logo);
  el.push_back(textBox(QStringLiteral("txtTitolo"), QRectF(23, 3, 165, 9), titleText, kTitleStyle));
  el.push_back(line(QStringLiteral("linSepara01"), QPointF(23, 16), 165, 0));
  el.push_back(line(QStringLiteral("linSepara02"), QPointF(3, 265), 185, 0));
  el.push_back(namedBox(QStringLiteral("txtCalce"), QRectF(3, 269, 185, 6), kFooterStyle));
  return r;
}

// Card rows: title at 3 (52 wide), value at 60 (128 wide).
void addRow(Report& r, const QString& titleName, const QString& titleText, const QString& valueName, double top,
            double height, double titlePt, double valuePt) {
  const Style title{QStringLiteral("Arial"), titlePt, false, Qt::white, kTeal, kLeftMiddle};
  const Style value{QStringLiteral("Arial"), valuePt, false, Qt::black, QColor(), kLeftMiddle};
  r.elements().push_back(textBox(titleName, QRectF(3, top, 52, height), titleText, title));
  r.elements().push_back(namedBox(valueName, QRectF(60, top, 128, height), value));
}

} // namespace

QString printedAtText() {
  return QStringLiteral("Stampa eseguita in data ") + services::todayText() + QStringLiteral(" alle ore ") +
         services::nowText();
}

// ---- Card ----

QString cardTitleName(int row) { return numbered("titCampo", row); }
QString cardValueName(int row) { return numbered("txtCampo", row); }

Report cardTemplate() {
  Report r = cardFrame(QStringLiteral("txtTitolo"));
  for (int n = 1; n <= kCardRows; ++n)
    addRow(r, cardTitleName(n), cardTitleName(n), cardValueName(n), 24 + 10 * (n - 1), 6, 9, 10);
  return r;
}

void blankUnusedRows(Report& card, int usedRows) {
  for (int n = std::max(usedRows, 0) + 1; n <= kCardRows; ++n) {
    card.setText(cardTitleName(n), QStringLiteral(" "));
    card.setText(cardValueName(n), QStringLiteral(" "));
  }
}

Report card(const QString& title, const std::vector<CardRow>& rows, const QString& footer) {
  Report r = cardTemplate();
  r.setOrientation(QPageLayout::Portrait);
  r.setText(QStringLiteral("txtTitolo"), title);
  const int used = std::min<int>(int(rows.size()), kCardRows);
  for (int n = 1; n <= used; ++n) {
    r.setText(cardTitleName(n), rows[n - 1].first);
    r.setText(cardValueName(n), rows[n - 1].second);
  }
  blankUnusedRows(r, used);
  r.setText(QStringLiteral("txtCalce"), footer);
  return r;
}

// ---- Case document list ----

const std::vector<CaseField>& caseHeader() {
  static const std::vector<CaseField> fields = {
      {QStringLiteral("Oggetto pratica:"), QStringLiteral("txtOggetto")},
      {QStringLiteral("Tipologia:"), QStringLiteral("txtTipologia")},
      {QStringLiteral("Protocollo n."), QStringLiteral("txtProtocollo")},
      {QStringLiteral("Data apertura:"), QStringLiteral("txtApertura")},
      {QStringLiteral("Stato avanzamento:"), QStringLiteral("txtStato")},
      {QStringLiteral("Consulente o curatore:"), QStringLiteral("txtConsulente")},
      {QStringLiteral("Cliente:"), QStringLiteral("txtCliente")},
      {QStringLiteral("Recapito preferenziale:"), QStringLiteral("txtRecapito")},
  };
  return fields;
}

QString caseDocumentTitleName(int row) { return numbered("titDocumento", row); }
QString caseDocumentValueName(int row) { return numbered("txtDoc", row); }

Report caseDocumentsTemplate() {
  Report r = cardFrame(QStringLiteral("Elenco documenti associati a pratica"));
  constexpr double kPitch = 6, kHeight = 4.4, kPt = 8;
  const auto& header = caseHeader();
  for (int i = 0; i < int(header.size()); ++i)
    addRow(r, QStringLiteral("tit") + header[i].name.mid(3), header[i].caption, header[i].name, 20 + kPitch * i,
           kHeight, kPt, kPt);
  for (int n = 1; n <= kCaseDocuments; ++n)
    addRow(r, caseDocumentTitleName(n), QStringLiteral("Documento %1:").arg(n), caseDocumentValueName(n),
           68 + kPitch * (n - 1), kHeight, kPt, kPt);
  return r;
}

Report caseDocuments(const QStringList& header, const QStringList& documents, const QString& footer) {
  Report r = caseDocumentsTemplate();
  r.setOrientation(QPageLayout::Portrait);
  const auto& fields = caseHeader();
  for (int i = 0; i < int(fields.size()); ++i) r.setText(fields[i].name, header.value(i));
  for (int n = 1; n <= kCaseDocuments; ++n) r.setText(caseDocumentValueName(n), documents.value(n - 1));
  r.setText(QStringLiteral("txtCalce"), footer);
  return r;
}

// ---- Field form ----

namespace {

// The field form: each value wraps inside its row, which grows by the lines
// it needs beyond the first; the rows below move down with it.
Report formLayout(const QString& reportName, const std::vector<FormRow>& rows, const QStringList& values) {
  Report r(reportName, QPageLayout::Portrait);
  auto& el = r.elements();
  const Style head{QStringLiteral("Arial"), 9, false, Qt::black, QColor(), kCentred};
  const Style small{QStringLiteral("Arial"), 7, false, Qt::black, QColor(), kLeftTop};
  const Style foot{QStringLiteral("Arial"), 8, false, Qt::black, QColor(), kCentred};

  el.push_back(box(QRectF(1, 1, 188, 5.8), kLightSteelBlue, false));
  el.push_back(namedBox(QStringLiteral("titArcataSup"), QRectF(2, 2, 185.8, 4.2), head));
  const int count = int(rows.size());
  double top = 7;
  for (int i = 0; i < count; ++i) {
    Element value = namedBox(rows[i].name, QRectF(44, top + 0.5, 144, 3.5), small);
    value.fit = Fit::Wrap;
    if (i < values.size()) value.text = values[i];
    const double extra = (wrappedLines(value).size() - 1) * lineSpacingMm(value);
    value.rect.setHeight(3.5 + extra);
    el.push_back(box(QRectF(1, top, 188, 4.6 + extra), QColor(), true));
    el.push_back(textBox(QString(), QRectF(2, top + 0.5, 38, 3.5), rows[i].label, small));
    el.push_back(value);
    top += 5 + extra;
  }
  // The separator runs down to the bottom of the last row box; the footer
  // sits one row pitch below the last row's top, plus 1.
  const double rowsBottom = count > 0 ? top - 0.4 : 7;
  el.push_back(line(QStringLiteral("linSepara"), QPointF(42, 7), 0, rowsBottom - 7));
  const double footerTop = top + 1;
  el.push_back(box(QRectF(1, footerTop, 188, 5.8), kGold, false));
  el.push_back(namedBox(QStringLiteral("txtCalce"), QRectF(2, footerTop + 1, 185.8, 4.2), foot));
  return r;
}

} // namespace

Report formTemplate(const QString& reportName, const std::vector<FormRow>& rows) {
  return formLayout(reportName, rows, {});
}

Report form(const QString& reportName, const QString& title, const std::vector<FormField>& fields,
            const QString& footer) {
  std::vector<FormRow> rows;
  QStringList values;
  rows.reserve(fields.size());
  for (const auto& f : fields) {
    rows.push_back({f.label, f.name});
    values << f.value;
  }
  Report r = formLayout(reportName, rows, values);
  r.setOrientation(QPageLayout::Portrait);
  r.setText(QStringLiteral("titArcataSup"), title);
  r.setText(QStringLiteral("txtCalce"), footer);
  return r;
}

// ---- List ----

Report listTemplate(const QString& reportName) {
  Report r(reportName, QPageLayout::Landscape);
  const Style title{QStringLiteral("Verdana"), 9, true, Qt::white, kSlateGray, kCentred};
  const Style page{QStringLiteral("Verdana"), 8, true, Qt::white, kSlateGray, kCentred};

  // the title heads every page of a long list
  Band head{QStringLiteral("ReportTitle"), 8, {}, Repeat::Heading};
  head.elements.push_back(namedBox(QStringLiteral("txtTitolo"), QRectF(2, 1, 273, 5), title));

  Band body{QStringLiteral("MasterData"), unitsToMm(kListBandExtraUnits), {}};
  Element lines;
  lines.kind = Kind::Text;
  lines.name = QStringLiteral("txtRiepilogo");
  lines.rect = QRectF(3, 0, 273, 0);
  lines.holdsLines = true;
  lines.family = QStringLiteral("Courier New");
  lines.pointSize = 8;
  lines.align = kLeftTop;
  body.elements.push_back(lines);

  // the foot closes every page: the print date, and the page number on its right
  Band foot{QStringLiteral("Footer"), 8, {}, Repeat::PageFoot};
  Element date = textBox(QStringLiteral("txtPagina"), QRectF(3, 2, 272, 5),
                         QStringLiteral("Stampa eseguita in data ") + kDateField, page);
  date.expandsDate = true;
  foot.elements.push_back(date);
  Element number = textBox(QStringLiteral("txtNumeroPagina"), QRectF(3, 2, 272, 5),
                           QStringLiteral("Pagina ") + kPageField + QStringLiteral(" di ") + kPagesField,
                           {page.family, page.pointSize, page.bold, page.color, QColor(), kRightMiddle});
  number.expandsPage = true;
  foot.elements.push_back(number);

  r.bands() = {head, body, foot};
  return r;
}

namespace {
const QString kListBody = QStringLiteral("txtRiepilogo");

// The heights that follow from the number of lines.
void setListHeights(Report& list, qsizetype count) {
  const double height = double(count) * kListLineUnits;
  list.setHeight(kListBody, height);
  list.setHeight(QStringLiteral("MasterData"), height + kListBandExtraUnits);
}

Report filledList(const QString& title, const QString& reportName) {
  Report r = listTemplate(reportName);
  r.setPrintDate(services::todayText());
  r.setText(QStringLiteral("txtTitolo"), title);
  return r;
}
} // namespace

void setListLines(Report& list, const QStringList& lines) {
  TextLines* body = list.lines(kListBody);
  if (!body) return;
  body->clear();
  qsizetype characters = 0;
  for (const QString& l : lines) characters += l.size();
  body->reserve(lines.size(), characters);
  for (const QString& l : lines) body->append(l);
  setListHeights(list, lines.size());
}

Report list(const QString& title, const QStringList& lines, const QString& reportName) {
  Report r = filledList(title, reportName);
  setListLines(r, lines);
  return r;
}

Report shownList(const QString& title, const lists::ListRows& rows, const QString& reportName) {
  Report r = filledList(title, reportName);
  TextLines* body = r.lines(kListBody);
  // the lines are made a run at a time; the first run tells how much room
  // the whole text takes
  for (size_t first = 0; first < rows.size(); first += lists::ListRows::kRun) {
    const lists::ListLines run = rows.lines(first, lists::ListRows::kRun);
    if (first == 0) {
      qsizetype characters = 0;
      for (size_t i = 0; i < run.size(); ++i) characters += qsizetype(run.bytes(i).size());
      const double perLine = run.empty() ? 0.0 : double(characters) / double(run.size());
      body->reserve(qsizetype(rows.size()), qsizetype(perLine * double(rows.size()) * 1.05) + characters);
    }
    for (size_t i = 0; i < run.size(); ++i) {
      const std::string_view bytes = run.bytes(i);
      cp1252::decodeInto(bytes.data(), qsizetype(bytes.size()), body->appendSpace(qsizetype(bytes.size())));
    }
  }
  setListHeights(r, qsizetype(rows.size()));
  return r;
}

} // namespace report
