#include "clientsmodule.h"

#include "clients/cliente.h"
#include "clientcard.h"

const modules::Module& clientsModule() {
  static const modules::Module m{
      .tile = {"imgClienti", "btnClienti", "Anagrafica Clienti", "TfrmClienti", "clienti"},
      .archives = {clientArchive()},
      .help = HelpTopic::Clienti,
      .attachments = modules::AttachmentOwner{"TfrmClienti", "cmdFile", "clienti"},
      .create = []() -> QWidget* { return new TfrmClienti(); },
      .card = TfrmClienti::describe,
  };
  return m;
}
