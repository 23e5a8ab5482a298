#include "words/AmountParts.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace verbalor {

namespace {

constexpr std::uint32_t kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
constexpr int kMaxScaledPlaces = 9;

// fmod of an integer-valued, non-negative x. Below 2^64 the integer remainder gives the same,
// exact, result without the cost of the library call.
double ExactRemainder(double x, std::uint32_t m) {
  if (x < 18446744073709551616.0) {
    return static_cast<double>(static_cast<std::uint64_t>(x) % m);
  }
  return std::fmod(x, m);
}

void WriteDigits(AmountParts& parts, std::uint32_t value) {
  for (int i = parts.places - 1; i >= 0; --i) {
    parts.fraction[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

AmountParts SplitScaled(double amount, int places) {
  AmountParts parts;
  parts.places = places;
  const std::uint32_t p = kPowersOfTen[places];
  const double t = std::floor(amount * p + 0.5);
  if (std::isinf(t)) {
    // Only amounts far beyond the spelled groups overflow when scaled; they are integers.
    parts.whole = amount;
    WriteDigits(parts, 0);
    return parts;
  }
  WriteDigits(parts, static_cast<std::uint32_t>(ExactRemainder(t, p)));
  parts.whole = std::floor(t / p);
  return parts;
}

AmountParts SplitDecimal(double amount, int places) {
  AmountParts parts;
  parts.places = places;
  // Room for the longest fixed text of a double: 309 integral digits, or 324 decimals.
  char text[400];
  const auto written = std::to_chars(text, text + sizeof text, amount, std::chars_format::fixed);
  const std::string_view digits(text, static_cast<std::size_t>(written.ptr - text));
  const std::size_t point = digits.find('.');
  const std::string_view decimals = point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
  const auto kept = static_cast<std::size_t>(places);
  for (std::size_t i = 0; i < kept; ++i) {
    parts.fraction[i] = i < decimals.size() ? decimals[i] : '0';
  }
  parts.whole = std::floor(amount);
  if (decimals.size() > kept && decimals[kept] >= '5') {
    int i = places - 1;
    for (; i >= 0 && parts.fraction[i] == '9'; --i) {
      parts.fraction[i] = '0';
    }
    if (i < 0) {
      parts.whole += 1;
    } else {
      ++parts.fraction[i];
    }
  }
  return parts;
}

}  // namespace

bool AmountParts::fractionIsZero() const {
  for (int i = 0; i < places; ++i) {
    if (fraction[i] != '0') {
      return false;
    }
  }
  return true;
}

std::uint32_t AmountParts::fractionValue() const {
  std::uint32_t value = 0;
  for (int i = 0; i < places; ++i) {
    value = value * 10 + static_cast<std::uint32_t>(fraction[i] - '0');
  }
  return value;
}

AmountParts SplitAmount(double amount, int places) {
  return places <= kMaxScaledPlaces ? SplitScaled(amount, places) : SplitDecimal(amount, places);
}

Groups SplitGroups(double whole) {
  Groups groups;
  while (whole > 0 && groups.count < kMaxGroups) {
    const double g = ExactRemainder(whole, 1000);
    whole = std::floor((whole - g) * 0.001);
    groups.value[groups.count++] = g;
  }
  return groups;
}

}  // namespace verbalor
