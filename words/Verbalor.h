#pragma once

// Verbalor: an amount of money written out in Brazilian Portuguese words, for report layouts.

#include <stdint.h>

#if defined(_WIN32)
#if defined(VERBALOR_BUILDING)
#define VERBALOR_EXPORT __declspec(dllexport)
#else
#define VERBALOR_EXPORT __declspec(dllimport)
#endif
#else
#define VERBALOR_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/// Writes `amount` out in words ("dois reais e cinqüenta centavos"), keeping `places` decimal
/// places (brought into 0..20). The text is Windows-1252 and ends in a zero byte. On Windows the
/// result is a movable `GlobalAlloc` block; elsewhere a block from `calloc` that the caller
/// releases with `free`. The caller owns the block; null when it could not be allocated. An amount
/// that is not finite gives the empty text.
VERBALOR_EXPORT void* TranslateNumberToWords(double amount, int32_t places);

#ifdef __cplusplus
}
#endif
