#include "formprintscreen.h"

#include "screenkit.h"

#include "common/reports.h"
#include "engines/screens/reportoutput.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* picture(const QString& icon, QWidget* parent) {
  auto* l = new QLabel(parent);
  l->setPixmap(screenkit::icon(icon, 48));
  l->setFixedSize(56, 56);
  l->setAlignment(Qt::AlignCenter);
  return l;
}

} // namespace

FormPrintScreen::FormPrintScreen(const FormPrintDescription& description, std::function<Record()> record,
                                 QWidget* parent)
    : QDialog(parent), d_(description), record_(std::move(record)) {
  screenkit::applyFormats();
  setObjectName(d_.screen);
  setWindowTitle(d_.caption);
  setModal(true);
  setFixedWidth(480);

  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(16, 16, 16, 12);
  v->setSpacing(12);

  auto* text = new QGridLayout;
  text->setHorizontalSpacing(14);
  text->setVerticalSpacing(14);
  auto* heading = new QLabel(QStringLiteral("Stampa scheda"), this);
  heading->setStyleSheet(QStringLiteral("font-weight:bold;"));
  auto* what = new QLabel(QStringLiteral("Questa operazione provveder\u00E0 a stampare la scheda corrente su carta con i "
                                         "dati immessi dall'utente."),
                          this);
  auto* how = new QLabel(QStringLiteral("Premere il pulsante Stampa per dare avvio alla stampa oppure premere Annulla "
                                        "per annullare l'operazione."),
                         this);
  what->setWordWrap(true);
  how->setWordWrap(true);
  auto* first = new QVBoxLayout;
  first->addWidget(heading);
  first->addWidget(what);
  text->addWidget(picture(QStringLiteral("stampa"), this), 0, 0, Qt::AlignTop);
  text->addLayout(first, 0, 1);
  text->addWidget(picture(QStringLiteral("documento"), this), 1, 0, Qt::AlignTop);
  text->addWidget(how, 1, 1);
  text->setColumnStretch(1, 1);
  v->addLayout(text);

  auto* buttons = new QHBoxLayout;
  auto* annulla = new QPushButton(QStringLiteral("Annulla"), this);
  auto* stampaButton = new QPushButton(QStringLiteral("Stampa"), this);
  annulla->setObjectName(QStringLiteral("btnAnnulla"));
  stampaButton->setObjectName(QStringLiteral("btnStampa"));
  annulla->setMinimumWidth(100);
  stampaButton->setMinimumWidth(100);
  buttons->addStretch(1);
  buttons->addWidget(annulla);
  buttons->addWidget(stampaButton);
  v->addLayout(buttons);
  stampaButton->setDefault(true);

  connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
  connect(stampaButton, &QPushButton::clicked, this, &FormPrintScreen::stampa);
}

void FormPrintScreen::stampa() {
  const report::Report form =
      report::form(d_.reportName, d_.title, expandForm(d_, record_()), report::printedAtText());
  report::output().print(form, this);
  accept();
}

void FormPrintScreen::open(const FormPrintDescription& description, std::function<Record()> record,
                           QWidget* parent) {
  FormPrintScreen screen(description, std::move(record), parent);
  screen.exec();
}
