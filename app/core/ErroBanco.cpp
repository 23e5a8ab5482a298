#include "app/core/ErroBanco.h"

#include "app/core/Comando.h"

#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

namespace ErroBanco {
namespace {

// What the operator reads for the failures that come from the file or from other processes
// rather than from the program: SQLite's own texts are English. Extended codes carry the primary
// one in their low byte.
QString traducao(int numero) {
  switch (numero & 0xff) {
  case SQLITE_BUSY:
  case SQLITE_LOCKED:
    return QStringLiteral("O banco de dados está ocupado por outra janela do Talonix. Tente novamente em instantes.");
  case SQLITE_READONLY:
  case SQLITE_PERM:
    return QStringLiteral("O banco de dados não pode ser alterado: o arquivo ou a sua pasta não permitem gravação.");
  case SQLITE_FULL:
    return QStringLiteral("Não há espaço livre no disco para gravar no banco de dados.");
  case SQLITE_IOERR:
    return QStringLiteral("Houve um erro de leitura ou gravação no disco do banco de dados.");
  case SQLITE_CANTOPEN:
    return QStringLiteral("Não foi possível abrir o arquivo do banco de dados ou um arquivo auxiliar dele.");
  case SQLITE_CORRUPT:
  case SQLITE_NOTADB:
    return QStringLiteral("O arquivo do banco de dados está danificado.");
  default:
    return {};
  }
}

const QString kConexaoPerdida = QStringLiteral(
    "A conexão com o servidor do banco de dados foi perdida. Tente de novo; o Talonix vai se reconectar.");

// The server's failures that come from other desks or from the network, by SQLSTATE. A wait for a
// lock (55P03) or a statement that ran out of time (57014) mean another desk holds the tables.
QString traducaoServidor(const QString& estado) {
  if (estado == QLatin1String("55P03") || estado == QLatin1String("57014") || estado == QLatin1String("40P01") ||
      estado == QLatin1String("40001"))
    return QStringLiteral(
        "O banco de dados está ocupado: outra estação do Talonix está restaurando uma cópia de "
        "segurança ou gravando no servidor. Tente novamente em instantes.");
  if (estado == QLatin1String("42501"))
    return QStringLiteral("O usuário do banco de dados não tem permissão para esta operação no servidor.");
  if (estado == QLatin1String("53100"))
    return QStringLiteral("Não há espaço livre no disco do servidor para gravar no banco de dados.");
  return {};
}

// What the operator reads when neither the store nor the driver said anything.
QString semMotivo(const QString& codigo) {
  return codigo.isEmpty()
             ? QStringLiteral("A operação no banco de dados falhou, e o driver não informou o motivo.")
             : QStringLiteral("A operação no banco de dados falhou, e o driver não informou o motivo (código %1).")
                   .arg(codigo);
}

}  // namespace

Resultado Falha(const QSqlError& erro) {
  const QString codigo = erro.nativeErrorCode();
  const QString proprio =
      erro.databaseText().trimmed().isEmpty() ? erro.driverText().trimmed() : erro.databaseText().trimmed();
  if (ConexaoPerdida(erro))
    return Resultado::falha(kConexaoPerdida, -1);
  // The server's codes are the five characters of an SQLSTATE; SQLite's numbers have at most four
  // digits.
  if (codigo.size() == 5) {
    QString texto = traducaoServidor(codigo);
    if (texto.isEmpty())
      texto = proprio.isEmpty() ? semMotivo(codigo) : proprio;
    return Resultado::falha(texto, -1);
  }
  bool numerico = false;
  int numero = codigo.toInt(&numerico);
  if (!numerico)
    numero = -1;
  QString texto = numerico ? traducao(numero) : QString();
  // A statement on a closed connection fails in the driver, with no number of the store's, or is
  // refused by Qt before it reaches the driver, with no error at all.
  if (texto.isEmpty() && !numerico && (erro.type() == QSqlError::ConnectionError || erro.type() == QSqlError::NoError))
    texto = QStringLiteral("A conexão com o banco de dados não está aberta.");
  if (texto.isEmpty())
    texto = proprio.isEmpty() ? semMotivo(codigo) : proprio;
  return Resultado::falha(texto, numero);
}

bool ConexaoPerdida(const QSqlError& erro) {
  const QString estado = erro.nativeErrorCode();
  // The server went away (57P) or the network failed (08). The server's driver gives no SQLSTATE
  // only for the client library's own failures, in libpq's English words: the connection is gone.
  return (estado.size() == 5 && (estado.startsWith(QLatin1String("08")) || estado.startsWith(QLatin1String("57P")))) ||
         (estado.isEmpty() && erro.driverText().startsWith(QLatin1String("QPSQL")));
}

Resultado Executar(QSqlQuery& consulta, const QString& sql, const QVariantList& valores) {
  return Comando::Executar(consulta, sql, valores) ? Resultado::sucesso() : Falha(consulta.lastError());
}

}  // namespace ErroBanco
