// The amount parser: any text at every number of decimals; an amount that
// reads formats back to the same units, text and stored bytes read alike,
// and the normalisation of the cards is stable.
#include "fuzzcheck.h"

#include "archive/cp1252.h"
#include "common/amounts.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const QString text = cp1252::decode(bytes.data(), qsizetype(bytes.size()));
  for (int decimals = 0; decimals <= money::kMaxDecimals; ++decimals) {
    const money::Parsed p = money::parse(text, decimals);
    const money::Parsed b = money::parse(bytes, decimals);
    FUZZ_CHECK(p.status == b.status && p.units == b.units);
    if (p.ok()) {
      const money::Parsed again = money::parse(money::format(p.units, decimals), decimals);
      FUZZ_CHECK(again.ok() && again.units == p.units);
      const money::Parsed shortForm = money::parse(money::formatShort(p.units, decimals), decimals);
      FUZZ_CHECK(shortForm.ok() && shortForm.units == p.units);
      for (int more = decimals; more <= money::kMaxDecimals; ++more) {
        const money::Units scaled = money::rescale(p.units, decimals, more);
        FUZZ_CHECK(money::parse(money::format(scaled, more), decimals).units == p.units);
      }
    }
    const QString normal = money::normalise(text, decimals);
    FUZZ_CHECK(money::normalise(normal, decimals) == normal);
  }
  return 0;
}
