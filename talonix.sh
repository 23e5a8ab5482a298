#!/usr/bin/env bash
# Builds Talonix and starts it, or runs its tests. Installs the missing Debian packages first.
#   ./talonix.sh            build optimized (build-release/), lay out the application folder, start it
#   ./talonix.sh test       build for debugging with AddressSanitizer and UndefinedBehaviorSanitizer
#                           (build/) and run every test
#   ./talonix.sh pacote     build the Debian package talonix_<versão>_amd64.deb here
#   ./talonix.sh formato    check that the sources are formatted as clang-format 14 formats them
#   ./talonix.sh deps       only install the missing packages
set -euo pipefail
cd "$(dirname "$0")"

PACOTES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-multimedia-dev qt6-translations-l10n
  breeze-icon-theme libqt6svg6
  libsqlite3-dev libzip-dev libfontconfig-dev
  fonts-dejavu-core fonts-liberation2
  zip unzip poppler-utils xvfb xauth xdotool xdg-utils
  clang libclang-rt-14-dev clang-format-14
  librsvg2-bin dpkg-dev file lintian appstream sqlite3
  postgresql-15 libqt6sql6-psql libpq-dev
)

instalar_pacotes() {
  local faltam=()
  for p in "${PACOTES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltam+=("$p")
  done
  [ ${#faltam[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Instalando: ${faltam[*]}"
  $sudo apt-get update -qq
  # The tests start PostgreSQL servers of their own: the packages start no service while they
  # install (the server package would otherwise leave its own cluster running).
  local politica=/usr/sbin/policy-rc.d criada=0
  if [ ! -e "$politica" ]; then
    printf '#!/bin/sh\nexit 101\n' | $sudo tee "$politica" >/dev/null
    $sudo chmod 755 "$politica"
    criada=1
  fi
  local estado=0
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${faltam[@]}" || estado=$?
  [ $criada -eq 0 ] || $sudo rm -f "$politica"
  # Should a cluster of the server package just installed have started all the same, it stops.
  if [[ " ${faltam[*]} " == *" postgresql-15 "* ]] && command -v pg_lsclusters >/dev/null; then
    pg_lsclusters --no-header | while read -r versao nome _ situacao _; do
      [ "$situacao" != online ] || $sudo pg_ctlcluster "$versao" "$nome" stop
    done
  fi
  return $estado
}

construir() {
  local pasta=$1
  shift
  cmake -S . -B "$pasta" -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
  cmake --build "$pasta" -j"$(nproc)"
}

# The optimized program, also the one the package is made of: no tests, no benchmarks. Compiled
# a few sources at a time (a unity build), which takes a third of the time.
construir_otimizado() {
  construir build-release -DCMAKE_BUILD_TYPE=Release -DTALONIX_TESTS=OFF -DTALONIX_BENCH=OFF -DTALONIX_PACOTE=ON \
    -DCMAKE_UNITY_BUILD=ON
}

testar() {
  local pasta=$1
  ctest --test-dir "$pasta" --output-on-failure -j"$(nproc)"
}

instalar_pacotes
case "${1:-run}" in
  run)
    construir_otimizado
    echo "Pasta da aplicação: $(pwd)/build-release/Talonix"
    exec build-release/Talonix/Talonix
    ;;
  test)
    # One build serves both: the tests always run under the sanitizers.
    construir build -DTALONIX_SANITIZE=ON
    testar build
    ;;
  formato)
    # Other versions of clang-format format differently: the check names the one the code follows.
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run -Werror
    echo "Formatação conferida."
    ;;
  pacote)
    construir_otimizado
    rm -f build-release/talonix_*.deb
    (cd build-release && cpack >/dev/null)
    cp build-release/talonix_*.deb .
    echo "Pacote: $(pwd)/$(basename build-release/talonix_*.deb)"
    ;;
  deps) ;;
  *)
    echo "uso: $0 [run|test|pacote|formato|deps]" >&2
    exit 2
    ;;
esac
