// Nanoseconds per amount written in words, next to the same amounts printed with snprintf("%.2f")
// in the same run: the cost of the shortest text a report could show instead.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "words/Verbalor.h"

namespace {

// Amounts from zero to 10^15 with two places, every count of integral digits equally often.
std::vector<double> Amounts() {
  std::vector<double> amounts{0.0, 1e15};
  std::uint64_t state = 0x2545F4914F6CDD1Dull;
  const auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  while (amounts.size() < 4096) {
    const int digits = static_cast<int>(next() % 16);
    std::uint64_t limit = 1;
    for (int i = 0; i < digits; ++i) {
      limit *= 10;
    }
    const double whole = static_cast<double>(next() % limit);
    amounts.push_back(whole + static_cast<double>(next() % 100) / 100.0);
  }
  return amounts;
}

template <typename Call>
double NanosecondsPerCall(const std::vector<double>& amounts, Call call) {
  constexpr int kPasses = 25;
  const auto start = std::chrono::steady_clock::now();
  for (int pass = 0; pass < kPasses; ++pass) {
    for (const double amount : amounts) {
      call(amount);
    }
  }
  const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count() / (kPasses * static_cast<double>(amounts.size()));
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  const std::vector<double> amounts = Amounts();
  volatile unsigned sink = 0;
  const auto words = [&sink](double amount) {
    auto* text = static_cast<const char*>(TranslateNumberToWords(amount, 2));
    sink = sink + static_cast<unsigned char>(text[0]);
    std::free(const_cast<char*>(text));
  };
  const auto floor = [&sink](double amount) {
    char text[64];
    sink = sink + static_cast<unsigned>(std::snprintf(text, sizeof text, "%.2f", amount));
  };
  // Rounds alternate between the two so that the machine's drift weighs on both alike.
  std::vector<double> wordTimes;
  std::vector<double> floorTimes;
  for (int round = 0; round < 15; ++round) {
    wordTimes.push_back(NanosecondsPerCall(amounts, words));
    floorTimes.push_back(NanosecondsPerCall(amounts, floor));
  }
  std::printf("BENCH words: %.1f ns\n", Median(wordTimes));
  std::printf("BENCH words.floor: %.1f ns\n", Median(floorTimes));
  return 0;
}
