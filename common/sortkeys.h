// The keys a grid is sorted by, gathered once for each row as the rows are
// read and dropped once the order is known. The order is the one of the
// keys' text compared without regard to case (QString::compare with
// Qt::CaseInsensitive over the decoded Windows-1252 text), rows of equal key
// in the order they were added.
//
// While every key is made of at most 18 digits, a key is held as one
// integer that orders as its text does: each digit as its value + 1 in
// base 11, padded with zeros (a shorter key before a longer one it begins).
// The first key that is not such a key turns the keys gathered so far back
// into their digits, and from then on every key is held as its bytes and
// compared through its case-folded characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sortkeys {

class Keys {
public:
  void reserve(size_t rows);
  void add(std::string_view key);
  size_t size() const { return digits_ ? numbers_.size() : ends_.size(); }
  // The indexes 0..size()-1 in ascending order of their keys.
  std::vector<int> order() const;
  // Held as integers (every key so far was digits only).
  bool digits() const { return digits_; }

private:
  void toBytes();
  std::string_view bytesOf(size_t i) const {
    const size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(bytes_).substr(begin, ends_[i] - begin);
  }

  bool digits_ = true;
  std::vector<uint64_t> numbers_;
  std::string bytes_;
  std::vector<size_t> ends_;
};

// The case-folded character a Windows-1252 byte compares as.
char16_t folded(unsigned char byte);
// Compares two keys' bytes as their decoded texts compare without regard to case.
int compare(std::string_view a, std::string_view b);

} // namespace sortkeys
