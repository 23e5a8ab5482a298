#include "app/core/PastaDadosUsuario.h"

#include "app/core/Conexao.h"
#include "app/core/Esquema.h"
#include "app/core/modGeral.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace PastaDadosUsuario {

Resultado Preparar() {
  if (!modGeral::Instalado())
    return Resultado::sucesso();
  const QString pasta = modGeral::PastaDados();
  // A folder that exists belongs to the operator: a database lost from it must be noticed at the
  // start, never silently replaced by an empty one.
  if (QFileInfo(pasta).exists() || QFileInfo(pasta).isSymLink())
    return Resultado::sucesso();

  const QString pai = QFileInfo(pasta).absolutePath();
  if (!QDir().mkpath(pai))
    return Resultado::falha(QStringLiteral("Não foi possível criar a pasta ") + QDir::toNativeSeparators(pai));
  // Made aside and renamed into place, so that a first start cut short leaves no data folder
  // without its database; the temporary folder is private to the user, and so stays the data.
  QTemporaryDir provisoria(modGeral::JuntarCaminho(pai, QStringLiteral(".Talonix-XXXXXX")));
  if (!provisoria.isValid())
    return Resultado::falha(provisoria.errorString());
  if (!QDir(provisoria.path()).mkdir(QStringLiteral("Dados")))
    return Resultado::falha(QStringLiteral("Não foi possível criar a pasta Dados em ") +
                            QDir::toNativeSeparators(provisoria.path()));
  const Resultado banco = Esquema::CriarBanco(modGeral::JuntarCaminho(provisoria.path(), QStringLiteral("Dados/")) +
                                              Conexao::NomeArquivoBanco);
  if (!banco)
    return banco;
  if (!QDir().rename(provisoria.path(), pasta))
    return Resultado::falha(QStringLiteral("Não foi possível criar a pasta ") + QDir::toNativeSeparators(pasta));
  provisoria.setAutoRemove(false);
  return Resultado::sucesso();
}

}  // namespace PastaDadosUsuario
