#!/usr/bin/env bash
# One payer's yearly statement to its first page on the screen, and the monthly income report
# of the main issuer for one year prepared, next to the bare aggregate query it rests on.
set -euo pipefail
: "${BUILD:?BUILD must name a Release build tree}"
: "${DATA:?DATA must name the folder of generated databases}"
cmake --build "$BUILD" --target bench_yearly -j2 >/dev/null
QT_QPA_PLATFORM=offscreen "$BUILD/bench/yearly/bench_yearly" "$DATA/escritorio.mdb" "$BUILD/Talonix"
