#include "words/Spelling.h"

#include <string_view>

namespace verbalor {

namespace {

using namespace std::string_view_literals;

// Windows-1252 text, the accented letters as octal escapes (three digits at most, so the letter
// after one is never taken into it): ê \352, ü \374, é \351, ã \343, õ \365.
constexpr std::string_view kUnits[] = {
    "zero"sv,    "um"sv,     "dois"sv,      "tr\352s"sv,   "quatro"sv,  "cinco"sv,    "seis"sv,
    "sete"sv,    "oito"sv,   "nove"sv,      "dez"sv,       "onze"sv,    "doze"sv,     "treze"sv,
    "catorze"sv, "quinze"sv, "dezesseis"sv, "dezessete"sv, "dezoito"sv, "dezenove"sv,
};
constexpr std::string_view kTens[] = {
    ""sv,         "dez"sv,     "vinte"sv,   "trinta"sv,  "quarenta"sv, "cinq\374enta"sv,
    "sessenta"sv, "setenta"sv, "oitenta"sv, "noventa"sv,
};
constexpr std::string_view kHundreds[] = {
    ""sv,           "cento"sv,      "duzentos"sv,   "trezentos"sv,  "quatrocentos"sv,
    "quinhentos"sv, "seiscentos"sv, "setecentos"sv, "oitocentos"sv, "novecentos"sv,
};
constexpr std::string_view kScaleSingular[kMaxGroups] = {
    ""sv,
    " mil"sv,
    " milh\343o"sv,
    " bilh\343o"sv,
    " trilh\343o"sv,
    " quadrilh\343o"sv,
    " quintilh\343o"sv,
    " sextilh\343o"sv,
    " septilh\343o"sv,
    " octilh\343o"sv,
    " nonilh\343o"sv,
    " decilh\343o"sv,
    " zilh\343o"sv,
};
constexpr std::string_view kScalePlural[kMaxGroups] = {
    ""sv,
    " mil"sv,
    " milh\365es"sv,
    " bilh\365es"sv,
    " trilh\365es"sv,
    " quadrilh\365es"sv,
    " quintilh\365es"sv,
    " sextilh\365es"sv,
    " septilh\365es"sv,
    " octilh\365es"sv,
    " nonilh\365es"sv,
    " decilh\365es"sv,
    " zilh\365es"sv,
};
constexpr auto kAnd = " e "sv;

bool HasFractionText(const AmountParts& parts) {
  switch (parts.places) {
  case 0:
    return false;
  case 2:
  case 3:
    return !parts.fractionIsZero();
  default:
    return true;
  }
}

// Two and three places are read in words with their unit; any other count as a written fraction
// over its power of ten, with letters "x" standing for a zero numerator.
void SpellFraction(TextBuffer& text, const AmountParts& parts) {
  if (parts.places == 2 || parts.places == 3) {
    const std::uint32_t value = parts.fractionValue();
    SpellGroup(text, value);
    text.append(" "sv);
    if (parts.places == 2) {
      text.append(value == 1 ? "centavo"sv : "centavos"sv);
    } else {
      text.append(value == 1 ? "mil\351simo"sv : "mil\351simos"sv);
    }
    return;
  }
  const auto places = static_cast<std::size_t>(parts.places);
  if (parts.fractionIsZero()) {
    text.appendRepeated('x', places);
  } else {
    text.append(std::string_view(parts.fraction, places));
  }
  text.append(" / 1"sv);
  text.appendRepeated('0', places);
}

}  // namespace

void SpellGroup(TextBuffer& text, unsigned n) {
  const unsigned u = n % 10;
  const unsigned t = n / 10 % 10;
  const unsigned h = n / 100;
  if (h == 1) {
    text.append(t == 0 && u == 0 ? "cem"sv : "cento"sv);
  } else {
    text.append(kHundreds[h]);
  }
  if (h != 0 && (t != 0 || u != 0)) {
    text.append(kAnd);
  }
  if (t >= 2) {
    text.append(kTens[t]);
    if (u != 0) {
      text.append(kAnd);
    }
  }
  if (t == 1) {
    text.append(kUnits[10 + u]);
  } else if (u != 0) {
    text.append(kUnits[u]);
  }
}

void JoinZeroAmount(TextBuffer& text, const AmountParts& parts, bool negative) {
  // A negative amount that rounds to zero whole units keeps its sign only when it has places.
  if (negative && parts.places > 0) {
    text.append("menos "sv);
  }
  if (HasFractionText(parts)) {
    SpellFraction(text, parts);
  } else {
    text.append(kUnits[0]);
    text.append(" reais"sv);
  }
}

void JoinAmount(TextBuffer& text, const Groups& groups, const AmountParts& parts, bool negative) {
  if (negative) {
    text.append("menos "sv);
  }
  bool first = true;
  for (int i = groups.count - 1; i >= 0; --i) {
    const double value = groups.value[i];
    if (value == 0) {
      continue;
    }
    if (!first) {
      text.append(value < 100 ? kAnd : " "sv);
    }
    first = false;
    SpellGroup(text, static_cast<unsigned>(value));
    text.append(value > 1 ? kScalePlural[i] : kScaleSingular[i]);
  }
  text.append(groups.count == 1 && groups.value[0] <= 1 ? " real"sv : " reais"sv);
  if (HasFractionText(parts)) {
    text.append(kAnd);
    SpellFraction(text, parts);
  }
}

}  // namespace verbalor
