#include "backup/RestauracaoBanco.h"

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
#include "backup/cUnzip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <filesystem>
#include <optional>
#include <system_error>

namespace RestauracaoBanco {
namespace {

Resultado falha(const QString& texto) {
  return Resultado::falha(texto, -1);
}

Resultado extrair(const QString& arquivoZip, const QString& pasta, qint64 limite, QStringList& demais) {
  cUnzip unzip;
  QString mensagem;
  QObject::connect(&unzip, &cUnzip::Mensagem, [&mensagem](const QString& texto) { mensagem = texto; });
  unzip.setZipFile(arquivoZip);
  if (!unzip.Directory())
    return falha(QStringLiteral("O arquivo não é uma cópia de segurança legível: ") + mensagem);

  bool temBanco = false;
  int outras = 0;
  for (int i = 1; i <= unzip.FileCount(); ++i) {
    const QString nome = unzip.Filename(i);
    if (nome != Conexao::NomeArquivoBanco && ++outras > MaisOutrasEntradas)
      return falha(QStringLiteral("A cópia de segurança traz mais de %1 arquivos além do banco de dados.")
                       .arg(MaisOutrasEntradas));
    if (nome != Conexao::NomeArquivoBanco && unzip.FileSize(i) > MaiorOutroArquivo)
      return falha(QStringLiteral("A cópia de segurança traz um arquivo grande demais (mais de %1 MB) além do banco "
                                  "de dados: %2")
                       .arg(MaiorOutroArquivo / (1024 * 1024))
                       .arg(nome));
    if (nome.isEmpty())
      continue;  // a folder entry: nothing lands for it
    // The database's journal would be rolled into it, a lock or a work folder's name would stop
    // later compactions and backups.
    if (ArquivosBanco::NomeReservado(nome))
      return falha(QStringLiteral("A cópia de segurança traz um arquivo com um nome que o Talonix reserva para os "
                                  "seus próprios arquivos na pasta de dados: ") +
                   nome);
    if (nome == Conexao::NomeArquivoBanco) {
      temBanco = true;
    } else {
      if (QFileInfo(modGeral::CaminhoDados() + nome).isDir())
        return falha(QStringLiteral("A cópia de segurança traz um arquivo com o nome de uma pasta: ") + nome);
      if (!demais.contains(nome))
        demais.append(nome);
    }
  }
  if (!temBanco)
    return falha(QStringLiteral("A cópia de segurança não contém o arquivo ") + Conexao::NomeArquivoBanco);

  if (!QDir().mkpath(pasta))
    return falha(QStringLiteral("Não foi possível criar a pasta ") + pasta);
  unzip.setUseFolderNames(false);
  unzip.setOverwriteExisting(true);
  unzip.setUnzipFolder(pasta);
  unzip.setLimiteDescompactado(limite);
  if (unzip.Unzip())
    return falha(QStringLiteral("Não foi possível descompactar a cópia de segurança: ") + mensagem);
  return Resultado::sucesso();
}

Resultado gravarNoDisco(const QString& pasta, const QStringList& demais) {
  Resultado resultado = Plataforma::Sincronizar(QDir(pasta).filePath(Conexao::NomeArquivoBanco));
  for (const QString& nome : demais)
    if (resultado)
      resultado = Plataforma::Sincronizar(QDir(pasta).filePath(nome));
  return resultado;
}

// A second name for the current database, so that it survives until the new one is in place;
// a hard link costs nothing, a copy is the fallback where links are not possible.
Resultado guardarAnterior(const QString& banco, const QString& anterior) {
  if (!QFileInfo::exists(banco))
    return Resultado::sucesso();
  std::error_code erro;
  std::filesystem::create_hard_link(QFile::encodeName(banco).toStdString(), QFile::encodeName(anterior).toStdString(),
                                    erro);
  if (erro && !QFile::copy(banco, anterior))
    return falha(QStringLiteral("Não foi possível guardar o banco de dados anterior em ") + anterior);
  return Plataforma::Sincronizar(anterior);
}

// Every previous database kept beside the current one (the base name and its numbered ones).
void apagarAnteriores(const QString& anterior) {
  const QFileInfo base(anterior);
  const QDir pasta = base.absoluteDir();
  for (const QString& nome : pasta.entryList({base.fileName(), base.fileName() + QStringLiteral(".*")}, QDir::Files))
    QFile::remove(pasta.filePath(nome));
}

Resultado colocarDemais(const QString& pasta, const QStringList& demais) {
  for (const QString& nome : demais) {
    if (!Plataforma::Renomear(QDir(pasta).filePath(nome), modGeral::CaminhoDados() + nome))
      return falha(QStringLiteral("Não foi possível colocar o arquivo ") + nome + QStringLiteral(" na pasta de dados"));
  }
  return Resultado::sucesso();
}

// Puts the rows of the checked database `novo` in the place of the server's, in one transaction
// that holds the tables alone: the other desks wait (or are told) and never see half of it. A
// backup of an earlier version is first brought to the current schema, in its scratch copy.
// `antesDeConfirmar` runs when the rows are written but not yet committed.
Resultado substituirNoServidor(const QString& novo, const std::function<Resultado()>& antesDeConfirmar) {
  const QString nomeArquivo = QStringLiteral("talonix_restauracao_arquivo");
  const QString nomeServidor = QStringLiteral("talonix_restauracao_servidor");
  Resultado resultado = Conexao::AbrirArquivo(nomeArquivo, novo);
  if (resultado) {
    QSqlDatabase arquivo = QSqlDatabase::database(nomeArquivo, false);
    resultado = Esquema::Atualizar(arquivo);
  }
  if (resultado)
    resultado = Conexao::AbrirAuxiliar(nomeServidor);
  if (resultado) {
    const QSqlDatabase arquivo = QSqlDatabase::database(nomeArquivo, false);
    const QSqlDatabase servidor = QSqlDatabase::database(nomeServidor, false);
    QSqlQuery comando(servidor);
    QStringList passos = {QStringLiteral("BEGIN"), Dialeto::TravaTabelasServidor(CopiaTabelas::Tabelas())};
    for (const QString& tabela : CopiaTabelas::Tabelas())
      passos.append(QStringLiteral("DELETE FROM ") + tabela);
    for (const QString& passo : std::as_const(passos))
      if (resultado && !comando.exec(passo))
        resultado = ErroBanco::Falha(comando.lastError());
    if (resultado)
      resultado = CopiaTabelas::Copiar(arquivo, servidor);
    if (resultado)
      resultado = antesDeConfirmar();
    if (resultado && !comando.exec(QStringLiteral("COMMIT")))
      resultado = ErroBanco::Falha(comando.lastError());
    if (!resultado)
      comando.exec(QStringLiteral("ROLLBACK"));
  }
  Conexao::Descartar(nomeServidor);
  Conexao::Descartar(nomeArquivo);
  return resultado;
}

}  // namespace

Resultado RestaurarBanco(const QString& arquivoZip, const Observador& observador, qint64 limite) {
  const bool servidor = Conexao::Servidor();
  // The restored file is extracted beside the database file itself, so that it takes its place
  // in one rename, whatever folder a link of the data folder leads to.
  const QString dados = modGeral::CaminhoDados();
  ArquivosBanco::Locais locais{dados + Conexao::NomeArquivoBanco, dados};
  if (!servidor) {
    if (Resultado resolvido = ArquivosBanco::Resolver(locais); !resolvido)
      return resolvido;
  }
  // A previous database kept by a restore whose swap-back failed stays until a restore succeeds:
  // this restore keeps the current one under the first free name beside it.
  const QString anterior = modGeral::NomeLivre(locais.em(ArquivosBanco::Anterior));
  const QString pasta = locais.em(ArquivosBanco::PastaRestauracao);
  const QString novo = QDir(pasta).filePath(Conexao::NomeArquivoBanco);
  QStringList demais;

  auto etapa = [&](Etapa e, const std::function<Resultado()>& passo) -> Resultado {
    if (observador && !observador(e))
      return falha(QStringLiteral("Falha provocada na etapa ") + QString::number(static_cast<int>(e)));
    return passo();
  };

  // No other Talonix process writes to the database until the restored one is in place: on the
  // desk's file the lock beside it says so, on the server its own lock of the tables.
  std::optional<TravaBanco> trava;
  if (!servidor) {
    trava.emplace(TravaBanco::Restauracao);
    if (!trava->resultado())
      return trava->resultado();
  }

  Resultado resultado = etapa(Etapa::RemoverRestos, [&] {
    // Leftovers of an interrupted extraction are never the database.
    if (QFileInfo::exists(pasta) && !QDir(pasta).removeRecursively())
      return falha(QStringLiteral("Não foi possível apagar os restos de uma restauração anterior em ") + locais.pasta);
    return Resultado::sucesso();
  });
  if (resultado)
    resultado = etapa(Etapa::Extrair, [&] { return extrair(arquivoZip, pasta, limite, demais); });
  if (resultado)
    resultado = etapa(Etapa::VerificarBanco,
                      [&] { return SubstituicaoBanco::Verificar(novo, SubstituicaoBanco::Verificacao::Integridade); });
  if (resultado)
    resultado = etapa(Etapa::GravarNoDisco, [&] { return gravarNoDisco(pasta, demais); });
  bool substituido = false;
  if (servidor) {
    // The other files land before the rows are committed: a failure leaves the server as it was.
    if (resultado)
      resultado = etapa(Etapa::SubstituirBanco, [&] {
        return substituirNoServidor(
            novo, [&] { return etapa(Etapa::ColocarDemais, [&] { return colocarDemais(pasta, demais); }); });
      });
  } else {
    if (resultado)
      resultado = etapa(Etapa::GuardarAnterior, [&] { return guardarAnterior(locais.banco, anterior); });
    if (resultado) {
      resultado = etapa(Etapa::SubstituirBanco, [&] { return SubstituicaoBanco::Substituir(novo, locais); });
      substituido = resultado.ok;
    }
    if (resultado)
      resultado = etapa(Etapa::ColocarDemais, [&] { return colocarDemais(pasta, demais); });
  }
  if (resultado)
    resultado = etapa(Etapa::Concluir, [] { return Resultado::sucesso(); });

  // A restore that fails after the swap puts the previous database back: a failure never leaves
  // the restored one in place. Should even that fail, the previous file is kept for the operator.
  if (!resultado && substituido && QFileInfo::exists(anterior) && !SubstituicaoBanco::Substituir(anterior, locais)) {
    QDir(pasta).removeRecursively();
    return falha(resultado.erro + QStringLiteral("\rO banco de dados anterior foi guardado em ") + anterior);
  }
  QDir(pasta).removeRecursively();
  if (resultado)
    apagarAnteriores(locais.em(ArquivosBanco::Anterior));
  else
    QFile::remove(anterior);
  return resultado;
}

}  // namespace RestauracaoBanco
