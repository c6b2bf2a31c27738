#include "protocollo.h"

#include "archive/inifile.h"
#include "archive/paths.h"
#include "archive/record.h"
#include "common/cardbehaviour.h"

#include <QFileInfo>

namespace {

constexpr FieldKind S = FieldKind::Str;

const QString kNumberingSection = QStringLiteral("Numerazione Protocollo");
const QString kStartKey = QStringLiteral("Inizio");
const QString kYearKey = QStringLiteral("Indicazione Anno Solare");
const QString kDeskSection = QStringLiteral("Protocollo Documenti");
const QString kOfficeKey = QStringLiteral("Ufficio");
const QString kOperatorKey = QStringLiteral("Operatore");

bool allDigits(QStringView s) {
  if (s.isEmpty()) return false;
  for (QChar c : s)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

// A whole number written in decimal digits with an optional sign, small
// enough to add a record count to.
std::optional<qint64> wholeNumber(QStringView text) {
  QStringView digits = text;
  if (!digits.isEmpty() && (digits.front() == QLatin1Char('+') || digits.front() == QLatin1Char('-')))
    digits = digits.mid(1);
  if (!allDigits(digits)) return std::nullopt;
  while (digits.size() > 1 && digits.front() == QLatin1Char('0')) digits = digits.mid(1);
  if (digits.size() > 15) return std::nullopt;
  const qint64 value = digits.toLongLong();
  return text.front() == QLatin1Char('-') ? -value : value;
}

} // namespace

const RecordLayout& TRecProtocollo() {
  static const RecordLayout layout("TRecProtocollo", {
      {"Numero", S, 16},        {"Tipo", S, 20},          {"DataReg", S, 10},      {"Ufficio", S, 50},
      {"Operatore", S, 50},     {"Categoria", S, 50},     {"Collocazione", S, 120}, {"Oggetto", S, 250},
      {"DataSpe", S, 10},       {"DataRic", S, 10},       {"Formato", S, 50},      {"Pagine", S, 12},
      {"Riferimenti", S, 250},  {"Note", S, 250},         {"Mittente", S, 120},    {"RecapitoMit", S, 120},
      {"Destinatario", S, 120}, {"RecapitoDes", S, 120},  {"Copia", S, 250},       {"File01", S, 250},
      {"File02", S, 250},       {"File03", S, 250},       {"Desc01", S, 250},      {"Desc02", S, 250},
      {"Desc03", S, 250},
  });
  return layout;
}

const ArchiveDef& protocolArchive() {
  static const ArchiveDef a{&TRecProtocollo(), {}, QStringLiteral(".prt")};
  return a;
}

const QStringList& mailTypes() {
  static const QStringList t = {QStringLiteral("In entrata"), QStringLiteral("In uscita"), QStringLiteral("Interna")};
  return t;
}

const CardRules& protocolRules() {
  using validation::required;
  static const CardRules r{{
      required("Numero", cardtext::missing("il numero di protocollo del documento.")),
      required("DataReg", cardtext::missing("la data di registrazione del documento.")),
      validation::existingDate("DataReg"),
      required("Categoria", cardtext::missing("la categoria del documento.")),
      required("Oggetto", cardtext::missing("l'oggetto del documento.")),
      validation::holds(
          "Tipo", [](const Record& r) { return mailTypes().contains(fieldtext::trimmed(r["Tipo"])); },
          cardtext::missing("la tipologia di posta (in entrata, in uscita o interna).")),
  }};
  return r;
}

namespace numbering {

std::optional<QString> proposal(const QString& start, bool yearSuffix, RecordPosition count, const QString& archiveYear) {
  const QString s = fieldtext::trimmed(start);
  const std::optional<qint64> first = s.isEmpty() ? std::optional<qint64>(1) : wholeNumber(s);
  if (!first) return std::nullopt;
  QString number = QString::number(*first + count);
  if (yearSuffix) number += QLatin1Char('/') + archiveYear;
  return number;
}

QString archiveYear(const QString& archivePath) {
  QString name = QFileInfo(fieldtext::trimmed(archivePath)).fileName();
  const QString extension = protocolArchive().extension;
  if (name.endsWith(extension, Qt::CaseInsensitive)) name.chop(extension.size());
  return name.size() == 4 && allDigits(name) ? name : QString();
}

QString normalisedStart(const QString& typed) {
  const QString t = fieldtext::trimmed(typed);
  qsizetype point = t.indexOf(QLatin1Char(','));
  if (point < 0) point = t.indexOf(QLatin1Char('.'));
  const QStringView whole = point < 0 ? QStringView(t) : QStringView(t).left(point);
  const QStringView decimals = point < 0 ? QStringView() : QStringView(t).mid(point + 1);
  const bool wholeOk = allDigits(whole) || (whole.isEmpty() && !decimals.isEmpty());
  if (!wholeOk || (!decimals.isEmpty() && !allDigits(decimals))) return QStringLiteral("1");
  std::optional<qint64> value = whole.isEmpty() ? std::optional<qint64>(0) : wholeNumber(whole);
  if (!value) return QStringLiteral("1");
  if (!decimals.isEmpty() && decimals.front() >= QLatin1Char('5')) ++*value;
  return QString::number(*value);
}

} // namespace numbering

namespace protocolsettings {

QString path() { return paths::inProgramFolder(QStringLiteral("Quorbis.ini")); }

std::optional<numbering::Settings> readNumbering() {
  IniFile ini;
  if (!ini.load(path())) return std::nullopt;
  return numbering::Settings{fieldtext::trimmed(ini.value(kNumberingSection, kStartKey)),
                             fieldtext::trimmed(ini.value(kNumberingSection, kYearKey)) == fieldtext::yes()};
}

bool writeNumbering(const QString& start, bool yearSuffix) {
  return IniFile::update(path(), [&](IniFile& ini) {
    ini.setValue(kNumberingSection, kStartKey, fieldtext::trimmed(start));
    ini.setValue(kNumberingSection, kYearKey, yearSuffix ? fieldtext::yes() : fieldtext::no());
  });
}

std::optional<Desk> readDesk() {
  IniFile ini;
  if (!ini.load(path())) return std::nullopt;
  return Desk{fieldtext::trimmed(ini.value(kDeskSection, kOfficeKey)),
              fieldtext::trimmed(ini.value(kDeskSection, kOperatorKey))};
}

bool writeDesk(const Desk& desk) {
  return IniFile::update(path(), [&](IniFile& ini) {
    ini.setValue(kDeskSection, kOfficeKey, fieldtext::trimmed(desk.office));
    ini.setValue(kDeskSection, kOperatorKey, fieldtext::trimmed(desk.operatore));
  });
}

} // namespace protocolsettings

namespace protocoltext {

const QString& startNotANumber() {
  static const QString s = QStringLiteral(
      "Attenzione: il numero iniziale della numerazione del protocollo indicato nel file Quorbis.ini (voce \"Inizio\" "
      "della sezione \"Numerazione Protocollo\") non \u00E8 un numero intero.\n\r\n\r"
      "Per poter proporre il numero di protocollo \u00E8 necessario reimpostare il numero iniziale con il comando "
      "Numerazione.");
  return s;
}

const QString& settingsUnreachable() {
  static const QString s = QStringLiteral(
      "Attenzione: il sistema non permette di accedere al file delle impostazioni Quorbis.ini.\n\r\n\r"
      "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
  return s;
}

QString renumbered(const QString& proposed, const QString& stored) {
  return QStringLiteral("Il numero di protocollo ") + proposed +
         QStringLiteral(" \u00E8 stato assegnato nel frattempo ad un altro documento: la scheda \u00E8 stata "
                        "registrata con il numero ") +
         stored + QStringLiteral(".");
}

} // namespace protocoltext
