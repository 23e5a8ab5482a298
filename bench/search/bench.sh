#!/usr/bin/env bash
# The receipt search dialog on the generated database (1,000,000 receipts): one month, one year
# and one payer over all years, each next to the bare SQLite query of the same rows (the floor).
set -euo pipefail
export QT_QPA_PLATFORM=offscreen
while read -r nome tela piso linhas; do
  echo "BENCH search.$nome: $tela ms"
  echo "BENCH search.$nome.floor: $piso ms"
  echo "search.$nome: $linhas receipts" >&2
done < <("$BUILD/bench/search/bench_search" "$DATA/completo.mdb")
