// The printed client card loses nothing of what was typed: a value longer
// than its one-line box prints smaller, and one that still does not fit ends
// with "…"; the field form wraps its values whole; list lines stay as they are.
#include "archive/safefile.h"
#include "clients/cliente.h"
#include "common/reports.h"
#include "engines/reportlayout.h"
#include "engines/reportpainter.h"
#include "engines/reportpdf.h"
#include "tests/engines/reporttest.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace report;

namespace {

// The program writes its PDF files through the safe save, installed at start-up.
[[maybe_unused]] const bool saverInstalled = (report::setFileSaver(safefile::saveTo), true);

QString flat(QString s) { return s.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed(); }

// A card as a studio fills it, its long fields as long as users write them.
Record filledClient() {
  Record r(TRecCliente());
  const std::pair<const char*, const char*> values[] = {
      {"Cliente", "Studio Associato di Ingegneria Bianchi, Verdi & C."},
      {"DataNasc", "14/07/1968"},
      {"ComuneNasc", "San Giovanni in Persiceto"},
      {"ProvNasc", "BO"},
      {"Sesso", "M"},
      {"Recapito", "Ufficio tecnico, secondo piano, chiedere del geometra"},
      {"IndirizzoRes", "Via dei Mille 128/B, scala C, interno 14"},
      {"ComuneRes", "Reggio nell'Emilia"},
      {"ProvRes", "RE"},
      {"Estremi", "Bonifico a 60 giorni fine mese; acconto del 30% alla firma dell'incarico professionale"},
      {"TelCasa", "+39 0522 123456"},
      {"TelUff", "+39 0522 654321 int. 22"},
      {"TelCel", "+39 333 1234567"},
      {"Fax", "+39 0522 654322"},
      {"Email", "amministrazione.bianchiverdi@studioassociato.it"},
      {"CodFisc", "BNCMRA68L14I110W"},
      {"Carta", "4539578763621486"},
      {"ScadeCarta", "12/2028"},
      {"PartitaIva", "01234567890"},
      {"Iban", "IT60X0542811101000000123456"},
      {"Documento", "Carta d'identità n. CA12345AB rilasciata dal Comune di Reggio nell'Emilia il 03/02/2020"},
      {"Occupazione", "Ingegnere strutturista"},
      {"Titoli", "Dottore in ingegneria civile, abilitato alla professione, iscritto all'albo di Reggio Emilia"},
      {"Prodotti", "Pratiche edilizie, collaudi statici, certificazioni energetiche e prevenzione incendi"},
      {"Zona", "Reggio Emilia centro storico"},
      {"Questioni", "Attende il preventivo per la modifica della sagoma e la realizzazione di abbaini sul tetto"},
      {"Note", "Preferisce essere contattato al mattino; inviare copia di ogni pratica anche per posta ordinaria"},
  };
  for (auto [field, value] : values) r.set(field, QString::fromUtf8(value));
  return r;
}

// How wide a line prints, measured apart from the painter, in mm.
double printedWidthMm(const Element& box, const FittedLine& line) {
  QImage device(1, 1, QImage::Format_RGB32);
  device.setDotsPerMeterX(47244); // 1200 dpi
  device.setDotsPerMeterY(47244);
  QFont font(box.family);
  font.setPointSizeF(line.pointSize);
  font.setBold(box.bold);
  return QFontMetricsF(font, &device).horizontalAdvance(line.text) * 25.4 / 1200;
}

// The width a box's text may take: the box less its padding at both sides.
double roomMm(const Element& box) { return box.rect.width() - 2 * 0.53; }

std::vector<const Element*> valueBoxes(const Page& page) {
  std::vector<const Element*> boxes;
  for (int n = 1; n <= kCardRows; ++n) boxes.push_back(page.find(cardValueName(n)));
  return boxes;
}

} // namespace

// Every value of a filled card prints whole, some of them smaller, none
// below the smallest size; the PDF holds each one as typed.
TEST(PrintedCard, NoValueOfAFilledCardIsCut) {
  const auto rows = expandRows(clientPrintRows(), filledClient());
  const Pages pages = prepare(card(QStringLiteral("SCHEDA ANAGRAFICA CLIENTE"), rows, printedAtText()), QString());
  ASSERT_EQ(pages.count(), 1);
  bool someShrink = false;
  for (const Element* box : valueBoxes(pages.pages[0])) {
    ASSERT_NE(box, nullptr);
    const FittedLine line = fitLine(*box);
    EXPECT_EQ(line.text, box->text) << box->name.toStdString();
    EXPECT_GE(line.pointSize, kSmallestPointSize) << box->name.toStdString();
    EXPECT_LE(printedWidthMm(*box, line), roomMm(*box) + 0.1) << box->name.toStdString();
    someShrink = someShrink || line.pointSize < box->pointSize;
  }
  EXPECT_TRUE(someShrink); // the card does hold values longer than a 10 pt line

  SKIP_WITHOUT_POPPLER();
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("Cliente.pdf"));
  ASSERT_TRUE(writePdf(pages, file));
  const QString text = flat(reporttest::run(QStringLiteral("pdftotext"), {"-raw", "-enc", "UTF-8", file, "-"}));
  for (const auto& [title, value] : rows) EXPECT_TRUE(text.contains(flat(value))) << value.toStdString();
}

// A value that does not fit even at the smallest size ends with "…" after
// as much of it as the box holds; titles, footer and list lines keep theirs.
TEST(PrintedCard, WhatStillDoesNotFitEndsWithAnEllipsis) {
  const QString longest = QString(250, QLatin1Char('x')).replace(9, 1, QLatin1Char(' '));
  Report r = card(QStringLiteral("SCHEDA"), {{QStringLiteral("Note:"), longest}, {QStringLiteral("Sesso:"), QStringLiteral("F")}},
                  QStringLiteral("Stampa eseguita in data 10/12/2026 alle ore 09:30:15"));
  const Page page = prepare(r, QString()).pages[0];
  const FittedLine cut = fitLine(*page.find(QStringLiteral("txtCampo01")));
  EXPECT_EQ(cut.pointSize, kSmallestPointSize);
  ASSERT_TRUE(cut.text.endsWith(QChar(0x2026)));
  EXPECT_TRUE(longest.startsWith(cut.text.chopped(1)));
  EXPECT_GT(cut.text.size(), 100);
  EXPECT_LE(printedWidthMm(*page.find(QStringLiteral("txtCampo01")), cut), roomMm(*page.find(QStringLiteral("txtCampo01"))) + 0.1);
  const FittedLine sex = fitLine(*page.find(QStringLiteral("txtCampo02")));
  EXPECT_EQ(sex.text, QStringLiteral("F"));
  EXPECT_EQ(sex.pointSize, 10);

  // list lines print as the list shows them, cut at the page's side
  const QString wide(400, QLatin1Char('W'));
  const Pages list = prepare(report::list(QStringLiteral("Riepilogo Clienti"), {wide}), QStringLiteral("10/12/2026"));
  const std::vector<Element> lines = list.placed(0, QStringLiteral("txtRiepilogo"));
  ASSERT_EQ(lines.size(), size_t(1));
  EXPECT_EQ(fitLine(lines[0]).text, wide);
  EXPECT_EQ(fitLine(lines[0]).pointSize, 8);
}

// The field form prints a long value whole, wrapped inside its row; the rows
// below and the footer move down to make room.
TEST(PrintedForm, LongValuesWrapInsideTheirRows) {
  const QString note = QStringLiteral(
      "Documento consegnato a mano dal geometra incaricato, completo delle tavole di progetto in scala 1:100, "
      "della relazione tecnica illustrativa e della documentazione fotografica; restituire la copia firmata "
      "entro trenta giorni all'ufficio tecnico comunale.");
  const std::vector<FormField> fields = {{QStringLiteral("Oggetto:"), QStringLiteral("txtOggetto"), QStringLiteral("Pratica 12")},
                                         {QStringLiteral("Note:"), QStringLiteral("txtNote"), note},
                                         {QStringLiteral("Mittente:"), QStringLiteral("txtMittente"), QStringLiteral("Comune")}};
  const Pages pages = prepare(form(QStringLiteral("Scheda Protocollo"), QStringLiteral("SCHEDA PROTOCOLLO DOCUMENTO"), fields,
                                   QStringLiteral("Stampa eseguita in data 10/12/2026 alle ore 09:30:15")),
                              QString());
  const Page& page = pages.pages[0];
  const Element* value = page.find(QStringLiteral("txtNote"));
  ASSERT_NE(value, nullptr);
  const QStringList lines = wrappedLines(*value);
  ASSERT_GE(lines.size(), 2);
  EXPECT_EQ(flat(lines.join(QLatin1Char(' '))), flat(note));
  EXPECT_GE(value->rect.height(), lines.size() * lineSpacingMm(*value) - 0.5);
  // the next row starts below the wrapped one, the footer below the last row
  const Element* next = page.find(QStringLiteral("txtMittente"));
  EXPECT_GE(next->rect.top(), value->rect.bottom() + 1);
  EXPECT_GT(page.find(QStringLiteral("txtCalce"))->rect.top(), next->rect.bottom());
  // one-line values keep the template's rows: 5 mm apart from 7.5 mm
  EXPECT_DOUBLE_EQ(page.find(QStringLiteral("txtOggetto"))->rect.top(), 7.5);
  EXPECT_DOUBLE_EQ(value->rect.top(), 12.5);

  SKIP_WITHOUT_POPPLER();
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("form.pdf"));
  ASSERT_TRUE(writePdf(pages, file));
  EXPECT_TRUE(flat(reporttest::run(QStringLiteral("pdftotext"), {"-raw", "-enc", "UTF-8", file, "-"})).contains(flat(note)));
}
