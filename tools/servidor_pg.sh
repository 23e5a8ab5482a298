#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests and the benchmarks, in a temporary folder of its
# own, on 127.0.0.1 and a free port, trusted from there (and with a password for the role
# talonix_senha, the one the password tests log in as).
#   servidor_pg.sh iniciar ESTADO   stops what an earlier run left under ESTADO, starts a new server
#                                   and writes "FOLDER PORT" into the file ESTADO
#   servidor_pg.sh reiniciar ESTADO restarts the server ESTADO names on the same port, ending every
#                                   connection to it, as an administrator's restart does
#   servidor_pg.sh parar ESTADO     stops the server ESTADO names and removes its folder
# initdb refuses root: as root the server runs as the user nobody, which owns its folder. The
# tests need no flushing to the disk; TALONIX_PG_FSYNC=on gives a benchmark a server that flushes.
set -euo pipefail

BIN=${TALONIX_PG_BIN:-/usr/lib/postgresql/15/bin}
acao=${1:-}
estado=${2:-}
if [ -z "$acao" ] || [ -z "$estado" ]; then
  echo "uso: $0 iniciar|reiniciar|parar ARQUIVO_DE_ESTADO" >&2
  exit 2
fi

como_dono() {
  if [ "$(id -u)" -eq 0 ]; then
    setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"
  else
    "$@"
  fi
}

parar() {
  [ -f "$estado" ] || return 0
  local pasta porta
  read -r pasta porta <"$estado" || true
  if [ -n "${pasta:-}" ] && [ -d "$pasta/dados" ]; then
    como_dono "$BIN/pg_ctl" -D "$pasta/dados" -m immediate -w -t 20 stop >/dev/null 2>&1 || true
    # A server pg_ctl could not stop is ended by the process id it wrote when it started.
    if [ -f "$pasta/dados/postmaster.pid" ]; then
      local pid
      pid=$(head -n 1 "$pasta/dados/postmaster.pid")
      [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null || true
    fi
  fi
  case "${pasta:-}" in
    /tmp/talonix-pg.*) rm -rf "$pasta" ;;
  esac
  rm -f "$estado"
}

iniciar() {
  parar
  local pasta
  pasta=$(mktemp -d /tmp/talonix-pg.XXXXXX)
  chmod 0755 "$pasta"
  [ "$(id -u)" -eq 0 ] && chown nobody:nogroup "$pasta"
  if ! como_dono "$BIN/initdb" -D "$pasta/dados" -U postgres -A trust -E UTF8 --locale=C.UTF-8 \
    >"$pasta/initdb.log" 2>&1; then
    cat "$pasta/initdb.log" >&2
    rm -rf "$pasta"
    return 1
  fi
  # The password role first: the lines of pg_hba.conf are tried in order.
  local hba="$pasta/dados/pg_hba.conf"
  {
    echo "host all talonix_senha 127.0.0.1/32 scram-sha-256"
    cat "$hba"
  } >"$hba.novo"
  mv "$hba.novo" "$hba"
  [ "$(id -u)" -eq 0 ] && chown nobody:nogroup "$hba"
  local porta tentativa
  for tentativa in 1 2 3 4 5 6 7 8 9 10; do
    porta=$((20000 + (RANDOM * 32768 + RANDOM) % 40000))
    if como_dono "$BIN/pg_ctl" -D "$pasta/dados" -l "$pasta/servidor.log" -w -t 30 \
      -o "-p $porta -k $pasta -c listen_addresses=127.0.0.1 -c fsync=${TALONIX_PG_FSYNC:-off} -c max_connections=60" start \
      >/dev/null 2>&1; then
      echo "$pasta $porta" >"$estado"
      echo "Servidor PostgreSQL de teste em 127.0.0.1:$porta ($pasta)"
      return 0
    fi
  done
  cat "$pasta/servidor.log" >&2 || true
  rm -rf "$pasta"
  return 1
}

# pg_ctl starts the server again with the options it was started with.
reiniciar() {
  local pasta porta
  read -r pasta porta <"$estado"
  como_dono "$BIN/pg_ctl" -D "$pasta/dados" -l "$pasta/servidor.log" -m fast -w -t 30 restart >/dev/null
}

case "$acao" in
  iniciar) iniciar ;;
  reiniciar) reiniciar ;;
  parar) parar ;;
  *)
    echo "ação desconhecida: $acao" >&2
    exit 2
    ;;
esac
