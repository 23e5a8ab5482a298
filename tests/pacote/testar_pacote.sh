#!/usr/bin/env bash
# Checks the Debian package made by `./talonix.sh pacote`: lintian finds no error, the AppStream
# metainfo validates, and the program unpacked into a read-only root starts as an installed
# program does, on a user with no data yet:
#   - the first start makes ~/.local/share/Talonix with the database, backup/ and the INI;
#   - a second start keeps a row written in between;
#   - a data folder that lost its database fails to start and nothing is made in its place;
#   - nothing is ever written inside the unpacked program.
# Prints one line per check and "pacote: N passed, M failed" at the end.
#   tests/pacote/testar_pacote.sh [talonix_VERSÃO_amd64.deb]
set -uo pipefail
cd "$(dirname "$0")/../.."

deb=${1:-$(ls talonix_*_amd64.deb 2>/dev/null | head -n1)}
if [ ! -f "$deb" ]; then
  echo "pacote: nenhum talonix_*_amd64.deb (rode ./talonix.sh pacote)" >&2
  exit 2
fi

temporaria=$(mktemp -d)
trap 'chmod -R u+w "$temporaria"; rm -rf "$temporaria"' EXIT
raiz=$temporaria/raiz
casa=$temporaria/casa
dados=$casa/.local/share/Talonix
banco=$dados/Dados/bdRecibo.mdb
mkdir -p "$casa"

passaram=0
falharam=0
conferir() {
  local descricao=$1
  shift
  if "$@"; then
    echo "ok: $descricao"
    passaram=$((passaram + 1))
  else
    echo "FALHOU: $descricao"
    falharam=$((falharam + 1))
  fi
}

# Starts the unpacked program through its command on the PATH, offscreen, until its first window
# has painted; leaves the window's class in $janela and returns the program's exit status.
iniciar() {
  janela=$(env -u XDG_DATA_HOME HOME="$casa" QT_QPA_PLATFORM=offscreen TALONIX_SAIR_AO_MOSTRAR=1 \
    timeout 120 "$raiz/usr/bin/talonix" 2>"$temporaria/stderr")
}

# Every path of a tree with its mode, size and checksum.
inventario() {
  (cd "$1" && find . -printf '%p %y %m %s\n' | sort && find . -type f -exec sha256sum {} + | sort)
}

tabelas() {
  sqlite3 "$banco" "SELECT group_concat(name, ' ') FROM (SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name)"
}

sem_erro_lintian() {
  lintian --fail-on error --tag-display-limit 0 "$deb" >"$temporaria/lintian" 2>&1
  local estado=$?
  sed 's/^/  lintian: /' "$temporaria/lintian"
  return $estado
}
conferir "lintian não aponta erro" sem_erro_lintian

dpkg-deb -x "$deb" "$raiz"
metainfo=$(ls "$raiz"/usr/share/metainfo/*.metainfo.xml)
conferir "metainfo AppStream válido" appstreamcli validate --no-net "$metainfo"
chmod -R a-w "$raiz"
inventario "$raiz" >"$temporaria/antes"

iniciar
estado=$?
conferir "primeira execução abre a janela principal" test "$estado:$janela" = "0:shown mdiPrincipal"
conferir "pasta de dados criada com o banco do esquema" test "$(tabelas)" = "tbPessoa tbRecibo tbReferente"
conferir "pasta backup criada" test -d "$dados/backup"
conferir "INI aponta a pasta backup" grep -q "^local=$dados/backup" "$dados/cfgtalonix.ini"

sqlite3 "$banco" "INSERT INTO tbReferente (Codigo, Descricao) VALUES (41, 'Conferência do pacote')"
iniciar
estado=$?
conferir "segunda execução abre a janela principal" test "$estado:$janela" = "0:shown mdiPrincipal"
conferir "segunda execução mantém a linha gravada" \
  test "$(sqlite3 "$banco" "SELECT Descricao FROM tbReferente WHERE Codigo = 41")" = "Conferência do pacote"

rm "$banco"
inventario "$dados" >"$temporaria/dados-antes"
iniciar
estado=$?
conferir "sem o banco a partida falha com a mensagem" test "$estado:$janela" = "1:shown QMessageBox"
inventario "$dados" >"$temporaria/dados-depois"
conferir "sem o banco nada é criado" cmp -s "$temporaria/dados-antes" "$temporaria/dados-depois"

inventario "$raiz" >"$temporaria/depois"
conferir "nada foi escrito no programa desempacotado" cmp -s "$temporaria/antes" "$temporaria/depois"

echo "pacote: $passaram passed, $falharam failed"
[ "$falharam" -eq 0 ]
