#include "unpaidmenu.h"

#include "movements/movimento.h"
#include "unpaid/unpaid.h"

#include "common/screens/gridscreen.h"

namespace {

YearBox box(const QString& heading, const char* edit, const char* button, unpaid::Kind kind) {
  return {heading, QLatin1String(edit), QLatin1String(button),
          [kind](QWidget* menu, const QString&) { grids::GridScreen::open(unpaid::list(kind), menu); }};
}

} // namespace

YearBoxMenuDescription unpaidMenu() {
  return {
      .screen = QStringLiteral("TfrmMenuInsoluti"),
      .caption = QStringLiteral(" Velarion - Pagamenti Insoluti"),
      .info = QStringLiteral("In questo ambiente \u00E8 possibile visualizzare i riepiloghi dei pagamenti insoluti sia in "
                             "entrata che in uscita."),
      .extension = movementArchive().extension,
      .boxes = {box(QStringLiteral("Pagamenti insoluti in entrata"), "txtAnnoPreventivi", "btnApriPreventivi",
                    unpaid::Kind::Income),
                box(QStringLiteral("Pagamenti insoluti in uscita"), "txtAnnoNDC", "btnApriNDC", unpaid::Kind::Expense),
                box(QStringLiteral("Pagamenti insoluti in entrata e in uscita"), "txtAnnoDDT", "btnApriDDT",
                    unpaid::Kind::All)},
      .helpTopic = HelpTopic::Insoluti,
  };
}

QWidget* createUnpaidMenu() { return new YearBoxMenu(unpaidMenu()); }
