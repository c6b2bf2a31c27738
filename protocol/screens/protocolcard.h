// TfrmProtocollo: the mail protocol card of a year's "<year>.prt": the card
// editor with the mail type, the proposed protocol number, the office and
// operator remembered in the settings, the digital copy, the attachments
// and the register's search, summary, print, export and numbering screens.
#pragma once

#include "common/screens/cardeditor.h"
#include "protocol/numbering.h"

#include <optional>

class TfrmProtocollo : public CardEditor {
  Q_OBJECT
public:
  explicit TfrmProtocollo(QWidget* parent = nullptr);
  static const CardDescription& describe();

  // "Nuovo": a cleared card with the next protocol number and today's date.
  void nuovoProtocollo();

protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

private:
  // The proposal "Nuovo" made, renumbered under the archive's write lock
  // when the new card is stored.
  std::optional<numbering::Proposal> proposal_;
};
