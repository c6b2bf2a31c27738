// Writes the user guide "Guida.pdf" from the help texts: a title page, the
// introduction, one chapter per application in main-menu order (with the
// pages of its exports and summaries) and the closing notes.
//   make_guide <output.pdf> [logo.svg]

#include "app/help/help.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QUrl>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

namespace {

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

QString guideHtml(bool withLogo) {
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
  html += QStringLiteral("<p align=\"center\" style=\"margin-top: ") + QString::number(withLogo ? 120 : 900) +
          QStringLiteral(
      "px; font-size: 40pt; font-weight: bold; color: #1a2f6b;\">Velarion</p>"
      "<p align=\"center\" style=\"font-size: 18pt; color: #d2691e;\">Guida all'utilizzo del software</p>"
      "<p align=\"center\" style=\"font-size: 12pt; color: #555555; margin-top: 30px;\">"
      "Il gestionale dell'ufficio per gli studi tecnici</p>");
  html += chapter(QStringLiteral("Indice"));
  QString contents = QStringLiteral("Introduzione");
  int n = 0;
  for (const auto& c : chapters) contents += QStringLiteral("\n") + QString::number(++n) + QStringLiteral(". ") + c.name;
  contents += QStringLiteral("\nNote conclusive");
  html += paras(contents.split(QLatin1Char('\n')));

  html += chapter(QStringLiteral("Introduzione"));
  html += paras(help::manualIntroduction());

  n = 0;
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

} // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_guide <output.pdf>\n");
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);

  QPdfWriter writer(output);
  writer.setTitle(QStringLiteral("Velarion - Guida all'utilizzo del software"));
  writer.setCreator(QStringLiteral("Velarion"));
  writer.setResolution(300);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                                   QPageLayout::Millimeter));

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
  document.setHtml(guideHtml(withLogo));
  document.print(&writer);

  if (document.isEmpty()) return 1;
  return 0;
}
