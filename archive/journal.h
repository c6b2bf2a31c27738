// The journal of a record overwrite: before a record is replaced in place,
// its old bytes are written and synced to a small file beside the archive,
// ".<archive name>-giornale". The overwrite then either lands whole (the
// archive is synced and the journal removed) or the old bytes are put back:
// at once when the write fails, or by the next command that opens the
// archive after a kill or a power cut, under the archive's exclusive lock.
//
// The name starts with a dot and ends in "-giornale", so it matches no
// archive pattern (*.pro, *.prt, ...), is never copied by the backup and is
// not a temporary file of the safe save.
#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace journal {

// The journal's name beside the archive at `archive`.
QString pathFor(const QString& archive);

// Writes and syncs the `length` bytes the archive (descriptor `fd`) holds
// at `at`; false with errno set when the journal cannot be made whole.
bool keep(const QString& archive, int fd, off_t at, size_t length);

// Puts the kept bytes back into the archive and syncs it; false when the
// journal is still needed (the write failed), true when none is left.
bool restore(const QString& archive, int fd);

// The overwrite landed and the archive is synced: the journal goes.
void drop(const QString& archive);

// True when a journal lies beside the archive.
bool pending(const QString& archive);

// For a reader that copies the archive as a file (the backup): puts a
// pending journal back under the archive's exclusive lock first. False
// when one is pending and cannot be put back now.
bool recover(const QString& archive);

} // namespace journal
