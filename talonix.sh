#!/usr/bin/env bash
# Builds Talonix and starts it, or runs its tests. Installs the missing Debian packages first.
#   ./talonix.sh            build optimized (build-release/), lay out the application folder, start it
#   ./talonix.sh test       build for debugging (build/) and run every test
#   ./talonix.sh pacote     build the Debian package talonix_<versão>_amd64.deb here
#   ./talonix.sh test-asan  the same with AddressSanitizer and UndefinedBehaviorSanitizer
#   ./talonix.sh formato    check that the sources are formatted as clang-format 14 formats them
#   ./talonix.sh deps       only install the missing packages
set -euo pipefail
cd "$(dirname "$0")"

PACOTES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-multimedia-dev qt6-translations-l10n
  libsqlite3-dev libzip-dev
  fonts-dejavu-core fonts-liberation2
  zip unzip poppler-utils xvfb xauth xdotool
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
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${faltam[@]}"
}

construir() {
  local pasta=$1
  shift
  cmake -S . -B "$pasta" -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
  cmake --build "$pasta" -j"$(nproc)"
}

# The optimized program, also the one the package is made of: no tests, no benchmarks.
construir_otimizado() {
  construir build-release -DCMAKE_BUILD_TYPE=Release -DTALONIX_TESTS=OFF -DTALONIX_BENCH=OFF -DTALONIX_PACOTE=ON
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
    construir build
    testar build
    ;;
  test-asan)
    construir build-asan -DTALONIX_SANITIZE=ON
    testar build-asan
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
    echo "uso: $0 [run|test|test-asan|pacote|formato|deps]" >&2
    exit 2
    ;;
esac
