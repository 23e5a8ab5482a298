#pragma once

#include "words/AmountParts.h"
#include "words/TextBuffer.h"

namespace verbalor {

// The words of one group of three digits (0..999); nothing for 0.
void SpellGroup(TextBuffer& text, unsigned n);

// The text of an amount whose integral part is zero: the sign, then the fraction, or "zero reais".
void JoinZeroAmount(TextBuffer& text, const AmountParts& parts, bool negative);

// The text of an amount with a non-zero integral part: the sign, the groups from the highest
// with their scale words, the currency word, then " e " and the fraction.
void JoinAmount(TextBuffer& text, const Groups& groups, const AmountParts& parts, bool negative);

}  // namespace verbalor
