#include "words/Verbalor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "words/AmountParts.h"
#include "words/Spelling.h"
#include "words/TextBuffer.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

// The text in a zero-filled block of its own, with its terminating zero byte, handed to the caller.
void* NewTextBlock(std::string_view text) {
  const std::size_t size = text.size() + 1;
#if defined(_WIN32)
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (block == nullptr) {
    return nullptr;
  }
  // A block that cannot be locked is still returned: it holds the empty text.
  if (void* bytes = GlobalLock(block)) {
    text.copy(static_cast<char*>(bytes), text.size());
    GlobalUnlock(block);
  }
  return block;
#else
  void* block = std::calloc(size, 1);
  if (block != nullptr) {
    text.copy(static_cast<char*>(block), text.size());
  }
  return block;
#endif
}

}  // namespace

extern "C" VERBALOR_EXPORT void* TranslateNumberToWords(double amount, int32_t places) {
  if (!std::isfinite(amount)) {
    return NewTextBlock({});
  }
  // Minus zero is not negative.
  const bool negative = amount < 0;
  if (negative) {
    amount = -amount;
  }
  const int d = std::clamp(places, 0, verbalor::kMaxPlaces);
  const verbalor::AmountParts parts = verbalor::SplitAmount(amount, d);
  verbalor::TextBuffer text;
  if (parts.whole == 0) {
    verbalor::JoinZeroAmount(text, parts, negative);
  } else {
    verbalor::JoinAmount(text, verbalor::SplitGroups(parts.whole), parts, negative);
  }
  return NewTextBlock(text.view());
}
