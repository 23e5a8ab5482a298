#include "backup/CopiaSeguranca.h"

#include "app/core/ArquivosBanco.h"
#include "app/core/Conexao.h"
#include "app/core/CopiaTabelas.h"
#include "app/core/Dialeto.h"
#include "app/core/ErroBanco.h"
#include "app/core/Esquema.h"
#include "app/core/Plataforma.h"
#include "app/core/SubstituicaoBanco.h"
#include "app/core/TravaBanco.h"
#include "app/core/modGeral.h"
#include "backup/cZip.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace CopiaSeguranca {
namespace {

Resultado falhaSqlite(sqlite3* conexao) {
  return Resultado::falha(
      QStringLiteral("Não foi possível copiar o banco de dados: ") + QString::fromUtf8(sqlite3_errmsg(conexao)),
      sqlite3_extended_errcode(conexao));
}

// Copies every page of `banco` into the new file `copia` in one step, under SQLite's read lock
// and the program's exclusive lock: the copy is the database as of one instant.
Resultado tirarInstantaneo(const QString& banco, const QString& copia) {
  const TravaBanco trava(TravaBanco::CopiaSeguranca);
  if (!trava.resultado())
    return trava.resultado();
  if (Resultado privado = Plataforma::CriarArquivoPrivado(copia); !privado)
    return privado;
  sqlite3* origem = nullptr;
  sqlite3* destino = nullptr;
  Resultado resultado;
  if (sqlite3_open_v2(QFile::encodeName(banco).constData(), &origem, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    resultado = falhaSqlite(origem);
  } else if (sqlite3_open_v2(QFile::encodeName(copia).constData(), &destino, SQLITE_OPEN_READWRITE, nullptr) !=
             SQLITE_OK) {
    resultado = falhaSqlite(destino);
  } else {
    sqlite3_busy_timeout(origem, 5000);
    // The copy is a scratch file checked before use: no journal, no flushing.
    sqlite3_exec(destino, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    sqlite3_backup* copiador = sqlite3_backup_init(destino, "main", origem, "main");
    if (copiador == nullptr) {
      resultado = falhaSqlite(destino);
    } else {
      const int passo = sqlite3_backup_step(copiador, -1);
      sqlite3_backup_finish(copiador);
      if (passo != SQLITE_DONE)
        resultado = falhaSqlite(destino);
    }
  }
  sqlite3_close(destino);
  sqlite3_close(origem);
  return resultado;
}

// Writes the rows of the office's server, as of one instant, into the new desk database `copia`
// of the current schema: any backup restores on a desk as on the server.
Resultado instantaneoServidor(const QString& copia) {
  const QString nomeServidor = QStringLiteral("talonix_copia_servidor");
  const QString nomeArquivo = QStringLiteral("talonix_copia_arquivo");
  Resultado resultado = Esquema::CriarBanco(copia);
  if (resultado)
    resultado = Conexao::AbrirAuxiliar(nomeServidor);
  if (resultado)
    resultado = Conexao::AbrirArquivo(nomeArquivo, copia);
  if (resultado) {
    const QSqlDatabase servidor = QSqlDatabase::database(nomeServidor, false);
    const QSqlDatabase arquivo = QSqlDatabase::database(nomeArquivo, false);
    QSqlQuery leitura(servidor);
    QSqlQuery escrita(arquivo);
    if (!leitura.exec(Dialeto::InicioInstantaneoServidor()))
      resultado = ErroBanco::Falha(leitura.lastError());
    else if (!escrita.exec(QStringLiteral("BEGIN")))
      resultado = ErroBanco::Falha(escrita.lastError());
    if (resultado)
      resultado = CopiaTabelas::Copiar(servidor, arquivo);
    if (resultado && !escrita.exec(QStringLiteral("COMMIT")))
      resultado = ErroBanco::Falha(escrita.lastError());
    leitura.exec(QStringLiteral("ROLLBACK"));
    if (!resultado)
      escrita.exec(QStringLiteral("ROLLBACK"));
  }
  Conexao::Descartar(nomeArquivo);
  Conexao::Descartar(nomeServidor);
  return resultado;
}

Resultado arquivar(const QString& copia, const QString& banco, const QString& arquivo) {
  const QString temporario = arquivo + QStringLiteral(".tmp");
  QFile::remove(temporario);
  cZip zip;
  // The library's last word is why it failed.
  QString motivo;
  QObject::connect(&zip, &cZip::Progress, [&motivo](int, const QString& mensagem) {
    if (!mensagem.isEmpty())
      motivo = QStringLiteral(": ") + mensagem;
  });
  zip.setEncrypt(false);
  zip.setAddComment(false);
  zip.setZipFile(temporario);
  zip.setStoreFolderNames(false);
  zip.setRecurseSubDirs(false);
  zip.ClearFileSpecs();
  // The snapshot carries the database's own name, which is the archive's one entry.
  zip.AddFileSpec(copia);
  zip.Zip();
  Resultado resultado = zip.Success()
                            ? Resultado::sucesso()
                            : Resultado::falha(QStringLiteral("A biblioteca de compactação falhou (código ") +
                                                   QString::number(zip.CodigoResultado()) + QLatin1Char(')') + motivo,
                                               zip.CodigoResultado());
  if (resultado)
    resultado = Plataforma::Sincronizar(temporario);
  if (resultado)
    resultado = Plataforma::CopiarPermissoes(banco, temporario);
  if (resultado)
    resultado = Plataforma::Renomear(temporario, arquivo);
  if (!resultado)
    QFile::remove(temporario);
  return resultado;
}

// Work folders are locked while their backup lasts: one that can be locked was left by a backup
// that died, and holds a snapshot of the database nobody will use.
void apagarAbandonadas() {
  const QDir dados(modGeral::CaminhoDados());
  const QStringList pastas = dados.entryList({ArquivosBanco::PastaCopia + QStringLiteral("-*")},
                                             QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
  for (const QString& nome : pastas) {
    const Plataforma::Descritor trava = Plataforma::TravarPasta(dados.filePath(nome));
    if (trava >= 0)
      QDir(dados.filePath(nome)).removeRecursively();
    Plataforma::FecharTrava(trava);
  }
}

}  // namespace

Resultado Realizar(const QString& arquivo) {
  const QString banco = modGeral::CaminhoDados() + Conexao::NomeArquivoBanco;
  // A folder of its own, under a name no file and no other backup can hold; it goes with all it
  // holds when the backup ends.
  const QTemporaryDir pasta(modGeral::CaminhoDados() + ArquivosBanco::PastaCopia + QStringLiteral("-XXXXXX"));
  if (!pasta.isValid())
    return Resultado::falha(QStringLiteral("Não foi possível criar uma pasta de trabalho em ") +
                                modGeral::CaminhoDados() + QStringLiteral(": ") + pasta.errorString(),
                            -1);
  const Plataforma::Descritor trava = Plataforma::TravarPasta(pasta.path());
  apagarAbandonadas();
  const QString copia = pasta.filePath(Conexao::NomeArquivoBanco);
  // The server's archive is as private as a database the program makes.
  const bool servidor = Conexao::Servidor();
  Resultado resultado = servidor ? instantaneoServidor(copia) : tirarInstantaneo(banco, copia);
  if (resultado)
    resultado = SubstituicaoBanco::Verificar(copia, SubstituicaoBanco::Verificacao::Rapida);
  if (resultado)
    resultado = arquivar(copia, servidor ? copia : banco, arquivo);
  Plataforma::FecharTrava(trava);
  return resultado;
}

}  // namespace CopiaSeguranca
