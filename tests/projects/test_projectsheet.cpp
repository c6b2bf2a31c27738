// The project sheet: the RTF stream of a filled card against a golden file,
// the escaping of what is typed, the empty card, and writing the file
// through the questions, the safe save and the shell.
#include "projectfixture.h"

#include "archive/paths.h"
#include "projects/projectsheet.h"
#include "faults.h"

#include <QFile>

#include <gtest/gtest.h>


namespace {

// A project with every field filled as a user might type it: blanks around
// values, accents, the euro sign, braces, a backslash, memos of several
// lines, a character the code page lacks, an empty field.
Record filled() {
  return project({
      {"Nome", QStringLiteral("  Villa Bianchi \u00E0 Forl\u00EC  ")},
      {"Codice", QStringLiteral("VB-01")},
      {"Ambito", QStringLiteral("Edilizia")},
      {"Descrizione", QStringLiteral("Ampliamento {lato nord}")},
      {"DataInizio", QStringLiteral("01/02/2026")},
      {"DataScade", QStringLiteral("30/11/2026")},
      {"CostoPrev", QStringLiteral("12500,00")},
      {"Stato", QStringLiteral("In corso")},
      {"Responsabile", QStringLiteral("Arch. Rossi")},
      {"Recapito", QStringLiteral("0543 123456")},
      {"Obiettivi", QStringLiteral("Agibilit\u00E0")},
      {"Questioni", QStringLiteral("C:\\Progetti\\Villa")},
      {"Fasi", QStringLiteral("Rilievo\r\nProgetto\r\nCantiere\r\n")},
      {"Membri", QStringLiteral("Rossi: progetto\r\nNeri: calcoli")},
      {"TotMembri", QStringLiteral("2")},
      {"Materiali", QStringLiteral("Laser \u20AC 1.200")},
      {"Tecniche", QStringLiteral("BIM")},
      {"Espletate", QStringLiteral("Rilievo")},
      {"Svolgere", QStringLiteral("Cantiere")},
      {"Costi", QStringLiteral("Rilievo 1.000 \u20AC\r\n\r\nProgetto 8.000 \u20AC")},
      {"Effettuati", QStringLiteral("1.000 \u20AC")},
      {"Effettuare", QStringLiteral("   ")},
      {"TotCosti", QStringLiteral("1000,00")},
      {"Annotazioni", QStringLiteral("Nota {con graffa}\r\n\u03A9 fine")},
      {"Terminato", QStringLiteral("S\u00EC")},
      {"File01", QStringLiteral("pianta.pdf")},
  });
}

QByteArray paragraph(const char* label, const QByteArray& value) {
  return QByteArray("\\par \\b ") + label + "\\b0\\f1  \\f0 " + value + "\\par";
}

} // namespace

TEST(ProjectSheet, AFilledCardGivesTheGoldenStream) {
  const QByteArray sheet = projectsheet::write(projectsheet::lines(filled()));
  EXPECT_EQ(sheet, fileBytes(QStringLiteral(PROJECT_TEST_DATA "/scheda_progetto.rtf")));
  // one line; the finished mark and the attachments are not written
  EXPECT_FALSE(sheet.contains('\r') || sheet.contains('\n'));
  EXPECT_FALSE(sheet.contains("pianta"));
}

TEST(ProjectSheet, TypedTextCannotBreakTheDocument) {
  struct Case {
    QString value;
    QByteArray written;
  } cases[] = {
      {QStringLiteral("a\\b"), "a\\\\b"},
      {QStringLiteral("}{\\rtf1 \\b x}"), "\\}\\{\\\\rtf1 \\\\b x\\}"},
      {QStringLiteral("uno\r\ndue"), "uno\\par due"},
      {QStringLiteral("uno\ndue\rtre"), "uno\\par due\\par tre"},
      {QStringLiteral("uno\r\n\r\ndue"), "uno\\par \\par due"},
      {QStringLiteral("\u00E0\u20AC\u4E2D"), "\xE0\x80?"},
  };
  for (const Case& c : cases) {
    const std::pair<QString, QString> only[] = {{QStringLiteral("Nome progetto:"), c.value}};
    EXPECT_TRUE(projectsheet::write(only).endsWith("Nome progetto:\\b0\\f1  \\f0 " + c.written + "\\b\\par\\par }"))
        << c.written.constData();
  }
}

TEST(ProjectSheet, AnEmptyCardHasEveryLabelAndNoValue) {
  Record empty(TRecProgetto());
  const QByteArray sheet = projectsheet::write(projectsheet::lines(empty));
  QByteArray expected = "\\par \\pard\\f0\\fs20 Nome progetto:\\b0\\f1  \\f0 \\par";
  for (const char* label :
       {"Codice identificativo:", "Ambito:", "Descrizione sintetica:", "Data inizio:", "Data scadenza:",
        "Costo preventivato:", "Stato avanzamento:", "Responsabile:", "Telefono preferenziale:", "Obiettivi finali:",
        "Questioni in sospeso:", "Fasi previste:", "Membri del team e compiti assegnati:", "Totale partecipanti:",
        "Materiali e strumenti:", "Tecniche di lavoro:", "Compiti espletati:", "Compiti da svolgere:",
        "Elenco costi preventivati:", "Pagamenti effettuati:", "Pagamenti da effettuare:",
        "Totale importi versati alla data attuale:"})
    expected += paragraph(label, {});
  expected += "\\par \\b Annotazioni:\\b0\\f1  \\f0 \\b\\par\\par }";
  EXPECT_TRUE(sheet.endsWith(expected));
  EXPECT_TRUE(sheet.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040{\\fonttbl{\\f0\\fnil\\fcharset0 Verdana;}"
                               "{\\f1\\fnil Verdana;}}{\\colortbl ;\\red0\\green0\\blue0;}\\viewkind4\\uc1\\pard\\qc\\cf1"
                               "\\b\\f0\\fs24 SCHEDA RIEPILOGATIVA PROGETTO\\f1\\fs16\\par \\fs24 " +
                               QByteArray(48, '_') + "\\par\\par \\pard"));
}

class SheetFile : public ::testing::Test {
protected:
  TempProgramFolder folder;
  RecordingMessages messages;
  RecordingShell shell;
  QString path = folder.path(QStringLiteral("Scheda_Progetto.rtf"));
  const QString confirm = QStringLiteral(
      "Questa procedura esporterà la scheda del progetto corrente in un documento in formato RTF.\r\n\r\n"
      "Si conferma la creazione del file?");
  const QString done = QStringLiteral("Il file RTF è stato creato con successo.\r\n\r\nSi vuole aprire il documento?");
};

TEST_F(SheetFile, QuestionsWriteAndOpen) {
  // No to the first question: nothing is written
  messages.answers = {false};
  EXPECT_FALSE(projectsheet::exportSheet(filled()));
  EXPECT_FALSE(QFile::exists(path));
  ASSERT_EQ(messages.shown.size(), size_t(1));
  EXPECT_EQ(messages.shown[0].text, confirm);

  // Yes, then No to opening it
  messages.clear();
  messages.answers = {true, false};
  EXPECT_TRUE(projectsheet::exportSheet(project({{"Nome", QStringLiteral("Primo")}})));
  EXPECT_TRUE(fileBytes(path).contains("Primo"));
  ASSERT_EQ(messages.shown.size(), size_t(2));
  EXPECT_EQ(messages.shown[1].kind, MessageKind::Question);
  EXPECT_EQ(messages.shown[1].text, done);
  EXPECT_TRUE(shell.opened.empty());

  // a second run replaces the sheet, and Yes opens it
  messages.answers = {true, true};
  EXPECT_TRUE(projectsheet::exportSheet(filled()));
  EXPECT_EQ(fileBytes(path), projectsheet::write(projectsheet::lines(filled())));
  ASSERT_EQ(shell.opened.size(), size_t(1));
  EXPECT_EQ(shell.opened[0], path);
}

TEST_F(SheetFile, AFailedWriteKeepsThePreviousSheetAndSaysWhy) {
  messages.answers = {true, false};
  ASSERT_TRUE(projectsheet::exportSheet(project({{"Nome", QStringLiteral("Primo")}})));
  const QByteArray before = fileBytes(path);

  messages.clear();
  messages.answers = {true, true};
  bool written = true;
  {
    const FileSizeLimit full(100); // the disk refuses anything past 100 bytes
    written = projectsheet::exportSheet(filled());
  }

  EXPECT_FALSE(written);
  EXPECT_EQ(fileBytes(path), before);
  ASSERT_EQ(messages.shown.size(), size_t(2)); // the question and the failure, not the offer to open
  EXPECT_EQ(messages.last().kind, MessageKind::Plain);
  const QString failure = QStringLiteral(
      "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il documento non sia già aperto.");
  EXPECT_TRUE(messages.lastText().startsWith(failure + QStringLiteral("\n\r\n\r")));
  EXPECT_GT(messages.lastText().size(), failure.size() + 4); // the system's reason follows
  EXPECT_TRUE(shell.opened.empty());
}
