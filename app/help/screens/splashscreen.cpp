#include "splashscreen.h"

#include "helpscreens.h"
#include "helpwidgets.h"

#include "common/screens/screenkit.h"
#include "common/services.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmSplash::TfrmSplash(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
  setObjectName(QStringLiteral("TfrmSplash"));
  setWindowTitle(QStringLiteral(" Velarion"));
  setFixedSize(440, 270);

  auto* imgLogo = new QLabel(this);
  imgLogo->setObjectName(QStringLiteral("imgLogo"));
  imgLogo->setPixmap(helpscreens::picture(QStringLiteral("logo"), QSize(260, 72)));
  imgLogo->setAlignment(Qt::AlignCenter);

  auto* lblCopyright = new QLabel(QStringLiteral("Velarion - versione ") + QStringLiteral(VELARION_VERSION) +
                                      QStringLiteral("\nIl gestionale dell'ufficio per gli studi tecnici.\n"
                                                     "Copyright © Velarion. Tutti i diritti riservati."),
                                  this);
  lblCopyright->setObjectName(QStringLiteral("lblCopyright"));
  lblCopyright->setAlignment(Qt::AlignCenter);

  auto* imgWeb = new screenkit::ClickLabel(this);
  imgWeb->setObjectName(QStringLiteral("imgWeb"));
  imgWeb->setPixmap(helpscreens::picture(QStringLiteral("web"), QSize(24, 24)));
  auto* lnkWeb = new screenkit::ClickLabel(this);
  lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
  lnkWeb->setText(help::webAddressText());
  screenkit::bindLink(lnkWeb, {imgWeb}, [] { services::openOrTell(help::webAddress()); });

  auto* btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
  btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
  btnChiudi->setMinimumWidth(100);
  connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);

  auto* web = new QHBoxLayout;
  web->addStretch();
  web->setSpacing(6);
  web->addWidget(imgWeb);
  web->addWidget(lnkWeb);
  web->addStretch();

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnChiudi);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 16, 18, 14);
  layout->setSpacing(12);
  layout->addWidget(imgLogo);
  layout->addWidget(lblCopyright);
  layout->addLayout(web);
  layout->addStretch();
  layout->addLayout(buttons);
  screenkit::makeButtonless(this);
}

void TfrmSplash::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  screenkit::centre(this, parentWidget());
}

void showSplash(QWidget* parent) {
  TfrmSplash screen(parent);
  screen.exec();
}
