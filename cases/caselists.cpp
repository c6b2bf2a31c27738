#include "caselists.h"

#include "pratica.h"

#include "common/modules.h"

namespace {

using lists::CallerTarget;

const std::vector<lists::LineColumn>& caseLine() {
  static const std::vector<lists::LineColumn> line = {{QString(), "Oggetto", 42},
                                                      {QStringLiteral("  Prot. "), "Protocollo", 16},
                                                      {QStringLiteral("  Data: "), "Apertura", 10},
                                                      {QStringLiteral("  "), "Cliente", 28},
                                                      {QStringLiteral("  Tel. "), "Recapito", 14},
                                                      {QStringLiteral("  "), "Stato", 0}};
  return line;
}

// The case card receives the whole record and its position.
CallerTarget caseCard(const QString& tag) { return {tag, QStringLiteral("TfrmPratica"), true, {}}; }

} // namespace

const lists::ListDescription& caseSearchList() {
  static lists::ListDescription d{
      .screen = QStringLiteral("TfrmTrovaPratica"),
      .caption = QStringLiteral(" Trova pratiche in archivio"),
      .printTitle = QStringLiteral("Riepilogo Pratiche"),
      .path = lists::ArchivePath::of(caseArchive()),
      .criteria =
          {
              {QStringLiteral("txtOggetto"), QStringLiteral("Oggetto pratica:"), "Oggetto"},
              {QStringLiteral("txtTipologia"), QStringLiteral("Tipologia:"), "Tipologia"},
              {QStringLiteral("txtProtocollo"), QStringLiteral("Protocollo n."), "Protocollo"},
              {QStringLiteral("txtApertura"), QStringLiteral("Data apertura (gg/mm/aaaa):"), "Apertura"},
              {QStringLiteral("txtStato"), QStringLiteral("Stato avanzamento:"), "Stato"},
              {QStringLiteral("txtDocumenti"), QStringLiteral("Documenti principali:"), "Documenti"},
              {QStringLiteral("txtCliente"), QStringLiteral("Cliente:"), "Cliente"},
              {QStringLiteral("txtCodFisc"), QStringLiteral("Codice fiscale:"), "CodFisc"},
              {QStringLiteral("txtConsulente"), QStringLiteral("Consulente o curatore:"), "Consulente"},
              {QStringLiteral("txtNote"), QStringLiteral("Note:"), "Note"},
          },
      .condition = {},
      .line = caseLine(),
      .targets = {},
  };
  // the case card itself, then the cards the modules say receive a case
  d.targets = {caseCard(QStringLiteral("pratica"))};
  for (const CallerTarget& t : modules::receivers(modules::Sender::Case)) d.targets.push_back(t);
  return d;
}

const lists::ListDescription& urgentList() {
  static const lists::ListDescription d{
      .screen = QStringLiteral("TfrmUrgenti"),
      .caption = QStringLiteral(" Riepilogo pratiche urgenti"),
      .printTitle = QStringLiteral("Riepilogo Pratiche Urgenti"),
      .path = lists::ArchivePath::of(caseArchive()),
      .criteria = {},
      .condition = lists::flagIs(TRecPratica(), "Urgente", fieldtext::yes()),
      .line = caseLine(),
      .targets = {caseCard(QString())},
  };
  return d;
}

const grids::GridDescription& caseExport() {
  auto col = [](const char* caption, int width, std::string_view field) {
    return xls::ExportColumn{QString::fromUtf8(caption), QString::fromUtf8(caption), width, {field}};
  };
  static const grids::GridDescription d{
      .screen = QStringLiteral("TfrmExpPratiche"),
      .caption = QStringLiteral(" Esporta archivio pratiche in Microsoft Excel"),
      .helpTopic = HelpTopic::EsportaPratiche,
      .archive = caseArchive(),
      .columns =
          {
              col("Oggetto pratica", 400, "Oggetto"),
              col("Tipologia", 250, "Tipologia"),
              col("Protocollo n.", 200, "Protocollo"),
              col("Data apertura", 200, "Apertura"),
              col("Data chiusura", 200, "Chiusura"),
              col("Stato avanzamento", 250, "Stato"),
              col("Documenti principali", 400, "Documenti"),
              col("Uffici interessati", 400, "Uffici"),
              col("Consulente o curatore", 250, "Consulente"),
              col("Cliente", 250, "Cliente"),
              col("Recapito preferenziale", 250, "Recapito"),
              col("Via e numero civico", 250, "IndirizzoRes"),
              col("Comune di residenza", 250, "ComuneRes"),
              col("Prov.", 120, "ProvRes"),
              col("CAP", 120, "CapRes"),
              col("Codice fiscale", 250, "CodFisc"),
              col("Partita IVA", 200, "PartitaIva"),
              col("Pagamenti saldati", 400, "Saldati"),
              col("Pagamenti da effettuare", 400, "Sospesi"),
              col("Note", 400, "Note"),
          },
      .file = QStringLiteral("Pratiche.xls"),
      .worksheet = QStringLiteral("Riepilogo Pratiche"),
  };
  return d;
}
