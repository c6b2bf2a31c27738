#include "chartsmenu.h"

#include "chartscreen.h"

#include "archive/paths.h"
#include "movements/movimento.h"

using statistics::Chart;

YearBoxMenuDescription TfrmMenuStats::describe() {
  auto box = [](const char16_t* heading, const char* edit, const char* button, Chart chart) {
    return YearBox{QString::fromUtf16(heading), QLatin1String(edit), QLatin1String(button),
                   [chart](QWidget* menu, const QString& year) {
                     TfrmStats::open(chart, movementArchive().yearPath(year), year, menu);
                   }};
  };
  return {QStringLiteral("TfrmMenuStats"),
          QStringLiteral(" Velarion - Grafici statistici"),
          QStringLiteral("In questo ambiente \u00E8 possibile visualizzare grafici statistici tridimensionali relativi "
                         "alle entrate e uscite mensili e al bilancio annuale."),
          movementArchive().extension,
          {box(u"Entrate mensili:", "txtAnnoPreventivi", "btnApriPreventivi", Chart::MonthlyIncome),
           box(u"Uscite mensili:", "txtAnnoNDC", "btnApriNDC", Chart::MonthlyExpenses),
           box(u"Bilancio annuale:", "txtAnnoDDT", "btnApriDDT", Chart::Balance)},
          HelpTopic::Statistiche};
}

TfrmMenuStats::TfrmMenuStats(QWidget* parent) : YearBoxMenu(describe(), parent) {}
