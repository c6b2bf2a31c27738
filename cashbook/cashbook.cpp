#include "cashbook.h"

#include "movements/movimento.h"

#include "archive/archivio.h"
#include "common/dates.h"
#include "common/fieldbytes.h"

namespace cashbook {

namespace {

const QString kNoReason = QStringLiteral("- - -");

// The columns of a line: type, reason, date, payer, beneficiary, signed
// total. The type leads the reason's column, from the sign of the total.
std::vector<lists::LineColumn> lineColumns(const char* type) {
  return {{QString::fromLatin1(type), "Causale", 40},
          {QStringLiteral("  Data: "), "Data", 10},
          {QStringLiteral("  Da: "), "Pagatore", 28},
          {QStringLiteral("  A: "), "Beneficiario", 28},
          {QStringLiteral("  Importo: "), "Totale", 0}};
}

// The builder of a line whose signed total is `total`.
const lists::LineBuilder& lineBuilder(std::string_view total) {
  static const lists::LineBuilder income(TRecMovimento(), lineColumns("ENTRATA  "));
  static const lists::LineBuilder expense(TRecMovimento(), lineColumns("USCITA   "));
  static const lists::LineBuilder untyped(TRecMovimento(), lineColumns(""));
  return total.starts_with('+') ? income : total.starts_with('-') ? expense : untyped;
}

QString choiceMissing(const char* which) {
  return QStringLiteral("Attenzione: indicare il ") + QLatin1String(which) +
         QStringLiteral(" intervallo selezionandolo dall'elenco a cascata.");
}

// "dd/mm/yyyy" from a day, a month name and the year.
QString compose(const QString& day, const QString& month, const QString& year) {
  return fieldtext::trimmed(day) + QLatin1Char('/') + QStringLiteral("%1").arg(monthNumber(month), 2, 10, QLatin1Char('0')) +
         QLatin1Char('/') + year;
}

// The operation date of a stored movement, straight from its bytes.
QDate operationDay(const RecordLayout& layout, int field, const char* record) {
  return dates::parseBytes(fieldbytes::raw(layout, field, record));
}

} // namespace

// ---- the interval ----

const QStringList& days() {
  static const QStringList list = [] {
    QStringList l;
    for (int d = 1; d <= 31; ++d) l << QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0'));
    return l;
  }();
  return list;
}

const QStringList& months() {
  static const QStringList list = {QStringLiteral("Gennaio"),   QStringLiteral("Febbraio"), QStringLiteral("Marzo"),
                                   QStringLiteral("Aprile"),    QStringLiteral("Maggio"),   QStringLiteral("Giugno"),
                                   QStringLiteral("Luglio"),    QStringLiteral("Agosto"),   QStringLiteral("Settembre"),
                                   QStringLiteral("Ottobre"),   QStringLiteral("Novembre"), QStringLiteral("Dicembre")};
  return list;
}

int monthNumber(const QString& name) {
  const QString t = fieldtext::trimmed(name);
  for (qsizetype i = 0; i < months().size(); ++i)
    if (months()[i].compare(t, Qt::CaseInsensitive) == 0) return int(i) + 1;
  return 0;
}

SelectionCheck check(const Selection& s) {
  using Field = SelectionCheck::Field;
  SelectionCheck c;
  auto fail = [&c](MessageKind kind, const QString& message, Field focus) {
    c.kind = kind;
    c.message = message;
    c.focus = focus;
    return c;
  };
  if (!dates::isYearText(s.year))
    return fail(MessageKind::Warning, QString::fromUtf8(dates::kYearWarning), Field::Year);
  const bool isDay[] = {days().contains(fieldtext::trimmed(s.startDay)), days().contains(fieldtext::trimmed(s.endDay))};
  if (!isDay[0]) return fail(MessageKind::Warning, choiceMissing("giorno di inizio"), Field::StartDay);
  if (!monthNumber(s.startMonth)) return fail(MessageKind::Warning, choiceMissing("mese di inizio"), Field::StartMonth);
  if (!isDay[1]) return fail(MessageKind::Warning, choiceMissing("giorno di fine"), Field::EndDay);
  if (!monthNumber(s.endMonth)) return fail(MessageKind::Warning, choiceMissing("mese di fine"), Field::EndMonth);

  c.startText = compose(s.startDay, s.startMonth, s.year);
  c.from = dates::parse(c.startText);
  if (!c.from.isValid())
    return fail(MessageKind::Plain, dates::invalidDateMessage(dates::DateCheck::IntervalStart, c.startText),
                Field::StartDay);
  c.endText = compose(s.endDay, s.endMonth, s.year);
  c.to = dates::parse(c.endText);
  if (!c.to.isValid())
    return fail(MessageKind::Plain, dates::invalidDateMessage(dates::DateCheck::IntervalEnd, c.endText), Field::EndDay);
  if (c.from > c.to) return fail(MessageKind::Plain, dates::intervalOrderMessage(c.startText, c.endText), Field::None);
  return c;
}

// ---- the cash book ----

QString line(const char* record) {
  static const int totale = TRecMovimento().require("Totale");
  return lineBuilder(fieldbytes::text(TRecMovimento(), totale, record))(record);
}

std::shared_ptr<const lists::LineSource> lineSource(const QString& path) {
  static const int totale = TRecMovimento().require("Totale");
  // the three builders show the same fields
  static const std::vector<int> shown = lineBuilder(std::string_view()).fieldOffsets();
  return std::make_shared<const lists::LineSource>(lists::LineSource{
      path, TRecMovimento().size(),
      [](const char* record, lists::ListLines& out, RecordPosition position) {
        lineBuilder(fieldbytes::text(TRecMovimento(), totale, record)).appendTo(out, record, position);
      },
      shown});
}

Book build(const QString& path, const QString& reasonFilter, QDate from, QDate to) {
  const RecordLayout& layout = TRecMovimento();
  static const lists::Criterion kReason{QStringLiteral("txtTipologia"), QStringLiteral("Causale:"), "Causale"};
  const lists::Search reason(layout, std::span(&kReason, 1), QStringList{reasonFilter});
  const int data = layout.require("Data"), totale = layout.require("Totale");

  Book book;
  book.lines = Lines(lineSource(path));
  auto stop = [&book](Book::Outcome outcome, RecordPosition position) {
    book.outcome = outcome;
    book.position = position;
    return false;
  };
  bool opened = false;
  RecordPosition read = 0;
  try {
    TArchivioSchede archive(path, layout.size());
    archive.open(TArchivioSchede::Access::Read);
    opened = true;
    // a run of movements at a time, the fields judged asked for a few
    // movements ahead
    std::vector<int> judged = reason.fieldOffsets();
    judged.push_back(layout.offset(data));
    judged.push_back(layout.offset(totale));
    const size_t size = size_t(layout.size());
    archive.scanRuns([&](RecordPosition first, const char* records, int n) {
      for (int i = 0; i < n; ++i) {
        if (i + fieldbytes::kFetchAhead < n) fieldbytes::prefetch(records + size_t(i + fieldbytes::kFetchAhead) * size, judged);
        const char* record = records + size_t(i) * size;
        const RecordPosition position = read = first + i;
        if (!reason.matches(record)) continue;
        const QDate day = operationDay(layout, data, record);
        if (!day.isValid()) return stop(Book::Outcome::DateUnreadable, position);
        if (day < from || to < day) continue;
        const std::string_view total = fieldbytes::text(layout, totale, record);
        const money::Parsed amount = money::parse(total, movement::kDecimals);
        const bool signedAmount = amount.ok() && (total.starts_with('+') || total.starts_with('-'));
        money::Units& sum = total.starts_with('-') ? book.expenses : book.income;
        if (!signedAmount || __builtin_add_overflow(sum, amount.units, &sum))
          return stop(Book::Outcome::AmountUnreadable, position);
        book.lines.add(position);
      }
      return true;
    });
    archive.close();
  } catch (const ArchiveError&) {
    if (opened)
      stop(Book::Outcome::ReadFailed, read + 1);
    else
      stop(Book::Outcome::Unavailable, 0);
  }
  if (!book.complete()) {
    book.lines.clear();
    book.income = book.expenses = 0;
  }
  book.lines.finish();
  return book;
}

QString failureMessage(const Book& book) {
  const QString n = QString::number(book.position);
  const QString incomplete =
      QStringLiteral("\n\r\n\rLa primanota non pu\u00F2 essere visualizzata perch\u00E9 risulterebbe incompleta");
  const QString check = QStringLiteral(": controllare la scheda dall'applicazione Entrate e Uscite.");
  switch (book.outcome) {
  case Book::Outcome::Complete: return QString();
  case Book::Outcome::Unavailable: return QStringLiteral("Attenzione: il file di archivio non risulta accessibile.");
  case Book::Outcome::DateUnreadable:
    return QStringLiteral("Attenzione: la data operazione della scheda n. ") + n +
           QStringLiteral(" in archivio non \u00E8 leggibile.") + incomplete + check;
  case Book::Outcome::AmountUnreadable:
    return QStringLiteral("Attenzione: l'importo della scheda n. ") + n +
           QStringLiteral(" in archivio non \u00E8 leggibile.") + incomplete + check;
  case Book::Outcome::ReadFailed:
    return QStringLiteral("Attenzione: il sistema non riesce a leggere la scheda n. ") + n +
           QStringLiteral(" in archivio.") + incomplete + QLatin1Char('.');
  }
  return QString();
}

// ---- what is shown and printed ----

QString reasonTitle(const QString& reasonFilter) {
  const QString t = fieldtext::trimmed(reasonFilter);
  return t.isEmpty() ? kNoReason : t;
}

QString intervalText(QDate from, QDate to) {
  return QStringLiteral("Dal   ") + dates::format(from) + QStringLiteral("   al   ") + dates::format(to);
}

QString totalText(money::Units cents) { return money::format(cents, movement::kDecimals) + QStringLiteral(" \u20AC"); }

QString printTitle(const QString& reasonFilter) {
  return QStringLiteral("PRIMANOTA E BILANCIO - Causale :  ") + reasonTitle(reasonFilter);
}

QStringList printLines(const Book& book, QDate from, QDate to) {
  QStringList out;
  out.reserve(qsizetype(book.lines.size()) + 5);
  for (const lists::ListEntry& e : book.lines) out << e.line;
  out << QStringLiteral("- - - - - - - - - - - - - - - -")
      << QStringLiteral("INTERVALLO SELEZIONATO :      ") + intervalText(from, to)
      << QStringLiteral("TOTALE ENTRATE :              ") + totalText(book.income)
      << QStringLiteral("TOTALE USCITE :               ") + totalText(book.expenses)
      << QStringLiteral("BILANCIO ENTRATE E USCITE :   ") + totalText(book.balance());
  return out;
}

} // namespace cashbook
