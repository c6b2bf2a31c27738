#include "cashbookscreen.h"

#include "common/help.h"
#include "common/reports.h"
#include "common/screens/listscreen.h"
#include "common/screens/screenkit.h"
#include "common/services.h"
#include "engines/screens/reportoutput.h"
#include "engines/screens/windowfit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

// The last find text stays from one cash book to the next while the
// program runs.
lists::InListFind& rememberedFind() {
  static lists::InListFind find;
  return find;
}

QFont bold(QFont f) {
  f.setBold(true);
  return f;
}

} // namespace

TfrmBilancio::TfrmBilancio(cashbook::Book book, const QString& reasonFilter, QDate from, QDate to, QWidget* parent)
    : QDialog(parent), book_(std::move(book)), reason_(reasonFilter), from_(from), to_(to) {
  screenkit::applyFormats();
  setObjectName(QStringLiteral("TfrmBilancio"));
  setWindowTitle(QStringLiteral(" Velarion - Primanota e Bilancio"));
  setModal(true);
  resize(980, 660);

  const QFont strong = bold(font());
  auto* head = new QGridLayout;
  head->setHorizontalSpacing(8);
  auto* title = new QLabel(QStringLiteral("PRIMANOTA E BILANCIO - Causale :"), this);
  title->setFont(strong);
  auto* titTipologia = screenkit::namedLabel(QStringLiteral("titTipologia"), cashbook::reasonTitle(reason_), this);
  titTipologia->setFont(strong);
  auto* lblIntervallo =
      screenkit::namedLabel(QStringLiteral("lblIntervallo"), QStringLiteral("Dal gg/mm/aaaa al gg/mm/aaaa"), this);
  lblIntervallo->setText(cashbook::intervalText(from_, to_));
  head->addWidget(title, 0, 0);
  head->addWidget(titTipologia, 0, 1);
  head->addWidget(new QLabel(QStringLiteral("Intervallo selezionato :"), this), 1, 0);
  head->addWidget(lblIntervallo, 1, 1);
  head->setColumnStretch(1, 1);

  list_ = lists::makeLineList(this, &model_);
  model_->setEntries(book_.lines);

  // the three totals, each a value beside its caption
  auto* totals = new QGridLayout;
  totals->setHorizontalSpacing(10);
  const struct {
    const char *caption, *name;
    money::Units value;
    const char* colour;
  } rows[] = {
      {"TOTALE ENTRATE :", "lblTotEntrate", book_.income, "#006400"},
      {"TOTALE USCITE :", "lblTotUscite", book_.expenses, "#B00000"},
      {"BILANCIO ENTRATE E USCITE :", "lblBilancio", book_.balance(), "#000080"},
  };
  for (int i = 0; i < 3; ++i) {
    auto* caption = new QLabel(QLatin1String(rows[i].caption), this);
    caption->setFont(strong);
    auto* value = screenkit::namedLabel(QLatin1String(rows[i].name), QStringLiteral("0,00"), this);
    value->setText(cashbook::totalText(rows[i].value));
    value->setFont(strong);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-000.000.000,00 \u20AC")));
    value->setStyleSheet(QStringLiteral("color:%1;").arg(QLatin1String(rows[i].colour)));
    totals->addWidget(caption, i, 0);
    totals->addWidget(value, i, 1);
  }
  totals->setColumnStretch(2, 1);

  auto* find = new QGridLayout;
  auto* hint = new QLabel(QStringLiteral("Immettere una o pi\u00F9 parole consecutive presenti nella scheda in elenco "
                                         "da cercare e premere il pulsante Trova."),
                          this);
  hint->setWordWrap(true);
  txtTrova_ = new QLineEdit(this);
  txtTrova_->setObjectName(QStringLiteral("txtTrova"));
  auto* btnTrova = screenkit::commandButton(QStringLiteral("btnTrova"), QStringLiteral("Trova"), this, 110);
  auto* again = new QLabel(QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, "
                                          "fare di nuovo clic su Trova."),
                           this);
  again->setWordWrap(true);
  find->addWidget(hint, 0, 0, 1, 2);
  find->addWidget(txtTrova_, 1, 0);
  find->addWidget(btnTrova, 1, 1);
  find->addWidget(again, 2, 0, 1, 2);
  screenkit::onEnter(txtTrova_, [btnTrova] { btnTrova->setFocus(Qt::OtherFocusReason); });
  connect(btnTrova, &QPushButton::clicked, this, &TfrmBilancio::trova);

  auto* guida = new screenkit::Picture(QStringLiteral("imgGuida"), QStringLiteral("Guida"), QStringLiteral("guida"), this);
  connect(guida, &screenkit::Picture::clicked, this, [this] { help::show(this, HelpTopic::Bilancio); });
  auto* stampaButton =
      screenkit::commandButton(QStringLiteral("btnStampa"), QStringLiteral("Stampa primanota"), this, 110);
  auto* esci = screenkit::commandButton(QStringLiteral("btnEsci"), QStringLiteral("Esci"), this, 110);
  connect(stampaButton, &QPushButton::clicked, this, &TfrmBilancio::stampa);
  connect(esci, &QPushButton::clicked, this, &QDialog::reject);

  auto* lower = new QHBoxLayout;
  lower->addLayout(totals, 2);
  lower->addSpacing(16);
  lower->addLayout(find, 3);

  auto* commands = new QHBoxLayout;
  commands->addWidget(guida);
  commands->addStretch(1);
  commands->addWidget(stampaButton);
  commands->addWidget(esci);

  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(12, 10, 12, 10);
  v->addLayout(head);
  v->addWidget(list_, 1);
  v->addLayout(lower);
  v->addLayout(commands);
}

TfrmBilancio::~TfrmBilancio() {
  if (QWidget* f = focusWidget()) f->clearFocus();
}

QStringList TfrmBilancio::lines() const {
  QStringList out;
  for (const lists::ListEntry& e : model_->entries()) out << e.line;
  return out;
}

void TfrmBilancio::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  windowfit::fitOnScreen(this);
  txtTrova_->setFocus(Qt::OtherFocusReason);
}

void TfrmBilancio::trova() {
  const QModelIndex current = list_->currentIndex();
  const lists::InListFind::Outcome o =
      rememberedFind().press(model_->entries(), current.isValid() ? current.row() : -1, txtTrova_->text());
  if (o.emptyList) {
    services::plain(lists::text::emptyListMessage());
    return;
  }
  const QModelIndex next = model_->index(o.selected);
  list_->setCurrentIndex(next);
  list_->scrollTo(next);
}

void TfrmBilancio::stampa() {
  if (book_.lines.empty()) {
    services::warning(QStringLiteral("Operazione di stampa non applicabile: la primanota non contiene nessun movimento "
                                     "in entrata o in uscita."));
    return;
  }
  if (!services::ask(QStringLiteral("Si vuole stampare la presente primanota?"))) return;
  report::output().print(report::list(cashbook::printTitle(reason_), cashbook::printLines(book_, from_, to_),
                                      QStringLiteral("Primanota")),
                         this);
}

void TfrmBilancio::done(int result) {
  model_->setEntries({});
  QDialog::done(result);
}
