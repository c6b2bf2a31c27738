#include "sortkeys.h"

#include "archive/cp1252.h"

#include <QChar>

#include <algorithm>
#include <array>

namespace sortkeys {

namespace {

constexpr int kMaxDigits = 18; // 11^18 < 2^63

// The integer of a key of digits, or false when it is not one.
bool number(std::string_view key, uint64_t& out) {
  if (key.size() > size_t(kMaxDigits)) return false;
  uint64_t n = 0;
  for (const char c : key) {
    if (c < '0' || c > '9') return false;
    n = n * 11 + uint64_t(c - '0' + 1);
  }
  for (size_t i = key.size(); i < size_t(kMaxDigits); ++i) n *= 11;
  out = n;
  return true;
}

// The digits an integer of number() stands for.
std::string digitsOf(uint64_t n) {
  char text[kMaxDigits];
  for (int i = kMaxDigits - 1; i >= 0; --i) {
    text[i] = char(n % 11);
    n /= 11;
  }
  std::string out;
  for (const char d : text) {
    if (d == 0) break;
    out.push_back(char('0' + d - 1));
  }
  return out;
}

const std::array<char16_t, 256>& foldTable() {
  static const std::array<char16_t, 256> table = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b) t[size_t(b)] = QChar(cp1252::kToUnicode[size_t(b)]).toCaseFolded().unicode();
    return t;
  }();
  return table;
}

} // namespace

char16_t folded(unsigned char byte) { return foldTable()[byte]; }

int compare(std::string_view a, std::string_view b) {
  const std::array<char16_t, 256>& fold = foldTable();
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int d = int(fold[static_cast<unsigned char>(a[i])]) - int(fold[static_cast<unsigned char>(b[i])]);
    if (d != 0) return d;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

void Keys::reserve(size_t rows) {
  if (digits_) numbers_.reserve(rows);
}

void Keys::add(std::string_view key) {
  if (digits_) {
    uint64_t n = 0;
    if (number(key, n)) {
      numbers_.push_back(n);
      return;
    }
    toBytes();
  }
  bytes_.append(key);
  ends_.push_back(bytes_.size());
}

void Keys::toBytes() {
  digits_ = false;
  ends_.reserve(numbers_.size() * 2);
  for (const uint64_t n : numbers_) {
    bytes_.append(digitsOf(n));
    ends_.push_back(bytes_.size());
  }
  numbers_ = {};
}

std::vector<int> Keys::order() const {
  std::vector<int> out;
  out.reserve(size());
  if (digits_) {
    // The index below the key makes every pair distinct: the plain sort
    // keeps rows of equal key in their order.
    std::vector<std::pair<uint64_t, int>> pairs;
    pairs.reserve(numbers_.size());
    for (size_t i = 0; i < numbers_.size(); ++i) pairs.emplace_back(numbers_[i], int(i));
    std::sort(pairs.begin(), pairs.end());
    for (const auto& p : pairs) out.push_back(p.second);
    return out;
  }
  for (size_t i = 0; i < ends_.size(); ++i) out.push_back(int(i));
  std::stable_sort(out.begin(), out.end(),
                   [this](int a, int b) { return compare(bytesOf(size_t(a)), bytesOf(size_t(b))) < 0; });
  return out;
}

} // namespace sortkeys
