// Painting and PDF: pixels where the template puts its colours, and PDF
// files read back with poppler's tools.
#include "common/reports.h"
#include "engines/reportlayout.h"
#include "engines/reportpainter.h"
#include "engines/reportpdf.h"
#include "archive/safefile.h"
#include "faults.h"
#include "reporttest.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace report;
using reporttest::pdfInfo;
using reporttest::pdfText;

namespace {

// The program writes its PDF files through the safe save, installed at start-up.
[[maybe_unused]] const bool saverInstalled = (report::setFileSaver(safefile::saveTo), true);

// A client card with 24 rows whose texts are easy to find again.
Report clientCard(const QString& name) {
  std::vector<CardRow> rows;
  for (int n = 1; n <= 24; ++n)
    rows.emplace_back(QStringLiteral("Titolo%1:").arg(n, 2, 10, QLatin1Char('0')),
                      QStringLiteral("Valore%1").arg(n, 2, 10, QLatin1Char('0')));
  rows[0].second = name;
  rows[7] = {QStringLiteral("Modalit\u00E0 pagamento:"), QStringLiteral("Bonifico")};
  return card("SCHEDA ANAGRAFICA CLIENTE", rows, printedAtText());
}

QStringList numberedLines(int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i)
    lines << QStringLiteral("%1 Cliente numero %2").arg(i, 3, 10, QLatin1Char('0')).arg(i);
  return lines;
}

QByteArray contents(const QString& file) {
  QFile f(file);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The colour of the image at a point given in mm from the paper corner.
QColor colourAt(const QImage& image, double dpi, double xMm, double yMm) {
  const double k = dpi / 25.4;
  return image.pixelColor(int(xMm * k), int(yMm * k));
}

} // namespace

TEST(ReportPainting, ColoursLandWhereTheTemplatePutsThem) {
  FixedClock clock;
  const double dpi = 72;
  const QImage cardPage = renderPage(prepare(clientCard("Rossi Mario")), 0, dpi);
  EXPECT_EQ(cardPage.width(), int(std::lround(210 / 25.4 * dpi)));
  // Paper corner + margin 10 + object position; points inside the boxes but
  // clear of their texts.
  EXPECT_EQ(colourAt(cardPage, dpi, 10 + 24, 10 + 4), QColor(0xFF8C00u));       // txtTitolo
  EXPECT_EQ(colourAt(cardPage, dpi, 10 + 54, 10 + 24 + 5.5), QColor(0x008080u)); // titCampo01, right end
  EXPECT_EQ(colourAt(cardPage, dpi, 10 + 54, 10 + 254 + 5.5), QColor(0x008080u)); // titCampo24
  EXPECT_EQ(colourAt(cardPage, dpi, 10 + 4, 10 + 269 + 5.5), QColor(0xFF8C00u));  // txtCalce
  EXPECT_EQ(colourAt(cardPage, dpi, 10 + 57, 10 + 24 + 3), QColor(Qt::white));   // between title and value
  EXPECT_EQ(colourAt(cardPage, dpi, 5, 5), QColor(Qt::white));                  // the margin

  const QImage listPage = renderPage(prepare(list("Riepilogo", numberedLines(3)), "10/12/2026"), 0, dpi);
  EXPECT_EQ(listPage.width(), int(std::lround(297 / 25.4 * dpi)));
  EXPECT_EQ(colourAt(listPage, dpi, 10 + 3, 10 + 1.5), QColor(0x708090u));  // txtTitolo, left end
}

TEST(ReportPdf, ClientCardReadsBackWithItsRowsFooterAndInformation) {
  SKIP_WITHOUT_POPPLER();
  FixedClock clock(QDate(2026, 12, 10), QTime(9, 30, 15));
  TempProgramFolder folder;
  const QString file = folder.path("Cliente.pdf");
  QString error;
  ASSERT_TRUE(writePdf(prepare(clientCard("Rossi Mario")), file, &error)) << error.toStdString();

  const QString text = pdfText(file);
  EXPECT_TRUE(text.contains("SCHEDA ANAGRAFICA CLIENTE"));
  EXPECT_TRUE(text.contains("Rossi Mario"));
  EXPECT_TRUE(text.contains(QStringLiteral("Modalit\u00E0 pagamento:")));
  for (int n = 2; n <= 24; ++n) {
    if (n == 8) continue;
    const QString nn = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    EXPECT_TRUE(text.contains("Titolo" + nn + ":")) << n;
    EXPECT_TRUE(text.contains("Valore" + nn)) << n;
  }
  EXPECT_TRUE(text.contains("Stampa eseguita in data 10/12/2026 alle ore 09:30:15"));
  EXPECT_FALSE(text.contains("txtCampo"));  // no placeholder printed

  EXPECT_EQ(pdfInfo(file, "Title"), "Scheda informativa");
  EXPECT_EQ(pdfInfo(file, "Subject"), "Scheda informativa");
  EXPECT_EQ(pdfInfo(file, "Author"), "Velarion");
  EXPECT_EQ(pdfInfo(file, "Creator"), "Velarion");
  EXPECT_EQ(pdfInfo(file, "Pages"), "1");
  EXPECT_EQ(pdfInfo(file, "Page size"), "595 x 842 pts (A4)");

  const QByteArray raw = contents(file);
  EXPECT_FALSE(raw.contains("/FlateDecode"));
  EXPECT_FALSE(raw.contains("/ObjStm"));
}

TEST(ReportPdf, HundredLineListOnTwoLandscapePages) {
  SKIP_WITHOUT_POPPLER();
  FixedClock clock(QDate(2026, 12, 10));
  TempProgramFolder folder;
  const QString file = folder.path("lista.pdf");
  ASSERT_TRUE(writePdf(prepare(list("Riepilogo Clienti", numberedLines(100))), file));

  EXPECT_EQ(pdfInfo(file, "Pages"), "2");
  EXPECT_EQ(pdfInfo(file, "Title"), "Riepilogo dati");
  EXPECT_EQ(pdfInfo(file, "Page size"), "842 x 595 pts (A4)");
  const QString first = pdfText(file, 1), second = pdfText(file, 2);
  // each page says what it is, when it was printed and which page it is
  EXPECT_TRUE(first.contains("Riepilogo Clienti"));
  EXPECT_TRUE(first.contains("001 Cliente numero 1"));
  EXPECT_TRUE(first.contains("Stampa eseguita in data 10/12/2026"));
  EXPECT_TRUE(first.contains("Pagina 1 di 2"));
  EXPECT_TRUE(second.contains("Riepilogo Clienti"));
  EXPECT_TRUE(second.contains("100 Cliente numero 100"));
  EXPECT_TRUE(second.contains("Stampa eseguita in data 10/12/2026"));
  EXPECT_TRUE(second.contains("Pagina 2 di 2"));
  // Every line once, in order.
  qsizetype at = 0;
  const QString all = first + second;
  for (const QString& line : numberedLines(100)) {
    const qsizetype found = all.indexOf(line, at);
    ASSERT_GE(found, 0) << line.toStdString();
    at = found + line.size();
  }
}

TEST(ReportPdf, SecondExportReplacesTheFirst) {
  SKIP_WITHOUT_POPPLER();
  FixedClock clock;
  TempProgramFolder folder;
  const QString file = folder.path("Cliente.pdf");
  ASSERT_TRUE(writePdf(prepare(clientCard("Primo Cliente")), file));
  ASSERT_TRUE(writePdf(prepare(clientCard("Secondo Cliente")), file));
  const QString text = pdfText(file);
  EXPECT_TRUE(text.contains("Secondo Cliente"));
  EXPECT_FALSE(text.contains("Primo Cliente"));
  // No temporary file left beside it.
  EXPECT_EQ(QDir(folder.dir.path()).entryList(QDir::Files), QStringList{"Cliente.pdf"});
}

TEST(ReportPdf, FailuresAreReportedAndLeaveNothingBehind) {
  FixedClock clock;
  TempProgramFolder folder;
  const Pages pages = prepare(clientCard("Rossi"));

  // The name is taken by a folder.
  const QString taken = folder.path("Cliente.pdf");
  ASSERT_TRUE(QDir().mkpath(taken));
  QString error;
  EXPECT_FALSE(writePdf(pages, taken, &error));
  EXPECT_TRUE(error.contains("Cliente.pdf")) << error.toStdString();
  EXPECT_TRUE(QFileInfo(taken).isDir());

  // The folder does not exist.
  error.clear();
  EXPECT_FALSE(writePdf(pages, folder.path("manca/Cliente.pdf"), &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(folder.path("manca")));
  EXPECT_EQ(QDir(folder.dir.path()).entryList(QDir::Files), QStringList());
}

// A PDF that cannot be written whole (a full disk, also for a file small
// enough to sit in a buffer) leaves the previous PDF as it was and says why.
TEST(ReportPdf, AFailedWriteKeepsThePreviousFile) {
  FixedClock clock;
  TempProgramFolder folder;
  const Pages pages = prepare(clientCard("Rossi"));
  const QString file = folder.path("Cliente.pdf");
  const QByteArray bytes = pdfBytes(pages);
  for (const rlim_t limit : {rlim_t(0), rlim_t(bytes.size() / 2)}) {
    {
      QFile old(file);
      ASSERT_TRUE(old.open(QIODevice::WriteOnly));
      old.write("%PDF previous");
    }
    QString error;
    bool written = true;
    {
      FileSizeLimit full(limit);
      written = writePdf(pages, file, &error);
    }
    EXPECT_FALSE(written) << limit;
    EXPECT_TRUE(error.endsWith(safefile::reasonFor(EFBIG))) << error.toStdString();
    EXPECT_EQ(contents(file), QByteArray("%PDF previous"));
    EXPECT_EQ(QDir(folder.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Cliente.pdf"});
  }
}
