#include "clientsmodule.h"

#include "clients/cliente.h"
#include "clients/clientlists.h"
#include "clientcard.h"

const modules::Module& clientsModule() {
  static const modules::Module m{
      .tile = {"imgClienti", "btnClienti", "Anagrafica Clienti", "TfrmClienti", "clienti"},
      .archives = {clientArchive()},
      .help = HelpTopic::Clienti,
      .attachments = modules::AttachmentOwner{"TfrmClienti", "cmdFile", "clienti"},
      .create = []() -> QWidget* { return new TfrmClienti(); },
      .card = TfrmClienti::describe,
      .searched = {{.list = clientSearchList,
                    .fields = {{"Cliente", u"Cliente"},
                               {"Recapito", u"Recapito"},
                               {"IndirizzoRes", u"Indirizzo di residenza"},
                               {"ComuneRes", u"Comune di residenza"},
                               {"CodFisc", u"Codice fiscale"},
                               {"PartitaIva", u"Partita IVA"},
                               {"Email", u"E-mail"},
                               {"Occupazione", u"Occupazione"},
                               {"Zona", u"Zona di appartenenza"},
                               {"Questioni", u"Questioni in sospeso"},
                               {"Note", u"Note"}}}},
  };
  return m;
}
