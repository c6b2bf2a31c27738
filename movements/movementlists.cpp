#include "movementlists.h"

#include "movimento.h"

#include "common/dates.h"

namespace {

const QString kCard = QStringLiteral("TfrmMovimenti");

// Both lists hand the picked movement to the card, whole, at its position.
lists::CallerTarget movementCard(const QString& tag) { return {tag, kCard, true, {}}; }

// The type of a movement as a word, from its income flag.
const ValueWords& typeWords() {
  static const ValueWords w = {{fieldtext::yes(), QStringLiteral("Entrata")}, {fieldtext::no(), QStringLiteral("Uscita")}};
  return w;
}

} // namespace

const std::vector<lists::LineColumn>& movementLine() {
  static const std::vector<lists::LineColumn> line = {{QString(), "Causale", 40},
                                                      {QStringLiteral("  Scad. "), "DataSca", 10},
                                                      {QStringLiteral("  Da: "), "Pagatore", 30},
                                                      {QStringLiteral("  A: "), "Beneficiario", 30},
                                                      {QStringLiteral("  Importo: "), "Totale", 0}};
  return line;
}

const lists::ListDescription& movementSearchList() {
  static const lists::ListDescription d{
      .screen = QStringLiteral("TfrmTrovaMovimenti"),
      .caption = QStringLiteral(" Trova movimenti in archivio"),
      .printTitle = QStringLiteral("Riepilogo movimenti in archivio"),
      .path = lists::ArchivePath::of(movementArchive(), kCard),
      .criteria =
          {
              {QStringLiteral("txtData"), QStringLiteral("Data operazione (gg/mm/aaaa):"), "Data"},
              {QStringLiteral("txtDataSca"), QStringLiteral("Data scadenza (gg/mm/aaaa):"), "DataSca"},
              {QStringLiteral("txtCausale"), QStringLiteral("Causale:"), "Causale"},
              {QStringLiteral("txtPromemoria"), QStringLiteral("Promemoria:"), "Promemoria"},
              {QStringLiteral("txtPagatore"), QStringLiteral("Pagatore:"), "Pagatore"},
              {QStringLiteral("txtCategoria"), QStringLiteral("Categoria:"), "Categoria"},
              {QStringLiteral("txtBeneficiario"), QStringLiteral("Beneficiario:"), "Beneficiario"},
              {QStringLiteral("txtRicevuta"), QStringLiteral("CRO / Ricevuta n."), "Ricevuta"},
              {QStringLiteral("txtTariffa"), QStringLiteral("Tariffa applicata:"), "Tariffa"},
              {QStringLiteral("txtNote"), QStringLiteral("Note:"), "Note"},
          },
      .condition = {},
      .line = movementLine(),
      .targets = {movementCard(QStringLiteral("movimenti"))},
  };
  return d;
}

const lists::ListDescription& fallingDueList() {
  static const lists::ListDescription d{
      .screen = QStringLiteral("TfrmSospesiMov"),
      .caption = QStringLiteral(" Riepilogo pagamenti in scadenza o scaduti"),
      .printTitle = QStringLiteral("Riepilogo pagamenti in scadenza o scaduti e non saldati"),
      .path = lists::ArchivePath::of(movementArchive(), kCard),
      .criteria = {},
      .condition = [](const char* record) { return movement::fallingDue(record, dates::today()); },
      .line = movementLine(),
      .targets = {movementCard(QString())},
  };
  return d;
}

const std::vector<xls::ExportColumn>& movementExportColumns() {
  auto col = [](const char* caption, int width, std::string_view field) {
    return xls::ExportColumn{QString::fromUtf8(caption), QString::fromUtf8(caption), width, {field}};
  };
  static const std::vector<xls::ExportColumn> columns = {
      {QStringLiteral("Tipo movimento"), QStringLiteral("Tipo movimento"), 150, {"Entrata"}, typeWords()},
      col("Data operazione", 180, "Data"),
      col("Causale", 300, "Causale"),
      col("Promemoria", 300, "Promemoria"),
      col("Data scadenza", 180, "DataSca"),
      col("Giorni preavviso", 150, "Preavviso"),
      col("Importo in euro", 150, "Totale"),
      col("Pagatore", 250, "Pagatore"),
      col("Recapito", 250, "RecapitoPag"),
      col("Codice fiscale", 200, "CodFisc"),
      col("Partita IVA", 180, "PartitaIva"),
      col("Categoria", 250, "Categoria"),
      col("E-mail", 250, "Email"),
      col("Modalit\u00E0 pagamento", 250, "Pagamento"),
      col("Beneficiario", 250, "Beneficiario"),
      col("Recapito", 250, "RecapitoBen"),
      col("CRO o Ricevuta n.", 250, "Ricevuta"),
      col("Note", 300, "Note"),
      col("Tariffa applicata", 250, "Tariffa"),
      col("Saldato", 120, "Saldato"),
  };
  return columns;
}

const grids::GridDescription& movementExport() {
  static const grids::GridDescription d{
      .screen = QStringLiteral("TfrmExpMovimenti"),
      .caption = QStringLiteral(" Esporta archivio movimenti in Microsoft Excel"),
      .helpTopic = HelpTopic::EsportaMovimenti,
      .archive = movementArchive(),
      .fileOfScreen = kCard,
      .columns = movementExportColumns(),
      .file = QStringLiteral("Movimenti.xls"),
      .worksheet = QStringLiteral("Riepilogo annuale movimenti"),
  };
  return d;
}

const FormPrintDescription& movementPrintForm() {
  auto row = [](const char* label, const char* field) {
    return FormPrintRow{QString::fromUtf8(label), QStringLiteral("txt") + QLatin1String(field),
                        QLatin1Char('{') + QLatin1String(field) + QLatin1Char('}')};
  };
  static const FormPrintDescription d{
      QStringLiteral("TfrmStampaMovimento"),
      QStringLiteral(" Stampa scheda corrente"),
      QStringLiteral("Scheda Movimento"),
      QStringLiteral("SCHEDA INFORMATIVA MOVIMENTO"),
      {
          {QStringLiteral("Tipo movimento:"), QStringLiteral("txtTipo"), QStringLiteral("{Entrata}"), typeWords()},
          row("Data operazione:", "Data"),
          row("Causale:", "Causale"),
          row("Promemoria:", "Promemoria"),
          row("Data scadenza:", "DataSca"),
          row("Giorni preavviso:", "Preavviso"),
          row("Importo in euro:", "Importo"),
          row("Pagatore:", "Pagatore"),
          row("Recapito:", "RecapitoPag"),
          row("Codice fiscale:", "CodFisc"),
          row("Partita IVA:", "PartitaIva"),
          row("Categoria:", "Categoria"),
          row("E-mail:", "Email"),
          row("Modalit\u00E0 pagamento:", "Pagamento"),
          row("Beneficiario:", "Beneficiario"),
          row("Recapito:", "RecapitoBen"),
          row("CRO / Ricevuta n.", "Ricevuta"),
          row("Note:", "Note"),
          row("Tariffa applicata:", "Tariffa"),
          row("Saldato:", "Saldato"),
      },
  };
  return d;
}
