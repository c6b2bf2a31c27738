// Printing a chart to PDF in tests: the system print dialog answered with a
// file, and the pages of the PDF that Qt wrote.
#pragma once

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QString>
#include <QTimer>

struct PdfPages {
  int count = 0;
  bool landscape = true;
};

// How many pages, and whether every one is wider than high, read from the
// page boxes.
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

// Answers the next print dialog: prints to `file` when the dialog offers a
// PDF file first, and cancels it otherwise, so that a real printer set as
// the default gets nothing. Keeps the copies the dialog started with.
class PrintDialogToFile {
public:
  explicit PrintDialogToFile(QString file) : file_(std::move(file)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      timer_.stop();
      copiesShown = dialog->printer()->copyCount();
      toFile = dialog->printer()->outputFormat() == QPrinter::PdfFormat;
      for (auto* edit : dialog->findChildren<QLineEdit*>())
        if (edit->isVisible() && edit->text().startsWith(QLatin1Char('/'))) edit->setText(file_);
      if (toFile) dialog->accept();
      else dialog->reject();
    });
    timer_.start(50);
  }

  int copiesShown = 0;
  bool toFile = false;

private:
  QString file_;
  QTimer timer_;
};
