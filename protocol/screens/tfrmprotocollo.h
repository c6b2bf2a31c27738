// TfrmProtocollo: the mail protocol card of a year's "<year>.prt": the card
// editor with the mail type, the proposed protocol number, the office and
// operator remembered in the settings, the digital copy, the attachments
// and the register's search, summary, print, export and numbering screens.
#pragma once

#include "common/screens/cardeditor.h"
#include "protocol/protocollo.h"

#include <optional>

class TArchivioSchede;

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
  // The number stored with a new card that still shows the proposal, taken
  // again from the archive's count under its write lock.
  QString renumber(Record& record, const TArchivioSchede& archive);

  // The proposal "Nuovo" made and what it was made from.
  struct Proposal {
    QString number;
    numbering::Settings settings;
    QString year;
  };
  std::optional<Proposal> proposal_;
};
