#include "app/core/AtualizacaoBanco.h"

#include "app/core/ArquivosBanco.h"
#include "app/core/ErroBanco.h"
#include "app/core/Esquema.h"
#include "app/core/Plataforma.h"
#include "app/core/TravaBanco.h"
#include "app/core/modGeral.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace AtualizacaoBanco {
namespace {

Resultado falhaCopia(const QString& copia, const Resultado& motivo) {
  return Resultado::falha(QStringLiteral("Não foi possível gravar a cópia de segurança do banco de dados antes de "
                                         "atualizá-lo para esta versão do Talonix (") +
                              copia + QStringLiteral("): ") + motivo.erro +
                              QStringLiteral("\rO banco de dados não foi aberto nem alterado."),
                          motivo.numero);
}

// A consistent copy of the open database, written beside it and renamed into place, with the
// database's own permissions: it holds the same personal data.
Resultado gravarCopia(QSqlDatabase& banco, const QString& caminho, const QString& copia) {
  const QString temporario = copia + QStringLiteral(".tmp");
  // What an interrupted upgrade left is never the copy; VACUUM INTO writes only a new file.
  QFile::remove(temporario);
  QSqlQuery comando(banco);
  Resultado resultado = ErroBanco::Executar(comando, QStringLiteral("VACUUM INTO ?"), {temporario});
  if (resultado)
    resultado = Plataforma::CopiarPermissoes(caminho, temporario);
  if (resultado)
    resultado = Plataforma::Sincronizar(temporario);
  if (resultado)
    resultado = Plataforma::Renomear(temporario, copia);
  if (!resultado)
    QFile::remove(temporario);
  return resultado;
}

}  // namespace

Resultado AtualizarSeAntigo(const QString& conexao, const QString& caminho, const Observador& observador) {
  QSqlDatabase banco = QSqlDatabase::database(conexao, false);
  int versao = 0;
  if (Resultado lida = Esquema::LerVersao(banco, versao); !lida || versao >= Esquema::VersaoAtual)
    return lida;

  const TravaBanco trava(TravaBanco::Atualizacao);
  if (!trava.resultado())
    return trava.resultado();
  // Another process may have upgraded the file while this one waited for the lock.
  if (Resultado lida = Esquema::LerVersao(banco, versao); !lida || versao >= Esquema::VersaoAtual)
    return lida;
  if (observador)
    observador(Etapa::Travado);

  ArquivosBanco::Locais locais;
  if (Resultado resolvido = ArquivosBanco::Resolver(caminho, locais); !resolvido)
    return resolvido;
  const QString copia = modGeral::NomeLivre(locais.em(ArquivosBanco::CopiaVersao + QString::number(versao)));
  if (Resultado gravada = gravarCopia(banco, locais.banco, copia); !gravada)
    return falhaCopia(copia, gravada);
  if (observador)
    observador(Etapa::CopiaGravada);

  Resultado resultado = Esquema::Atualizar(banco, [&] {
    if (observador)
      observador(Etapa::AntesDeConfirmar);
  });
  if (resultado && observador)
    observador(Etapa::Confirmado);
  return resultado;
}

}  // namespace AtualizacaoBanco
