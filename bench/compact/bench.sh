#!/usr/bin/env bash
# Compaction of the generated database, next to a bare VACUUM INTO of the same file.
set -euo pipefail
read -r programa piso < <("$BUILD/bench/compact/bench_compact" "$DATA/completo.mdb")
echo "BENCH compact: $programa s"
echo "BENCH compact.floor: $piso s"
