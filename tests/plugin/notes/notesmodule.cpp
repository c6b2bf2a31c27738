#include "notesmodule.h"

#include "common/grids.h"
#include "common/lists.h"
#include "common/screens/cardeditor.h"
#include "common/validation.h"

namespace {

constexpr FieldKind S = FieldKind::Str;
constexpr FieldDef kFields[] = {
    {"Titolo", S, 60}, {"Data", S, 10}, {"Testo", S, 250},
    {"File01", S, 250}, {"File02", S, 250}, {"File03", S, 250},
    {"Desc01", S, 250}, {"Desc02", S, 250}, {"Desc03", S, 250},
};

const RecordLayout& TRecNota() {
  static const RecordLayout layout("TRecNota", kFields);
  return layout;
}

const ArchiveDef& noteArchive() {
  static const ArchiveDef a{&TRecNota(), QStringLiteral("Note.pro"), {}};
  return a;
}

const CardRules& noteRules() {
  static const CardRules r{{validation::required("Titolo", QStringLiteral("Indicare il titolo della nota."))}};
  return r;
}

const HelpTopic kHelp = modules::addHelpTopic(QStringLiteral("Applicazione Note di studio."),
                                              {QStringLiteral("Le note dello studio."),
                                               QStringLiteral("Ogni nota ha un titolo e una data.")});

const lists::ListDescription& noteSearch() {
  static const lists::ListDescription d{
      .screen = QStringLiteral("TfrmTrovaNote"),
      .caption = QStringLiteral(" Trova note in archivio"),
      .printTitle = QStringLiteral("Riepilogo note"),
      .path = lists::ArchivePath::of(noteArchive()),
      .criteria = {{QStringLiteral("txtTitolo"), QStringLiteral("Titolo:"), "Titolo"}},
      .condition = {},
      .line = {{QString(), "Titolo", 40}, {QStringLiteral("  "), "Data", 0}},
      .targets = {{QStringLiteral("note"), QStringLiteral("TfrmNote"), true, {}}},
  };
  return d;
}

const grids::GridDescription& noteExport() {
  static const grids::GridDescription d{
      .screen = QStringLiteral("TfrmExpNote"),
      .caption = QStringLiteral(" Esporta note in Microsoft Excel"),
      .helpTopic = kHelp,
      .archive = noteArchive(),
      .columns = {{QStringLiteral("Titolo"), QStringLiteral("Titolo"), 300, {"Titolo"}},
                  {QStringLiteral("Data"), QStringLiteral("Data"), 200, {"Data"}}},
  };
  return d;
}

const std::vector<PrintRow> kPrintRows = {{QStringLiteral("Titolo:"), QStringLiteral("{Titolo}")},
                                          {QStringLiteral("Data:"), QStringLiteral("{Data}")}};

const CardDescription& describe() {
  using card::command;
  using card::edit;
  static const CardDescription d{
      .screen = QStringLiteral("TfrmNote"),
      .caption = QStringLiteral(" Velarion - Note di studio"),
      .archive = noteArchive(),
      .form = {.sections = {{QStringLiteral("Nota"), QStringLiteral("note"), 1,
                             {{edit("Titolo", "Titolo:")},
                              {card::date("Data", "Data:", QStringLiteral("note_data"))},
                              {edit("Testo", "Testo:")}}}}},
      .behaviour = {.rules = &noteRules()},
      .commands = {command("cmdNuovo"), command("cmdSalva"),
                   command("cmdTrova").opens(noteSearch(), QStringLiteral("note")),
                   command("cmdFile").attaches(QStringLiteral("note")), command("cmdStampa"),
                   command("cmdEsporta").opens(noteExport()), command("cmdGuida"), command("cmdEsci")},
      .help = kHelp,
      .printTitle = QStringLiteral("Nota"),
      .printRows = &kPrintRows,
  };
  return d;
}

} // namespace

const modules::Module& notesModule() {
  static const modules::Module m{
      .tile = {"imgNote", "btnNote", "Note di studio", "TfrmNote", "note"},
      .archives = {noteArchive()},
      .help = kHelp,
      .calendar = {{"note_data", "TfrmNote", "txtData"}},
      .attachments = modules::AttachmentOwner{"TfrmNote", "cmdFile", "note"},
      .create = []() -> QWidget* { return new CardEditor(describe()); },
      .card = describe,
  };
  return m;
}
