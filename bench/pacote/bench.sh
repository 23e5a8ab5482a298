#!/usr/bin/env bash
# The package's size, and the start of the installed program (unpacked, its data in the user's
# folder) next to the portable optimized program of the same tree (the floor), started in turn.
set -euo pipefail
pasta=$(mktemp -d)
trap 'chmod -R u+w "$pasta"; rm -rf "$pasta"' EXIT
rm -f "$BUILD"/talonix_*.deb
(cd "$BUILD" && cpack >/dev/null)
deb=$(ls "$BUILD"/talonix_*_amd64.deb)
echo "BENCH deb.size: $(stat -c %s "$deb" | awk '{ printf "%.2f", $1 / 1048576 }') MB"

dpkg-deb -x "$deb" "$pasta/raiz"
mkdir "$pasta/casa"
export QT_QPA_PLATFORM=offscreen TALONIX_SAIR_AO_MOSTRAR=1 HOME="$pasta/casa"
unset XDG_DATA_HOME
# The first start makes the data folder; the portable folder's was made by the build.
"$pasta/raiz/usr/bin/talonix" >/dev/null
# What earlier benchmarks wrote reaches the disk before the clock starts.
sync
read -r portatil instalado _ < <("$BUILD/bench/startup/bench_startup" 41 "$BUILD/Talonix/Talonix" -- \
  "$pasta/raiz/usr/bin/talonix")
echo "BENCH startup.installed: $instalado ms"
echo "BENCH startup.installed.floor: $portatil ms"
