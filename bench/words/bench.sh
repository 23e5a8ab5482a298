#!/usr/bin/env bash
# The amount in words: nanoseconds per call, with snprintf("%.2f") of the same amounts as the floor.
# BUILD names a Release build tree.
set -euo pipefail
: "${BUILD:?BUILD must name a Release build tree}"
cmake --build "$BUILD" --target bench_words -j2 >/dev/null
"$BUILD/bench/words/bench_words"
