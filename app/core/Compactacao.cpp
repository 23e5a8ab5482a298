#include "app/core/Compactacao.h"

#include "app/core/ArquivosBanco.h"
#include "app/core/Conexao.h"
#include "app/core/CopiaTabelas.h"
#include "app/core/Dialeto.h"
#include "app/core/ErroBanco.h"
#include "app/core/Plataforma.h"
#include "app/core/SubstituicaoBanco.h"
#include "app/core/TravaBanco.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace Compactacao {
namespace {

Resultado copiarCompactado(const QString& banco, const QString& destino) {
  const QString nome = QStringLiteral("talonix_compactacao");
  Resultado resultado = Conexao::AbrirArquivo(nome, banco);
  if (resultado) {
    QSqlQuery comando(QSqlDatabase::database(nome, false));
    resultado = ErroBanco::Executar(comando, QStringLiteral("VACUUM INTO ?"), {destino});
  }
  Conexao::Descartar(nome);
  return resultado;
}

// The server compacts its tables in place, while the other desks go on working.
Resultado compactarServidor() {
  QSqlQuery comando(Conexao::Banco());
  if (!comando.exec(Dialeto::CompactacaoServidor(CopiaTabelas::Tabelas())))
    return ErroBanco::Falha(comando.lastError());
  return Resultado::sucesso();
}

}  // namespace

Resultado CompactarBanco(const Observador& observador) {
  if (Conexao::Servidor())
    return compactarServidor();
  ArquivosBanco::Locais locais;
  if (const Resultado resolvido = ArquivosBanco::Resolver(locais); !resolvido)
    return resolvido;
  const QString& banco = locais.banco;
  // Beside the file itself, so that the copy takes its place in one rename.
  const QString temporario = locais.em(ArquivosBanco::Temporario);

  auto etapa = [&](Etapa e, const std::function<Resultado()>& passo) -> Resultado {
    if (observador && !observador(e))
      return Resultado::falha(QStringLiteral("Falha provocada na etapa ") + QString::number(static_cast<int>(e)), -1);
    return passo();
  };

  // No other Talonix process writes to the database until its copy is in place and reopened.
  const TravaBanco trava(TravaBanco::Compactacao);
  if (!trava.resultado())
    return trava.resultado();

  Resultado resultado = etapa(Etapa::RemoverTemporarioAntigo, [&] {
    // A copy left by an interrupted run is stale: it is never the database.
    if (QFile::exists(temporario) && !QFile::remove(temporario))
      return Resultado::falha(QStringLiteral("Não foi possível apagar o arquivo temporário ") + temporario, -1);
    return Resultado::sucesso();
  });
  if (resultado)
    resultado = etapa(Etapa::FecharConexao, [] {
      Conexao::FecharConexao();
      return Resultado::sucesso();
    });
  if (resultado)
    resultado = etapa(Etapa::CopiarCompactado, [&] { return copiarCompactado(banco, temporario); });
  if (resultado)
    resultado = etapa(Etapa::GravarNoDisco, [&] { return Plataforma::Sincronizar(temporario); });
  if (resultado)
    resultado = etapa(Etapa::VerificarCopia, [&] {
      return SubstituicaoBanco::Verificar(temporario, SubstituicaoBanco::Verificacao::Tabelas);
    });
  if (resultado)
    resultado = etapa(Etapa::SubstituirBanco, [&] { return SubstituicaoBanco::Substituir(temporario, locais); });
  if (resultado)
    resultado = etapa(Etapa::AbrirConexao, [] { return Conexao::AbrirConexao(); });

  if (!resultado) {
    QFile::remove(temporario);
    // The database on the disk is the old one or the new one, whole: open whichever it is.
    if (!Conexao::Banco().isOpen()) {
      if (const Resultado aberta = Conexao::AbrirConexao(); !aberta)
        resultado.erro += QStringLiteral("\rNão foi possível reabrir o banco de dados: ") + aberta.erro;
    }
  }
  return resultado;
}

}  // namespace Compactacao
