#include "reportpdf.h"

#include "reportpainter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace report {

namespace {

constexpr int kPdfResolution = 1200;
const char* const kProgramName = "Velarion";

FileSaver& fileSaver() {
  static FileSaver saver;
  return saver;
}

void setError(QString* error, const QString& text) {
  if (error) *error = text;
}

// Qt's own PDF, compressed and without Subject or Author.
QByteArray qtPdf(const Pages& pages) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfResolution);
    writer.setTitle(pages.reportName);
    writer.setCreator(QString::fromLatin1(kProgramName));
    // Full-page painting: the margins are placed by the painter.
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), pages.orientation, QMarginsF(0, 0, 0, 0),
                                     QPageLayout::Millimeter));
    QPainter painter(&writer);
    const double dotsPerMm = kPdfResolution / 25.4;
    for (int i = 0; i < pages.count(); ++i) {
      if (i > 0) writer.newPage();
      paintPage(painter, pages, i, dotsPerMm);
    }
    painter.end();
  }
  buffer.close();
  return data;
}

// Adds the document information Qt cannot write and stores every stream
// uncompressed.
QByteArray finished(const QByteArray& qt, const QString& subject) {
  QPDF pdf;
  pdf.setSuppressWarnings(true);
  pdf.processMemoryFile("report.pdf", qt.constData(), size_t(qt.size()));
  QPDFObjectHandle trailer = pdf.getTrailer();
  QPDFObjectHandle info = trailer.getKey("/Info");
  if (!info.isDictionary()) {
    info = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
    trailer.replaceKey("/Info", info);
  }
  info.replaceKey("/Subject", QPDFObjectHandle::newUnicodeString(subject.toStdString()));
  info.replaceKey("/Author", QPDFObjectHandle::newUnicodeString(kProgramName));
  info.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString(kProgramName));

  QPDFWriter writer(pdf);
  writer.setOutputMemory();
  writer.setCompressStreams(false);
  writer.setDecodeLevel(qpdf_dl_generalized);
  writer.setObjectStreamMode(qpdf_o_disable);
  writer.write();
  const auto buffer = writer.getBufferSharedPointer();
  return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()), qsizetype(buffer->getSize()));
}

} // namespace

QByteArray pdfBytes(const Pages& pages, QString* error) {
  const QByteArray qt = qtPdf(pages);
  if (qt.isEmpty()) {
    setError(error, QStringLiteral("Impossibile generare il documento PDF."));
    return {};
  }
  try {
    return finished(qt, pages.reportName);
  } catch (const std::exception& e) {
    setError(error, QStringLiteral("Impossibile generare il documento PDF: ") + QString::fromLocal8Bit(e.what()));
    return {};
  }
}

bool writePdf(const Pages& pages, const QString& file, QString* error) {
  const QByteArray data = pdfBytes(pages, error);
  if (data.isEmpty()) return false;

  const QString shown = QDir::toNativeSeparators(file);
  if (QFileInfo(file).isDir()) {
    setError(error, QStringLiteral("Impossibile scrivere il file \"%1\": esiste una cartella con questo nome.").arg(shown));
    return false;
  }
  QString reason = QStringLiteral("nessuna procedura di salvataggio disponibile.");
  if (!fileSaver() || !fileSaver()(file, data, &reason)) {
    setError(error, QStringLiteral("Impossibile scrivere il file \"%1\": %2").arg(shown, reason));
    return false;
  }
  return true;
}

void setFileSaver(FileSaver saver) { fileSaver() = std::move(saver); }

} // namespace report
