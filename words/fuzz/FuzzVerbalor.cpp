// Fuzz target: any amount and any count of places give a short, well-formed text and no fault.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "words/Verbalor.h"

namespace {

// The sign (6), thirteen groups of at most 33 characters with twelve separators (36) and their
// scale words (113), the currency word (6), " e " and the longest fraction (44).
constexpr std::size_t kLongestText = 6 + 13 * 33 + 36 + 113 + 6 + 3 + 44;

bool AllowedByte(unsigned char c) {
  switch (c) {
  case ' ':
  case '/':
  case 0xEA:  // ê
  case 0xFC:  // ü
  case 0xE9:  // é
  case 0xE3:  // ã
  case 0xF5:  // õ
    return true;
  default:
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  double amount;
  std::int32_t places;
  if (size != sizeof amount + sizeof places) {
    return -1;
  }
  std::memcpy(&amount, data, sizeof amount);
  std::memcpy(&places, data + sizeof amount, sizeof places);

  auto* text = static_cast<unsigned char*>(TranslateNumberToWords(amount, places));
  if (text == nullptr) {
    std::abort();
  }
  std::size_t length = 0;
  for (; text[length] != 0; ++length) {
    if (length == kLongestText || !AllowedByte(text[length])) {
      std::abort();
    }
  }
  std::free(text);
  return 0;
}
