#!/usr/bin/env bash
# Start-up time and peak memory of Talonix, next to a minimal Qt main window (the floor), each
# started 41 times in turn: on a shared machine the median of fewer moves by several per cent.
set -euo pipefail
pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
mkdir -p "$pasta/Dados"
cp "$DATA/completo.mdb" "$pasta/Dados/bdRecibo.mdb"
# The copy, and what earlier benchmarks wrote, reach the disk before the clock starts, so that the
# starts are not timed against the writing back of hundreds of megabytes.
sync
export QT_QPA_PLATFORM=offscreen
read -r minimo talonix rss < <("$BUILD/bench/startup/bench_startup" 41 "$BUILD/bench/startup/bench_startup_minimo" -- \
  "$BUILD/bench/startup/bench_startup_talonix" "$pasta")
echo "BENCH startup: $talonix ms"
echo "BENCH startup.floor: $minimo ms"
echo "BENCH startup.rss: $rss MB"
