#include "documentsmodule.h"

#include "documents/documento.h"
#include "documentcard.h"

const modules::Module& documentsModule() {
  static const modules::Module m{
      .tile = {"imgDocumenti", "btnDocumenti", "Archivio Documenti", "TfrmAltri", "documenti"},
      .archives = {documentArchive()},
      .help = HelpTopic::Documenti,
      .calendar = {{"datapro", "TfrmAltri", "txtDataPro"}, {"datades", "TfrmAltri", "txtDataDes"}},
      .attachments = modules::AttachmentOwner{"TfrmAltri", "cmdFile", "altri"},
      .create = []() -> QWidget* { return new TfrmAltri(); },
      .card = TfrmAltri::describe,
  };
  return m;
}
