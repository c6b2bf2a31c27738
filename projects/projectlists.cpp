#include "projectlists.h"

#include "progetto.h"

#include "common/dates.h"

namespace {

using lists::CallerTarget;

const QString kCard = QStringLiteral("TfrmReferti");

const std::vector<lists::LineColumn>& projectLine() {
  static const std::vector<lists::LineColumn> line = {{QString(), "Nome", 40},
                                                      {QStringLiteral("  Cod. "), "Codice", 26},
                                                      {QStringLiteral("  Inizio: "), "DataInizio", 10},
                                                      {QStringLiteral("  Scad. "), "DataScade", 10},
                                                      {QStringLiteral("  "), "Responsabile", 0},
                                                      {QStringLiteral("  Tel. "), "Recapito", 0}};
  return line;
}

// The project card receives the whole record and its position.
CallerTarget projectCard(const QString& tag) { return {tag, kCard, true, {}}; }

} // namespace

const lists::ListDescription& projectSearchList() {
  static const lists::ListDescription d{
      .screen = QStringLiteral("TfrmTrovaProgetti"),
      .caption = QStringLiteral(" Trova progetti in archivio"),
      .printTitle = QStringLiteral("Riepilogo progetti in archivio"),
      .path = lists::ArchivePath::of(projectArchive(), kCard),
      .criteria =
          {
              {QStringLiteral("txtNome"), QStringLiteral("Nome progetto:"), "Nome"},
              {QStringLiteral("txtCodice"), QStringLiteral("Codice identificativo:"), "Codice"},
              {QStringLiteral("txtAmbito"), QStringLiteral("Ambito:"), "Ambito"},
              {QStringLiteral("txtDescrizione"), QStringLiteral("Descrizione sintetica:"), "Descrizione"},
              {QStringLiteral("txtDataInizio"), QStringLiteral("Data inizio (gg/mm/aaaa):"), "DataInizio"},
              {QStringLiteral("txtDataScade"), QStringLiteral("Data scadenza (gg/mm/aaaa):"), "DataScade"},
              {QStringLiteral("txtStato"), QStringLiteral("Stato avanzamento:"), "Stato"},
              {QStringLiteral("txtResponsabile"), QStringLiteral("Responsabile:"), "Responsabile"},
              {QStringLiteral("txtObiettivi"), QStringLiteral("Obiettivi finali:"), "Obiettivi"},
              {QStringLiteral("txtQuestioni"), QStringLiteral("Questioni in sospeso:"), "Questioni"},
          },
      .condition = {},
      .line = projectLine(),
      .targets = {projectCard(QStringLiteral("referti"))},
  };
  return d;
}

const lists::ListDescription& overdueList() {
  static const lists::ListDescription d{
      .screen = QStringLiteral("TfrmProgettiScaduti"),
      .caption = QStringLiteral(" Riepilogo progetti scaduti non ultimati"),
      .printTitle = QStringLiteral("Riepilogo progetti non ultimati alla data di scadenza"),
      .path = lists::ArchivePath::of(projectArchive(), kCard),
      .criteria = {},
      .condition = [](const char* record) { return overdueVerdict(record, dates::today()); },
      .line = projectLine(),
      .targets = {projectCard(QString())},
  };
  return d;
}

const grids::GridDescription& projectExport() {
  auto col = [](const char* caption, int width, std::string_view field) {
    return xls::ExportColumn{QString::fromUtf8(caption), QString::fromUtf8(caption), width, {field}};
  };
  static const grids::GridDescription d{
      .screen = QStringLiteral("TfrmExpReferti"),
      .caption = QStringLiteral(" Esporta archivio progetti in Microsoft Excel"),
      .helpTopic = HelpTopic::EsportaProgetti,
      .archive = projectArchive(),
      .fileOfScreen = kCard,
      .columns =
          {
              col("Nome progetto", 250, "Nome"),
              col("Codice identificativo", 250, "Codice"),
              col("Ambito", 250, "Ambito"),
              col("Descrizione sintetica", 300, "Descrizione"),
              col("Data inizio", 150, "DataInizio"),
              col("Data scadenza", 150, "DataScade"),
              col("Costo preventivato", 200, "CostoPrev"),
              col("Stato avanzamento", 250, "Stato"),
              col("Responsabile", 250, "Responsabile"),
              col("Telefono preferenziale", 200, "Recapito"),
              col("Obiettivi finali", 350, "Obiettivi"),
              col("Questioni in sospeso", 350, "Questioni"),
              col("Totale membri", 150, "TotMembri"),
              col("Totale versato", 200, "TotCosti"),
              col("Progetto terminato", 150, "Terminato"),
          },
      .file = QStringLiteral("Progetti.xls"),
      .worksheet = QStringLiteral("Riepilogo Progetti"),
  };
  return d;
}
