#include "casesmodule.h"

#include "cases/pratica.h"
#include "cases/caselists.h"
#include "casecard.h"

const modules::Module& casesModule() {
  static const modules::Module m{
      .tile = {"imgPratiche", "btnPratiche", "Archivio Pratiche", "TfrmPratica", "pratiche"},
      .archives = {caseArchive()},
      .help = HelpTopic::Pratiche,
      .attachments = modules::AttachmentOwner{"TfrmPratica", "cmdAllega", "pratica"},
      .receives = {{modules::Sender::Client,
                    {QStringLiteral("pratica"),
                     QStringLiteral("TfrmPratica"),
                     false,
                     {{QStringLiteral("txtCliente"), "Cliente"},
                      {QStringLiteral("txtRecapito"), "Recapito"},
                      {QStringLiteral("txtIndirizzoRes"), "IndirizzoRes"},
                      {QStringLiteral("txtComuneRes"), "ComuneRes"},
                      {QStringLiteral("txtProvRes"), "ProvRes"},
                      {QStringLiteral("txtCapRes"), "CapRes"},
                      {QStringLiteral("txtCodFisc"), "CodFisc"},
                      {QStringLiteral("txtPartitaIva"), "PartitaIva"}}}}},
      .create = []() -> QWidget* { return new TfrmPratica(); },
      .card = TfrmPratica::describe,
      .searched = {{.list = caseSearchList,
                    .fields = {{"Oggetto", u"Oggetto"},
                               {"Tipologia", u"Tipologia"},
                               {"Protocollo", u"Protocollo"},
                               {"Cliente", u"Cliente"},
                               {"Recapito", u"Recapito"},
                               {"IndirizzoRes", u"Indirizzo di residenza"},
                               {"ComuneRes", u"Comune di residenza"},
                               {"CodFisc", u"Codice fiscale"},
                               {"PartitaIva", u"Partita IVA"},
                               {"Consulente", u"Consulente"},
                               {"Note", u"Note"}}}},
  };
  return m;
}
