// The report templates of the program and the calls that fill them, laid
// out by the report engine (engines/). Screens print with one call and hand
// the result to report::output() (engines/screens/reportoutput.h):
//   card(title, rows, footer)      a card: title, up to 24 (title, value) rows, footer
//   list(title, lines)             a list or search screen: title and its lines
//   form(name, title, fields, footer), caseDocuments(header, lines, footer)
// Unfilled boxes print their placeholder (the box name), except the unused
// card rows, which card() and blankUnusedRows() set to " ".
#pragma once

#include "common/lists.h"
#include "common/printrows.h"

#include "engines/reporttemplate.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace report {

// "Stampa eseguita in data dd/mm/yyyy alle ore hh:mm:ss", from the clock seam.
QString printedAtText();

// ---- The card (one record of the client, case and deadline cards) ----
inline constexpr int kCardRows = 24;
inline const QString kCardReportName = QStringLiteral("Scheda informativa");
QString cardTitleName(int row);  // "titCampo01" .. "titCampo24"
QString cardValueName(int row);  // "txtCampo01" .. "txtCampo24"

// Portrait A4: imgLogo, txtTitolo, linSepara01, 24 rows, linSepara02, txtCalce.
Report cardTemplate();
// Rows after the first `usedRows` get " " as title and value.
void blankUnusedRows(Report& card, int usedRows);

// (title, value): the field label with its colon, the field as shown, trimmed.
using CardRow = std::pair<QString, QString>;
// The card template filled: txtTitolo, the rows in order (extra rows beyond
// 24 are ignored, missing ones blank), txtCalce.
Report card(const QString& title, const std::vector<CardRow>& rows, const QString& footer);

// ---- The document list of a case (a card variant with 8 + 32 rows) ----
inline constexpr int kCaseDocuments = 32;
struct CaseField {
  QString caption;
  QString name;  // the value box, named after the case card's edit
};
// txtOggetto, txtTipologia, txtProtocollo, txtApertura, txtStato,
// txtConsulente, txtCliente, txtRecapito with their captions.
const std::vector<CaseField>& caseHeader();
QString caseDocumentTitleName(int row);  // "titDocumento01" .. "titDocumento32"
QString caseDocumentValueName(int row);  // "txtDoc01" .. "txtDoc32"
Report caseDocumentsTemplate();
// header: the 8 case values in caseHeader() order; documents: up to 32 lines.
Report caseDocuments(const QStringList& header, const QStringList& documents, const QString& footer);

// ---- The field form (print screens of protocol, documents, movements) ----
struct FormRow {
  QString label;  // fixed text of the row
  QString name;   // the value box
};
// Header box and titArcataSup, one row per entry, the separator down to the
// last row, the footer box and txtCalce just below the last row. A value
// longer than its row prints whole, wrapped inside its row, which grows by
// the lines it takes; the rows below move down with it.
Report formTemplate(const QString& reportName, const std::vector<FormRow>& rows);

// The fields come from a print description (printrows.h).
Report form(const QString& reportName, const QString& title, const std::vector<FormField>& fields,
            const QString& footer);

// ---- The list (every list and search screen that prints, the cash book) ----
inline const QString kListReportName = QStringLiteral("Riepilogo dati");
// Landscape A4: ReportTitle (txtTitolo), MasterData (txtRiepilogo), Footer
// (txtPagina "Stampa eseguita in data [DATE]", the engine writing the print
// date that list() takes from the clock, and on its right txtNumeroPagina
// "Pagina [PAGE] di [PAGES]"). A list of many pages repeats the title at
// the top of every page and the footer at the foot of every page.
Report listTemplate(const QString& reportName = kListReportName);
// Empties txtRiepilogo, adds the lines in order and sets the heights:
// txtRiepilogo = lines x 12.822 units, MasterData = that + 10 units.
void setListLines(Report& list, const QStringList& lines);
Report list(const QString& title, const QStringList& lines, const QString& reportName = kListReportName);
// The lines of a list screen, as they are shown.
Report shownList(const QString& title, const lists::ListRows& rows, const QString& reportName = kListReportName);

} // namespace report
