#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace verbalor {

// The words of one amount, built on the stack. The longest text is the sign, thirteen groups of
// three digits each with its separator, words and scale word, the currency word and the
// fraction: under 700 bytes, so the capacity is never reached; appending past it is cut, never
// written out of bounds.
class TextBuffer {
public:
  static constexpr std::size_t kCapacity = 1024;

  void append(std::string_view piece) {
    const std::size_t n = piece.size() < kCapacity - size_ ? piece.size() : kCapacity - size_;
    std::memcpy(text_ + size_, piece.data(), n);
    size_ += n;
  }

  void appendRepeated(char c, std::size_t count) {
    const std::size_t n = count < kCapacity - size_ ? count : kCapacity - size_;
    std::memset(text_ + size_, c, n);
    size_ += n;
  }

  [[nodiscard]] std::string_view view() const { return {text_, size_}; }

private:
  char text_[kCapacity];
  std::size_t size_ = 0;
};

}  // namespace verbalor
