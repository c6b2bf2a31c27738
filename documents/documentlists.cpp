#include "documentlists.h"

#include "documento.h"

namespace {

using lists::CallerTarget;

const std::vector<lists::LineColumn>& documentLine() {
  static const std::vector<lists::LineColumn> line = {{QString(), "Documento", 40},
                                                      {QStringLiteral("  Data: "), "DataPro", 10},
                                                      {QStringLiteral("  Da: "), "Produttore", 30},
                                                      {QStringLiteral("  A: "), "Destinatario", 30},
                                                      {QStringLiteral("  Prot. n. "), "Protocollo", 0}};
  return line;
}

// The document card receives the whole record and its position.
CallerTarget documentCard(const QString& tag) { return {tag, QStringLiteral("TfrmAltri"), true, {}}; }

} // namespace

const lists::ListDescription& documentSearchList() {
  static const lists::ListDescription d{
      .screen = QStringLiteral("TfrmTrovaAltri"),
      .caption = QStringLiteral(" Trova documenti in archivio"),
      .printTitle = QStringLiteral("Riepilogo documenti"),
      .path = lists::ArchivePath::of(documentArchive()),
      .criteria =
          {
              {QStringLiteral("txtDocumento"), QStringLiteral("Documento:"), "Documento"},
              {QStringLiteral("txtProtocollo"), QStringLiteral("Protocollo n."), "Protocollo"},
              {QStringLiteral("txtProduttore"), QStringLiteral("Produttore:"), "Produttore"},
              {QStringLiteral("txtDataPro"), QStringLiteral("Data produzione (gg/mm/aaaa):"), "DataPro"},
              {QStringLiteral("txtDestinatario"), QStringLiteral("Destinatario:"), "Destinatario"},
              {QStringLiteral("txtOggetto"), QStringLiteral("Oggetto:"), "Oggetto"},
              {QStringLiteral("txtTipo"), QStringLiteral("Tipo documento:"), "Tipo"},
              {QStringLiteral("txtClassificazione"), QStringLiteral("Classificazione:"), "Classificazione"},
              {QStringLiteral("txtRiferimenti"), QStringLiteral("Riferimenti:"), "Riferimenti"},
              {QStringLiteral("txtNote"), QStringLiteral("Note:"), "Note"},
          },
      .condition = {},
      .line = documentLine(),
      .targets = {documentCard(QStringLiteral("altri"))},
  };
  return d;
}

const lists::ListDescription& toCompleteList() {
  static const lists::ListDescription d{
      .screen = QStringLiteral("TfrmDaCompletare"),
      .caption = QStringLiteral(" Riepilogo documenti da completare"),
      .printTitle = QStringLiteral("Riepilogo documenti da completare"),
      .path = lists::ArchivePath::of(documentArchive()),
      .criteria = {},
      .condition = lists::flagIs(TRecDocumento(), "DaCompletare", fieldtext::yes()),
      .line = documentLine(),
      .targets = {documentCard(QString())},
      .fillWhenCreated = true,
  };
  return d;
}

const grids::GridDescription& documentExport() {
  auto col = [](const char* caption, int width, std::string_view field) {
    return xls::ExportColumn{QString::fromUtf8(caption), QString::fromUtf8(caption), width, {field}};
  };
  static const grids::GridDescription d{
      .screen = QStringLiteral("TfrmExpAltri"),
      .caption = QStringLiteral(" Esporta archivio documenti in Microsoft Excel"),
      .helpTopic = HelpTopic::EsportaDocumenti,
      .archive = documentArchive(),
      .columns =
          {
              col("Documento", 300, "Documento"),
              col("Protocollo n.", 200, "Protocollo"),
              col("Produttore", 250, "Produttore"),
              col("Indirizzo produttore", 250, "IndirizzoPro"),
              col("Data produzione", 200, "DataPro"),
              col("Destinatario", 250, "Destinatario"),
              col("Indirizzo destinatario", 250, "IndirizzoDes"),
              col("Data ricezione", 200, "DataDes"),
              col("Oggetto", 400, "Oggetto"),
              col("Tipo documento", 250, "Tipo"),
              col("Classificazione", 250, "Classificazione"),
              col("Fascicolo contenitore", 300, "Fascicolo"),
              col("Formato", 250, "Formato"),
              col("N. pagine", 200, "Pagine"),
              col("Allegati", 300, "Allegati"),
              col("Riferimenti", 300, "Riferimenti"),
              col("Livello di riservatezza", 250, "Livello"),
              col("Software di produzione", 250, "Software"),
              col("Luogo conservazione", 250, "Luogo"),
              col("Soggetti citati nel documento", 400, "Soggetti"),
              col("Note", 400, "Note"),
              col("Da completare", 120, "DaCompletare"),
          },
      .file = QStringLiteral("Altri_Documenti.xls"),
      .worksheet = QStringLiteral("Altri Documenti"),
  };
  return d;
}
