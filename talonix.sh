#!/usr/bin/env bash
# Builds Talonix and starts it, or runs its tests. Installs the missing Debian packages first.
#   ./talonix.sh            build, lay out the application folder and start the program
#   ./talonix.sh test       build and run every test
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

testar() {
  local pasta=$1
  ctest --test-dir "$pasta" --output-on-failure -j"$(nproc)"
}

instalar_pacotes
case "${1:-run}" in
  run)
    construir build
    echo "Pasta da aplicação: $(pwd)/build/Talonix"
    exec build/Talonix/Talonix
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
  deps) ;;
  *)
    echo "uso: $0 [run|test|test-asan|formato|deps]" >&2
    exit 2
    ;;
esac
