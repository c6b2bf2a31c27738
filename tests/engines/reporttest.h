// Helpers of the report engine tests: readable QString failures and the
// poppler tools that read PDF files back.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace reporttest {

inline bool haveTool(const QString& name) { return !QStandardPaths::findExecutable(name).isEmpty(); }

// Standard output of a tool, empty when it fails.
inline QString run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

inline QString pdfText(const QString& file, int page = 0) {
  QStringList args{"-layout"};
  if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
  return run("pdftotext", args << file << "-");
}

// One "Key: value" line of pdfinfo, value trimmed.
inline QString pdfInfo(const QString& file, const QString& key) {
  for (const QString& line : run("pdfinfo", {file}).split('\n'))
    if (line.startsWith(key + ':')) return line.mid(key.size() + 1).trimmed();
  return {};
}

} // namespace reporttest

#define SKIP_WITHOUT_POPPLER()                                                                    \
  if (!reporttest::haveTool("pdftotext") || !reporttest::haveTool("pdfinfo"))                     \
  GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) not installed"
