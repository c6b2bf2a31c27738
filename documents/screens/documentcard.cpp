#include "documentcard.h"

#include "documents/documento.h"
#include "documents/documentlists.h"

namespace {

using card::command;
using card::edit;

const QString kTag = QStringLiteral("altri");

} // namespace

const CardDescription& TfrmAltri::describe() {
  static const CardDescription d{
      .screen = QStringLiteral("TfrmAltri"),
      .caption = QStringLiteral(" Velarion - Archivio Documenti"),
      .archive = documentArchive(),
      .form =
          {
              .sections =
                  {
                      {QStringLiteral("Documento, produttore e destinatario"), QStringLiteral("documento"), 2,
                       {{edit("Documento", "Documento:").spanning(2)},
                        {edit("Protocollo", "Protocollo n."), edit("Produttore", "Produttore:")},
                        {edit("IndirizzoPro", "Indirizzo produttore:"),
                         card::date("DataPro", "Data produzione:", QStringLiteral("datapro"))},
                        {edit("Destinatario", "Destinatario:"), edit("IndirizzoDes", "Indirizzo destinatario:")},
                        {card::date("DataDes", "Data ricezione:", QStringLiteral("datades"))}}},
                      {QStringLiteral("Descrizione del documento"), QStringLiteral("note"), 2,
                       {{edit("Oggetto", "Oggetto:").spanning(2)},
                        {edit("Tipo", "Tipo documento:"), edit("Classificazione", "Classificazione:")},
                        {edit("Fascicolo", "Fascicolo contenitore del documento:").spanning(2)},
                        {edit("Formato", "Formato:"), edit("Pagine", "N. pagine:")},
                        {edit("Allegati", "Allegati:").spanning(2)},
                        {edit("Riferimenti", "Riferimenti:").spanning(2)},
                        {edit("Livello", "Livello di riservatezza:")},
                        {edit("Software", "Software di produzione del documento:").spanning(2)},
                        {edit("Luogo", "Luogo conservazione originale cartaceo:").spanning(2)},
                        {edit("Soggetti", "Soggetti citati nel documento:").spanning(2)}}},
                      {QStringLiteral("Note e copia digitale"), QStringLiteral("allega"), 2,
                       {{card::check("DaCompletare", "Da completare")},
                        {edit("Note", "Note:").spanning(2)},
                        {card::fileSlot("Copia", "Copia digitale documento:").spanning(2)}}},
                  },
              // the producer's part leads to the addressee's, that to the
              // description; the last chain ends on the scanned copy
              .enterChains = {{card::names({"txtDocumento", "txtProtocollo", "txtProduttore", "txtIndirizzoPro",
                                             "txtDataPro", "txtDestinatario"}),
                               false},
                              {card::names({"txtDestinatario", "txtIndirizzoDes", "txtDataDes", "txtOggetto"}), false},
                              {card::names({"txtOggetto", "txtTipo", "txtClassificazione", "txtFascicolo",
                                            "txtFormato", "txtPagine", "txtAllegati", "txtRiferimenti", "txtLivello",
                                            "txtSoftware", "txtLuogo", "txtSoggetti", "txtNote", "txtCopia"}),
                               false}},
              .tabOrder = card::names({"txtDocumento", "txtProtocollo", "txtProduttore", "txtIndirizzoPro",
                                       "txtDataPro", "txtDestinatario", "txtIndirizzoDes", "txtDataDes", "txtOggetto",
                                       "txtTipo", "txtClassificazione", "txtFascicolo", "txtFormato", "txtPagine",
                                       "txtAllegati", "txtRiferimenti", "txtLivello", "txtSoftware", "txtLuogo",
                                       "txtSoggetti", "chkDaCompletare", "txtNote", "txtCopia", "btnSfoglia",
                                       "btnApri"}),
              .firstFocus = QStringLiteral("txtDocumento"),
              .focusStyle = FocusStyle::Coloured,
          },
      .behaviour =
          {
              // the reachability check of the duplicate warns, where save
              // and navigation report the same failure as an error
              .duplicateFailure = MessageKind::Warning,
              // a copy is a new document with the same description: no
              // scanned copy, no attachments, not marked to complete
              .duplicate = {[] {
                std::vector<FieldValue> reset = {{"Copia"}, {"DaCompletare", fieldtext::no()}};
                for (const FieldValue& v : attachmentsCleared()) reset.push_back(v);
                return reset;
              }()},
              .rules = &documentRules(),
          },
      .commands = {command("cmdNuovo"), command("cmdDuplica"), command("cmdSalva"),
                   command("cmdTrova").opens(documentSearchList(), kTag), command("cmdFile").attaches(kTag),
                   command("cmdStampa").prints(documentPrint()),
                   command("cmdDaCompletare", "Da completare", "elenco").opens(toCompleteList()),
                   command("cmdEsporta").opens(documentExport()), command("cmdGuida"), command("cmdEsci")},
      .hints =
          {
              {QStringLiteral("cmdFile"), card::hints::attach()},
              {QStringLiteral("cmdDaCompletare"),
               QStringLiteral("Visualizza il riepilogo dei documenti non ancora completati.")},
              {QStringLiteral("cmdEsporta"),
               QStringLiteral("Esporta tutte le schede in archivio in un file di Microsoft Excel.")},
              {QStringLiteral("cmdEsci"), card::hints::leave()},
              {QStringLiteral("chkDaCompletare"),
               QStringLiteral("Spunta questa casella per indicare che il documento deve ancora essere completato.")},
          },
      .help = HelpTopic::Documenti,
  };
  return d;
}

TfrmAltri::TfrmAltri(QWidget* parent) : CardEditor(describe(), parent) {
}
