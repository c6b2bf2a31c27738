#include "numbering.h"

#include "common/services.h"

namespace numbering {

std::variant<Proposal, Refusal> propose(const QString& archivePath) {
  const std::optional<Settings> settings = protocolsettings::readNumbering();
  if (!settings) return Refusal::SettingsUnreachable;
  RecordPosition count = 0;
  try {
    TArchivioSchede archive(archivePath, protocolArchive().recordSize());
    archive.open(TArchivioSchede::Access::Read);
    count = archive.count();
    archive.close();
  } catch (const ArchiveError&) {
    return Refusal::ArchiveUnreachable;
  }
  QString year = archiveYear(archivePath);
  if (year.isEmpty()) year = services::clock().today().toString(QStringLiteral("yyyy"));
  const std::optional<QString> number = proposal(settings->start, settings->yearSuffix, count, year);
  if (!number) return Refusal::StartNotANumber;
  return Proposal{*number, *settings, year};
}

QString renumber(const Proposal& proposal, Record& record, RecordPosition count) {
  const QString shown = fieldtext::trimmed(record["Numero"]);
  if (shown != proposal.number) return QString(); // typed by hand: stored as typed
  const std::optional<QString> now =
      numbering::proposal(proposal.settings.start, proposal.settings.yearSuffix, count, proposal.year);
  if (!now || *now == shown) return QString();
  record.set("Numero", *now);
  return protocoltext::renumbered(shown, *now);
}

Stored append(const QString& archivePath, Record& record, const std::optional<Proposal>& proposal) {
  TArchivioSchede archive(archivePath, protocolArchive().recordSize());
  archive.open(TArchivioSchede::Access::Write);
  Stored stored;
  if (proposal) stored.note = renumber(*proposal, record, archive.count());
  stored.position = archive.append(encode(record));
  archive.close();
  return stored;
}

} // namespace numbering
