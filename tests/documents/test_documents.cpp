// The document record on disk, the checks before a save, the list line,
// what the searches and the summary pick, and the printed card.
#include "archive/archivio.h"
#include "archive/cp1252.h"
#include "archive/record.h"
#include "documents/documentlists.h"
#include "documents/documento.h"
#include "seed.h"
#include "support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The layout as the record file has always had it: field, width, offset.
struct Slot {
  const char* field;
  int width;
  int offset;
};
constexpr Slot kSlots[] = {
    {"Documento", 120, 0}, {"Protocollo", 30, 121}, {"Produttore", 50, 152}, {"IndirizzoPro", 120, 203},
    {"DataPro", 10, 324}, {"Destinatario", 50, 335}, {"IndirizzoDes", 120, 386}, {"DataDes", 10, 507},
    {"Oggetto", 250, 518}, {"Tipo", 50, 769}, {"Classificazione", 50, 820}, {"Fascicolo", 120, 871},
    {"Formato", 50, 992}, {"Pagine", 30, 1043}, {"Allegati", 250, 1074}, {"Riferimenti", 250, 1325},
    {"Livello", 50, 1576}, {"Software", 50, 1627}, {"Luogo", 50, 1678}, {"Soggetti", 250, 1729},
    {"Note", 250, 1980}, {"Copia", 250, 2231}, {"DaCompletare", 2, 2482}, {"File01", 250, 2485},
    {"File02", 250, 2736}, {"File03", 250, 2987}, {"Desc01", 250, 3238}, {"Desc02", 250, 3489},
    {"Desc03", 250, 3740},
};

// A str field written by hand: the length byte, the characters, then
// bytes that mean nothing.
void put(QByteArray& bytes, int offset, int width, const QByteArray& value) {
  std::memset(bytes.data() + offset + 1, 'x', size_t(width));
  bytes[offset] = char(value.size());
  std::memcpy(bytes.data() + offset + 1, value.constData(), size_t(value.size()));
}

Record document(const QString& name, const QString& date, const QString& producer, const QString& addressee = {},
                const QString& protocol = {}) {
  Record r(TRecDocumento());
  r.set("Documento", name);
  r.set("DataPro", date);
  r.set("Produttore", producer);
  r.set("Destinatario", addressee);
  r.set("Protocollo", protocol);
  r.setFlag("DaCompletare", false);
  return r;
}

} // namespace

TEST(Documento, LayoutMatchesTheRecordFile) {
  const RecordLayout& l = TRecDocumento();
  ASSERT_EQ(l.fieldCount(), 29);
  EXPECT_EQ(l.size(), 3991);
  for (int i = 0; i < l.fieldCount(); ++i) {
    EXPECT_EQ(l.field(i).name, kSlots[i].field) << i;
    EXPECT_EQ(l.field(i).width, kSlots[i].width) << kSlots[i].field;
    EXPECT_EQ(l.offset(i), kSlots[i].offset) << kSlots[i].field;
  }
  EXPECT_EQ(documentArchive().fixedName, QStringLiteral("Archivio_Documenti.pro"));
}

// A record written by hand at the file's offsets reads back field by field,
// and the same record encoded gives the same significant bytes.
TEST(Documento, RecordBytesReadBackAtTheirOffsets) {
  QByteArray bytes(3991, '\0');
  Record expected(TRecDocumento());
  for (const Slot& s : kSlots) {
    QString value = QStringLiteral("%1 è").arg(QLatin1String(s.field));
    if (s.width == 2) value = QStringLiteral("S\u00EC");
    if (value.size() > s.width) value.truncate(s.width);
    expected.set(s.field, value);
    put(bytes, s.offset, s.width, cp1252::encode(value));
  }
  // a field filled to its width, and the last byte of the record
  const QString full(250, QLatin1Char('z'));
  expected.set("Desc03", full);
  put(bytes, 3740, 250, full.toLatin1());
  EXPECT_EQ(quint8(bytes[3990]), quint8('z'));

  const Record read = decode(TRecDocumento(), bytes.constData());
  for (const Slot& s : kSlots) EXPECT_EQ(read[s.field], expected[s.field]) << s.field;
  EXPECT_EQ(read["DaCompletare"], fieldtext::yes());

  const QByteArray encoded = encode(expected);
  ASSERT_EQ(encoded.size(), 3991);
  for (const Slot& s : kSlots) {
    const int length = quint8(bytes[s.offset]);
    EXPECT_EQ(encoded.mid(s.offset, 1 + length), bytes.mid(s.offset, 1 + length)) << s.field;
  }
  EXPECT_EQ(encoded.mid(2482, 3), QByteArray("\x02S\xEC"));
}

TEST(Documento, SaveNeedsNameProducerAndProductionDateInThatOrder) {
  Record r(TRecDocumento());
  const struct {
    const char* fill;
    const char* field;
    const char* message;
  } steps[] = {
      {"Documento", "Documento", "Attenzione: per salvare la scheda è necessario indicare il nome del documento."},
      {"Produttore", "Produttore",
       "Attenzione: per salvare la scheda è necessario indicare il nome del produttore del documento."},
      {"DataPro", "DataPro",
       "Attenzione: per salvare la scheda è necessario indicare la data di produzione del documento."},
  };
  r.set("Protocollo", QStringLiteral("7")); // other fields do not count
  for (const auto& s : steps) {
    const auto failure = documentRules().check(r);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->field, s.field);
    EXPECT_EQ(failure->message, QString::fromUtf8(s.message));
    EXPECT_EQ(failure->kind, MessageKind::Warning);
    r.set(s.fill, QStringLiteral("   ")); // blanks are not a value
    ASSERT_TRUE(documentRules().check(r));
    r.set(s.fill, s.fill == std::string_view("DataPro") ? QStringLiteral("05/03/2026") : QStringLiteral("x"));
  }
  EXPECT_FALSE(documentRules().check(r));
  // either date, when given, must be a day that exists
  for (const char* field : {"DataPro", "DataDes"}) {
    Record wrong = r;
    wrong.set(field, QStringLiteral("31/04/2026"));
    const auto failure = documentRules().check(wrong);
    ASSERT_TRUE(failure) << field;
    EXPECT_EQ(failure->field, std::string_view(field));
    EXPECT_EQ(failure->kind, MessageKind::Plain);
    EXPECT_TRUE(failure->message.startsWith(QStringLiteral("Attenzione: la data 31/04/2026 non esiste."))) << field;
  }
}

TEST(DocumentLists, LineColumnsAndTheRecordBehindIt) {
  const lists::LineBuilder line(TRecDocumento(), documentSearchList().line);
  Record r = document(QStringLiteral("  Relazione tecnica sul consolidamento delle fondazioni  "),
                      QStringLiteral("10/12/2026"), QStringLiteral("Studio Bianchi"), QStringLiteral("Comune di Forlì"),
                      QStringLiteral(" 2026/15 "));
  EXPECT_EQ(line(encode(r).constData()),
            QStringLiteral("Relazione tecnica sul consolidamento del  Data: 10/12/2026  Da: Studio Bianchi") +
                QString(16, QLatin1Char(' ')) + QStringLiteral("  A: Comune di Forlì") + QString(15, QLatin1Char(' ')) +
                QStringLiteral("  Prot. n. 2026/15"));
  // the summary shows the same line
  EXPECT_EQ(lists::LineBuilder(TRecDocumento(), toCompleteList().line)(encode(r).constData()),
            line(encode(r).constData()));
}

// The summary lists the documents marked "Sì" exactly, in file order, and
// the search finds a month of production typed as mm/yyyy.
TEST(DocumentLists, SummaryAndSearchPickTheirDocuments) {
  TempProgramFolder folder;
  {
    Record verbale = document(QStringLiteral("Verbale"), QStringLiteral("03/12/2026"), QStringLiteral("Rossi"));
    verbale.setFlag("DaCompletare", true);
    const Record circolare =
        document(QStringLiteral("Circolare"), QStringLiteral("12/11/2026"), QStringLiteral("Ministero"));
    Record marked = circolare;
    marked.set("DaCompletare", QStringLiteral("s\u00EC"));
    Record delibera = document(QStringLiteral("Delibera"), QStringLiteral("28/12/2026"), QStringLiteral("Regione"));
    delibera.set("DaCompletare", QStringLiteral(" S\u00EC "));
    seed::append(documentArchive(), {verbale, circolare, marked, delibera});
  }
  const QString path = documentArchive().fixedPath();
  const lists::ListRows open = lists::summary(toCompleteList(), path);
  ASSERT_EQ(open.size(), size_t(2));
  EXPECT_EQ(open[0].position, 1);
  EXPECT_EQ(open[1].position, 4);

  auto found = [&](const QStringList& typed) {
    std::vector<RecordPosition> positions;
    for (const lists::ListEntry& e : lists::search(documentSearchList(), path, typed)) positions.push_back(e.position);
    return positions;
  };
  QStringList typed(10);
  typed[3] = QStringLiteral("12/2026"); // Data produzione
  EXPECT_EQ(found(typed), (std::vector<RecordPosition>{1, 4}));
  typed[2] = QStringLiteral("REG"); // and Produttore
  EXPECT_EQ(found(typed), (std::vector<RecordPosition>{4}));
  EXPECT_EQ(found(QStringList(10)), (std::vector<RecordPosition>{1, 2, 3, 4}));
}

// The printed card: the 21 described fields as the card shows them, the
// whole name however long; the scanned copy, the mark and the attachments
// stay off the page.
TEST(DocumentPrint, TheDescribedFieldsAsShown) {
  const FormPrintDescription& d = documentPrint();
  EXPECT_EQ(d.screen, QStringLiteral("TfrmStampaAltri"));
  EXPECT_EQ(d.title, QStringLiteral("SCHEDA RIASSUNTIVA DEL DOCUMENTO"));
  Record r = document(QString(120, QLatin1Char('n')), QStringLiteral("01/02/2026"), QStringLiteral(" Rossi "));
  r.set("Note", QStringLiteral("  ultima  "));
  r.set("Copia", QStringLiteral("scansione.pdf"));
  r.set("File01", QStringLiteral("allegato.pdf"));
  const std::vector<FormField> form = expandForm(d, r);
  ASSERT_EQ(form.size(), size_t(21));
  EXPECT_EQ(form.front().label, QStringLiteral("Documento:"));
  EXPECT_EQ(form.front().name, QStringLiteral("txtDocumento"));
  EXPECT_EQ(form.front().value, QString(120, QLatin1Char('n')));
  EXPECT_EQ(form[2].value, QStringLiteral("Rossi"));
  EXPECT_EQ(form.back().name, QStringLiteral("txtNote"));
  EXPECT_EQ(form.back().value, QStringLiteral("ultima"));
  for (const FormField& f : form) {
    EXPECT_NE(f.value, QStringLiteral("scansione.pdf"));
    EXPECT_NE(f.value, QStringLiteral("allegato.pdf"));
    EXPECT_NE(f.value, fieldtext::no());
  }
}
