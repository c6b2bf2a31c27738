#include "cardpanel.h"

#include "attachscreen.h"
#include "clickable.h"
#include "formprintscreen.h"
#include "gridscreen.h"
#include "listscreen.h"
#include "screenkit.h"

#include "archive/paths.h"
#include "common/reports.h"
#include "common/services.h"
#include "engines/screens/reportoutput.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

const std::vector<std::pair<QString, QString>>& CardPanel::sharedHints() {
  static const std::vector<std::pair<QString, QString>> hints = {
      {QStringLiteral("cmdNuovo"), QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda.")},
      {QStringLiteral("cmdDuplica"),
       QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.")},
      {QStringLiteral("cmdSalva"), QStringLiteral("Salva la scheda corrente in archivio.")},
      {QStringLiteral("cmdTrova"), QStringLiteral("Trova una scheda in archivio.")},
      {QStringLiteral("cmdAnteprima"), QStringLiteral("Visualizza l'anteprima di stampa.")},
      {QStringLiteral("cmdStampa"), QStringLiteral("Stampa la scheda corrente.")},
      {QStringLiteral("cmdGuida"), QStringLiteral("Visualizza la guida in linea.")},
      {QStringLiteral("cmdEsci"), QStringLiteral("Esci dalla schermata di lavoro corrente.")},
      {QStringLiteral("cmdPrimo"), QStringLiteral("Visualizza la prima scheda in archivio.")},
      {QStringLiteral("cmdIndietro"), QStringLiteral("Visualizza la scheda precedente in archivio.")},
      {QStringLiteral("cmdAvanti"), QStringLiteral("Visualizza la scheda successiva in archivio.")},
      {QStringLiteral("cmdUltimo"), QStringLiteral("Visualizza l'ultima scheda in archivio.")},
  };
  return hints;
}

CardPanel::CardPanel(const CardDescription& description, QWidget* screen, QLabel* statusLine)
    : QWidget(screen), d_(description), screen_(screen), statusLine_(statusLine) {
  auto* body = new QHBoxLayout(this);
  body->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("panSchede"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus); // Tab goes from field to field only
  form_ = new RecordForm(d_.form, *d_.archive.layout);
  scroll->setWidget(form_);
  body->addWidget(scroll, 1);
  auto* bar = new NavigationBar;
  body->addWidget(makeCommandColumn(this, d_.commands, bar), 0);

  navigator_ = new CardNavigator(form_, d_.archive, d_.behaviour, bar->positionLabel(), this);
  bar->connectTo(navigator_);
  if (d_.archive.isYearly()) {
    auto* file = screen_->findChild<QLabel*>(QStringLiteral("lblFile"));
    if (!file) file = screenkit::hiddenLabel(QStringLiteral("lblFile"), {}, screen_);
    navigator_->setYearlyFile([file] { return file->text(); });
  }

  setCardHints(screen_, d_, form_, statusLine_);
  for (QWidget* bg : {static_cast<QWidget*>(this), findChild<QWidget*>(QStringLiteral("panComandi")),
                      static_cast<QWidget*>(bar), static_cast<QWidget*>(bar->positionLabel())})
    screenkit::clearHintOver(bg, statusLine_);
  bindCommands();
}

void CardPanel::bindCommands() {
  on(QStringLiteral("cmdNuovo"), [this] { navigator_->newCard(); });
  on(QStringLiteral("cmdSalva"), [this] { navigator_->save(); });
  on(QStringLiteral("cmdDuplica"), [this] { navigator_->duplicate(); });
  on(QStringLiteral("cmdEsci"), [this] { screen_->close(); });
  if (d_.help) on(QStringLiteral("cmdGuida"), [this] { help::show(screen_, *d_.help); });
  if (d_.printRows) {
    on(QStringLiteral("cmdStampa"), [this] { stampa(Output::Print, QString()); });
    on(QStringLiteral("cmdAnteprima"), [this] { stampa(Output::Preview, QString()); });
    if (!d_.pdfFile.isEmpty()) on(QStringLiteral("cmdPDF"), [this] { stampa(Output::Pdf, d_.pdfFile); });
  }
  // what the card's commands open, as its description says
  for (const CardCommand& c : d_.commands) {
    const QString tag = c.callerTag;
    if (const lists::ListDescription* list = c.list)
      on(c.name, [this, list, tag] { lists::ListScreen::open(*list, screen_, tag); });
    else if (const grids::GridDescription* grid = c.grid)
      on(c.name, [this, grid] { grids::GridScreen::open(*grid, screen_); });
    else if (const FormPrintDescription* form = c.printForm)
      on(c.name, [this, form] { FormPrintScreen::open(*form, [this] { return recordFromScreen(); }, screen_); });
    else if (c.attachments)
      on(c.name, [this, tag] { attachscreen::showAttachments(screen_, tag); });
  }
}

void setCardHints(QWidget* screen, const CardDescription& d, RecordForm* form, QLabel* statusLine) {
  // the hints of the shared commands, then those of the control kinds, then
  // the card's own table, each adding to or overriding the one before
  QHash<QString, QString> hints;
  for (const auto& [name, hint] : CardPanel::sharedHints()) hints.insert(name, hint);
  for (const auto& [name, hint] : form->kindHints()) hints.insert(name, hint);
  for (const auto& [name, hint] : d.hints) hints.insert(name, hint);
  for (auto it = hints.cbegin(); it != hints.cend(); ++it)
    if (QWidget* w = screen->findChild<QWidget*>(it.key())) screenkit::setHint(w, statusLine, it.value());
  bindCommandKeys(screen, hints);
  form->setStatusLine(statusLine, false);
}

QWidget* makeCommandColumn(QWidget* parent, const std::vector<CardCommand>& commands, NavigationBar* bar) {
  auto* column = new QWidget(parent);
  column->setObjectName(QStringLiteral("panComandi"));
  auto* v = new QVBoxLayout(column);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(2);
  auto* grid = new QGridLayout;
  grid->setSpacing(2);
  int i = 0;
  for (const CardCommand& c : commands) {
    auto* p = new screenkit::Picture(c.name, c.caption, c.icon, column, 32);
    p->setEnabled(false); // until a handler is bound
    grid->addWidget(p, i / 2, i % 2);
    ++i;
  }
  v->addLayout(grid);
  v->addStretch(1);
  bar->setParent(column);
  v->addWidget(bar);
  return column;
}

const std::vector<std::pair<QString, QKeySequence>>& commandKeys() {
  static const std::vector<std::pair<QString, QKeySequence>> keys = {
      {QStringLiteral("cmdNuovo"), QKeySequence(Qt::CTRL | Qt::Key_N)},
      {QStringLiteral("cmdSalva"), QKeySequence(Qt::CTRL | Qt::Key_S)},
      {QStringLiteral("cmdDuplica"), QKeySequence(Qt::CTRL | Qt::Key_D)},
      {QStringLiteral("cmdTrova"), QKeySequence(Qt::CTRL | Qt::Key_F)},
      {QStringLiteral("cmdStampa"), QKeySequence(Qt::CTRL | Qt::Key_P)},
      {QStringLiteral("cmdPrimo"), QKeySequence(Qt::CTRL | Qt::Key_Home)},
      {QStringLiteral("cmdIndietro"), QKeySequence(Qt::Key_PageUp)},
      {QStringLiteral("cmdAvanti"), QKeySequence(Qt::Key_PageDown)},
      {QStringLiteral("cmdUltimo"), QKeySequence(Qt::CTRL | Qt::Key_End)},
      {QStringLiteral("cmdGuida"), QKeySequence(Qt::Key_F1)},
      {QStringLiteral("imgGuida"), QKeySequence(Qt::Key_F1)},
      {QStringLiteral("cmdEsci"), QKeySequence(Qt::Key_Escape)},
      {QStringLiteral("imgEsci"), QKeySequence(Qt::Key_Escape)},
  };
  return keys;
}

namespace {

// Fields that would take a command's key (Page Up in a memo or a list,
// Ctrl+Home in an edit) leave it to the command.
class LeaveKeysToCommands : public QObject {
public:
  LeaveKeysToCommands(QObject* parent, std::vector<QKeyCombination> keys) : QObject(parent), keys_(std::move(keys)) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::ShortcutOverride) return false;
    const QKeyCombination pressed = static_cast<QKeyEvent*>(e)->keyCombination();
    if (std::find(keys_.begin(), keys_.end(), pressed) == keys_.end()) return false;
    e->ignore();
    return true;
  }

private:
  std::vector<QKeyCombination> keys_;
};

} // namespace

void bindCommandKeys(QWidget* screen, const QHash<QString, QString>& hints) {
  std::vector<QKeyCombination> used;
  for (const auto& [name, key] : commandKeys()) {
    QWidget* command = screen->findChild<QWidget*>(name);
    if (!command) continue;
    // Esc leaves a card only once its unsaved edits are saved or given up
    std::function<bool()> allowed;
    if (name == QLatin1String("cmdEsci")) allowed = [screen] { return mayLeaveCard(screen); };
    screenkit::pressOnKey(command, key, std::move(allowed));
    const QString keyText = key.toString(QKeySequence::NativeText);
    const QString hint = hints.value(name);
    command->setToolTip(hint.isEmpty() ? keyText : hint + QStringLiteral("  (") + keyText + QLatin1Char(')'));
    used.push_back(key[0]);
  }
  auto* filter = new LeaveKeysToCommands(screen, used);
  for (QWidget* w : screen->findChildren<QWidget*>())
    if (w->focusPolicy() != Qt::NoFocus) w->installEventFilter(filter);
}

bool mayLeaveCard(QWidget* screen) {
  CardNavigator* navigator = screen->findChild<CardNavigator*>();
  if (!navigator || !navigator->hasUnsavedEdits()) return true;
  switch (services::askSave(cardtext::unsavedEdits())) {
  case SaveAnswer::Save:
    // saved as the save command saves; a save refused or failed keeps the card
    screenkit::press(screen->findChild<QWidget*>(QStringLiteral("cmdSalva")));
    return !navigator->hasUnsavedEdits();
  case SaveAnswer::Discard: return true;
  case SaveAnswer::Cancel: break;
  }
  return false;
}

void CardPanel::on(const QString& control, std::function<void()> handler) {
  QWidget* w = screen_->findChild<QWidget*>(control);
  if (!w) return;
  w->setEnabled(true);
  const bool connected = handlers_.contains(control);
  handlers_.insert(control, std::move(handler));
  if (connected) return;
  auto dispatch = [this, control] {
    if (const auto it = handlers_.constFind(control); it != handlers_.cend()) it.value()();
  };
  clickable::onClick(w, this, dispatch);
}

void CardPanel::stampa(Output output, const QString& pdfFile) {
  const report::Report card =
      report::card(d_.printTitle, expandRows(*d_.printRows, recordFromScreen()), report::printedAtText());
  switch (output) {
  case Output::Print: report::output().print(card, screen_); break;
  case Output::Preview: report::output().preview(card, screen_); break;
  case Output::Pdf: {
    const QString path = paths::inProgramFolder(pdfFile);
    QString problem;
    if (!report::output().exportPdf(card, path, &problem)) {
      services::error(problem);
      return;
    }
    if (services::ask(QStringLiteral("L'esportazione della scheda in PDF \u00E8 terminata con successo.\r\n\r\n"
                                     "Si vuole aprire il file?")))
      services::openOrTell(path);
    break;
  }
  }
}
