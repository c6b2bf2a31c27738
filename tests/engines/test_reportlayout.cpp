// Templates laid out without a printer: pages, positions in mm, texts.
#include "common/reports.h"
#include "engines/reportlayout.h"
#include "reporttest.h"
#include "support.h"

#include <gtest/gtest.h>

#include <malloc.h>

using namespace report;

namespace {

constexpr double kTol = 1e-6;

void expectRect(const Element* e, double left, double top, double width, double height) {
  ASSERT_NE(e, nullptr);
  EXPECT_NEAR(e->rect.left(), left, kTol) << e->name.toStdString();
  EXPECT_NEAR(e->rect.top(), top, kTol) << e->name.toStdString();
  EXPECT_NEAR(e->rect.width(), width, kTol) << e->name.toStdString();
  EXPECT_NEAR(e->rect.height(), height, kTol) << e->name.toStdString();
}

struct Look {
  QString family;
  double pt;
  bool bold;
  QColor color;
  QColor fill;
  Qt::Alignment align;
};

void expectLook(const Element* e, const Look& l) {
  ASSERT_NE(e, nullptr);
  const std::string n = e->name.toStdString();
  EXPECT_EQ(e->family, l.family) << n;
  EXPECT_EQ(e->pointSize, l.pt) << n;
  EXPECT_EQ(e->bold, l.bold) << n;
  EXPECT_EQ(e->color, l.color) << n;
  EXPECT_EQ(e->fill, l.fill) << n;
  EXPECT_EQ(e->align, l.align) << n;
}

const QColor kDarkOrange(0xFF8C00u), kTeal(0x008080u), kSlateGray(0x708090u), kLightSteelBlue(0xB0C4DEu),
    kGold(0xFFD700u);
constexpr auto kCentred = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr auto kLeftMiddle = Qt::AlignLeft | Qt::AlignVCenter;

QStringList numberedLines(int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i) lines << QStringLiteral("Riga %1").arg(i, 3, 10, QLatin1Char('0'));
  return lines;
}

// The text elements of every page with this name, in page order.
std::vector<std::pair<int, Element>> allNamed(const Pages& pages, const QString& name) {
  std::vector<std::pair<int, Element>> found;
  for (int p = 0; p < pages.count(); ++p)
    for (const Element& e : pages.placed(p, name)) found.emplace_back(p, e);
  return found;
}

} // namespace

// ---- The card ----

TEST(CardTemplate, ObjectsSitWhereTheCardPutsThem) {
  const Report r = cardTemplate();
  EXPECT_EQ(r.name(), "Scheda informativa");
  EXPECT_EQ(r.orientation(), QPageLayout::Portrait);
  EXPECT_EQ(r.paperSize(), QSizeF(210, 297));
  EXPECT_EQ(r.margins(), QMarginsF(10, 10, 10, 10));

  expectRect(r.find("imgLogo"), 3, 3, 17, 13);
  EXPECT_EQ(r.find("imgLogo")->picture, PictureId::FolderIcon);
  expectRect(r.find("txtTitolo"), 23, 3, 165, 9);
  expectLook(r.find("txtTitolo"), {"Arial", 16, false, Qt::white, kDarkOrange, kCentred});
  expectRect(r.find("linSepara01"), 23, 16, 165, 0);
  expectRect(r.find("linSepara02"), 3, 265, 185, 0);
  expectRect(r.find("txtCalce"), 3, 269, 185, 6);
  expectLook(r.find("txtCalce"), {"Arial", 10, false, Qt::white, kDarkOrange, kCentred});

  for (int n = 1; n <= 24; ++n) {
    const QString nn = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    const double top = 24 + 10 * (n - 1);
    expectRect(r.find("titCampo" + nn), 3, top, 52, 6);
    expectLook(r.find("titCampo" + nn), {"Arial", 9, false, Qt::white, kTeal, kLeftMiddle});
    expectRect(r.find("txtCampo" + nn), 60, top, 128, 6);
    expectLook(r.find("txtCampo" + nn), {"Arial", 10, false, Qt::black, QColor(), kLeftMiddle});
  }
  EXPECT_NEAR(r.find("txtCampo24")->rect.top(), 254, kTol);
  EXPECT_EQ(r.find("titCampo25"), nullptr);
}

TEST(CardTemplate, FilledCardPrintsItsRowsAndBlanksTheRest) {
  std::vector<CardRow> rows;
  for (int n = 1; n <= 20; ++n) rows.emplace_back(QStringLiteral("Campo %1:").arg(n), QStringLiteral("Valore %1").arg(n));
  const Pages pages = prepare(card("SCHEDA SCADENZA / APPUNTAMENTO", rows, "Stampa eseguita in data 01/02/2026 alle ore 10:11:12"),
                              "01/02/2026");

  ASSERT_EQ(pages.count(), 1);
  EXPECT_EQ(pages.orientation, QPageLayout::Portrait);
  const Page& page = pages.pages[0];
  EXPECT_EQ(page.find("txtTitolo")->text, "SCHEDA SCADENZA / APPUNTAMENTO");
  EXPECT_EQ(page.find("titCampo01")->text, "Campo 1:");
  EXPECT_EQ(page.find("txtCampo20")->text, "Valore 20");
  for (const char* blank : {"titCampo21", "txtCampo21", "titCampo24", "txtCampo24"})
    EXPECT_EQ(page.find(blank)->text, " ") << blank;
  EXPECT_EQ(page.find("txtCalce")->text, "Stampa eseguita in data 01/02/2026 alle ore 10:11:12");
  expectRect(page.find("txtCampo20"), 60, 214, 128, 6);
}

TEST(CardTemplate, RowsBeyondTwentyFourAreDroppedAndUnfilledBoxesKeepTheirPlaceholder) {
  std::vector<CardRow> rows(30, {QStringLiteral("T:"), QStringLiteral("V")});
  const Report full = card("X", rows, "F");
  EXPECT_EQ(full.text("txtCampo24"), "V");

  // The bare template prints its placeholders; the helper blanks unused rows.
  Report bare = cardTemplate();
  bare.setText("titCampo01", "Cognome e nome:");
  EXPECT_EQ(prepare(bare, "").pages[0].find("txtCampo05")->text, "txtCampo05");
  blankUnusedRows(bare, 1);
  EXPECT_EQ(bare.text("titCampo01"), "Cognome e nome:");
  EXPECT_EQ(bare.text("txtCampo01"), "txtCampo01");
  EXPECT_EQ(bare.text("txtCampo02"), " ");
}

TEST(CardTemplate, CaseDocumentListRows) {
  const Report r = caseDocumentsTemplate();
  EXPECT_EQ(r.text("txtTitolo"), "Elenco documenti associati a pratica");
  expectRect(r.find("txtCalce"), 3, 269, 185, 6);
  const auto& header = caseHeader();
  ASSERT_EQ(header.size(), 8u);
  EXPECT_EQ(header.front().name, "txtOggetto");
  EXPECT_EQ(header.back().name, "txtRecapito");
  for (int i = 0; i < 8; ++i) {
    expectRect(r.find(header[i].name), 60, 20 + 6 * i, 128, 4.4);
    expectLook(r.find(header[i].name), {"Arial", 8, false, Qt::black, QColor(), kLeftMiddle});
  }
  for (int n = 1; n <= 32; ++n) {
    const Element* title = r.find(caseDocumentTitleName(n));
    expectRect(title, 3, 68 + 6 * (n - 1), 52, 4.4);
    EXPECT_EQ(title->text, QStringLiteral("Documento %1:").arg(n));
    EXPECT_EQ(title->pointSize, 8);
    expectRect(r.find(caseDocumentValueName(n)), 60, 68 + 6 * (n - 1), 128, 4.4);
  }
  EXPECT_LE(r.find("txtDoc32")->rect.bottom(), 265);

  QStringList docs(32);
  docs[4] = "Relazione tecnica";
  const Report filled = caseDocuments({"Oggetto", "Tipo", "12", "01/01/2026", "Aperta", "Rossi", "Bianchi", "Via Roma"},
                                      docs, "piede");
  const Page page = prepare(filled, "").pages[0];
  EXPECT_EQ(page.find("txtOggetto")->text, "Oggetto");
  EXPECT_EQ(page.find("txtRecapito")->text, "Via Roma");
  EXPECT_EQ(page.find("txtDoc05")->text, "Relazione tecnica");
  EXPECT_EQ(page.find("txtDoc01")->text, "");  // an empty line prints empty
  EXPECT_EQ(page.find("txtCalce")->text, "piede");
}

// ---- The field form: the protocol print screen ----

namespace {
const std::vector<FormField>& protocolForm() {
  static const std::vector<FormField> fields = {
      {"Protocollo n.", "txtNumero", "27"},
      {"Data registrazione:", "txtDataReg", "03/03/2026"},
      {"Ufficio:", "txtUfficio", "Tecnico"},
      {"Operatore:", "txtOperatore", "Mario Rossi"},
      {"Categoria:", "txtCategoria", "Pratiche edilizie"},
      {"Collocazione cartaceo:", "txtCollocazione", "Armadio 2"},
      {"Oggetto:", "txtOggetto", "Richiesta documenti"},
      {"Data spedizione:", "txtDataSpe", "02/03/2026"},
      {"Data ricezione:", "txtDataRic", "03/03/2026"},
      {"Formato:", "txtFormato", "A4  -  N. pagine: 3"},
      {"Riferimenti:", "txtRiferimenti", "Prot. 12/2026"},
      {"Mittente:", "txtMittente", "Comune di Roma"},
      {"Recapito mittente:", "txtRecapitoMit", "Via del Campidoglio 1"},
      {"Destinatario:", "txtDestinatario", "Studio"},
      {"Recapito destinatario:", "txtRecapitoDes", "Via Po 3"},
      {"Note:", "txtNote", "Nessuna"},
  };
  return fields;
}
} // namespace

TEST(FormTemplate, ProtocolFormOfSixteenRows) {
  const Pages pages = prepare(form("Scheda Protocollo", "SCHEDA PROTOCOLLO DOCUMENTO", protocolForm(), "piede"), "");
  ASSERT_EQ(pages.count(), 1);
  EXPECT_EQ(pages.reportName, "Scheda Protocollo");
  EXPECT_EQ(pages.orientation, QPageLayout::Portrait);
  const Page& page = pages.pages[0];

  expectRect(page.find("titArcataSup"), 2, 2, 185.8, 4.2);
  expectLook(page.find("titArcataSup"), {"Arial", 9, false, Qt::black, QColor(), kCentred});
  EXPECT_EQ(page.find("titArcataSup")->text, "SCHEDA PROTOCOLLO DOCUMENTO");

  std::vector<const Element*> boxes, labels;
  for (const auto& e : page.elements) {
    if (e.kind == Kind::Box) boxes.push_back(&e);
    if (e.kind == Kind::Text && e.name.isEmpty()) labels.push_back(&e);
  }
  // Header, 16 rows, footer.
  ASSERT_EQ(boxes.size(), 18u);
  expectRect(boxes.front(), 1, 1, 188, 5.8);
  EXPECT_EQ(boxes.front()->fill, kLightSteelBlue);
  ASSERT_EQ(labels.size(), 16u);
  for (int i = 0; i < 16; ++i) {
    const auto& f = protocolForm()[i];
    expectRect(boxes[i + 1], 1, 7 + 5 * i, 188, 4.6);
    EXPECT_TRUE(boxes[i + 1]->outlined);
    EXPECT_FALSE(boxes[i + 1]->fill.isValid());
    EXPECT_EQ(labels[i]->text, f.label);
    expectRect(labels[i], 2, 7.5 + 5 * i, 38, 3.5);
    EXPECT_EQ(labels[i]->pointSize, 7);
    expectRect(page.find(f.name), 44, 7.5 + 5 * i, 144, 3.5);
    EXPECT_EQ(page.find(f.name)->text, f.value);
    EXPECT_EQ(page.find(f.name)->pointSize, 7);
  }
  // The separator from 7 down to the bottom of the last row box, the footer below.
  const Element* separator = page.find("linSepara");
  ASSERT_NE(separator, nullptr);
  EXPECT_NEAR(separator->rect.left(), 42, kTol);
  EXPECT_NEAR(separator->rect.top(), 7, kTol);
  EXPECT_NEAR(separator->rect.top() + separator->rect.height(), 86.6, kTol);
  expectRect(boxes.back(), 1, 88, 188, 5.8);
  EXPECT_EQ(boxes.back()->fill, kGold);
  expectRect(page.find("txtCalce"), 2, 89, 185.8, 4.2);
  expectLook(page.find("txtCalce"), {"Arial", 8, false, Qt::black, QColor(), kCentred});
  EXPECT_EQ(page.find("txtCalce")->text, "piede");
}

TEST(FormTemplate, FooterFollowsTheLastRow) {
  struct Case { int rows; double separatorEnd, footerTop; } cases[] = {{16, 86.6, 88}, {20, 106.6, 108}, {21, 111.6, 113}};
  for (const auto& c : cases) {
    std::vector<FormRow> rows;
    for (int i = 0; i < c.rows; ++i) rows.push_back({QStringLiteral("R%1").arg(i), QStringLiteral("txtR%1").arg(i)});
    const Report r = formTemplate("F", rows);
    const Element* sep = r.find("linSepara");
    EXPECT_NEAR(sep->rect.bottom(), c.separatorEnd, kTol) << c.rows;
    EXPECT_NEAR(r.find("txtCalce")->rect.top(), c.footerTop + 1, kTol) << c.rows;
  }
}

// ---- The list ----

TEST(ListTemplate, BandsAndStyles) {
  const Report r = listTemplate();
  EXPECT_EQ(r.name(), "Riepilogo dati");
  EXPECT_EQ(r.orientation(), QPageLayout::Landscape);
  EXPECT_EQ(r.paperSize(), QSizeF(297, 210));
  ASSERT_EQ(r.bands().size(), 3u);
  EXPECT_EQ(r.bands()[0].name, "ReportTitle");
  EXPECT_EQ(r.bands()[1].name, "MasterData");
  EXPECT_EQ(r.bands()[2].name, "Footer");
  EXPECT_EQ(r.bands()[0].height, 8);
  EXPECT_EQ(r.bands()[2].height, 8);
  expectRect(r.find("txtTitolo"), 2, 1, 273, 5);
  expectLook(r.find("txtTitolo"), {"Verdana", 9, true, Qt::white, kSlateGray, kCentred});
  expectLook(r.find("txtRiepilogo"), {"Courier New", 8, false, Qt::black, QColor(), Qt::AlignLeft | Qt::AlignTop});
  EXPECT_EQ(r.find("txtRiepilogo")->rect.left(), 3);
  EXPECT_EQ(r.find("txtRiepilogo")->rect.width(), 273);
  expectRect(r.find("txtPagina"), 3, 2, 272, 5);
  expectLook(r.find("txtPagina"), {"Verdana", 8, true, Qt::white, kSlateGray, kCentred});
  EXPECT_EQ(r.text("txtPagina"), "Stampa eseguita in data [DATE]");
  // the page number on the right of the same band, over its fill
  expectRect(r.find("txtNumeroPagina"), 3, 2, 272, 5);
  expectLook(r.find("txtNumeroPagina"), {"Verdana", 8, true, Qt::white, QColor(), Qt::AlignRight | Qt::AlignVCenter});
  EXPECT_EQ(r.text("txtNumeroPagina"), "Pagina [PAGE] di [PAGES]");
  EXPECT_EQ(r.bands()[2].elements.back().name, "txtNumeroPagina");
  EXPECT_EQ(r.bands()[0].repeat, Repeat::Heading);
  EXPECT_EQ(r.bands()[1].repeat, Repeat::Once);
  EXPECT_EQ(r.bands()[2].repeat, Repeat::PageFoot);
  EXPECT_EQ(list("Riepilogo", {}, "Primanota").name(), "Primanota");
}

TEST(ListTemplate, HeightRuleOfTheListBody) {
  const Report r = list("Riepilogo Clienti", numberedLines(100));
  EXPECT_NEAR(mmToUnits(r.find("txtRiepilogo")->rect.height()), 1282.2, 1e-9);
  EXPECT_NEAR(mmToUnits(r.band("MasterData")->height), 1292.2, 1e-9);
  EXPECT_NEAR(r.find("txtRiepilogo")->rect.height(), 339.25, 0.01);
  EXPECT_EQ(r.find("txtRiepilogo")->lines.size(), 100);

  // Filling again starts from an empty body.
  Report again = r;
  setListLines(again, {"a", "", "c"});
  EXPECT_EQ(again.find("txtRiepilogo")->lines.toStringList(), QStringList({"a", "", "c"}));
  EXPECT_NEAR(mmToUnits(again.band("MasterData")->height), 3 * 12.822 + 10, 1e-9);
}

TEST(ListLayout, HundredLinesOnTwoLandscapePagesEachWithTitleAndFooter) {
  FixedClock clock(QDate(2026, 12, 10));
  const Pages pages = prepare(list("Riepilogo Clienti", numberedLines(100)));
  ASSERT_EQ(pages.count(), 2);
  EXPECT_EQ(pages.orientation, QPageLayout::Landscape);
  EXPECT_EQ(pages.paper, QSizeF(297, 210));

  // the title heads both pages
  const auto titles = allNamed(pages, "txtTitolo");
  ASSERT_EQ(titles.size(), 2u);
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(titles[size_t(p)].first, p);
    expectRect(&titles[size_t(p)].second, 2, 1, 273, 5);
    EXPECT_EQ(titles[size_t(p)].second.text, "Riepilogo Clienti");
  }

  const auto lines = allNamed(pages, "txtRiepilogo");
  const QStringList expected = numberedLines(100);
  ASSERT_EQ(lines.size(), 100u);
  const double pitch = 12.822 * 25.4 / 96;
  expectRect(&lines[0].second, 3, 8, 273, pitch);
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].second.text, expected[int(i)]);
    EXPECT_LE(lines[i].second.rect.bottom(), 190 + kTol);
    if (i > 0 && lines[i].first == lines[i - 1].first)
      EXPECT_NEAR(lines[i].second.rect.top() - lines[i - 1].second.rect.top(), pitch, kTol);
  }
  // The second page goes on below its title.
  const auto firstOnTwo = std::find_if(lines.begin(), lines.end(), [](auto& l) { return l.first == 1; });
  ASSERT_NE(firstOnTwo, lines.end());
  EXPECT_NEAR(firstOnTwo->second.rect.top(), 8, kTol);

  // Each page closes with the footer: the print date and the page number,
  // after the body band's extra 10 units, the text 2 mm into it.
  const auto footers = allNamed(pages, "txtPagina");
  const auto numbers = allNamed(pages, "txtNumeroPagina");
  ASSERT_EQ(footers.size(), 2u);
  ASSERT_EQ(numbers.size(), 2u);
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(footers[size_t(p)].first, p);
    EXPECT_EQ(footers[size_t(p)].second.text, "Stampa eseguita in data 10/12/2026");
    EXPECT_EQ(numbers[size_t(p)].first, p);
    EXPECT_EQ(numbers[size_t(p)].second.text, QStringLiteral("Pagina %1 di 2").arg(p + 1));
    EXPECT_NEAR(numbers[size_t(p)].second.rect.top(), footers[size_t(p)].second.rect.top(), kTol);
    const auto onPage = pages.placed(p, "txtRiepilogo");
    EXPECT_NEAR(footers[size_t(p)].second.rect.top(), onPage.back().rect.bottom() + 10 * 25.4 / 96 + 2, kTol);
    EXPECT_LE(footers[size_t(p)].second.rect.bottom(), 190 + kTol);
  }
}

TEST(ListLayout, PagesOfFiftyLinesEachNumbered) {
  // Every page takes 50 lines between its title and its footer.
  struct Case { int lines, pages; } cases[] = {{0, 1}, {50, 1}, {51, 2}, {100, 2}, {300, 6}, {301, 7}};
  for (const auto& c : cases) {
    const Pages pages = prepare(list("T", numberedLines(c.lines)), "10/12/2026");
    EXPECT_EQ(pages.count(), c.pages) << c.lines;
    for (int p = 0; p < pages.count(); ++p) {
      EXPECT_EQ(pages.placed(p, "txtTitolo").size(), 1u) << c.lines << " page " << p;
      const auto number = pages.placed(p, "txtNumeroPagina");
      ASSERT_EQ(number.size(), 1u) << c.lines << " page " << p;
      EXPECT_EQ(number[0].text, QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(c.pages));
      EXPECT_LE(number[0].rect.bottom(), 190 + kTol);
      EXPECT_EQ(pages.placed(p, "txtPagina").size(), 1u);
      if (c.lines > 0) {
        EXPECT_EQ(pages.placed(p, "txtRiepilogo").size(), size_t(std::min(50, c.lines - 50 * p))) << c.lines;
      }
    }
  }
  // A body given less height than its lines still prints every line.
  Report shortBody = list("T", numberedLines(10));
  shortBody.setHeight("txtRiepilogo", 12.822);
  shortBody.setHeight("MasterData", 22.822);
  const Pages all = prepare(shortBody, "10/12/2026");
  EXPECT_EQ(all.placed(0, "txtRiepilogo").size(), 10u);
  EXPECT_GT(all.pages[0].find("txtPagina")->rect.top(), all.placed(0, "txtRiepilogo").back().rect.bottom());

  // An empty list: title, then the footer after the body's 10 units.
  const Pages empty = prepare(list("T", {}), "10/12/2026");
  EXPECT_NEAR(empty.pages[0].find("txtPagina")->rect.top(), 8 + 10 * 25.4 / 96 + 2, kTol);
  EXPECT_EQ(empty.pages[0].find("txtNumeroPagina")->text, "Pagina 1 di 1");

  // A user's text that looks like a page field is printed as typed.
  EXPECT_EQ(prepare(list("[PAGE] di [PAGES]", {}), "10/12/2026").pages[0].find("txtTitolo")->text, "[PAGE] di [PAGES]");
}

// Bytes the heap holds for the program, small blocks and mapped ones alike.
size_t heapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

TEST(ListLayout, LongListTakesMemoryInProportionToItsText) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizer keeps its own heap";
#endif
  // 100,000 lines as wide as the client search lists them.
  constexpr int kLines = 100000;
  const QString columns = QStringLiteral("Tel. 333 1234567     Ingegnere                  Progettazione, direzione lavori ");
  QStringList lines;
  lines.reserve(kLines);
  size_t textBytes = 0;
  for (int i = 0; i < kLines; ++i) {
    lines << QStringLiteral("Cliente %1 Rossi").arg(i, 6, 10, QLatin1Char('0')).leftJustified(28) + columns +
                 QStringLiteral("Cliente dal %1").arg(1990 + i % 30);
    textBytes += size_t(lines.back().size()) * sizeof(QChar);
  }
  const Report r = list("Riepilogo Clienti", lines);

  const size_t before = heapInUse();
  const Pages pages = prepare(r, "10/12/2026");
  const size_t used = heapInUse() - before;

  qsizetype laidOut = 0;
  for (const Page& p : pages.pages)
    for (const LineRun& run : p.runs) laidOut += run.count;
  EXPECT_EQ(laidOut, kLines);
  // The pages share the lines with the report and only say where each
  // page's stretch of them goes: a small part of the text's size.
  EXPECT_LT(used, textBytes / 10) << "layout took " << used << " bytes for " << textBytes << " bytes of text";
}

// ---- Filling by name ----

TEST(ReportFilling, NamesAndKindsAreChecked) {
  Report r = listTemplate();
  EXPECT_FALSE(r.setText("txtNessuno", "x"));
  EXPECT_FALSE(r.setText("txtRiepilogo", "x"));  // holds lines, not a text
  EXPECT_FALSE(r.addLine("txtTitolo", "x"));
  EXPECT_FALSE(r.setHeight("txtNessuno", 10));
  EXPECT_TRUE(r.setText("txtTitolo", "Titolo"));
  EXPECT_TRUE(r.addLine("txtRiepilogo", "riga"));
  EXPECT_TRUE(r.setHeight("Footer", 96));
  EXPECT_NEAR(r.band("Footer")->height, 25.4, kTol);

  // A user's text that looks like the date field is printed as typed.
  r.setText("txtTitolo", "[DATE]");
  EXPECT_EQ(prepare(r, "10/12/2026").pages[0].find("txtTitolo")->text, "[DATE]");
}

TEST(ReportFilling, PrintedAtComesFromTheClock) {
  FixedClock clock(QDate(2026, 3, 4), QTime(8, 5, 9));
  EXPECT_EQ(printedAtText(), "Stampa eseguita in data 04/03/2026 alle ore 08:05:09");
}
