#include "cardeditor.h"

#include "screenkit.h"

#include "common/modules.h"

#include <QCloseEvent>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

CardEditor::CardEditor(const CardDescription& description, QWidget* parent) : QWidget(parent) {
  setObjectName(description.screen);
  setWindowTitle(description.caption);
  setWindowState(Qt::WindowMaximized);
  screenkit::applyFormats();

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 6, 6, 4);
  outer->setSpacing(4);
  QLabel* status = screenkit::makeStatusLine(this, description.initialStatus);
  panel_ = new CardPanel(description, this, status);
  outer->addWidget(panel_, 1);
  outer->addWidget(status);
  screenkit::clearHintOver(this, status);

  // a card is a persistent screen: lists and imports find it by name
  screenkit::ScreenSet::add(this);
}

CardEditor::~CardEditor() { screenkit::ScreenSet::remove(this); }

void CardEditor::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (e->spontaneous()) return;
  // opened again, the card starts as a fresh one does
  statusLine()->setText(description().initialStatus);
  if (description().behaviour.clearOnShow) navigator()->clearCard();
}

void CardEditor::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  screenkit::ScreenSet::show(modules::mainMenu(), this);
}
