#include "deadlinesmodule.h"

#include "deadlines/scadenza.h"
#include "deadlines/deadlinelists.h"
#include "deadlinescreen.h"

const modules::Module& deadlinesModule() {
  static const modules::Module m{
      .tile = {"imgScadenzario", "btnScadenzario", "Scadenze e Appuntamenti", "TfrmScadenzario", "scadenzario"},
      .archives = {deadlineArchive()},
      .help = HelpTopic::Scadenzario,
      .receives = {{modules::Sender::Case,
                    {QStringLiteral("scadenzario"),
                     QStringLiteral("TfrmScadenzario"),
                     false,
                     {{QStringLiteral("txtOggetto"), "Oggetto"},
                      {QStringLiteral("txtTipologia"), "Tipologia"},
                      {QStringLiteral("txtProtocollo"), "Protocollo"},
                      {QStringLiteral("txtApertura"), "Apertura"},
                      {QStringLiteral("txtChiusura"), "Chiusura"},
                      {QStringLiteral("txtStato"), "Stato"},
                      {QStringLiteral("txtConsulente"), "Consulente"},
                      {QStringLiteral("txtCliente"), "Cliente"},
                      {QStringLiteral("txtRecapito"), "Recapito"},
                      {QStringLiteral("txtCodFisc"), "CodFisc"}}}}},
      .create = []() -> QWidget* { return new TfrmScadenzario(); },
      .card = TfrmScadenzario::describe,
      .searched = {{.list = deadlineSearchList,
                    .fields = {{"Cliente", u"Cliente"},
                               {"CodFisc", u"Codice fiscale"},
                               {"Recapito", u"Recapito"},
                               {"Oggetto", u"Oggetto"},
                               {"Protocollo", u"Protocollo"},
                               {"Dettagli", u"Dettagli"},
                               {"Officina", u"Luogo"},
                               {"Contatto", u"Contatto"},
                               {"Costo", u"Costo"},
                               {"Note", u"Note"}},
                    .openYear =
                        [](QWidget* screen, const QString& year) {
                          if (auto* s = qobject_cast<TfrmScadenzario*>(screen)) s->openYear(year);
                        }}},
  };
  return m;
}
