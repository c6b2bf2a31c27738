// The search of the whole studio as logic: the fold of accents and case,
// and a search over a program folder with every application filled.
#include "studiofolder.h"
#include "support.h"

#include "app/shell/screens/applications.h"
#include "archive/cp1252.h"
#include "common/accentfold.h"
#include "common/studiosearch.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <map>

using SearchRun = studiosearch::Run;

namespace {

// ---- the fold ----

TEST(AccentFold, FoldsEachByteAsAnItalianReads) {
  const struct {
    unsigned char byte;
    char folded;
  } cases[] = {
      {'A', 'a'},
      {'Z', 'z'},
      {'a', 'a'},
      {'0', '0'},
      {' ', ' '},
      {'\'', '\''},
      {',', ','},
      {'.', '.'},
      {0xE0, 'a'},
      {0xC0, 'a'},
      {0xE8, 'e'},
      {0xE9, 'e'},
      {0xC8, 'e'},
      {0xC9, 'e'},
      {0xEC, 'i'},
      {0xCC, 'i'},
      {0xF2, 'o'},
      {0xD2, 'o'},
      {0xF9, 'u'},
      {0xD9, 'u'},
      {0xE7, 'c'},
      {0xC7, 'c'},
      {0xF1, 'n'},
      {0xD1, 'n'},
      {0xE4, 'a'},
      {0xF6, 'o'},
      {0xFC, 'u'},
      {0xE2, 'a'},
      {0xEA, 'e'},
      {0xEE, 'i'},
      {0xF4, 'o'},
      {0xFB, 'u'},
      {0xE6, 'a'},
      {0xC6, 'a'},
      {0x9C, 'o'},
      {0x8C, 'o'},
      {0xDF, 's'},
      {0x8A, 's'},
      {0x9A, 's'},
      {0x8E, 'z'},
      {0x9E, 'z'},
      {0x9F, 'y'},
      {0xFF, 'y'},
      {0xDD, 'y'},
      {0xF8, 'o'},
      {0xD8, 'o'},
      {0xF0, 'd'},
      {0xD0, 'd'},
      // not letters: as they are
      {0x80, char(0x80)},
      {0xA3, char(0xA3)},
      {0xB0, char(0xB0)},
      {0xD7, char(0xD7)},
      {0xF7, char(0xF7)},
      {0xAB, char(0xAB)},
      {0x96, char(0x96)},
      {0x92, char(0x92)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(accentfold::fold(c.byte), static_cast<unsigned char>(c.folded)) << "byte " << int(c.byte);
  // folded once is folded for good, and no capital A to Z is left
  for (int b = 0; b < 256; ++b) {
    const unsigned char f = accentfold::fold(static_cast<unsigned char>(b));
    EXPECT_EQ(accentfold::fold(f), f) << "byte " << b;
    EXPECT_FALSE(f >= 'A' && f <= 'Z') << "byte " << b;
  }
}

TEST(AccentFold, FindsAWordWhateverItsAccentsAndCase) {
  const struct {
    QString stored, typed;
    qsizetype at; // -1: not found
  } cases[] = {
      {QStringLiteral("Citt\u00E0 di Castello"), QStringLiteral("citta"), 0},
      {QStringLiteral("PERCH\u00C9 NO"), QStringLiteral("perche"), 0},
      {QStringLiteral("Ma perch\u00E9"), QStringLiteral("PERCH\u00C8"), 3},
      {QStringLiteral("Via Roma 1"), QStringLiteral("roma"), 4},
      {QStringLiteral("1.250,00"), QStringLiteral("250,0"), 2},
      {QStringLiteral("Citt\u00E0"), QStringLiteral("cittadella"), -1},
      {QStringLiteral("Rossi"), QStringLiteral("rossa"), -1},
      {QStringLiteral("Stra\u00DFe"), QStringLiteral("strase"), 0},
      {QString(), QStringLiteral("ro"), -1},
  };
  for (const auto& c : cases) {
    const QByteArray stored = cp1252::encode(c.stored), needle = accentfold::foldedText(c.typed);
    EXPECT_EQ(
        accentfold::find({stored.constData(), size_t(stored.size())}, {needle.constData(), size_t(needle.size())}),
        c.at)
        << c.stored.toStdString() << " / " << c.typed.toStdString();
  }
}

// The search made for many texts finds what the plain one finds, at the
// end of a text, across the sixteen-byte blocks and where the record goes
// on past the text; over random texts of letters that fold alike.
TEST(AccentFold, TheScanSearchFindsWhatThePlainOneFinds) {
  const QByteArray alphabet = cp1252::encode(QStringLiteral("rRoOsSiI\u00F2\u00D2\u00EC\u00DF a"));
  std::uint64_t seed = 12345;
  auto next = [&seed](int n) {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    return int((seed >> 33) % std::uint64_t(n));
  };
  for (const char* typed : {"rossi", "ro", "os", "ss", "i a", "sos"}) {
    const QByteArray needle = accentfold::foldedText(QString::fromLatin1(typed));
    const accentfold::Finder finder(needle);
    for (int round = 0; round < 3000; ++round) {
      QByteArray text;
      for (int n = next(60); n > 0; --n) text += alphabet[next(int(alphabet.size()))];
      const QByteArray record = text + QByteArray(next(2) * 20, 'x'); // the record going on, or not
      const std::string_view stored(record.constData(), size_t(text.size()));
      ASSERT_EQ(finder.in(stored, size_t(record.size())),
                accentfold::find(stored, {needle.constData(), size_t(needle.size())}))
          << text.toStdString() << " / " << typed;
    }
  }
}

// ---- the search ----

// Every file of the folder with its bytes' digest and its time of change.
std::map<QString, QByteArray> snapshot(const QString& folder) {
  std::map<QString, QByteArray> files;
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo info(it.next());
    QByteArray state = info.lastModified().toString(Qt::ISODateWithMs).toLatin1();
    QFile f(info.filePath());
    if (!info.isSymLink() && f.open(QIODevice::ReadOnly))
      state += QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
    files[info.fileName()] = state;
  }
  return files;
}

// A group as the results show it: the application and year, and either the
// positions found or the unreadable file.
struct SeenGroup {
  QString where;
  std::vector<RecordPosition> positions;
  bool unreadable = false;
  bool operator==(const SeenGroup&) const = default;
};
void PrintTo(const SeenGroup& g, std::ostream* os) {
  *os << g.where.toStdString() << (g.unreadable ? " unreadable" : "") << " [";
  for (RecordPosition p : g.positions) *os << p << " ";
  *os << "]";
}

std::vector<SeenGroup> seen(const SearchRun& run) {
  std::vector<SeenGroup> out;
  for (const studiosearch::Group& g : run.groups()) {
    const studiosearch::Source& s = run.sources()[g.source];
    SeenGroup seenGroup{QString::fromUtf8(s.module->tile.title) +
                            (s.year.isEmpty() ? QString() : QStringLiteral(" ") + s.year),
                        {},
                        g.unreadable};
    for (size_t i = 0; i < g.count; ++i) {
      EXPECT_EQ(run.hits()[g.first + i].source(), g.source);
      seenGroup.positions.push_back(run.hits()[g.first + i].position());
    }
    out.push_back(seenGroup);
  }
  return out;
}

class StudioSearch : public ::testing::Test {
protected:
  void SetUp() override {
    registerModules();
    studiofolder::fill();
  }
  static std::vector<SeenGroup> searchAll(const QString& typed) {
    SearchRun run(typed);
    while (run.step(std::chrono::seconds(10))) {
    }
    return seen(run);
  }
  TempProgramFolder folder;
};

TEST_F(StudioSearch, ASurnameIsFoundInEveryApplicationAndYearNewestFirst) {
  const auto before = snapshot(folder.dir.path());
  const std::vector<SeenGroup> expected = {
      {QStringLiteral("Anagrafica Clienti"), {2}},           {QStringLiteral("Archivio Pratiche"), {2}},
      {QStringLiteral("Scadenze e Appuntamenti 2026"), {1}}, {QStringLiteral("Scadenze e Appuntamenti 2025"), {1}},
      {QStringLiteral("Entrate e Uscite 2026"), {2}},        {QStringLiteral("Entrate e Uscite 2025"), {2}},
      {QStringLiteral("Entrate e Uscite 2024"), {}, true},   {QStringLiteral("Entrate e Uscite 2019"), {1, 1500, 3000}},
  };
  EXPECT_EQ(searchAll(QStringLiteral("rossi")), expected);
  EXPECT_EQ(searchAll(QStringLiteral("  ROSSI MARIO ")), expected);
  // nothing was written, nothing made
  EXPECT_EQ(snapshot(folder.dir.path()), before);
}

TEST_F(StudioSearch, AWordWithoutAccentsFindsTheAccentedOne) {
  EXPECT_EQ(searchAll(QStringLiteral("citta")),
            (std::vector<SeenGroup>{{QStringLiteral("Anagrafica Clienti"), {3}},
                                    {QStringLiteral("Entrate e Uscite 2024"), {}, true}}));
  EXPECT_EQ(searchAll(QStringLiteral("perche")),
            (std::vector<SeenGroup>{{QStringLiteral("Protocollo Posta 2026"), {2}},
                                    {QStringLiteral("Entrate e Uscite 2024"), {}, true}}));
  // an amount as written
  EXPECT_EQ(searchAll(QStringLiteral("1.250")),
            (std::vector<SeenGroup>{{QStringLiteral("Entrate e Uscite 2026"), {2}},
                                    {QStringLiteral("Entrate e Uscite 2025"), {2}},
                                    {QStringLiteral("Entrate e Uscite 2024"), {}, true}}));
}

TEST_F(StudioSearch, SlicesOfNoTimeFindWhatOneLongReadFinds) {
  SearchRun whole(QStringLiteral("rossi"));
  while (whole.step(std::chrono::seconds(10))) {
  }
  SearchRun sliced(QStringLiteral("rossi"));
  int slices = 1;
  while (sliced.step(std::chrono::steady_clock::duration::zero())) ++slices;
  EXPECT_EQ(seen(sliced), seen(whole));
  // a slice reads at least one file, or 1,024 records of a longer one: the
  // long year takes three
  EXPECT_EQ(slices, int(sliced.sources().size()) + 2);
}

TEST_F(StudioSearch, TooShortATextSearchesNothing) {
  for (const QString& typed : {QString(), QStringLiteral("r"), QStringLiteral("  r  ")}) {
    EXPECT_FALSE(SearchRun::acceptable(typed));
    SearchRun run(typed);
    EXPECT_TRUE(run.finished());
    EXPECT_FALSE(run.step(std::chrono::seconds(1)));
    EXPECT_TRUE(run.groups().empty());
  }
  EXPECT_TRUE(SearchRun::acceptable(QStringLiteral("ro")));
}

TEST_F(StudioSearch, AResultShowsItsListLineAndTheFieldWithTheMatch) {
  SearchRun run(QStringLiteral("citta"));
  while (run.step(std::chrono::seconds(10))) {
  }
  ASSERT_FALSE(run.groups().empty());
  const studiosearch::Hit& hit = run.hits()[0];
  const std::optional<studiosearch::Shown> shown = studiosearch::show(run.sources()[hit.source()], hit, run.needle());
  ASSERT_TRUE(shown);
  EXPECT_TRUE(shown->headline.startsWith(QStringLiteral("Verdi Luca "))) << shown->headline.toStdString();
  EXPECT_EQ(shown->caption, QStringLiteral("Comune di residenza"));
  EXPECT_EQ(shown->text, QStringLiteral("Citt\u00E0 di Castello"));
  EXPECT_EQ(shown->text.mid(shown->matchStart, shown->matchLength), QStringLiteral("Citt\u00E0"));
  EXPECT_EQ(studiosearch::unreadableText(QStringLiteral("2024.eur")),
            QStringLiteral("Archivio non leggibile: 2024.eur"));
}

TEST(StudioSearchHits, KeepTheirPlaceInUnderSixteenBytesEach) {
  studiosearch::HitStore hits;
  const RecordPosition far = (RecordPosition(1) << 40) - 1;
  for (int i = 0; i < 10000; ++i) hits.push({std::uint32_t(i % 65535), std::uint32_t(i % 255), far - i});
  EXPECT_EQ(hits[9999].source(), 9999u);
  EXPECT_EQ(hits[9999].field(), 9999u % 255);
  EXPECT_EQ(hits[9999].position(), far - 9999);
  EXPECT_EQ(hits[0].position(), far);
  EXPECT_LE(double(hits.bytes()) / double(hits.size()), 16.0);
}

} // namespace
