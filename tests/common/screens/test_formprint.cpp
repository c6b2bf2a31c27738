// The print screen of a card: the field form filled from the card's record
// as shown, printed through the report output without preview, then closed.
#include "support.h"
#include "tests/engines/recordingreportoutput.h"

#include "common/screens/formprintscreen.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

const RecordLayout& TRecScheda() {
  static const RecordLayout layout("TRecScheda", {{"Numero", FieldKind::Str, 10},
                                                   {"Formato", FieldKind::Str, 30},
                                                   {"Pagine", FieldKind::Str, 5},
                                                   {"Entrata", FieldKind::Flag, 2},
                                                   {"Saldato", FieldKind::Flag, 2},
                                                   {"Note", FieldKind::Str, 100}});
  return layout;
}

const FormPrintDescription& scheda() {
  static const FormPrintDescription d{
      QStringLiteral("TfrmStampaProva"),
      QStringLiteral(" Stampa scheda"),
      QStringLiteral("Scheda Prova"),
      QStringLiteral("SCHEDA DI PROVA"),
      {{QStringLiteral("Protocollo n."), QStringLiteral("txtNumero"), QStringLiteral("{Numero}")},
       {QStringLiteral("Formato:"), QStringLiteral("txtFormato"), QStringLiteral("{Formato}  -  N. pagine: {Pagine}")},
       {QStringLiteral("Tipo movimento:"), QStringLiteral("txtTipo"), QStringLiteral("{Entrata}"),
        {{QStringLiteral("S\u00EC"), QStringLiteral("Entrata")}, {QStringLiteral("No"), QStringLiteral("Uscita")}}},
       {QStringLiteral("Saldato:"), QStringLiteral("txtSaldato"), QStringLiteral("{Saldato}")},
       {QStringLiteral("Note:"), QStringLiteral("txtNote"), QStringLiteral("{Note}")}},
  };
  return d;
}

// The record as a card would show it: typed, not yet saved.
Record shown(bool income) {
  Record r(TRecScheda());
  r.set("Numero", QStringLiteral(" 27 "));
  r.set("Formato", QStringLiteral("A4 "));
  r.set("Pagine", QStringLiteral("3"));
  r.setFlag("Entrata", income);
  r.setFlag("Saldato", false);
  r.set("Note", QStringLiteral("  Consegnata a mano"));
  return r;
}

QStringList labelTexts(QWidget* w) {
  QStringList out;
  for (QLabel* l : w->findChildren<QLabel*>()) out << l->text();
  return out;
}

} // namespace

class FormPrintTest : public QObject {
  Q_OBJECT

private slots:
  void printsTheShownRecordAndCloses() {
    FixedClock clock(QDate(2026, 3, 4), QTime(8, 5, 9));
    RecordingReportOutput printed;
    struct Case {
      bool income;
      QString kind;
    } cases[] = {{true, QStringLiteral("Entrata")}, {false, QStringLiteral("Uscita")}};
    for (const Case& c : cases) {
      printed.calls.clear();
      int asked = 0;
      FormPrintScreen s(scheda(), [&] {
        ++asked;
        return shown(c.income);
      });
      s.show();
      QCOMPARE(s.objectName(), QStringLiteral("TfrmStampaProva"));
      QCOMPARE(s.windowTitle(), QStringLiteral(" Stampa scheda"));
      QCOMPARE(asked, 0); // the record is taken when printing, as the card then shows it
      QTest::mouseClick(s.findChild<QPushButton*>(QStringLiteral("btnStampa")), Qt::LeftButton);
      QCOMPARE(asked, 1);
      QCOMPARE(s.result(), int(QDialog::Accepted));
      QVERIFY(!s.isVisible());

      QCOMPARE(printed.calls.size(), size_t(1));
      QCOMPARE(int(printed.last().call), int(RecordingReportOutput::Call::Print));
      const report::Report& r = printed.last().report;
      QCOMPARE(r.name(), QStringLiteral("Scheda Prova"));
      QCOMPARE(r.orientation(), QPageLayout::Portrait);
      QCOMPARE(r.text(QStringLiteral("titArcataSup")), QStringLiteral("SCHEDA DI PROVA"));
      QCOMPARE(r.text(QStringLiteral("txtNumero")), QStringLiteral("27"));
      QCOMPARE(r.text(QStringLiteral("txtFormato")), QStringLiteral("A4  -  N. pagine: 3"));
      QCOMPARE(r.text(QStringLiteral("txtTipo")), c.kind);
      QCOMPARE(r.text(QStringLiteral("txtSaldato")), QStringLiteral("No"));
      QCOMPARE(r.text(QStringLiteral("txtNote")), QStringLiteral("Consegnata a mano"));
      QCOMPARE(r.text(QStringLiteral("txtCalce")), QStringLiteral("Stampa eseguita in data 04/03/2026 alle ore 08:05:09"));
      // the labels in order, five rows every 5 mm from 7, the footer just below the last
      const report::Page& page = printed.last().pages.pages.at(0);
      QStringList labels;
      for (const report::Element& e : page.elements)
        if (e.kind == report::Kind::Text && e.name.isEmpty()) labels << e.text;
      QCOMPARE(labels, QStringList({"Protocollo n.", "Formato:", "Tipo movimento:", "Saldato:", "Note:"}));
      QCOMPARE(page.find(QStringLiteral("txtNote"))->rect.top(), 7.5 + 5 * 4);
      QCOMPARE(page.find(QStringLiteral("txtCalce"))->rect.top(), 8.0 + 5 * 5 + 1);
    }
  }

  void annullaClosesWithoutPrinting() {
    RecordingReportOutput printed;
    FormPrintScreen s(scheda(), [] { return shown(true); });
    s.show();
    const QStringList texts = labelTexts(&s);
    QVERIFY(texts.contains(QStringLiteral("Stampa scheda")));
    QVERIFY(texts.contains(QStringLiteral(
        "Questa operazione provveder\u00E0 a stampare la scheda corrente su carta con i dati immessi dall'utente.")));
    QVERIFY(texts.contains(QStringLiteral(
        "Premere il pulsante Stampa per dare avvio alla stampa oppure premere Annulla per annullare l'operazione.")));
    QCOMPARE(s.findChild<QPushButton*>(QStringLiteral("btnAnnulla"))->text(), QStringLiteral("Annulla"));
    QTest::mouseClick(s.findChild<QPushButton*>(QStringLiteral("btnAnnulla")), Qt::LeftButton);
    QCOMPARE(s.result(), int(QDialog::Rejected));
    QVERIFY(printed.empty());
  }

  // The screen and a printed page for a look, when a folder is named.
  void renderWhenAsked() {
    const QString dir = qEnvironmentVariable("VELARION_SHOTS");
    if (dir.isEmpty()) QSKIP("set VELARION_SHOTS to a folder to render the screen and the page");
    RecordingReportOutput printed;
    FormPrintScreen s(scheda(), [] { return shown(false); });
    s.show();
    s.grab().save(dir + QStringLiteral("/stampascheda.png"));
    s.stampa();
    QString error;
    QVERIFY2(report::writePdf(printed.last().pages, dir + QStringLiteral("/stampascheda.pdf"), &error),
             qPrintable(error));
  }
};

QTEST_MAIN(FormPrintTest)
#include "test_formprint.moc"
