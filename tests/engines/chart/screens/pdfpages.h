// The pages of a PDF that Qt wrote, read from its page boxes: how many, and
// whether every one is wider than high.
#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QString>

struct PdfPages {
  int count = 0;
  bool landscape = true;
};

inline PdfPages pdfPages(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return {0, false};
  const QString pdf = QString::fromLatin1(f.readAll());
  PdfPages pages;
  static const QRegularExpression box(QStringLiteral(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"));
  for (auto m = box.globalMatch(pdf); m.hasNext();) {
    const auto match = m.next();
    ++pages.count;
    pages.landscape = pages.landscape && match.captured(1).toDouble() > match.captured(2).toDouble();
  }
  return pages;
}
