#include "guidescreen.h"

#include "helpscreens.h"
#include "helpwidgets.h"

#include "archive/paths.h"
#include "common/screens/screenkit.h"
#include "common/services.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kWidth = 676;
constexpr int kHeight = 598;
}

TfrmGuida::TfrmGuida(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
  setObjectName(QStringLiteral("TfrmGuida"));
  setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));
  setFixedSize(kWidth, kHeight);

  auto* imgLogo = new QLabel(this);
  imgLogo->setObjectName(QStringLiteral("imgLogo"));
  imgLogo->setPixmap(helpscreens::picture(QStringLiteral("logo"), QSize(260, 72)));

  lblTitolo_ = new QLabel(QStringLiteral("Argomento della guida."), this);
  lblTitolo_->setObjectName(QStringLiteral("lblTitolo"));
  QFont titleFont = lblTitolo_->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
  lblTitolo_->setFont(titleFont);
  lblTitolo_->setWordWrap(true);

  txtGuida_ = new QPlainTextEdit(this);
  txtGuida_->setObjectName(QStringLiteral("txtGuida"));
  txtGuida_->setReadOnly(true);
  txtGuida_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  txtGuida_->setWordWrapMode(QTextOption::WordWrap);
  txtGuida_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  imgPDF_ = new screenkit::ClickLabel(this);
  imgPDF_->setObjectName(QStringLiteral("imgPDF"));
  imgPDF_->setPixmap(helpscreens::picture(QStringLiteral("pdf"), QSize(28, 32)));
  imgPDF_->setToolTip(QStringLiteral("Visualizza guida in formato PDF"));

  lnkWeb_ = new screenkit::ClickLabel(this);
  lnkWeb_->setObjectName(QStringLiteral("lnkWeb"));
  lnkWeb_->setText(QStringLiteral("Visualizza guida in formato PDF"));
  screenkit::bindLink(lnkWeb_, {imgPDF_}, [this] { openGuide(); });

  btnChiudi_ = new QPushButton(QStringLiteral("Chiudi"), this);
  btnChiudi_->setObjectName(QStringLiteral("btnChiudi"));
  btnChiudi_->setMinimumWidth(100);
  connect(btnChiudi_, &QPushButton::clicked, this, &QDialog::accept);

  auto* header = new QHBoxLayout;
  header->addWidget(imgLogo);
  header->addStretch();

  auto* footer = new QHBoxLayout;
  footer->addWidget(imgPDF_);
  footer->addSpacing(4);
  footer->addWidget(lnkWeb_);
  footer->addStretch();
  footer->addWidget(btnChiudi_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 12, 16, 14);
  layout->setSpacing(10);
  layout->addLayout(header);
  layout->addWidget(lblTitolo_);
  layout->addWidget(txtGuida_, 1);
  layout->addLayout(footer);
  screenkit::makeButtonless(this);
}

void TfrmGuida::showPage(const HelpPage& page) {
  lblTitolo_->setText(page.title);
  // The text box keeps one line break per paragraph end.
  QString text = page.text;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  txtGuida_->setPlainText(text);
}

void TfrmGuida::showEvent(QShowEvent* event) {
  setFixedSize(kWidth, kHeight);
  QDialog::showEvent(event);
  screenkit::centre(this);
  btnChiudi_->setFocus();
}

void TfrmGuida::openGuide() { services::openOrTell(paths::inProgramFolder(QStringLiteral("Guida.pdf"))); }

void installHelpViewer() { help::setViewer(showHelp); }

void showHelp(QWidget* parent, HelpTopic topic) {
  TfrmGuida screen(parent);
  screen.showPage(helpPage(topic));
  screen.exec();
}
