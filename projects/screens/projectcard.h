// TfrmReferti: the project card of the year's "<year>.prg": the name, code,
// field and notes above five sections shown one at a time, the calendar
// dates, the costs kept to four decimals, the finished mark, the
// attachments, the RTF sheet, the search, the overdue summary and the
// export.
#pragma once

#include "common/screens/cardeditor.h"

class TfrmReferti : public CardEditor {
  Q_OBJECT
public:
  explicit TfrmReferti(QWidget* parent = nullptr);
  static const CardDescription& describe();
};
