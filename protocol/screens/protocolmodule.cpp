#include "protocolmodule.h"

#include "common/screens/screenkit.h"
#include "common/screens/yearscreen.h"
#include "protocol/protocollo.h"
#include "protocol/protocollists.h"
#include "protocolcard.h"

const modules::Module& protocolModule() {
  static const modules::Module m{
      .tile = {"imgPosta", "btnPosta", "Protocollo Posta", "TfrmMenuProtocollo", "posta"},
      .archives = {protocolArchive()},
      .files = {"Quorbis.ini"},
      .help = HelpTopic::Protocollo,
      .calendar = {{"datareg", "TfrmProtocollo", "txtDataReg"}},
      .attachments = modules::AttachmentOwner{"TfrmProtocollo", "cmdFile", "protocollo"},
      .year = modules::YearRow{u" Velarion - Protocollo Posta", u"Archivio protocollo documenti:",
                               u"In questo ambiente \u00E8 possibile protocollare i documenti interni e la posta in "
                               u"entrata e in uscita.",
                               "TfrmProtocollo", u" Velarion - Protocollo Posta anno ", "protocollo"},
      .create = []() -> QWidget* {
        screenkit::ScreenSet::add(new TfrmProtocollo());
        return yearscreens::yearScreen(protocolModule());
      },
      .card = TfrmProtocollo::describe,
      .searched = {{.list = protocolSearchList,
                    .fields = {{"Numero", u"Numero di protocollo"},
                               {"Oggetto", u"Oggetto"},
                               {"Mittente", u"Mittente"},
                               {"RecapitoMit", u"Recapito del mittente"},
                               {"Destinatario", u"Destinatario"},
                               {"RecapitoDes", u"Recapito del destinatario"},
                               {"Categoria", u"Categoria"},
                               {"Riferimenti", u"Riferimenti"},
                               {"Note", u"Note"}}}},
  };
  return m;
}
