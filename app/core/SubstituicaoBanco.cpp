#include "app/core/SubstituicaoBanco.h"

#include "app/core/Conexao.h"
#include "app/core/Esquema.h"
#include "app/core/Plataforma.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>

#include <sqlite3.h>

namespace SubstituicaoBanco {
namespace {

// SQLite's own rule: an empty journal, or one whose header starts with a zero byte, holds no
// transaction to roll back. A crash while a transaction starts or ends leaves such a file.
bool diarioMorto(const QString& diario) {
  QFile arquivo(diario);
  if (!arquivo.open(QIODevice::ReadOnly))
    return false;
  char primeiro = 0;
  return arquivo.size() == 0 || (arquivo.getChar(&primeiro) && primeiro == 0);
}

// Beginning a write transaction makes SQLite roll back a hot journal, under its own locks, and
// proves that no other connection is writing: a journal left after that belongs to no one.
Resultado liberarDiario(const ArquivosBanco::Locais& locais) {
  const QString diario = locais.diario();
  if (!QFileInfo::exists(diario))
    return Resultado::sucesso();
  sqlite3* conexao = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(locais.banco).constData(), &conexao, SQLITE_OPEN_READWRITE, nullptr) ==
      SQLITE_OK) {
    sqlite3_busy_timeout(conexao, 2000);
    if (sqlite3_exec(conexao, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK) {
      if (QFileInfo::exists(diario) && diarioMorto(diario))
        QFile::remove(diario);
      sqlite3_exec(conexao, "ROLLBACK", nullptr, nullptr, nullptr);
    }
  }
  sqlite3_close(conexao);
  if (!QFileInfo::exists(diario))
    return Resultado::sucesso();
  return Resultado::falha(QStringLiteral("Há uma transação inacabada no banco de dados (") + diario +
                              QStringLiteral("); o arquivo não foi substituído."),
                          -1);
}

}  // namespace

Resultado Verificar(const QString& novo, Verificacao verificacao) {
  const QString nome = QStringLiteral("talonix_verificacao");
  // Opening checks the tables.
  Resultado resultado = Conexao::AbrirArquivo(nome, novo);
  if (resultado) {
    QSqlDatabase banco = QSqlDatabase::database(nome, false);
    resultado = Esquema::VerificarObjetos(banco);
    if (resultado && verificacao != Verificacao::Tabelas)
      resultado = Esquema::VerificarIntegridade(banco, verificacao == Verificacao::Rapida);
  }
  Conexao::Descartar(nome);
  return resultado;
}

Resultado Substituir(const QString& novo, const ArquivosBanco::Locais& destino) {
  Resultado resultado = liberarDiario(destino);
  if (resultado && QFileInfo::exists(destino.banco))
    resultado = Plataforma::CopiarPermissoes(destino.banco, novo);
  if (resultado)
    resultado = Plataforma::Renomear(novo, destino.banco);
  return resultado;
}

}  // namespace SubstituicaoBanco
