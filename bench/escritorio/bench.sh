#!/usr/bin/env bash
# Office mode on the generated data loaded into the throw-away server bench/run started: the month
# search of the receipt dialog next to the same bare query through libpq, and the 95th percentile
# of a save while four desks save at once.
set -euo pipefail
export QT_QPA_PLATFORM=offscreen
read -r _ porta <"$TALONIX_BENCH_PG"
psql=(psql -q -h 127.0.0.1 -p "$porta" -U postgres -d postgres)
pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
"${psql[@]}" -c "DROP DATABASE IF EXISTS talonix_bench WITH (FORCE)" \
  -c "CREATE DATABASE talonix_bench ENCODING 'UTF8' TEMPLATE template0"
cat >"$pasta/cfgtalonix.ini" <<INI
[banco]
tipo=postgresql
servidor=127.0.0.1
porta=$porta
nome=talonix_bench
usuario=postgres
INI
mkdir -p "$pasta/Dados"
"$BUILD/bench/escritorio/bench_escritorio" carregar "$pasta" "$DATA/completo.mdb"
read -r nome tela piso linhas < <("$BUILD/bench/escritorio/bench_escritorio" buscar "$pasta")
echo "BENCH pg.search.$nome: $tela ms"
echo "BENCH pg.search.$nome.floor: $piso ms"
echo "pg.search.$nome: $linhas receipts" >&2
for desk in 1 2 3 4; do
  "$BUILD/bench/escritorio/bench_escritorio" gravar "$pasta" 250 2027 >"$pasta/gravacoes.$desk" &
done
wait
sort -n "$pasta"/gravacoes.* | awk '{ v[NR] = $1 } END { i = int(NR * 0.95); if (i < 1) i = 1; printf "BENCH pg.save.p95: %.1f ms\n", v[i] }'
"${psql[@]}" -c "DROP DATABASE IF EXISTS talonix_bench WITH (FORCE)"
