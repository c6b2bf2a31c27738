#include "help.h"

#include "common/modules.h"

#include <QFile>
#include <QUrl>

#include <map>

// The texts are compiled into this static library; register them before the
// first read (the registration object alone would be dropped by the linker).
static void registerHelpTexts() {
  static const bool done = [] {
    Q_INIT_RESOURCE(help_texts);
    return true;
  }();
  (void)done;
}

namespace {

// One row per topic: its fixed title, the resource that holds its paragraphs
// and, for the archive exports, what the shared export text says is exported.
struct TopicDef {
  HelpTopic topic;
  const char* title;
  const char* resource;
  const char* exported;
};

const TopicDef kTopics[] = {
    {HelpTopic::Manuale, "Uno sguardo a Velarion.", nullptr, nullptr},
    {HelpTopic::Clienti, "Applicazione Anagrafica Clienti.", "clienti", nullptr},
    {HelpTopic::Pratiche, "Applicazione Archivio Pratiche.", "pratiche", nullptr},
    {HelpTopic::Protocollo, "Applicazione Protocollo Posta.", "protocollo", nullptr},
    {HelpTopic::Documenti, "Applicazione Archivio Documenti.", "documenti", nullptr},
    {HelpTopic::Scadenzario, "Applicazione Scadenze e Appuntamenti.", "scadenzario", nullptr},
    {HelpTopic::Progetti, "Applicazione Archivio Progetti.", "progetti", nullptr},
    {HelpTopic::Movimenti, "Applicazione Entrate e Uscite.", "movimenti", nullptr},
    {HelpTopic::Bilancio, "Applicazione Primanota e Bilancio.", "bilancio", nullptr},
    {HelpTopic::Insoluti, "Applicazione Pagamenti Insoluti.", "insoluti", nullptr},
    {HelpTopic::RiepilogoInsoluti, "Riepilogo pagamenti insoluti.", "riepilogo_insoluti", nullptr},
    {HelpTopic::Statistiche, "Applicazione Grafici Statistici.", "statistiche", nullptr},
    {HelpTopic::RiepilogoProtocollo, "Riepilogo protocollo per intervallo di tempo.", "riepilogo_protocollo", nullptr},
    {HelpTopic::ListeScadenze, "Visualizzazione scadenze e appuntamenti.", "liste_scadenze", nullptr},
    {HelpTopic::EsportaClienti, "Esportazione archivio clienti in Microsoft Excel.", "esportazione",
     "tutte le schede dell'anagrafica clienti"},
    {HelpTopic::EsportaPratiche, "Esportazione archivio pratiche in Microsoft Excel.", "esportazione",
     "tutte le schede dell'archivio pratiche"},
    {HelpTopic::EsportaDocumenti, "Esportazione archivio documenti in Microsoft Excel.", "esportazione",
     "tutte le schede dell'archivio documenti"},
    {HelpTopic::EsportaProtocollo, "Esportazione protocollo posta in Microsoft Excel.", "esportazione",
     "l'archivio annuale del protocollo posta"},
    {HelpTopic::EsportaProgetti, "Esportazione archivio progetti in Microsoft Excel.", "esportazione",
     "tutte le schede dei progetti registrate in un anno solare"},
    {HelpTopic::EsportaMovimenti, "Esportazione archivio movimenti in Microsoft Excel.", "esportazione",
     "tutti i movimenti di denaro registrati in un anno solare"},
    {HelpTopic::EsportaScadenzario, "Esportazione archivio Scadenze e appuntamenti in Microsoft Excel.", "esportazione",
     "tutte le schede dello scadenzario registrate in un anno solare"},
};

const TopicDef& definition(HelpTopic topic) {
  for (const TopicDef& d : kTopics)
    if (d.topic == topic) return d;
  return kTopics[0];
}

// A text resource holds one paragraph per line; blank lines only separate
// them for whoever edits the file.
QStringList readParagraphs(const QString& name) {
  registerHelpTexts();
  QFile file(QStringLiteral(":/help/texts/") + name + QStringLiteral(".txt"));
  QStringList result;
  if (!file.open(QIODevice::ReadOnly)) return result;
  const QString all = QString::fromUtf8(file.readAll());
  for (const QString& line : all.split(QLatin1Char('\n'))) {
    const QString paragraph = line.trimmed();
    if (!paragraph.isEmpty()) result << paragraph;
  }
  return result;
}

QStringList topicParagraphs(const TopicDef& d) {
  QStringList result = readParagraphs(QString::fromLatin1(d.resource));
  if (d.exported) result.replaceInStrings(QStringLiteral("%1"), QString::fromUtf8(d.exported));
  return result;
}

QStringList manualParagraphs() {
  QStringList result = help::manualIntroduction();
  int n = 0;
  for (const help::ManualChapter& chapter : help::manualChapters()) {
    result << help::chapterHeading(++n, chapter.name);
    result << help::paragraphs(chapter.topic);
  }
  result << help::manualClosing();
  return result;
}

} // namespace

HelpPage helpPage(HelpTopic topic) {
  if (const modules::AddedHelp* added = modules::addedHelp(topic))
    return {added->title, help::joinParagraphs(added->paragraphs)};
  return {QString::fromUtf8(definition(topic).title), help::joinParagraphs(help::paragraphs(topic))};
}

namespace help {

const std::vector<HelpTopic>& allTopics() {
  static const std::vector<HelpTopic> topics = [] {
    std::vector<HelpTopic> t;
    for (const TopicDef& d : kTopics) t.push_back(d.topic);
    return t;
  }();
  return topics;
}

QStringList paragraphs(HelpTopic topic) {
  if (const modules::AddedHelp* added = modules::addedHelp(topic)) return added->paragraphs;
  if (topic == HelpTopic::Manuale) {
    static const QStringList manual = manualParagraphs();
    return manual;
  }
  return topicParagraphs(definition(topic));
}

QString joinParagraphs(const QStringList& paragraphs) { return paragraphs.join(QStringLiteral("\r\n\r\n")); }

QStringList manualIntroduction() { return readParagraphs(QStringLiteral("introduzione")); }
QStringList manualClosing() { return readParagraphs(QStringLiteral("chiusura")); }

const std::vector<ManualChapter>& manualChapters() {
  static const std::vector<ManualChapter> chapters = {
      {QStringLiteral("Anagrafica Clienti"), HelpTopic::Clienti, {HelpTopic::EsportaClienti}},
      {QStringLiteral("Archivio Pratiche"), HelpTopic::Pratiche, {HelpTopic::EsportaPratiche}},
      {QStringLiteral("Protocollo Posta"), HelpTopic::Protocollo,
       {HelpTopic::RiepilogoProtocollo, HelpTopic::EsportaProtocollo}},
      {QStringLiteral("Archivio Documenti"), HelpTopic::Documenti, {HelpTopic::EsportaDocumenti}},
      {QStringLiteral("Scadenze e Appuntamenti"), HelpTopic::Scadenzario,
       {HelpTopic::ListeScadenze, HelpTopic::EsportaScadenzario}},
      {QStringLiteral("Archivio Progetti"), HelpTopic::Progetti, {HelpTopic::EsportaProgetti}},
      {QStringLiteral("Entrate e Uscite"), HelpTopic::Movimenti, {HelpTopic::EsportaMovimenti}},
      {QStringLiteral("Primanota e Bilancio"), HelpTopic::Bilancio, {}},
      {QStringLiteral("Pagamenti Insoluti"), HelpTopic::Insoluti, {HelpTopic::RiepilogoInsoluti}},
      {QStringLiteral("Grafici Statistici"), HelpTopic::Statistiche, {}},
  };
  return chapters;
}

QString chapterHeading(int n, const QString& name) {
  return QString::number(n) + QStringLiteral(". ") + name.toUpper();
}

QString makerEmail() { return QStringLiteral("info@velarion.it"); }
QString webAddress() { return QStringLiteral("https://www.velarion.it"); }
QString webAddressText() { return QStringLiteral("www.velarion.it"); }

QString makerMailto() {
  const QString subject = QStringLiteral("Software Velarion");
  const QString body = QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:");
  return QStringLiteral("mailto:") + makerEmail() + QStringLiteral("?subject=") +
         QString::fromLatin1(QUrl::toPercentEncoding(subject)) + QStringLiteral("&body=") +
         QString::fromLatin1(QUrl::toPercentEncoding(body));
}

} // namespace help
