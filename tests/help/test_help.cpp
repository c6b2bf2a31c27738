// Help topics, the user manual and the PDF guide written at build time.
#include "app/help/help.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString kSep = QStringLiteral("\r\n\r\n");

struct TitleCase {
  HelpTopic topic;
  const char* title;
};

const TitleCase kTitles[] = {
    {HelpTopic::Manuale, "Uno sguardo a Velarion."},
    {HelpTopic::Clienti, "Applicazione Anagrafica Clienti."},
    {HelpTopic::Pratiche, "Applicazione Archivio Pratiche."},
    {HelpTopic::Protocollo, "Applicazione Protocollo Posta."},
    {HelpTopic::Documenti, "Applicazione Archivio Documenti."},
    {HelpTopic::Scadenzario, "Applicazione Scadenze e Appuntamenti."},
    {HelpTopic::Progetti, "Applicazione Archivio Progetti."},
    {HelpTopic::Movimenti, "Applicazione Entrate e Uscite."},
    {HelpTopic::Bilancio, "Applicazione Primanota e Bilancio."},
    {HelpTopic::Insoluti, "Applicazione Pagamenti Insoluti."},
    {HelpTopic::RiepilogoInsoluti, "Riepilogo pagamenti insoluti."},
    {HelpTopic::Statistiche, "Applicazione Grafici Statistici."},
    {HelpTopic::RiepilogoProtocollo, "Riepilogo protocollo per intervallo di tempo."},
    {HelpTopic::ListeScadenze, "Visualizzazione scadenze e appuntamenti."},
    {HelpTopic::EsportaClienti, "Esportazione archivio clienti in Microsoft Excel."},
    {HelpTopic::EsportaPratiche, "Esportazione archivio pratiche in Microsoft Excel."},
    {HelpTopic::EsportaDocumenti, "Esportazione archivio documenti in Microsoft Excel."},
    {HelpTopic::EsportaProtocollo, "Esportazione protocollo posta in Microsoft Excel."},
    {HelpTopic::EsportaProgetti, "Esportazione archivio progetti in Microsoft Excel."},
    {HelpTopic::EsportaMovimenti, "Esportazione archivio movimenti in Microsoft Excel."},
    {HelpTopic::EsportaScadenzario, "Esportazione archivio Scadenze e appuntamenti in Microsoft Excel."},
};

QString normalisedSpaces(QString s) { return s.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")); }

} // namespace

TEST(HelpTopics, EveryTopicHasItsTitleAndParagraphsJoinedByBlankLines) {
  ASSERT_EQ(help::allTopics().size(), std::size(kTitles));
  for (const TitleCase& c : kTitles) {
    SCOPED_TRACE(c.title);
    const HelpPage page = helpPage(c.topic);
    EXPECT_EQ(page.title, QString::fromUtf8(c.title));
    ASSERT_FALSE(page.text.isEmpty());
    const QStringList parts = page.text.split(kSep);
    EXPECT_EQ(parts, help::paragraphs(c.topic));
    EXPECT_GE(parts.size(), 2);
    for (const QString& p : parts) {
      EXPECT_FALSE(p.trimmed().isEmpty());
      EXPECT_EQ(p, p.trimmed());
      EXPECT_FALSE(p.contains(QLatin1Char('\r')) || p.contains(QLatin1Char('\n')));
      EXPECT_FALSE(p.contains(QStringLiteral("%1")));
      EXPECT_FALSE(p.contains(QChar::ReplacementCharacter));
    }
  }
}

// The texts the system states word for word.
TEST(HelpTopics, StatedTextsAreExact) {
  const QString exportTail =
      QStringLiteral(" in un foglio di lavoro di Microsoft Excel, che potrà essere aperto con qualsiasi software in "
                     "grado di gestire i file in formato XLS (ad esempio, con Open Office, Libre Office o Microsoft "
                     "Office).") +
      kSep +
      QStringLiteral("Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic sull'icona di "
                     "Excel. Questa operazione crea in tempo reale un file in formato XLS contenente le schede in "
                     "archivio, che potrà essere aperto immediatamente rispondendo affermativamente al messaggio di "
                     "domanda che appare.") +
      kSep + QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome qualsiasi.");
  const struct {
    HelpTopic topic;
    QString text;
  } cases[] = {
      {HelpTopic::EsportaProtocollo,
       QStringLiteral("Il pulsante Esporta archivio consente di esportare l'archivio annuale del protocollo posta") +
           exportTail},
      {HelpTopic::EsportaScadenzario,
       QStringLiteral("Il pulsante Esporta archivio consente di esportare tutte le schede dello scadenzario "
                      "registrate in un anno solare") +
           exportTail},
      {HelpTopic::ListeScadenze,
       QStringLiteral("Per visualizzare l'elenco delle scadenze imminenti è sufficiente fare clic sul pulsante OK "
                      "nell'ambiente Scadenze e appuntamenti. Tale pulsante diventa attivo solo se sono presenti "
                      "scadenze imminenti in archivio.") +
           kSep +
           QStringLiteral("Si osservi che la lista delle scadenze imminenti tiene conto del numero di giorni di "
                          "preavviso indicato dall'utente per ciascuna scadenza. Questo significa che tale lista "
                          "potrebbe visualizzare anche scadenze non proprio prossime se l'utente ha deciso di essere "
                          "avvisato con notevole anticipo.") +
           kSep +
           QStringLiteral("In calce al calendario sono presenti due pulsanti che consentono di richiamare le "
                          "scadenze relative al giorno o al mese selezionato.") +
           kSep +
           QStringLiteral("Le scadenze in elenco sono ordinate in base alla data e all'ora e la loro disposizione "
                          "cronologica avviene indipendentemente dall'ordine con cui l'utente le ha archiviate.") +
           kSep +
           QStringLiteral("E' possibile esportare la lista delle scadenze in un foglio di Microsoft Excel. A tal "
                          "fine, basta fare clic sulla relativa icona e salvare il file che viene generato in tempo "
                          "reale.")},
      {HelpTopic::RiepilogoProtocollo,
       QStringLiteral("E' possibile visualizzare il riepilogo dei documenti registrati in un qualsiasi intervallo di "
                      "tempo nell'anno solare nonché esportare lo stesso riepilogo in un foglio di lavoro di Microsoft "
                      "Excel, che potrà essere aperto con qualsiasi software in grado di gestire i file in formato XLS "
                      "(ad esempio, con Open Office, Libre Office o Microsoft Office).") +
           kSep +
           QStringLiteral("Per ottenere l'elenco dei documenti protocollati, basta indicare la data di inizio e di "
                          "fine intervallo in base alla data di registrazione. Per esportare il riepilogo, basta fare "
                          "clic sull'icona di Excel. Questa operazione crea in tempo reale un file in formato .XLS "
                          "contenente le schede in archivio, che potrà essere aperto immediatamente rispondendo "
                          "affermativamente al messaggio di domanda che appare.") +
           kSep +
           QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome "
                          "qualsiasi.")},
  };
  for (const auto& c : cases) EXPECT_EQ(helpPage(c.topic).text, c.text) << helpPage(c.topic).title.toStdString();
}

// Every archive export explains the same three steps for its own archive.
TEST(HelpTopics, ArchiveExportsShareTheirThreeParagraphs) {
  const HelpTopic exports[] = {HelpTopic::EsportaClienti,   HelpTopic::EsportaPratiche, HelpTopic::EsportaDocumenti,
                               HelpTopic::EsportaProtocollo, HelpTopic::EsportaProgetti, HelpTopic::EsportaMovimenti,
                               HelpTopic::EsportaScadenzario};
  const QStringList reference = help::paragraphs(HelpTopic::EsportaProtocollo);
  QStringList firsts;
  for (HelpTopic t : exports) {
    const QStringList p = help::paragraphs(t);
    ASSERT_EQ(p.size(), 3);
    EXPECT_TRUE(p[0].startsWith(QStringLiteral("Il pulsante Esporta archivio consente di esportare ")));
    EXPECT_EQ(p.mid(1), reference.mid(1));
    firsts << p[0];
  }
  firsts.removeDuplicates();
  EXPECT_EQ(firsts.size(), qsizetype(std::size(exports))); // each names its own archive
}

TEST(UserManual, HasTheIntroductionTheApplicationsInMenuOrderAndTheClosing) {
  const QString manual = helpPage(HelpTopic::Manuale).text;
  EXPECT_GE(manual.size(), 30000);
  EXPECT_LE(manual.size(), 40000);

  const QString introduction = help::joinParagraphs(help::manualIntroduction());
  const QString closing = help::joinParagraphs(help::manualClosing());
  EXPECT_TRUE(manual.startsWith(introduction + kSep));
  EXPECT_TRUE(manual.endsWith(kSep + closing));
  EXPECT_TRUE(introduction.contains(QStringLiteral("ingegneri, architetti, geometri")));
  EXPECT_TRUE(introduction.contains(QStringLiteral("dieci applicazioni")));

  // One section per application, in the order of the main menu's tiles, each
  // the application's own help text under its heading.
  const struct {
    const char* name;
    HelpTopic topic;
  } menu[] = {{"Anagrafica Clienti", HelpTopic::Clienti},    {"Archivio Pratiche", HelpTopic::Pratiche},
              {"Protocollo Posta", HelpTopic::Protocollo},    {"Archivio Documenti", HelpTopic::Documenti},
              {"Scadenze e Appuntamenti", HelpTopic::Scadenzario}, {"Archivio Progetti", HelpTopic::Progetti},
              {"Entrate e Uscite", HelpTopic::Movimenti},     {"Primanota e Bilancio", HelpTopic::Bilancio},
              {"Pagamenti Insoluti", HelpTopic::Insoluti},    {"Grafici Statistici", HelpTopic::Statistiche}};
  ASSERT_EQ(help::manualChapters().size(), std::size(menu));
  qsizetype at = introduction.size();
  int n = 0;
  for (const auto& m : menu) {
    ++n;
    SCOPED_TRACE(m.name);
    EXPECT_EQ(help::manualChapters()[n - 1].topic, m.topic);
    const QString section = kSep + help::chapterHeading(n, QString::fromUtf8(m.name)) + kSep + helpPage(m.topic).text + kSep;
    const qsizetype found = manual.indexOf(section);
    ASSERT_GE(found, at);
    at = found + section.size() - kSep.size();
  }
  EXPECT_EQ(manual.mid(at + kSep.size()), closing);

  // The closing notes: spreadsheets, network folder, password, removable drive and backup.
  for (const char* topic : {"Microsoft Excel", "cartella di rete", "password iniziale indicata nella documentazione di installazione",
                            "unità rimovibile", "copia di sicurezza"})
    EXPECT_TRUE(closing.contains(QString::fromUtf8(topic))) << topic;
}

TEST(GuidePdf, IsWrittenWithOneChapterPerApplication) {
  const QString pdf = QStringLiteral(VELARION_GUIDE_PDF);
  ASSERT_TRUE(QFile::exists(pdf)) << pdf.toStdString();
  const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";

  QProcess p;
  p.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
  ASSERT_TRUE(p.waitForFinished(60000));
  ASSERT_EQ(p.exitCode(), 0);
  const QString text = QString::fromUtf8(p.readAllStandardOutput());
  const QStringList pages = text.split(QLatin1Char('\f'));

  EXPECT_TRUE(pages.first().contains(QStringLiteral("Guida all'utilizzo del software")));
  // Each application opens a page of its own, in menu order.
  int n = 0;
  qsizetype lastPage = 0;
  for (const auto& chapter : help::manualChapters()) {
    const QString heading = QString::number(++n) + QStringLiteral(". ") + chapter.name;
    qsizetype page = -1;
    for (qsizetype i = 0; i < pages.size() && page < 0; ++i)
      if (pages[i].trimmed().startsWith(heading)) page = i;
    EXPECT_GT(page, lastPage) << heading.toStdString();
    lastPage = std::max(lastPage, page);
  }
  // The texts are searchable, accents included; the closing notes come last.
  const QString flat = normalisedSpaces(text);
  EXPECT_TRUE(flat.contains(normalisedSpaces(help::manualIntroduction().first())));
  EXPECT_TRUE(flat.contains(normalisedSpaces(help::paragraphs(HelpTopic::Clienti).first())));
  const QString last = normalisedSpaces(help::manualClosing().last());
  EXPECT_TRUE(flat.contains(last));
  EXPECT_GT(flat.indexOf(last), flat.indexOf(QStringLiteral("10. Grafici Statistici")));
}

namespace {

QString toolOutput(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(QStandardPaths::findExecutable(tool), args);
  if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

// A reader jumps to any topic: one bookmark per topic (the pages of an
// application under its chapter) opening the page that starts with it, and
// an index that gives that page's number.
TEST(GuidePdf, BookmarksAndIndexLeadToEveryTopic) {
  const QString pdf = QStringLiteral(VELARION_GUIDE_PDF);
  if (QStandardPaths::findExecutable(QStringLiteral("pdftohtml")).isEmpty() ||
      QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftohtml and pdftotext (poppler-utils) are not installed";

  QStringList topics{QStringLiteral("Indice"), QStringLiteral("Introduzione")};
  int n = 0;
  for (const auto& c : help::manualChapters()) {
    topics << QString::number(++n) + QStringLiteral(". ") + c.name;
    for (HelpTopic related : c.related) topics << helpPage(related).title;
  }
  topics << QStringLiteral("Note conclusive");

  const QString xml = toolOutput(QStringLiteral("pdftohtml"), {"-xml", "-stdout", "-i", "-q", pdf});
  QStringList titles;
  std::vector<int> pages;
  QRegularExpression item(QStringLiteral("<item page=\"(\\d+)\">([^<]*)</item>"));
  for (auto m = item.globalMatch(xml); m.hasNext();) {
    const auto hit = m.next();
    pages.push_back(hit.captured(1).toInt());
    titles << hit.captured(2).replace(QStringLiteral("&apos;"), QStringLiteral("'")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  }
  ASSERT_EQ(titles, topics);

  const QString index = toolOutput(QStringLiteral("pdftotext"),
                                   {"-layout", "-enc", "UTF-8", "-f", QString::number(pages[0]), "-l", QString::number(pages[0]), pdf, "-"});
  for (int i = 0; i < titles.size(); ++i) {
    const QString page = QString::number(pages[size_t(i)]);
    const QString text = toolOutput(QStringLiteral("pdftotext"), {"-enc", "UTF-8", "-f", page, "-l", page, pdf, "-"});
    EXPECT_TRUE(normalisedSpaces(text).contains(normalisedSpaces(titles[i]))) << titles[i].toStdString();
    if (i == 0) continue;
    const QRegularExpression entry(QStringLiteral("^\\s*") + QRegularExpression::escape(titles[i]) + QStringLiteral("\\s+(\\d+)\\s*$"),
                                   QRegularExpression::MultilineOption);
    EXPECT_EQ(entry.match(index).captured(1), page) << titles[i].toStdString();
  }
}
