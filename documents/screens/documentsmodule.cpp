#include "documentsmodule.h"

#include "documents/documento.h"
#include "documents/documentlists.h"
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
      .searched = {{.list = documentSearchList,
                    .fields = {{"Documento", u"Documento"},
                               {"Protocollo", u"Protocollo"},
                               {"Produttore", u"Produttore"},
                               {"IndirizzoPro", u"Indirizzo del produttore"},
                               {"Destinatario", u"Destinatario"},
                               {"IndirizzoDes", u"Indirizzo del destinatario"},
                               {"Oggetto", u"Oggetto"},
                               {"Soggetti", u"Soggetti"},
                               {"Riferimenti", u"Riferimenti"},
                               {"Note", u"Note"}}}},
  };
  return m;
}
