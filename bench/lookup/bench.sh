#!/usr/bin/env bash
# Refilling the person lookup list for one typed letter, next to a bare LIKE scan of the table.
set -euo pipefail
read -r programa piso < <(QT_QPA_PLATFORM=offscreen "$BUILD/bench/lookup/bench_lookup" "$DATA/completo.mdb")
echo "BENCH lookup.keystroke: $programa ms"
echo "BENCH lookup.keystroke.floor: $piso ms"
