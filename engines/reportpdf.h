// Writing prepared pages to a PDF file: Title and Subject are the report
// name, Author and Creator "Velarion", streams stored uncompressed, text
// kept as text. The file is written aside and renamed into place, so a
// failed export leaves whatever stood there before.
#pragma once

#include "reportlayout.h"

#include <QByteArray>
#include <QString>

namespace report {

// The document as PDF bytes; empty with *error set on failure.
QByteArray pdfBytes(const Pages& pages, QString* error = nullptr);

// Writes the file, replacing an existing one. On failure returns false,
// sets *error to a message for the user and leaves an existing file as it was.
bool writePdf(const Pages& pages, const QString& file, QString* error = nullptr);

} // namespace report
