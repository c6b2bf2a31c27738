#include "studiosearch.h"

#include "accentfold.h"
#include "fieldbytes.h"
#include "lists.h"

#include "archive/cp1252.h"
#include "archive/paths.h"
#include "archive/record.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace studiosearch {

namespace {

const ArchiveDef& archiveOf(const modules::Searched& s) { return *s.list().path.archive; }

// A declared field as the scan reads it.
struct ScannedField {
  FieldDef def;
  int offset;
};

std::vector<ScannedField> scannedFields(const modules::Searched& s) {
  const RecordLayout& layout = *archiveOf(s).layout;
  std::vector<ScannedField> out;
  for (const modules::SearchedField& f : s.fields) {
    if (out.size() == Hit::kMostFields) break;
    const int index = layout.require(f.field);
    out.push_back({layout.field(index), layout.offset(index)});
  }
  return out;
}

// How many records the scan reads between two looks at the clock.
constexpr int kRecordsBetweenLooks = 1024;

// The longest field text a result shows whole; a longer one shows the part
// around the match.
constexpr qsizetype kWholeText = 120;
constexpr qsizetype kBeforeMatch = 40;
constexpr qsizetype kAfterMatch = 70;

} // namespace

QString Source::fileName() const { return QFileInfo(path).fileName(); }

std::vector<Source> presentSources() {
  std::vector<Source> out;
  const QDir folder(paths::programFolder());
  for (const modules::Module* m : modules::all()) {
    for (const modules::Searched& s : m->searched) {
      const ArchiveDef& a = archiveOf(s);
      if (!a.isYearly()) {
        const QFileInfo file(a.fixedPath());
        if (file.exists() || file.isSymLink()) out.push_back({m, &s, QString(), a.fixedPath()});
        continue;
      }
      // every entry named by four digits and the extension: one that is not a
      // readable file is named as unreadable by the scan
      QStringList years;
      for (const QString& name :
           folder.entryList({QStringLiteral("????") + a.extension}, QDir::AllEntries | QDir::System | QDir::Hidden)) {
        const QString year = name.left(4);
        if (std::all_of(year.begin(), year.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) years << year;
      }
      std::sort(years.begin(), years.end(), std::greater<>());
      for (const QString& year : years) out.push_back({m, &s, year, a.yearPath(year)});
    }
  }
  return out;
}

void HitStore::push(const Hit& hit) {
  if (size_ == blocks_.size() * kBlock) blocks_.push_back(std::make_unique_for_overwrite<Hit[]>(kBlock));
  blocks_[size_ / kBlock][size_ % kBlock] = hit;
  ++size_;
}

QString unreadableText(const QString& fileName) { return QStringLiteral("Archivio non leggibile: ") + fileName; }

bool Run::acceptable(const QString& typed) { return typed.trimmed().size() >= kShortest; }

Run::Run(const QString& typed, std::vector<Source> sources)
    : needle_(accentfold::foldedText(typed.trimmed())), sources_(std::move(sources)) {
  if (sources_.size() > Hit::kMostSources) sources_.resize(Hit::kMostSources);
  if (acceptable(typed))
    finder_.emplace(needle_);
  else
    current_ = sources_.size();
}

double Run::progress() const { return sources_.empty() ? 1.0 : double(current_) / double(sources_.size()); }

bool Run::step(std::chrono::steady_clock::duration budget) {
  const auto until = std::chrono::steady_clock::now() + budget;
  while (!finished()) {
    if (!readCurrent(until)) return true;
    if (std::chrono::steady_clock::now() >= until) break;
  }
  return !finished();
}

Group& Run::groupOfCurrent() {
  if (groups_.empty() || groups_.back().source != current_)
    groups_.push_back({std::uint32_t(current_), hits_.size(), 0, false});
  return groups_.back();
}

bool Run::readCurrent(std::chrono::steady_clock::time_point until) {
  const Source& source = sources_[current_];
  const std::vector<ScannedField> fields = scannedFields(*source.searched);
  const accentfold::Finder& finder = *finder_;
  // the fields of a record a few ahead are asked for while this one is read
  std::vector<int> fetch;
  for (const ScannedField& f : fields) fieldbytes::addFetchOffsets(f.def, f.offset, fetch);
  const int size = archiveOf(*source.searched).recordSize();
  const auto sourceIndex = std::uint32_t(current_);
  bool stopped = false;
  try {
    TArchivioSchede archive(source.path, size);
    archive.open(TArchivioSchede::Access::Read);
    archive.scanRuns(
        [&](RecordPosition first, const char* records, int n) {
          for (int i = 0; i < n; ++i) {
            if (i % kRecordsBetweenLooks == 0 && std::chrono::steady_clock::now() >= until &&
                !(i == 0 && first == next_)) {
              next_ = first + i;
              stopped = true;
              return false;
            }
            const char* record = records + size_t(i) * size_t(size);
            if (i + fieldbytes::kFetchAhead < n)
              fieldbytes::prefetch(record + size_t(fieldbytes::kFetchAhead) * size_t(size), fetch);
            const char* end = record + size;
            for (size_t f = 0; f < fields.size(); ++f) {
              const std::string_view text = fieldbytes::raw(fields[f].def, record + fields[f].offset);
              if (finder.in(text, size_t(end - text.data())) < 0) continue;
              Group& group = groupOfCurrent();
              hits_.push({sourceIndex, std::uint32_t(f), first + i});
              ++group.count;
              break;
            }
          }
          return true;
        },
        next_);
    archive.close();
  } catch (const ArchiveError&) {
    groupOfCurrent().unreadable = true;
    stopped = false;
  }
  if (stopped) return false;
  ++current_;
  next_ = 1;
  return true;
}

std::optional<Shown> show(const Source& source, const Hit& hit, const QByteArray& needle) {
  const modules::Searched& s = *source.searched;
  const lists::ListDescription& list = s.list();
  const RecordLayout& layout = list.layout();
  QByteArray record;
  try {
    TArchivioSchede archive(source.path, layout.size());
    archive.open(TArchivioSchede::Access::Read);
    if (hit.position() < 1 || hit.position() > archive.count()) return std::nullopt;
    record = archive.read(hit.position());
    archive.close();
  } catch (const ArchiveError&) {
    return std::nullopt;
  }
  Shown shown;
  shown.headline = lists::LineBuilder(layout, list.line)(record.constData());
  if (hit.field() >= s.fields.size()) return shown;
  const modules::SearchedField& field = s.fields[hit.field()];
  shown.caption = QString::fromUtf16(field.caption);
  const std::string_view text = fieldbytes::text(layout, layout.require(field.field), record.constData());
  const qsizetype at = accentfold::find(text, std::string_view(needle.constData(), size_t(needle.size())));
  qsizetype from = 0, to = qsizetype(text.size());
  if (to > kWholeText && at >= 0) {
    from = std::max<qsizetype>(0, at - kBeforeMatch);
    to = std::min<qsizetype>(to, at + needle.size() + kAfterMatch);
  } else if (to > kWholeText) {
    to = kWholeText;
  }
  QString part = cp1252::decode(text.data() + from, to - from);
  // a memo's line breaks show as blanks, one for one, so the match stays in place
  for (QChar& c : part)
    if (c == u'\r' || c == u'\n' || c == u'\t') c = u' ';
  const QString ellipsis = QStringLiteral("\u2026");
  qsizetype shift = 0;
  if (from > 0) {
    part.prepend(ellipsis);
    shift = 1;
  }
  if (to < qsizetype(text.size())) part.append(ellipsis);
  shown.text = part;
  if (at >= 0) {
    shown.matchStart = at - from + shift;
    shown.matchLength = needle.size();
  }
  return shown;
}

} // namespace studiosearch
