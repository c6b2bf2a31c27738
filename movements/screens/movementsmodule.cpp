#include "movementsmodule.h"

#include "common/screens/screenkit.h"
#include "common/screens/yearscreen.h"
#include "movements/movimento.h"
#include "movements/movementlists.h"
#include "movementcard.h"

const modules::Module& movementsModule() {
  static const modules::Module m{
      .tile = {"imgMovimenti", "btnMovimenti", "Entrate e Uscite", "TfrmMenuMovimenti", "movimenti"},
      .archives = {movementArchive()},
      .help = HelpTopic::Movimenti,
      .calendar = {{"movimenti_data", "TfrmMovimenti", "txtData"},
                   {"movimenti_scadenza", "TfrmMovimenti", "txtDataSca"}},
      .attachments = modules::AttachmentOwner{"TfrmMovimenti", "cmdFile", "movimenti"},
      .year = modules::YearRow{u" Velarion - Entrate e Uscite", u"Registro movimenti:",
                               u"In questo ambiente \u00E8 possibile registrare i movimenti di denaro in entrata e "
                               u"in uscita.",
                               "TfrmMovimenti", u" Velarion - Entrate e uscite anno ", "movimenti"},
      .receives = {{modules::Sender::Client,
                    {QStringLiteral("movimenti_pagatore"),
                     QStringLiteral("TfrmMovimenti"),
                     false,
                     {{QStringLiteral("txtPagatore"), "Cliente"},
                      {QStringLiteral("txtRecapitoPag"), "Recapito"},
                      {QStringLiteral("txtCodFisc"), "CodFisc"},
                      {QStringLiteral("txtPartitaIva"), "PartitaIva"},
                      {QStringLiteral("txtEmail"), "Email"}}}},
                   {modules::Sender::Client,
                    {QStringLiteral("movimenti_beneficiario"),
                     QStringLiteral("TfrmMovimenti"),
                     false,
                     {{QStringLiteral("txtBeneficiario"), "Cliente"}, {QStringLiteral("txtRecapitoBen"), "Recapito"}}}}},
      .create = []() -> QWidget* {
        screenkit::ScreenSet::add(new TfrmMovimenti());
        return yearscreens::yearScreen(movementsModule());
      },
      .card = TfrmMovimenti::describe,
      .searched = {{.list = movementSearchList,
                    .fields = {{"Causale", u"Causale"},
                               {"Pagatore", u"Pagatore"},
                               {"RecapitoPag", u"Recapito del pagatore"},
                               {"CodFisc", u"Codice fiscale"},
                               {"PartitaIva", u"Partita IVA"},
                               {"Beneficiario", u"Beneficiario"},
                               {"RecapitoBen", u"Recapito del beneficiario"},
                               {"Importo", u"Importo"},
                               {"Pagamento", u"Pagamento"},
                               {"Ricevuta", u"Ricevuta"},
                               {"Note", u"Note"}}}},
  };
  return m;
}
