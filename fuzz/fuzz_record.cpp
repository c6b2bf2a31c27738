// The record codec over every layout: any bytes read from an archive decode
// without fault; decode, encode, decode gives the same texts; encoding is
// stable; the scans' byte view agrees with the decoded text.
#include "fuzzcheck.h"
#include "layouts.h"

#include "archive/cp1252.h"
#include "archive/record.h"
#include "common/fieldbytes.h"

#include <QByteArray>

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const auto& layouts = fuzzedLayouts();
  const RecordLayout& layout = *layouts[data[0] % layouts.size()];
  ++data;
  --size;
  // the record as read from the file: the input, repeated to fill it
  QByteArray bytes(layout.size(), '\0');
  if (size > 0)
    for (int i = 0; i < layout.size(); ++i) bytes[i] = char(data[size_t(i) % size]);

  const Record first = decode(layout, bytes.constData());
  const QByteArray encoded = encode(first);
  FUZZ_CHECK(encoded.size() == layout.size());
  const Record second = decode(layout, encoded.constData());
  for (int f = 0; f < layout.fieldCount(); ++f) {
    FUZZ_CHECK(first[f] == second[f]);
    // the lists and exports read the bytes directly: the same text
    const std::string_view view = fieldbytes::text(layout, f, bytes.constData());
    const FieldDef& def = layout.field(f);
    if (def.kind != FieldKind::Chars) FUZZ_CHECK(cp1252::decode(view.data(), qsizetype(view.size())) == first[f]);
  }
  FUZZ_CHECK(encode(second) == encoded);

  // texts typed on a card: any text is stored within its field, and what
  // is read back is stored again unchanged
  Record typed(layout);
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  for (int f = 0; f < layout.fieldCount(); ++f) typed.set(f, text.mid(f % 7));
  const QByteArray stored = encode(typed);
  FUZZ_CHECK(stored.size() == layout.size());
  const Record shown = decode(layout, stored.constData());
  const Record again = decode(layout, encode(shown).constData());
  for (int f = 0; f < layout.fieldCount(); ++f) FUZZ_CHECK(shown[f] == again[f]);
  return 0;
}
