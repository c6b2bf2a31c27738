#include "casedocuments.h"

#include "archive/record.h"
#include "common/reports.h"
#include "common/screens/screenkit.h"
#include "engines/screens/reportoutput.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kLines = 32;
QString two(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }
} // namespace

TfrmDettagli::TfrmDettagli(QWidget* card, QWidget* parent) : QDialog(parent), card_(card) {
  setObjectName(QStringLiteral("TfrmDettagli"));
  setWindowTitle(QStringLiteral(" Documenti associati alla pratica"));
  setModal(true);
  auto* v = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(4);
  std::vector<QWidget*> chain;
  for (int n = 1; n <= kLines; ++n) {
    const int col = n <= 16 ? 0 : 2;
    const int row = (n - 1) % 16;
    auto* number = new QLabel(QStringLiteral("%1.").arg(n), this);
    number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("txtDoc") + two(n));
    edit->setMaxLength(50);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 50);
    edit->setText(fieldtext::trimmed(screenkit::textOf(screenkit::control(card, QStringLiteral("lblDoc") + two(n)))));
    grid->addWidget(number, row, col);
    grid->addWidget(edit, row, col + 1);
    chain.push_back(edit);
  }
  screenkit::setEnterChain(chain);
  v->addLayout(grid);

  auto* buttons = new QHBoxLayout;
  const std::pair<const char*, const char*> names[] = {
      {"btnAnteprima", "Anteprima"}, {"btnStampa", "Stampa"}, {"btnChiudi", "Applica e chiudi"}, {"btnAnnulla", "Annulla"}};
  buttons->addStretch(1);
  for (const auto& [name, caption] : names) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  v->addLayout(buttons);
  connect(findChild<QPushButton*>(QStringLiteral("btnChiudi")), &QPushButton::clicked, this, [this] { apply(); });
  connect(findChild<QPushButton*>(QStringLiteral("btnAnnulla")), &QPushButton::clicked, this, &QDialog::reject);
  connect(findChild<QPushButton*>(QStringLiteral("btnAnteprima")), &QPushButton::clicked, this, [this] { stampa(true); });
  connect(findChild<QPushButton*>(QStringLiteral("btnStampa")), &QPushButton::clicked, this, [this] { stampa(false); });
}

QLineEdit* TfrmDettagli::line(int n) const { return findChild<QLineEdit*>(QStringLiteral("txtDoc") + two(n)); }

void TfrmDettagli::stampa(bool preview) {
  // the case as the card shows it now, the lines as typed here, applied or not
  QStringList header;
  for (const report::CaseField& f : report::caseHeader())
    header << fieldtext::trimmed(screenkit::textOf(screenkit::control(card_, f.name)));
  QStringList documents;
  for (int n = 1; n <= kLines; ++n) documents << fieldtext::trimmed(line(n)->text());
  const report::Report list = report::caseDocuments(header, documents, report::printedAtText());
  if (preview)
    report::output().preview(list, this);
  else
    report::output().print(list, this);
}

void TfrmDettagli::apply() {
  for (int n = 1; n <= kLines; ++n)
    screenkit::setTextOf(screenkit::control(card_, QStringLiteral("lblDoc") + two(n)), fieldtext::trimmed(line(n)->text()));
  accept();
}

void showCaseDocuments(QWidget* card) {
  TfrmDettagli list(card, card);
  list.exec();
}
