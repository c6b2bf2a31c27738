// Writes the user guide "Guida.pdf" from the help texts: a title page, the
// index with the page of every topic, the introduction, one chapter per
// application in main-menu order (with the pages of its exports and
// summaries) and the closing notes. Every page but the first carries its
// number, and the document opens with one bookmark per topic, the pages of
// an application under its chapter.
//   make_guide <output.pdf> [logo.svg]

#include "app/help/help.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QUrl>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <cmath>
#include <cstdio>
#include <exception>
#include <vector>

namespace {

// The document is laid out at 96 units per inch on A4 pages with margins of
// 2 cm, and painted scaled onto the PDF.
constexpr double kUnitsPerInch = 96;
constexpr double kMarginCm = 2;
const QSizeF kPage(210 / 25.4 * kUnitsPerInch, 297 / 25.4 * kUnitsPerInch);

// A topic of the guide: its heading, whether it is a chapter (level 1) or a
// page of one (level 2), and where its heading stands once laid out.
struct Topic {
  QString heading;
  int level;
  int page = 0;      // 0-based
  double top = 0;    // units from the top of its page
};

QString para(const QString& text) { return QStringLiteral("<p>") + text.toHtmlEscaped() + QStringLiteral("</p>"); }

QString paras(const QStringList& texts) {
  QString html;
  for (const QString& t : texts) html += para(t);
  return html;
}

QString chapter(const QString& heading) {
  return QStringLiteral("<h1 style=\"page-break-before: always\">") + heading.toHtmlEscaped() + QStringLiteral("</h1>");
}

QString section(const QString& heading) {
  return QStringLiteral("<h2>") + heading.toHtmlEscaped() + QStringLiteral("</h2>");
}

// The topics in the order they print (the index first).
std::vector<Topic> topicsOfTheGuide() {
  std::vector<Topic> topics{{QStringLiteral("Indice"), 1}, {QStringLiteral("Introduzione"), 1}};
  int n = 0;
  for (const auto& c : help::manualChapters()) {
    topics.push_back({QString::number(++n) + QStringLiteral(". ") + c.name, 1});
    for (HelpTopic related : c.related) topics.push_back({helpPage(related).title, 2});
  }
  topics.push_back({QStringLiteral("Note conclusive"), 1});
  return topics;
}

// The index: every topic after the index itself with the number of the
// page it starts on (pages are numbered from the title page, which is 1).
QString index(const std::vector<Topic>& topics) {
  QString rows;
  for (size_t i = 1; i < topics.size(); ++i) {
    const Topic& t = topics[i];
    const QString indent = t.level > 1 ? QStringLiteral("padding-left: 24px; ") : QString();
    rows += QStringLiteral("<tr><td style=\"") + indent + QStringLiteral("padding-bottom: 4px;\">") +
            t.heading.toHtmlEscaped() + QStringLiteral("</td><td align=\"right\">") + QString::number(t.page + 1) +
            QStringLiteral("</td></tr>");
  }
  return QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">") + rows + QStringLiteral("</table>");
}

QString guideHtml(bool withLogo, const std::vector<Topic>& topics) {
  const auto& chapters = help::manualChapters();
  QString html = QStringLiteral(
      "<html><head><style>"
      "h1 { color: #1a2f6b; font-size: 20pt; margin-bottom: 14px; }"
      "h2 { color: #d2691e; font-size: 13pt; margin-top: 18px; margin-bottom: 8px; }"
      "p { margin-bottom: 9px; }"
      "</style></head><body>");

  // Title page and contents.
  if (withLogo)
    html += QStringLiteral("<p align=\"center\"><img src=\"logo\" width=\"330\" height=\"91\"></p>");
  html += QStringLiteral("<p align=\"center\" style=\"margin-top: ") + QString::number(withLogo ? 120 : 700) +
          QStringLiteral(
              "px; font-size: 40pt; font-weight: bold; color: #1a2f6b;\">Velarion</p>"
              "<p align=\"center\" style=\"font-size: 18pt; color: #d2691e;\">Guida all'utilizzo del software</p>"
              "<p align=\"center\" style=\"font-size: 12pt; color: #555555; margin-top: 30px;\">"
              "Il gestionale dell'ufficio per gli studi tecnici</p>");
  html += chapter(topics.front().heading);
  html += index(topics);

  html += chapter(QStringLiteral("Introduzione"));
  html += paras(help::manualIntroduction());

  int n = 0;
  for (const auto& c : chapters) {
    html += chapter(QString::number(++n) + QStringLiteral(". ") + c.name);
    html += paras(help::paragraphs(c.topic));
    for (HelpTopic related : c.related) {
      const HelpPage page = helpPage(related);
      html += section(page.title);
      html += paras(help::paragraphs(related));
    }
  }

  html += chapter(QStringLiteral("Note conclusive"));
  html += paras(help::manualClosing());
  html += QStringLiteral("</body></html>");
  return html;
}

// Finds where each topic's heading stands, in topic order; false when a
// heading is missing.
bool locate(const QTextDocument& document, std::vector<Topic>& topics) {
  // the whole document laid out first: until then a line that does not fit
  // at the foot of a page may not yet stand on the next one
  document.pageCount();
  size_t next = 0;
  for (QTextBlock b = document.begin(); b.isValid() && next < topics.size(); b = b.next()) {
    const int level = b.blockFormat().headingLevel();
    if (level != topics[next].level || b.text() != topics[next].heading) continue;
    // where the heading's first line stands: a heading that does not fit at
    // the foot of a page goes on to the next one, while its block (its
    // margin above) begins on the page before
    const QTextLayout* line = b.layout();
    const double y = line->lineCount() > 0 ? line->position().y() + line->lineAt(0).y()
                                           : document.documentLayout()->blockBoundingRect(b).top();
    topics[next].page = int(y / kPage.height());
    topics[next].top = y - topics[next].page * kPage.height();
    ++next;
  }
  return next == topics.size();
}

// The laid-out document painted page by page, its number at the foot of
// every page but the first.
QByteArray paint(QTextDocument& document) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setTitle(QStringLiteral("Velarion - Guida all'utilizzo del software"));
  writer.setCreator(QStringLiteral("Velarion"));
  writer.setResolution(300);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                   QPageLayout::Millimeter));
  QPainter painter(&writer);
  const double scale = writer.resolution() / kUnitsPerInch;
  const int pages = document.pageCount();
  QFont footer(document.defaultFont());
  footer.setPixelSize(int(std::lround(9 * kUnitsPerInch / 72))); // 9 pt in layout units
  for (int i = 0; i < pages; ++i) {
    if (i > 0) writer.newPage();
    painter.save();
    painter.scale(scale, scale);
    painter.translate(0, -i * kPage.height());
    document.drawContents(&painter, QRectF(0, i * kPage.height(), kPage.width(), kPage.height()));
    painter.restore();
    if (i == 0) continue;
    painter.save();
    painter.scale(scale, scale);
    painter.setFont(footer);
    painter.setPen(QColor(0x55, 0x55, 0x55));
    const double margin = kMarginCm / 2.54 * kUnitsPerInch;
    painter.drawText(QRectF(margin, kPage.height() - margin + 8, kPage.width() - 2 * margin, margin / 2),
                     Qt::AlignHCenter | Qt::AlignTop, QString::number(i + 1));
    painter.restore();
  }
  painter.end();
  buffer.close();
  return pdf;
}

QPDFObjectHandle unicode(const QString& text) { return QPDFObjectHandle::newUnicodeString(text.toStdString()); }

// Links the outline items of one level under their parent.
void chain(QPDFObjectHandle parent, const std::vector<QPDFObjectHandle>& items) {
  for (size_t i = 0; i < items.size(); ++i) {
    QPDFObjectHandle item = items[i];
    item.replaceKey("/Parent", parent);
    if (i > 0) item.replaceKey("/Prev", items[i - 1]);
    if (i + 1 < items.size()) item.replaceKey("/Next", items[i + 1]);
  }
  if (!items.empty()) {
    parent.replaceKey("/First", items.front());
    parent.replaceKey("/Last", items.back());
  }
}

// One bookmark per topic, each opening its page at its heading; the pages
// of an application under its chapter. The reader shows them on opening.
bool writeWithBookmarks(const QByteArray& pdf, const std::vector<Topic>& topics, const QString& file) {
  try {
    QPDF doc;
    doc.processMemoryFile("guide.pdf", pdf.constData(), size_t(pdf.size()));
    std::vector<QPDFObjectHandle> pages = doc.getAllPages();
    QPDFObjectHandle outlines = doc.makeIndirectObject(QPDFObjectHandle::newDictionary());
    outlines.replaceKey("/Type", QPDFObjectHandle::newName("/Outlines"));

    std::vector<QPDFObjectHandle> chapters;
    std::vector<std::vector<QPDFObjectHandle>> children;
    for (const Topic& t : topics) {
      if (t.page < 0 || size_t(t.page) >= pages.size()) return false;
      QPDFObjectHandle item = doc.makeIndirectObject(QPDFObjectHandle::newDictionary());
      item.replaceKey("/Title", unicode(t.heading));
      const double pageHeightPt = 297 / 25.4 * 72;
      QPDFObjectHandle dest = QPDFObjectHandle::newArray();
      dest.appendItem(pages[size_t(t.page)]);
      dest.appendItem(QPDFObjectHandle::newName("/XYZ"));
      dest.appendItem(QPDFObjectHandle::newNull());
      dest.appendItem(QPDFObjectHandle::newReal(pageHeightPt - t.top * 72 / kUnitsPerInch + 6, 1));
      dest.appendItem(QPDFObjectHandle::newNull());
      item.replaceKey("/Dest", dest);
      if (t.level == 1 || chapters.empty()) {
        chapters.push_back(item);
        children.emplace_back();
      } else {
        children.back().push_back(item);
      }
    }
    int count = int(chapters.size());
    for (size_t i = 0; i < chapters.size(); ++i) {
      chain(chapters[i], children[i]);
      if (!children[i].empty()) {
        // closed: the chapter shows its pages when opened
        chapters[i].replaceKey("/Count", QPDFObjectHandle::newInteger(-int(children[i].size())));
      }
    }
    chain(outlines, chapters);
    outlines.replaceKey("/Count", QPDFObjectHandle::newInteger(count));
    QPDFObjectHandle root = doc.getRoot();
    root.replaceKey("/Outlines", outlines);
    root.replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));

    // the writer keeps the name until it writes: hold the bytes alive
    const QByteArray name = file.toLocal8Bit();
    QPDFWriter writer(doc, name.constData());
    writer.write();
    return true;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_guide: %s\n", e.what());
    return false;
  }
}

} // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_guide <output.pdf> [logo.svg]\n");
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);

  QTextDocument document;
  bool withLogo = false;
  if (argc > 2) {
    QSvgRenderer logo(QString::fromLocal8Bit(argv[2]));
    if (logo.isValid()) {
      QImage image(1040, 288, QImage::Format_ARGB32_Premultiplied);
      image.fill(Qt::white);
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      logo.render(&painter);
      painter.end();
      document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("logo")), image);
      withLogo = true;
    }
  }
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(11);
  document.setDefaultFont(font);
  document.setPageSize(kPage);

  // The index gives page numbers that depend on the layout it is part of:
  // lay out again until they stand still.
  std::vector<Topic> topics = topicsOfTheGuide();
  for (int round = 0; round < 4; ++round) {
    document.setHtml(guideHtml(withLogo, topics));
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setMargin(kMarginCm / 2.54 * kUnitsPerInch);
    document.rootFrame()->setFrameFormat(frame);
    std::vector<Topic> found = topicsOfTheGuide();
    if (!locate(document, found)) {
      std::fprintf(stderr, "make_guide: a heading of the guide was not found\n");
      return 1;
    }
    bool same = true;
    for (size_t i = 0; i < found.size(); ++i) same = same && found[i].page == topics[i].page;
    topics = found;
    if (same && round > 0) break;
  }
  if (document.isEmpty()) return 1;
  return writeWithBookmarks(paint(document), topics, output) ? 0 : 1;
}
