#include "projectsmodule.h"

#include "common/screens/screenkit.h"
#include "common/screens/yearscreen.h"
#include "projects/progetto.h"
#include "projects/projectlists.h"
#include "projectcard.h"

const modules::Module& projectsModule() {
  static const modules::Module m{
      .tile = {"imgProgetti", "btnProgetti", "Archivio Progetti", "TfrmMenuReferti", "progetti"},
      .archives = {projectArchive()},
      .help = HelpTopic::Progetti,
      .calendar = {{"referti_datainizio", "TfrmReferti", "txtDataInizio"},
                   {"referti_datascade", "TfrmReferti", "txtDataScade"}},
      .attachments = modules::AttachmentOwner{"TfrmReferti", "cmdFile", "referti"},
      .year = modules::YearRow{u" Velarion - Archivio Progetti", u"Archivio progetti:",
                               u"In questo ambiente \u00E8 possibile archiviare i progetti elaborati dal proprio "
                               u"studio tecnico.",
                               "TfrmReferti", u" Velarion - Archivio progetti anno ", "referti"},
      .create = []() -> QWidget* {
        screenkit::ScreenSet::add(new TfrmReferti());
        return yearscreens::yearScreen(projectsModule());
      },
      .card = TfrmReferti::describe,
      .searched = {{.list = projectSearchList,
                    .fields = {{"Nome", u"Nome del progetto"},
                               {"Codice", u"Codice"},
                               {"Ambito", u"Ambito"},
                               {"Descrizione", u"Descrizione"},
                               {"Responsabile", u"Responsabile"},
                               {"Recapito", u"Recapito"},
                               {"CostoPrev", u"Costo previsto"},
                               {"Questioni", u"Questioni"}}}},
  };
  return m;
}
