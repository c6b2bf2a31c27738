// A card as data: its fields in sections, each made by the factory of its
// kind, the Enter chains, the tab order, the focus style, the commands,
// the hints, the behaviour of its commands and the archive it works on.
// The card editor, the record form and the contract test all read it.
//
//   using namespace card;
//   {QStringLiteral("Movimento"), QStringLiteral("pagamenti"), 2,
//    {{flagOptions("Tipo movimento:", {{"optEntrata", "Entrata", "Entrata"}, {"optUscita", "Uscita", "Uscita"}})},
//     {pickList("Giorno", "Giorno:", days), pickList("Mese", "Mese:", months)},
//     {date("Data", "Data operazione:", "movimenti_data").clearedBy("impData")},
//     {amount("Importo", "Importo in entrata: \u20AC", 2).savedAs(AmountSave::EmptyIsZero)},
//     {edit("Pagamento", "Modalit\u00E0 pagamento:").limit(150), edit("CodFisc", "Codice fiscale:").rule(Input::UpperTrimmed)},
//     {fileSlot("Copia", "Copia digitale documento:", "imgCancella01"), check("Saldato", "Saldato")}}}
// Options bound to one text field: textOptions("Tipo", "", {{"optEntrata", "In entrata"}, ...}).
// Sections shown one at a time: {"Descrizione", {}, 2, rows, "Descrizione", "txtDescrizione"}
// (pictures btnDescrizione_A/_B, panel panDescrizione, focus on opening);
// memos: memo("Fasi", "Fasi previste:", 6). The coloured focus of the
// document card: FormDescription::focusStyle = FocusStyle::Coloured.
// Behaviour: .behaviour = {.duplicateFailure = MessageKind::Warning,
//   .duplicate = {{{"Saldato", "No"}, FieldValue::todayIn("Data"), {"DataSca"}, ...attachments}},
//   .defaults = {{"Preavviso", "0"}, {"Importo", "0,00"}, {"Entrata", "Sì"}, FieldValue::todayIn("Data")},
//   .rules = &movementRules()}  // CardRules of the module's logic library
#pragma once

#include "archive/archives.h"
#include "common/cardbehaviour.h"
#include "common/help.h"
#include "common/printrows.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

// The kinds of controls a card is made of; each has one factory.
enum class ControlKind {
  Edit,     // one line of text
  Combo,    // one line with a drop-down of suggestions; any text may be typed
  Memo,     // several lines, any length typed, CR LF kept, cut to the field at save (char[N])
  Options,  // option buttons: each bound to a yes/no flag, or together to one text field
  PickList, // only its items: typing blocked, Backspace/Delete empties, any other text left is emptied
  Date,     // typed date (dd/mm/yyyy or ddmmyyyy), checked and shown as dd/mm/yyyy when left;
            // with a caller tag also picked from the calendar (its picture `cal` + stem, Alt+Down)
  Amount,   // digits and the comma, selected on entry, normalised to 2 or 4 decimals when left
  FileSlot, // a file name kept in the attachments folder: name, Sfoglia..., Apri, clear picture
  Check,    // a check box bound to a yes/no flag
  Label,    // a visible label showing a field
};

// What typing may put into an edit.
enum class Input {
  Free,
  Digits,       // 0-9 only (with the editing keys)
  DigitsComma,  // 0-9 and ","
  Upper,        // upper-cased at every change
  Trimmed,      // trimmed at every change
  UpperTrimmed, // both
};

// What a save does with an empty amount. A readable amount typed and never
// left is always normalised by the save, as leaving the field does.
enum class AmountSave {
  EmptyKept,   // an empty amount stays empty, for the card's rules to refuse
  EmptyIsZero, // an empty amount is stored as "0,00"
};

// A button or picture beside a field (check, import, today, e-mail).
struct CardExtra {
  QString name;          // object name
  QString text;          // button caption, or empty for a picture
  QString icon = {};     // picture name (screenkit::icon); a captioned button may carry one too
  bool tabStop = true;   // false: reached by the mouse only
};

// One option button of an Options item.
struct CardOption {
  QString name;                // object name, e.g. "optEntrata"
  QString caption;             // "Entrata"
  std::string_view flag = {};  // bound to a yes/no flag: its field
  QString value = {};          // bound with the others to one text field: its value (the caption when empty)
  QString valueText() const { return value.isEmpty() ? caption : value; }
};

struct CardItem {
  ControlKind kind = ControlKind::Edit;
  std::string_view field = {}; // the bound field (none for options bound to flags)
  QString caption = {};
  int span = 1;                // caption + control pairs the item occupies
  QString name = {};           // object name; empty: the kind's prefix + the field
  int maxLength = 0;           // 0: the field's width
  Input input = Input::Free;
  QStringList items = {};      // combo suggestions, pick-list items
  std::vector<CardOption> options = {};
  std::vector<CardExtra> extras = {};
  QString callerTag = {};      // Date: the calendar's caller tag (none: typed only)
  QString clearName = {};      // Date: its optional clear picture; FileSlot: its clear picture
  int decimals = 2;            // Amount: 2 or 4
  AmountSave amountSave = AmountSave::EmptyKept;
  // Amount: at most this many digits before the comma (0: no limit of the
  // card's own). A larger amount is kept as typed, not normalised; leaving
  // the field shows `tooLarge` as a warning, and the card's rules refuse it.
  int integerDigits = 0;
  QString tooLarge = {};
  QString after = {};          // a text shown after the control ("giorni prima della scadenza.")
  int lines = 4;               // Memo: visible lines
  bool highlight = true;       // shows the focus style (frame or colour)

  // Modifiers, for descriptions that read as a sentence.
  CardItem spanning(int pairs) const { CardItem c = *this; c.span = pairs; return c; }
  CardItem limit(int length) const { CardItem c = *this; c.maxLength = length; return c; }
  CardItem rule(Input in) const { CardItem c = *this; c.input = in; return c; }
  CardItem beside(std::vector<CardExtra> x) const { CardItem c = *this; c.extras = std::move(x); return c; }
  CardItem named(const QString& n) const { CardItem c = *this; c.name = n; return c; }
  CardItem clearedBy(const QString& picture) const { CardItem c = *this; c.clearName = picture; return c; }
  CardItem savedAs(AmountSave s) const { CardItem c = *this; c.amountSave = s; return c; }
  CardItem tall(int visibleLines) const { CardItem c = *this; c.lines = visibleLines; return c; }
  CardItem plain() const { CardItem c = *this; c.highlight = false; return c; }
  CardItem atMost(int digits, const QString& warning) const {
    CardItem c = *this;
    c.integerDigits = digits;
    c.tooLarge = warning;
    return c;
  }
  CardItem followedBy(const char* text) const { CardItem c = *this; c.after = QString::fromUtf8(text); return c; }
};

// One maker per kind.
namespace card {
CardItem edit(std::string_view field, const char* caption);
CardItem combo(std::string_view field, const char* caption, const QStringList& suggestions);
CardItem memo(std::string_view field, const char* caption, int lines = 4);
// Options each bound to its own yes/no flag: the checked one gives "Sì",
// the others "No"; loading "Sì" or "No" sets a button, any other value
// leaves it.
CardItem flagOptions(const char* caption, std::vector<CardOption> options);
// Options bound together to one text field: the checked option gives its
// value, none checked gives ""; loading checks the option whose value is
// the field's text and clears the others.
CardItem textOptions(std::string_view field, const char* caption, std::vector<CardOption> options);
CardItem pickList(std::string_view field, const char* caption, const QStringList& items);
// A typed date; with a caller tag the calendar fills it too.
CardItem date(std::string_view field, const char* caption, const QString& callerTag = QString());
CardItem amount(std::string_view field, const char* caption, int decimals);
// The name edit `txt` + field with "Sfoglia..." `btnSfoglia`, "Apri"
// `btnApri` and the clear picture (`btnCancella` unless named otherwise).
CardItem fileSlot(std::string_view field, const char* caption, const QString& clearPicture = QStringLiteral("btnCancella"));
CardItem check(std::string_view field, const char* caption);
CardItem label(std::string_view field, const char* caption = "");
// Control names for Enter chains and tab orders.
std::vector<QString> names(std::initializer_list<const char*> controls);
// A picture beside a field and a captioned button.
CardExtra picture(const char* name, const char* icon);
CardExtra button(const char* name, const char* text, const char* icon = "");
} // namespace card

// A framed section with its picture on the left, or, with a tab stem, one
// of the sections shown one at a time: the pictures `btn<tab>_A` (another
// section is current; a click opens this one) and `btn<tab>_B` (this one is
// current) and the panel `pan<tab>`. Framed sections stay visible; those
// listed before the tabbed ones stand above them.
struct CardSection {
  QString title;
  QString icon = {};
  int pairs = 1;                                 // caption + control pairs per row
  std::vector<std::vector<CardItem>> rows = {};
  QString tab = {};                              // tabbed section: its stem
  QString focus = {};                            // tabbed: the control focused when it opens
};

// Enter moves the focus along the fields of a chain; the last leads back
// to the first when the chain is cyclic, and does nothing otherwise.
struct EnterChain {
  std::vector<QString> fields;
  bool cyclic = true;
};

enum class FocusStyle {
  Frames,   // a yellow frame `eff` + stem behind the focused field
  Coloured, // light blue with a sky-blue border, yellow while focused
};

// A field carried by a hidden label whose name is not `lbl` + field.
struct HiddenField {
  std::string_view field;
  QString name;
};

// The part of a card that any screen can hold: sections, controls,
// binding, focus style, Enter chains and tab order.
struct FormDescription {
  std::vector<CardSection> sections;
  std::vector<EnterChain> enterChains = {};
  std::vector<QString> tabOrder = {};  // empty: the order of the card
  QString firstFocus = {};             // empty: the first field of the first chain
  FocusStyle focusStyle = FocusStyle::Frames;
  std::vector<HiddenField> hidden = {};
};

namespace lists {
struct ListDescription;
}
namespace grids {
struct GridDescription;
}

// A command picture of the right-hand column, and what it opens when it is
// one of the kinds the card panel wires itself:
//   command("cmdTrova").opens(clientSearchList(), "clienti")
//   command("cmdEsporta").opens(clientExport())
//   command("cmdStampa").prints(movementPrintForm())
//   command("cmdFile").attaches("movimenti")
struct CardCommand {
  QString name;
  QString caption;
  QString icon; // picture name (screenkit::icon)
  const lists::ListDescription* list = nullptr;           // a search or summary list
  const grids::GridDescription* grid = nullptr;           // an export or summary grid
  const FormPrintDescription* printForm = nullptr; // the print screen over the card as shown
  bool attachments = false;                        // the attachments of the card
  // A list's caller tag (who receives the record picked with a
  // double-click), or the attachments' owner.
  QString callerTag = {};

  CardCommand opens(const lists::ListDescription& l, const QString& tag = {}) const {
    CardCommand c = *this;
    c.list = &l;
    c.callerTag = tag;
    return c;
  }
  CardCommand opens(const grids::GridDescription& g) const { CardCommand c = *this; c.grid = &g; return c; }
  CardCommand prints(const FormPrintDescription& f) const { CardCommand c = *this; c.printForm = &f; return c; }
  CardCommand attaches(const QString& tag) const {
    CardCommand c = *this;
    c.attachments = true;
    c.callerTag = tag;
    return c;
  }
};

namespace card {
// A command many cards have, with its usual caption and picture: cmdNuovo,
// cmdDuplica, cmdSalva, cmdTrova, cmdFile, cmdAnteprima, cmdStampa, cmdPDF,
// cmdEsporta, cmdGuida, cmdEsci (a programming error for another name).
CardCommand command(const char* name);
// A command of the card's own.
CardCommand command(const char* name, const char* caption, const char* icon);

// Status-line hints several screens give in place of the shared ones, for
// their own commands or for a shared command worded their way.
namespace hints {
const QString& newCard();     // "Prepara la schermata per l'inserimento di una nuova scheda."
const QString& attach();      // "Allega file alla scheda corrente."
const QString& exportCards(); // "Esporta le schede in archivio in un file di Microsoft Excel."
const QString& leave();       // "Esci da questa schermata di lavoro."
const QString& contextHelp(); // "Visualizza la pagina della guida sensibile al contesto."
} // namespace hints
} // namespace card

struct CardDescription {
  QString screen;  // object name of the card screen
  QString caption; // window caption
  ArchiveDef archive;
  FormDescription form;
  CardBehaviour behaviour = {};
  std::vector<CardCommand> commands = {}; // the column, top to bottom
  // control -> status-line text, beyond the hints every card shares (new,
  // duplicate, save, find, preview, print, help, exit, the four arrows) and
  // the hints of the control kinds (calendar dates, file slots), which it
  // adds to or overrides
  std::vector<std::pair<QString, QString>> hints = {};
  QString initialStatus = QStringLiteral("Pronto per archiviare una nuova scheda...");
  std::optional<HelpTopic> help = {};     // what cmdGuida shows
  // The printed card: its title and rows; `cmdStampa` prints it and
  // `cmdAnteprima` previews it, unless the command opens a print screen of
  // its own; `cmdPDF` writes it to `pdfFile` in the program folder. Cards
  // without rows do not print this way.
  QString printTitle = {};
  const std::vector<PrintRow>* printRows = nullptr;
  QString pdfFile = {};
};
