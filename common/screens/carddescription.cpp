#include "carddescription.h"

#include <stdexcept>
#include <string>

namespace card {

namespace {
CardItem item(ControlKind kind, std::string_view field, const char* caption) {
  CardItem c;
  c.kind = kind;
  c.field = field;
  c.caption = QString::fromUtf8(caption);
  return c;
}
} // namespace

CardItem edit(std::string_view field, const char* caption) { return item(ControlKind::Edit, field, caption); }

CardItem combo(std::string_view field, const char* caption, const QStringList& suggestions) {
  CardItem c = item(ControlKind::Combo, field, caption);
  c.items = suggestions;
  return c;
}

CardItem memo(std::string_view field, const char* caption, int lines) {
  CardItem c = item(ControlKind::Memo, field, caption);
  c.lines = lines;
  return c;
}

CardItem flagOptions(const char* caption, std::vector<CardOption> options) {
  CardItem c = item(ControlKind::Options, {}, caption);
  c.options = std::move(options);
  return c;
}

CardItem textOptions(std::string_view field, const char* caption, std::vector<CardOption> options) {
  CardItem c = item(ControlKind::Options, field, caption);
  c.options = std::move(options);
  return c;
}

CardItem pickList(std::string_view field, const char* caption, const QStringList& items) {
  CardItem c = item(ControlKind::PickList, field, caption);
  c.items = items;
  return c;
}

CardItem date(std::string_view field, const char* caption, const QString& callerTag) {
  CardItem c = item(ControlKind::Date, field, caption);
  c.callerTag = callerTag;
  return c;
}

CardItem amount(std::string_view field, const char* caption, int decimals) {
  CardItem c = item(ControlKind::Amount, field, caption);
  c.decimals = decimals;
  return c;
}

CardItem fileSlot(std::string_view field, const char* caption, const QString& clearPicture) {
  CardItem c = item(ControlKind::FileSlot, field, caption);
  c.clearName = clearPicture;
  c.highlight = false;
  return c;
}

CardItem check(std::string_view field, const char* caption) { return item(ControlKind::Check, field, caption); }
CardItem label(std::string_view field, const char* caption) { return item(ControlKind::Label, field, caption); }

std::vector<QString> names(std::initializer_list<const char*> controls) {
  std::vector<QString> out;
  for (const char* c : controls) out.push_back(QLatin1String(c));
  return out;
}

CardExtra picture(const char* name, const char* icon) { return {QLatin1String(name), QString(), QLatin1String(icon)}; }
CardExtra button(const char* name, const char* text, const char* icon) {
  return {QLatin1String(name), QString::fromUtf8(text), QLatin1String(icon)};
}

CardCommand command(const char* name, const char* caption, const char* icon) {
  return {QLatin1String(name), QString::fromUtf8(caption), QLatin1String(icon)};
}

CardCommand command(const char* name) {
  static const struct {
    const char *name, *caption, *icon;
  } shared[] = {
      {"cmdNuovo", "Nuovo", "nuovo"},       {"cmdDuplica", "Duplica", "duplica"},
      {"cmdSalva", "Salva", "salva"},       {"cmdTrova", "Trova", "trova"},
      {"cmdFile", "Allega", "allega"},      {"cmdAnteprima", "Anteprima", "anteprima"},
      {"cmdStampa", "Stampa", "stampa"},    {"cmdPDF", "PDF", "pdf"},
      {"cmdEsporta", "Esporta", "esporta"}, {"cmdGuida", "Guida", "guida"},
      {"cmdEsci", "Esci", "esci"},
  };
  for (const auto& c : shared)
    if (qstrcmp(c.name, name) == 0) return command(c.name, c.caption, c.icon);
  throw std::logic_error(std::string("no shared command ") + name);
}

namespace hints {
const QString& newCard() {
  static const QString s = QStringLiteral("Prepara la schermata per l'inserimento di una nuova scheda.");
  return s;
}
const QString& attach() {
  static const QString s = QStringLiteral("Allega file alla scheda corrente.");
  return s;
}
const QString& exportCards() {
  static const QString s = QStringLiteral("Esporta le schede in archivio in un file di Microsoft Excel.");
  return s;
}
const QString& leave() {
  static const QString s = QStringLiteral("Esci da questa schermata di lavoro.");
  return s;
}
const QString& contextHelp() {
  static const QString s = QStringLiteral("Visualizza la pagina della guida sensibile al contesto.");
  return s;
}
} // namespace hints

} // namespace card
