#pragma once

#include <cstdint>

namespace verbalor {

// Fraction digits kept at most, and groups of three digits spelled at most (up to the zilhões).
constexpr int kMaxPlaces = 20;
constexpr int kMaxGroups = 13;

// A non-negative amount rounded to a number of decimal places: its integral part and the digits
// of its fraction.
struct AmountParts {
  double whole = 0;  // integer-valued
  int places = 0;
  char fraction[kMaxPlaces] = {};  // `places` digits, most significant first

  [[nodiscard]] bool fractionIsZero() const;
  // The fraction as a number; meaningful for up to 9 places.
  [[nodiscard]] std::uint32_t fractionValue() const;
};

// The integral part cut into groups of three digits, lowest first.
struct Groups {
  double value[kMaxGroups] = {};
  int count = 0;
};

// Rounds a finite, non-negative amount half away from zero at `places` (0..20). Up to 9 places
// the scaled double arithmetic of the receipts' rounding is followed exactly; from 10 places on
// the digits are taken from the shortest decimal text that reads back as the same double.
[[nodiscard]] AmountParts SplitAmount(double amount, int places);

// The groups of an integer-valued whole, at most kMaxGroups: higher digits are dropped.
[[nodiscard]] Groups SplitGroups(double whole);

}  // namespace verbalor
