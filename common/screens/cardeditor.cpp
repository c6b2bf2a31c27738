#include "cardeditor.h"

#include "binding.h"
#include "screenkit.h"

#include "archive/archivio.h"
#include "archive/paths.h"
#include "common/services.h"
#include "common/reports.h"
#include "engines/screens/reportoutput.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kSavedChanges = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kInserted = QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio.");
const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kDuplicateNew = QStringLiteral(
    "Attenzione: la duplicazione di una scheda pu\u00F2 avvenire soltanto dopo che questa \u00E8 stata inserita in archivio.");
const QString kDuplicated = QStringLiteral(
    "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
    "Al termine premere Salva per inserire la scheda in archivio.");

QString str(std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

// The commands every card handles itself.
const char* const kBuiltIn[] = {"cmdNuovo", "cmdSalva", "cmdDuplica", "cmdPrimo", "cmdIndietro",
                                "cmdAvanti", "cmdUltimo", "cmdEsci"};

// The status-line hints of the commands every card has.
const std::vector<std::pair<QString, QString>>& sharedHints() {
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

} // namespace

CardEditor::CardEditor(const CardDescription& description, QWidget* parent) : QWidget(parent), d_(description) {
  setObjectName(d_.screen);
  setWindowTitle(d_.caption);
  setWindowState(Qt::WindowMaximized);
  build();
  // a card is a persistent screen: lists and imports find it by name
  screenkit::ScreenSet::add(this);
  on(QStringLiteral("cmdNuovo"), [this] { nuovo(); });
  on(QStringLiteral("cmdSalva"), [this] { salva(); });
  on(QStringLiteral("cmdDuplica"), [this] { duplica(); });
  on(QStringLiteral("cmdPrimo"), [this] { naviga(NavCommand::First); });
  on(QStringLiteral("cmdIndietro"), [this] { naviga(NavCommand::Previous); });
  on(QStringLiteral("cmdAvanti"), [this] { naviga(NavCommand::Next); });
  on(QStringLiteral("cmdUltimo"), [this] { naviga(NavCommand::Last); });
  on(QStringLiteral("cmdEsci"), [this] { close(); });
  if (d_.printRows) {
    on(QStringLiteral("cmdStampa"), [this] { stampa(Output::Print); });
    on(QStringLiteral("cmdAnteprima"), [this] { stampa(Output::Preview); });
  }
}

void CardEditor::build() {
  screenkit::applyFormats();
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 6, 6, 4);
  outer->setSpacing(4);
  auto* body = new QHBoxLayout;
  outer->addLayout(body, 1);

  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("panSchede"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus); // Tab goes from field to field only
  auto* sheet = new QWidget;
  sheet->setObjectName(QStringLiteral("panScheda"));
  // the section frames: a light panel with a rounded border, the title in
  // bold dark blue on the border line (the fields keep their own font)
  sheet->setStyleSheet(QStringLiteral(
      "QGroupBox{background:#f7f9fc;border:1px solid #c3cedb;border-radius:6px;margin-top:9px;padding-top:4px;font-weight:bold;}"
      "QGroupBox::title{subcontrol-origin:margin;subcontrol-position:top left;left:12px;padding:0 4px;"
      "color:#1f4f8f;}"));
  auto* sections = new QVBoxLayout(sheet);
  sections->setContentsMargins(0, 0, 6, 0);
  sections->setSpacing(6);
  for (const CardSection& s : d_.sections) sections->addWidget(makeSection(s));
  sections->addStretch(1);
  scroll->setWidget(sheet);
  body->addWidget(scroll, 1);
  body->addWidget(makeCommandColumn(), 0);

  panInfo_ = screenkit::makeStatusLine(this, d_.initialStatus);
  outer->addWidget(panInfo_);

  // Fields with no control on the screen travel in hidden labels.
  for (int i = 0; i < d_.layout->fieldCount(); ++i) {
    const std::string_view f = d_.layout->field(i).name;
    if (binding::controlFor(this, f)) continue;
    auto* hidden = new QLabel(this);
    hidden->setObjectName(QStringLiteral("lbl") + str(f));
    hidden->hide();
  }
  if (d_.fixedFile.isEmpty() && !findChild<QLabel*>(QStringLiteral("lblFile"))) {
    auto* file = new QLabel(this);
    file->setObjectName(QStringLiteral("lblFile"));
    file->hide();
  }

  // a card's own table adds to (or overrides) the hints every card shares
  QHash<QString, QString> hints;
  for (const auto& [name, hint] : sharedHints()) hints.insert(name, hint);
  for (const auto& [name, hint] : d_.hints) hints.insert(name, hint);
  for (auto it = hints.cbegin(); it != hints.cend(); ++it)
    if (QWidget* w = findChild<QWidget*>(it.key())) screenkit::setHint(w, panInfo_, it.value());
  for (QWidget* bg : {static_cast<QWidget*>(this), sheet, findChild<QWidget*>(QStringLiteral("panComandi")),
                      static_cast<QWidget*>(lblPosizione_)})
    screenkit::clearHintOver(bg, panInfo_);
  for (QGroupBox* box : sheet->findChildren<QGroupBox*>()) screenkit::clearHintOver(box, panInfo_);

  std::vector<QWidget*> chain;
  for (const QString& name : d_.enterChain)
    if (QWidget* w = findChild<QWidget*>(name)) chain.push_back(w);
  if (!chain.empty()) screenkit::setEnterChain(chain);
}

QWidget* CardEditor::makeSection(const CardSection& s) {
  auto* box = new QGroupBox(s.title);
  auto* h = new QHBoxLayout(box);
  h->setContentsMargins(8, 6, 8, 6);
  auto* picture = new QLabel(box);
  picture->setPixmap(screenkit::icon(s.icon, 40));
  picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  picture->setFixedWidth(52);
  h->addWidget(picture);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(5);
  h->addLayout(grid, 1);
  for (int p = 0; p < s.pairs; ++p) grid->setColumnStretch(2 * p + 1, 1);

  int row = 0;
  for (const auto& items : s.rows) {
    int pair = 0;
    for (const CardItem& item : items) {
      const QString stem = str(item.field);
      const int width = d_.layout->field(d_.layout->require(item.field)).width;
      QWidget* control = nullptr;
      if (item.kind == CardItem::Check) {
        auto* check = new QCheckBox(item.caption, box);
        check->setObjectName(QStringLiteral("chk") + stem);
        control = check;
      } else if (item.kind == CardItem::Combo) {
        auto* combo = new QComboBox(box);
        combo->setObjectName(QStringLiteral("txt") + stem);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(item.choices);
        combo->setCurrentIndex(-1);
        combo->lineEdit()->setMaxLength(width);
        combo->setMaxVisibleItems(16);
        combo->setMinimumContentsLength(qMin(width, 6));
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        control = combo;
      } else {
        auto* edit = new QLineEdit(box);
        edit->setObjectName(QStringLiteral("txt") + stem);
        edit->setMaxLength(width);
        control = edit;
      }

      // short fields do not stretch across the row
      const bool narrow = width <= 16 && item.kind != CardItem::Check;
      QWidget* cell = control;
      if (!item.extras.empty()) {
        cell = new QWidget(box);
        auto* ch = new QHBoxLayout(cell);
        ch->setContentsMargins(0, 0, 0, 0);
        ch->setSpacing(4);
        control->setParent(cell);
        // A short field grows to its width first. Pictures stay beside it;
        // buttons keep their size at the end of the cell, in line with the
        // buttons of the row below.
        const bool pictures =
            std::all_of(item.extras.begin(), item.extras.end(), [](const CardExtra& x) { return x.text.isEmpty(); });
        ch->addWidget(control, narrow ? 100 : 1);
        if (narrow && !pictures) ch->addStretch(1);
        for (const CardExtra& x : item.extras) {
          QWidget* b;
          if (!x.text.isEmpty()) {
            auto* button = new QPushButton(x.text, cell);
            button->setAutoDefault(false);
            button->setSizePolicy(QSizePolicy::Fixed, button->sizePolicy().verticalPolicy());
            if (!x.icon.isEmpty()) {
              button->setIcon(QIcon(screenkit::icon(x.icon, 16)));
              button->setIconSize(QSize(16, 16));
            }
            b = button;
          } else {
            b = new screenkit::Picture(x.name, QString(), x.icon, cell, 22);
          }
          b->setObjectName(x.name);
          ch->addWidget(b);
          commands_.insert(x.name, b);
          b->setEnabled(false);
        }
        if (narrow && pictures) ch->addStretch(1);
      }
      // framed on the section, also when the field shares a row with its buttons
      if (item.kind != CardItem::Check) screenkit::addFocusFrame(control, QStringLiteral("eff") + stem, box);
      if (narrow) {
        const int chars = qMax(width, 4) + 2;
        control->setMaximumWidth(control->fontMetrics().horizontalAdvance(QLatin1Char('W')) * chars + 24);
      }
      const int col = 2 * pair;
      if (item.kind == CardItem::Check) {
        grid->addWidget(cell, row, col + 1, 1, 2 * item.span - 1);
      } else {
        auto* caption = new QLabel(item.caption, box);
        caption->setBuddy(control);
        grid->addWidget(caption, row, col, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(cell, row, col + 1, 1, 2 * item.span - 1);
      }
      pair += item.span;
    }
    ++row;
  }
  return box;
}

QWidget* CardEditor::makeCommandColumn() {
  auto* column = new QWidget(this);
  column->setObjectName(QStringLiteral("panComandi"));
  auto* v = new QVBoxLayout(column);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(2);
  auto* grid = new QGridLayout;
  grid->setSpacing(2);
  int i = 0;
  for (const CardCommand& c : d_.commands) {
    auto* p = new screenkit::Picture(c.name, c.caption, c.icon, column, 32);
    p->setEnabled(false);
    commands_.insert(c.name, p);
    grid->addWidget(p, i / 2, i % 2);
    ++i;
  }
  v->addLayout(grid);
  v->addStretch(1);

  auto* nav = new QHBoxLayout;
  nav->setSpacing(2);
  const std::pair<const char*, const char*> arrows[] = {{"cmdPrimo", "primo"},
                                                        {"cmdIndietro", "indietro"},
                                                        {nullptr, nullptr},
                                                        {"cmdAvanti", "avanti"},
                                                        {"cmdUltimo", "ultimo"}};
  for (const auto& [name, icon] : arrows) {
    if (!name) {
      lblPosizione_ = new QLabel(column);
      lblPosizione_->setObjectName(QStringLiteral("lblPosizione"));
      lblPosizione_->setAlignment(Qt::AlignCenter);
      lblPosizione_->setMinimumWidth(60);
      lblPosizione_->setFrameShape(QFrame::StyledPanel);
      QFont f = lblPosizione_->font();
      f.setBold(true);
      lblPosizione_->setFont(f);
      nav->addWidget(lblPosizione_, 1);
      continue;
    }
    auto* p = new screenkit::Picture(QLatin1String(name), QString(), QLatin1String(icon), column, 24);
    p->setEnabled(false);
    commands_.insert(QLatin1String(name), p);
    nav->addWidget(p);
  }
  v->addLayout(nav);
  return column;
}

void CardEditor::on(const QString& control, std::function<void()> handler) {
  QWidget* w = commands_.value(control);
  if (!w) w = findChild<QWidget*>(control);
  if (!w) return;
  w->setEnabled(true);
  if (auto* p = qobject_cast<screenkit::Picture*>(w))
    connect(p, &screenkit::Picture::clicked, this, std::move(handler));
  else if (auto* b = qobject_cast<QAbstractButton*>(w))
    connect(b, &QAbstractButton::clicked, this, std::move(handler));
}

CardEditor::~CardEditor() { screenkit::ScreenSet::remove(this); }

QString CardEditor::archivePath() const {
  if (!d_.fixedFile.isEmpty()) return paths::inProgramFolder(d_.fixedFile);
  const auto* file = findChild<QLabel*>(QStringLiteral("lblFile"));
  return file ? file->text() : QString();
}

std::optional<int> CardEditor::position() const {
  const QString t = fieldtext::trimmed(lblPosizione_->text());
  bool ok = false;
  const int n = t.toInt(&ok);
  if (t.isEmpty() || !ok) return std::nullopt;
  return n;
}

QWidget* CardEditor::field(std::string_view name) const { return binding::controlFor(const_cast<CardEditor*>(this), name); }

QWidget* CardEditor::firstField() const {
  return d_.enterChain.empty() ? nullptr : findChild<QWidget*>(d_.enterChain.front());
}

void CardEditor::loadRecord(const Record& record, int pos) {
  binding::load(this, record);
  lblPosizione_->setText(QString::number(pos));
}

Record CardEditor::recordFromScreen() const { return binding::save(const_cast<CardEditor*>(this), *d_.layout); }

void CardEditor::clearCard() {
  for (int i = 0; i < d_.layout->fieldCount(); ++i) {
    QWidget* w = field(d_.layout->field(i).name);
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->clear();
    else if (auto* c = qobject_cast<QComboBox*>(w)) {
      c->setCurrentIndex(-1);
      c->clearEditText();
    } else if (auto* ch = qobject_cast<QCheckBox*>(w)) ch->setChecked(false);
    else if (auto* l = qobject_cast<QLabel*>(w)) l->clear();
  }
  lblPosizione_->clear();
  if (QWidget* f = firstField()) f->setFocus(Qt::OtherFocusReason);
}

bool CardEditor::checkRequired() {
  for (const CardRequired& r : d_.required) {
    QWidget* w = field(r.field);
    if (fieldtext::trimmed(screenkit::textOf(w)).isEmpty()) {
      services::warning(r.message);
      if (w) w->setFocus(Qt::OtherFocusReason);
      return false;
    }
  }
  return true;
}

void CardEditor::nuovo() {
  clearCard();
  afterNew();
}

void CardEditor::salva() {
  if (!checkRequired()) return;
  const std::optional<int> pos = position();
  try {
    TArchivioSchede archive(archivePath(), d_.layout->size());
    archive.open(TArchivioSchede::Access::Write);
    const QByteArray bytes = encode(recordFromScreen());
    if (pos) {
      archive.overwrite(*pos, bytes);
      archive.close();
      lblPosizione_->setText(QString::number(*pos));
      services::information(kSavedChanges);
    } else {
      const int added = archive.append(bytes);
      // the card shows the new record from now on, even if closing fails
      lblPosizione_->setText(QString::number(added));
      archive.close();
      services::information(kInserted);
    }
  } catch (const ArchiveError&) {
    services::error(archiveAccessMessage());
  }
}

void CardEditor::duplica() {
  if (!position()) {
    services::warning(kDuplicateNew);
    return;
  }
  for (const char* name : {"File01", "File02", "File03", "Desc01", "Desc02", "Desc03"})
    if (auto* l = qobject_cast<QLabel*>(field(name))) l->clear();
  lblPosizione_->clear();
  try {
    TArchivioSchede archive(archivePath(), d_.layout->size());
    archive.open(TArchivioSchede::Access::Read);
    archive.close();
  } catch (const ArchiveError&) {
    services::error(archiveAccessMessage());
    return;
  }
  if (QWidget* f = firstField()) f->setFocus(Qt::OtherFocusReason);
  services::information(kDuplicated);
}

void CardEditor::naviga(NavCommand command) {
  try {
    TArchivioSchede archive(archivePath(), d_.layout->size());
    archive.open(TArchivioSchede::Access::Read);
    const NavResult r = navigate(command, position(), archive.count());
    switch (r.action) {
    case NavResult::Load: {
      const QByteArray bytes = archive.read(r.load);
      archive.close();
      loadRecord(decode(*d_.layout, bytes.constData()), r.load);
      break;
    }
    case NavResult::EmptyMessage:
      archive.close();
      if (r.clearPosition) lblPosizione_->clear();
      services::information(kEmptyArchive);
      break;
    case NavResult::Nothing: archive.close(); break;
    }
  } catch (const ArchiveError&) {
    services::error(archiveAccessMessage());
  }
}

void CardEditor::stampa(Output output, const QString& pdfFile) {
  const report::Report card =
      report::card(d_.printTitle, expandRows(*d_.printRows, recordFromScreen()), report::printedAtText());
  switch (output) {
  case Output::Print: report::output().print(card, this); break;
  case Output::Preview: report::output().preview(card, this); break;
  case Output::Pdf: {
    const QString path = paths::inProgramFolder(pdfFile);
    QString problem;
    if (!report::output().exportPdf(card, path, &problem)) {
      services::error(problem);
      return;
    }
    if (services::ask(QStringLiteral("L'esportazione della scheda in PDF \u00E8 terminata con successo.\r\n\r\n"
                                     "Si vuole aprire il file?")))
      services::shell().open(path);
    break;
  }
  }
}

void CardEditor::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (!e->spontaneous()) clearCard();
}

void CardEditor::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  screenkit::ScreenSet::show(QStringLiteral("TfrmAvvio"), this);
}
