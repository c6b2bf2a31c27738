#include "chartscreen.h"

#include "archive/archivio.h"
#include "common/help.h"
#include "common/screens/carddescription.h"
#include "common/screens/screenkit.h"
#include "common/services.h"
#include "engines/chart/screens/chartoutput.h"
#include "engines/chart/screens/chartview.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include <optional>

using statistics::Chart;

namespace {

const QString kUsage = QStringLiteral(
    "Servirsi dei pulsanti in calce per visualizzare il tipo di grafico desiderato e per mandarlo in stampa.");
const QString kFoot = QStringLiteral("Tutti gli importi sono arrotondati all'euro");
const QString kPrintQuestion = QStringLiteral("Si vuole stampare il presente grafico statistico?");
const QString kCopiesTitle = QStringLiteral("Numero copie da stampare");
const QString kCopiesPrompt = QStringLiteral("Copie:");
// The print dialog offers up to this many copies.
constexpr int kMaxCopies = 999;
const QString kTooManyCopies =
    QStringLiteral("Attenzione: \u00E8 possibile stampare al massimo %1 copie del grafico.").arg(kMaxCopies);

std::vector<StatsPoint> months() {
  static const struct {
    const char* name;
    QRgb colour;
  } rows[] = {{"Gennaio", 0xFFFF0000},  {"Febbraio", 0xFF0000FF}, {"Marzo", 0xFFFFE4C4},    {"Aprile", 0xFFFF00FF},
              {"Maggio", 0xFFC0DCC0},   {"Giugno", 0xFFFFFF00},   {"Luglio", 0xFF00FF00},   {"Agosto", 0xFFC0C0C0},
              {"Settembre", 0xFFF0FBFF}, {"Ottobre", 0xFF87CEEB}, {"Novembre", 0xFF800000}, {"Dicembre", 0xFF008000}};
  std::vector<StatsPoint> points;
  for (const auto& r : rows)
    points.push_back({QLatin1String(r.name), r.colour, QStringLiteral("mem") + QLatin1String(r.name)});
  return points;
}

// A monthly chart of income ("entrate") or expenses ("uscite").
StatsScreenDescription monthly(Chart chart, const QString& flows, const QString& flowsTitle, const QString& screen) {
  return {chart,
          screen,
          QStringLiteral(" Velarion - Statistiche %1 mensili").arg(flows),
          QStringLiteral("Rappresentazione grafica delle %1 mensili dell'anno ").arg(flows),
          QStringLiteral("Il presente grafico statistico mostra le %1 relative a ciascun mese dell'anno in base ai "
                         "movimenti registrati.")
              .arg(flows),
          QStringLiteral("Grafico statistico delle %1 mensili.").arg(flows),
          QStringLiteral("Visualizza le statistiche delle %1 mensili sotto forma di grafico a barre tridimensionali.")
              .arg(flows),
          QStringLiteral("Visualizza le statistiche delle %1 mensili sotto forma di grafico a torta tridimensionale.")
              .arg(flows),
          QStringLiteral("Statistiche %1 mensili").arg(flows),
          QStringLiteral("%1 mensili:").arg(flowsTitle),
          months()};
}

// The copies answer: its digits, or one copy for an empty answer or one
// that is not made of digits. Nothing when it asks for more copies than
// can be printed.
std::optional<int> copiesOf(const QString& answer) {
  const QString digits = answer.trimmed();
  if (digits.isEmpty()) return 1;
  int copies = 0;
  for (QChar c : digits) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 1;
    // past the most copies there is no need to read further digits
    if (copies <= kMaxCopies) copies = copies * 10 + (c.unicode() - u'0');
  }
  if (copies > kMaxCopies) return std::nullopt;
  return std::max(copies, 1);
}

} // namespace

const StatsScreenDescription& statsScreen(Chart chart) {
  static const StatsScreenDescription income =
      monthly(Chart::MonthlyIncome, QStringLiteral("entrate"), QStringLiteral("Entrate"),
              QStringLiteral("TfrmStatsEntrate"));
  static const StatsScreenDescription expenses =
      monthly(Chart::MonthlyExpenses, QStringLiteral("uscite"), QStringLiteral("Uscite"),
              QStringLiteral("TfrmStatsUscite"));
  static const StatsScreenDescription balance{
      Chart::Balance,
      QStringLiteral("TfrmStatsBilancio"),
      QStringLiteral(" Velarion - Statistiche bilancio annuale"),
      QStringLiteral("Rappresentazione grafica del bilancio entrate e uscite dell'anno "),
      QStringLiteral("Il presente grafico statistico mostra il bilancio annuale delle entrate e uscite in base ai "
                     "movimenti registrati."),
      QStringLiteral("Grafico statistico del bilancio annuale."),
      QStringLiteral("Visualizza il bilancio annuale sotto forma di grafico a barre tridimensionali."),
      QStringLiteral("Visualizza il bilancio annuale sotto forma di grafico a torta tridimensionale."),
      QStringLiteral("Bilancio entrate e uscite annuali"),
      QStringLiteral("Bilancio annuale:"),
      {{QStringLiteral("Entrate"), 0xFF008000, QStringLiteral("memGuadagni")},
       {QStringLiteral("Uscite"), 0xFFFF0000, QStringLiteral("memSpese")}}};
  switch (chart) {
  case Chart::MonthlyIncome: return income;
  case Chart::MonthlyExpenses: return expenses;
  case Chart::Balance: break;
  }
  return balance;
}

TfrmStats::TfrmStats(const StatsScreenDescription& description, QString file, QString year, QWidget* parent)
    : QDialog(parent), d_(description), file_(std::move(file)), year_(std::move(year)) {
  screenkit::applyFormats();
  setObjectName(d_.screen);
  setWindowTitle(d_.caption);
  setModal(true);
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);

  auto* title = new QLabel(d_.titleLine + year_ + QLatin1Char('.'), this);
  title->setObjectName(QStringLiteral("lblTitolo"));
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  title->setFont(bold);
  auto* explanation = new QLabel(d_.explanation, this);
  explanation->setWordWrap(true);
  auto* usage = new QLabel(kUsage, this);
  usage->setWordWrap(true);

  view_ = new chart::ChartView(this);
  view_->setObjectName(QStringLiteral("ChartStats"));
  chart::ChartDescription c;
  // the year is in the chart's own title, so that the printed page says it too
  c.title = {d_.chartTitle + QStringLiteral(" - anno ") + year_, QFont(QStringLiteral("Verdana"), 20, QFont::Bold),
             QColor::fromRgba(0xFFD04498)};
  c.foot = {kFoot, QFont(QStringLiteral("Verdana"), 11, QFont::Bold), QColor::fromRgba(0xFF7294F9)};
  c.legendTitle = d_.legendTitle;
  c.legendPosition = chart::LegendPosition::Bottom;
  c.valueMarks = true;
  c.type = chart::ChartType::Bars3D;
  c.locale = QLocale(QLocale::Italian, QLocale::Italy);
  view_->setChart(c);

  for (const StatsPoint& p : d_.points) {
    auto* value = new QLabel(QStringLiteral("0"), this);
    value->setObjectName(p.label);
    value->hide();
    values_.push_back(value);
  }

  auto* bar = new QFrame(this);
  auto* buttons = new QHBoxLayout(bar);
  buttons->setContentsMargins(0, 0, 0, 0);
  auto button = [&](const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, bar);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    buttons->addWidget(b);
    return b;
  };
  QPushButton* barre = button("btnBarre", QStringLiteral("Visualizza grafico a barre"));
  QPushButton* torta = button("btnTorta", QStringLiteral("Visualizza grafico a torta"));
  QPushButton* stampa = button("btnStampa", QStringLiteral("Stampa grafico"));
  buttons->addStretch(1);
  auto* guida = new screenkit::Picture(QStringLiteral("cmdGuida"), QStringLiteral("Guida"), QStringLiteral("guida"),
                                       bar, 24);
  buttons->addWidget(guida);
  buttons->addSpacing(8);
  QPushButton* esci = button("btnEsci", QStringLiteral("Esci"));

  QLabel* status = screenkit::makeStatusLine(this, d_.status);
  screenkit::setHint(barre, status, d_.barsHint);
  screenkit::setHint(torta, status, d_.pieHint);
  screenkit::setHint(stampa, status, QStringLiteral("Stampa il grafico corrente."));
  screenkit::setHint(esci, status, QStringLiteral("Esci da questo ambiente di lavoro."));
  screenkit::setHint(guida, status, card::hints::contextHelp());
  screenkit::clearHintOver(this, status);
  screenkit::clearHintOver(bar, status);

  connect(barre, &QPushButton::clicked, this, &TfrmStats::barre);
  connect(torta, &QPushButton::clicked, this, &TfrmStats::torta);
  connect(stampa, &QPushButton::clicked, this, &TfrmStats::stampa);
  connect(esci, &QPushButton::clicked, this, &QDialog::reject);
  connect(guida, &screenkit::Picture::clicked, this, [this] { help::show(this, HelpTopic::Statistiche); });

  auto* body = new QVBoxLayout;
  body->setContentsMargins(14, 10, 14, 8);
  body->setSpacing(4);
  body->addWidget(title);
  body->addWidget(explanation);
  body->addWidget(usage);
  body->addSpacing(4);
  body->addWidget(view_, 1);
  body->addSpacing(6);
  body->addWidget(bar);

  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(0, 0, 0, 0);
  all->setSpacing(0);
  all->addLayout(body, 1);
  all->addWidget(status);

  // as large as a 1024 x 768 desktop allows
  QSize size(1000, 700);
  if (QScreen* s = screen()) size = size.boundedTo(s->availableGeometry().size() - QSize(24, 48));
  resize(size);
}

TfrmStats::~TfrmStats() {
  if (QWidget* f = focusWidget()) f->clearFocus();
}

void TfrmStats::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous() || computed_) return;
  computed_ = true;
  screenkit::centre(this);
  compute();
}

void TfrmStats::compute() {
  for (QLabel* value : values_) value->setText(QStringLiteral("0"));
  chart::ChartDescription c = view_->chart();
  c.points.clear();
  const statistics::Result r = statistics::compute(d_.chart, file_, year_);
  if (r.outcome == statistics::Result::Outcome::UnreadableArchive) services::plain(archiveAccessMessage());
  // a movement whose amount cannot be read leaves the chart without points
  if (r.done()) {
    for (size_t i = 0; i < d_.points.size(); ++i) {
      const StatsPoint& p = d_.points[i];
      values_[i]->setText(QString::number(r.euros[i]));
      c.points.push_back({p.name, double(r.euros[i]), QColor::fromRgba(p.colour)});
    }
  }
  view_->setChart(std::move(c));
}

void TfrmStats::barre() { view_->setType(chart::ChartType::Bars3D); }

void TfrmStats::torta() { view_->setType(chart::ChartType::Pie3D); }

void TfrmStats::stampa() {
  if (!services::ask(kPrintQuestion)) return;
  const std::optional<QString> answer = services::input(kCopiesTitle, kCopiesPrompt, QStringLiteral("1"));
  if (!answer) return;
  const std::optional<int> copies = copiesOf(*answer);
  if (!copies) {
    services::warning(kTooManyCopies);
    return;
  }
  chart::output().print(view_->chart(), *copies, this);
}

void TfrmStats::open(Chart chart, const QString& file, const QString& year, QWidget* parent) {
  TfrmStats screen(statsScreen(chart), file, year, parent);
  screen.exec();
}
