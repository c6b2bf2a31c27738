#include "protocollists.h"

#include "protocollo.h"

namespace {

const QString kCard = QStringLiteral("TfrmProtocollo");

// The grid of both the interval summary and the export.
std::vector<xls::ExportColumn> gridColumns() {
  auto col = [](const char* caption, int width, std::string_view field) {
    return xls::ExportColumn{QString::fromUtf8(caption), QString::fromUtf8(caption), width, {field}};
  };
  return {
      col("N. protocollo", 200, "Numero"),
      col("Tipologia posta", 250, "Tipo"),
      col("Data registrazione", 200, "DataReg"),
      col("Ufficio", 250, "Ufficio"),
      col("Operatore", 250, "Operatore"),
      col("Categoria", 250, "Categoria"),
      col("Collocazione documento cartaceo", 300, "Collocazione"),
      col("Oggetto", 300, "Oggetto"),
      col("Data spedizione", 200, "DataSpe"),
      col("Data ricezione", 200, "DataRic"),
      col("Formato", 250, "Formato"),
      col("N. pagine", 200, "Pagine"),
      col("Riferimenti", 300, "Riferimenti"),
      col("Note", 300, "Note"),
      col("Mittente", 250, "Mittente"),
      col("Recapito mittente", 250, "RecapitoMit"),
      col("Destinatario", 250, "Destinatario"),
      col("Recapito destinatario", 250, "RecapitoDes"),
  };
}

} // namespace

const lists::ListDescription& protocolSearchList() {
  static const lists::ListDescription d{
      .screen = QStringLiteral("TfrmTrovaProtocollo"),
      .caption = QStringLiteral(" Trova documenti protocollati"),
      .printTitle = QStringLiteral("Protocollo documenti"),
      .path = lists::ArchivePath::of(protocolArchive(), kCard),
      .criteria =
          {
              {QStringLiteral("txtNumero"), QStringLiteral("N. protocollo:"), "Numero"},
              {QStringLiteral("txtTipologia"), QStringLiteral("Tipologia posta (in entrata, in uscita, interna):"),
               "Tipo"},
              {QStringLiteral("txtDataReg"), QStringLiteral("Data registrazione (gg/mm/aaaa):"), "DataReg"},
              {QStringLiteral("txtOperatore"), QStringLiteral("Operatore:"), "Operatore"},
              {QStringLiteral("txtCategoria"), QStringLiteral("Categoria:"), "Categoria"},
              {QStringLiteral("txtOggetto"), QStringLiteral("Oggetto:"), "Oggetto"},
              {QStringLiteral("txtMittente"), QStringLiteral("Mittente:"), "Mittente"},
              {QStringLiteral("txtDestinatario"), QStringLiteral("Destinatario:"), "Destinatario"},
              {QStringLiteral("txtRiferimenti"), QStringLiteral("Riferimenti:"), "Riferimenti"},
              {QStringLiteral("txtNote"), QStringLiteral("Note:"), "Note"},
          },
      .condition = {},
      .line =
          {
              {QStringLiteral("Prot. n. "), "Numero", 14},
              {QStringLiteral("  Data: "), "DataReg", 10},
              {QStringLiteral("  Posta: "), "Tipo", 10},
              {QStringLiteral("  "), "Oggetto", 35},
              {QStringLiteral("  Da: "), "Mittente", 24},
              {QStringLiteral("  A: "), "Destinatario", 0},
          },
      .targets = {{QStringLiteral("protocollo"), kCard, true, {}}},
  };
  return d;
}

const grids::GridDescription& protocolSummary() {
  static const grids::GridDescription d{
      .screen = QStringLiteral("TfrmRiepProtocollo"),
      .caption = QStringLiteral(" Riepilogo protocollo per intervallo di tempo"),
      .status = QStringLiteral("Riepilogo documenti protocollati in un intervallo di tempo."),
      .helpTopic = HelpTopic::RiepilogoProtocollo,
      .archive = protocolArchive(),
      .fileOfScreen = kCard,
      .columns = gridColumns(),
      .select = grids::dateWithin(TRecProtocollo(), "DataReg"),
      .interval =
          grids::IntervalPanel{
              QStringLiteral("Protocollati dalla data:"),
              QStringLiteral("alla data:"),
              QStringLiteral("Visualizza il riepilogo dei documenti protocollati nell'intervallo di tempo "
                             "selezionato."),
          },
      .file = QStringLiteral("Protocollo.xls"),
      .worksheet = QStringLiteral("Protocollo Documenti"),
  };
  return d;
}

const grids::GridDescription& protocolExport() {
  static const grids::GridDescription d{
      .screen = QStringLiteral("TfrmExpProtocollo"),
      .caption = QStringLiteral(" Esporta protocollo posta in Microsoft Excel"),
      .helpTopic = HelpTopic::EsportaProtocollo,
      .archive = protocolArchive(),
      .fileOfScreen = kCard,
      .columns = gridColumns(),
      .file = QStringLiteral("Protocollo.xls"),
      .worksheet = QStringLiteral("Protocollo Posta"),
  };
  return d;
}

const FormPrintDescription& protocolPrint() {
  auto row = [](const char* label, const char* box, const char* pattern) {
    return FormPrintRow{QString::fromUtf8(label), QLatin1String(box), QLatin1String(pattern)};
  };
  static const FormPrintDescription d{
      QStringLiteral("TfrmStampaProtocollo"),
      QStringLiteral(" Stampa scheda"),
      QStringLiteral("Scheda Protocollo"),
      QStringLiteral("SCHEDA PROTOCOLLO DOCUMENTO"),
      {
          row("Protocollo n.", "txtNumero", "{Numero}"),
          row("Data registrazione:", "txtDataReg", "{DataReg}"),
          row("Ufficio:", "txtUfficio", "{Ufficio}"),
          row("Operatore:", "txtOperatore", "{Operatore}"),
          row("Categoria:", "txtCategoria", "{Categoria}"),
          row("Collocazione cartaceo:", "txtCollocazione", "{Collocazione}"),
          row("Oggetto:", "txtOggetto", "{Oggetto}"),
          row("Data spedizione:", "txtDataSpe", "{DataSpe}"),
          row("Data ricezione:", "txtDataRic", "{DataRic}"),
          row("Formato:", "txtFormato", "{Formato}  -  N. pagine: {Pagine}"),
          row("Riferimenti:", "txtRiferimenti", "{Riferimenti}"),
          row("Mittente:", "txtMittente", "{Mittente}"),
          row("Recapito mittente:", "txtRecapitoMit", "{RecapitoMit}"),
          row("Destinatario:", "txtDestinatario", "{Destinatario}"),
          row("Recapito destinatario:", "txtRecapitoDes", "{RecapitoDes}"),
          row("Note:", "txtNote", "{Note}"),
      },
  };
  return d;
}
