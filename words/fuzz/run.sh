#!/usr/bin/env bash
# Builds Verbalor's fuzz target with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it for a bounded time over (amount, places). A crash or a sanitizer report fails.
#   words/fuzz/run.sh BUILD_DIR [SECONDS]
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
pasta=${1:?uso: $0 PASTA_DE_BUILD [SEGUNDOS]}
segundos=${2:-60}

mkdir -p "$pasta/corpus"
clang++ -std=c++20 -O1 -g -Wall -Wextra -Wpedantic -Werror -ffp-contract=off \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer \
  -I"$raiz" "$raiz"/words/{AmountParts,Spelling,Verbalor}.cpp "$raiz/words/fuzz/FuzzVerbalor.cpp" \
  -o "$pasta/fuzz_verbalor"

cd "$pasta"
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ./fuzz_verbalor -max_len=12 -max_total_time="$segundos" \
  -print_final_stats=1 corpus
