#include "aboutscreen.h"

#include "helpscreens.h"
#include "helpwidgets.h"

#include "common/screens/screenkit.h"
#include "common/services.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmInfo::TfrmInfo(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
  setObjectName(QStringLiteral("TfrmInfo"));
  setWindowTitle(QStringLiteral(" Informazioni su Velarion"));
  setFixedSize(520, 350);

  auto* imgLogo = new QLabel(this);
  imgLogo->setObjectName(QStringLiteral("imgLogo"));
  imgLogo->setPixmap(helpscreens::picture(QStringLiteral("logo"), QSize(260, 72)));

  auto* imgInfo01 = new QLabel(this);
  imgInfo01->setObjectName(QStringLiteral("imgInfo01"));
  imgInfo01->setPixmap(helpscreens::picture(QStringLiteral("info"), QSize(44, 44)));
  auto* lblProdotto = new QLabel(
      QStringLiteral("Velarion è il gestionale dell'ufficio per gli studi tecnici di ingegneri, architetti, "
                     "geometri e altri professionisti: clienti, pratiche, protocollo, documenti, scadenze, "
                     "progetti, entrate e uscite, primanota, pagamenti insoluti e statistiche in un unico "
                     "programma.\nVersione ") +
          QStringLiteral(VELARION_VERSION),
      this);
  lblProdotto->setObjectName(QStringLiteral("lblProdotto"));
  lblProdotto->setWordWrap(true);

  auto* imgInfo02 = new QLabel(this);
  imgInfo02->setObjectName(QStringLiteral("imgInfo02"));
  imgInfo02->setPixmap(helpscreens::picture(QStringLiteral("assistenza"), QSize(44, 44)));
  auto* lblContatti = new QLabel(
      QStringLiteral("Per richiedere informazioni, segnalare un problema o proporre un miglioramento, "
                     "scrivete al nostro servizio clienti:"),
      this);
  lblContatti->setObjectName(QStringLiteral("lblContatti"));
  lblContatti->setWordWrap(true);

  auto* imgEmail = new screenkit::ClickLabel(this);
  imgEmail->setObjectName(QStringLiteral("imgEmail"));
  imgEmail->setPixmap(helpscreens::picture(QStringLiteral("email"), QSize(26, 20)));
  auto* lnkWeb = new screenkit::ClickLabel(this);
  lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
  lnkWeb->setText(help::makerEmail());
  screenkit::bindLink(lnkWeb, {imgEmail}, [] { services::openOrTell(help::makerMailto()); });

  auto* btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
  btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
  btnChiudi->setMinimumWidth(100);
  connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);

  auto* mail = new QHBoxLayout;
  mail->addWidget(imgEmail);
  mail->addSpacing(4);
  mail->addWidget(lnkWeb);
  mail->addStretch();

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(14);
  grid->setVerticalSpacing(12);
  grid->addWidget(imgInfo01, 0, 0, Qt::AlignTop);
  grid->addWidget(lblProdotto, 0, 1);
  grid->addWidget(imgInfo02, 1, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(lblContatti, 1, 1);
  grid->addLayout(mail, 2, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnChiudi);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 14, 18, 14);
  layout->setSpacing(14);
  layout->addWidget(imgLogo);
  layout->addLayout(grid);
  layout->addStretch();
  layout->addLayout(buttons);
  screenkit::makeButtonless(this);
}

void TfrmInfo::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  screenkit::centre(this);
}

void showInfo(QWidget* parent) {
  TfrmInfo screen(parent);
  screen.exec();
}
