#include "reporttemplate.h"

namespace report {

namespace {
constexpr double kA4Width = 210;
constexpr double kA4Height = 297;

template <typename R, typename E>
E* findIn(R& report, const QString& name) {
  if (name.isEmpty()) return nullptr;
  for (auto& e : report.elements())
    if (e.name == name) return &e;
  for (auto& b : report.bands())
    for (auto& e : b.elements)
      if (e.name == name) return &e;
  return nullptr;
}
} // namespace

Report::Report(QString name, QPageLayout::Orientation orientation, double marginMm)
    : name_(std::move(name)), orientation_(orientation), margin_(marginMm) {}

QSizeF Report::paperSize() const {
  return orientation_ == QPageLayout::Portrait ? QSizeF(kA4Width, kA4Height) : QSizeF(kA4Height, kA4Width);
}

QSizeF Report::printableSize() const {
  const QSizeF paper = paperSize();
  return {paper.width() - 2 * margin_, paper.height() - 2 * margin_};
}

Element* Report::find(const QString& name) { return findIn<Report, Element>(*this, name); }
const Element* Report::find(const QString& name) const { return findIn<const Report, const Element>(*this, name); }

Band* Report::band(const QString& name) {
  for (auto& b : bands_)
    if (b.name == name) return &b;
  return nullptr;
}
const Band* Report::band(const QString& name) const { return const_cast<Report*>(this)->band(name); }

bool Report::setText(const QString& name, const QString& text) {
  Element* e = find(name);
  if (!e || e->kind != Kind::Text || e->holdsLines) return false;
  e->text = text;
  return true;
}

QString Report::text(const QString& name) const {
  const Element* e = find(name);
  if (!e) return {};
  return e->holdsLines ? e->lines.joined(QLatin1Char('\n')) : e->text;
}

QString TextLines::joined(QChar separator) const {
  QString out;
  out.reserve(text_.size() + size());
  for (qsizetype i = 0; i < size(); ++i) {
    if (i) out.append(separator);
    out.append(at(i));
  }
  return out;
}

QStringList TextLines::toStringList() const {
  QStringList out;
  out.reserve(size());
  for (qsizetype i = 0; i < size(); ++i) out.append(at(i).toString());
  return out;
}

bool Report::clearLines(const QString& name) {
  Element* e = find(name);
  if (!e || !e->holdsLines) return false;
  e->lines.clear();
  return true;
}

bool Report::addLine(const QString& name, const QString& line) {
  TextLines* l = lines(name);
  if (!l) return false;
  l->append(line);
  return true;
}

TextLines* Report::lines(const QString& name) {
  Element* e = find(name);
  return e && e->holdsLines ? &e->lines : nullptr;
}

bool Report::setHeight(const QString& name, double units) {
  if (units < 0) units = 0;
  if (Band* b = band(name)) {
    b->height = unitsToMm(units);
    return true;
  }
  Element* e = find(name);
  if (!e) return false;
  e->rect.setHeight(unitsToMm(units));
  return true;
}

} // namespace report
