// Writing prepared pages to a PDF file: Title and Subject are the report
// name, Author and Creator "Velarion", streams stored uncompressed, text
// kept as text. The file is written aside and renamed into place, so a
// failed export leaves whatever stood there before.
#pragma once

#include "reportlayout.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace report {

// How a finished PDF is put in place of its file: the program hands in the
// safe save every file it writes goes through (a temporary file beside the
// target, synced and renamed over it). True when saved, else false with
// *reason set. Until one is installed no PDF file is written.
using FileSaver = std::function<bool(const QString& file, const QByteArray& bytes, QString* reason)>;
void setFileSaver(FileSaver saver);

// The document as PDF bytes; empty with *error set on failure.
QByteArray pdfBytes(const Pages& pages, QString* error = nullptr);

// Writes the file, replacing an existing one. On failure returns false,
// sets *error to a message for the user and leaves an existing file as it was.
bool writePdf(const Pages& pages, const QString& file, QString* error = nullptr);

} // namespace report
