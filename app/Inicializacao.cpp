#include "app/Inicializacao.h"

#include "app/core/Conexao.h"
#include "app/core/FormatoData.h"
#include "app/core/Mensagens.h"
#include "app/core/PastaDadosUsuario.h"
#include "app/core/modGeral.h"
#include "app/frmSenhaBanco.h"
#include "app/mdiPrincipal.h"
#include "controls/EstiloTalonix.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Inicializacao {

void PrepararAplicacao(QApplication& aplicacao) {
  QApplication::setApplicationName(QStringLiteral("Talonix"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.talonix.Talonix"));
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
  auto* traducao = new QTranslator(&aplicacao);
  if (traducao->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(traducao);
  EstiloTalonix::Instalar();
}

std::unique_ptr<mdiPrincipal> Iniciar(Contexto contexto) {
  Mensagens& mensagens = *contexto.mensagens;
  FormatoData::VerificarFormatoData(mensagens);

  const Resultado pastaDados = PastaDadosUsuario::Preparar();
  if (!pastaDados) {
    mensagens.mostrar(QStringLiteral("Não foi possível criar a pasta de dados:\r") +
                          QDir::toNativeSeparators(modGeral::PastaDados()) + QStringLiteral("\r\r") + pastaDados.erro,
                      QStringLiteral("Talonix"), Icone::Critico);
    return nullptr;
  }

  const QString backup = modGeral::CaminhoBackup();
  if (!QFileInfo(backup).isDir()) {
    if (!QDir().mkpath(backup)) {
      mensagens.mostrar(QStringLiteral("Não foi possível criar a pasta de cópias de segurança:\r") + backup,
                        QStringLiteral("Talonix"), Icone::Critico);
      return nullptr;
    }
    modGeral::GravarIni(QStringLiteral("copiaseguranca"), QStringLiteral("local"), backup, modGeral::ArquivoIni());
  }

  modGeral::DefinirPastaSom(modGeral::CaminhoSom());

  Resultado conexao = Conexao::AbrirConexao();
  // The server wants a password the user's password file does not hold: the operator types it.
  if (!conexao && conexao.numero == Conexao::ErroSenhaAusente) {
    if (const std::optional<QString> senha = frmSenhaBanco::Pedir(conexao.erro)) {
      Conexao::DefinirSenha(*senha);
      conexao = Conexao::AbrirConexao();
    }
  }
  if (!conexao) {
    const QString banco =
        Conexao::Servidor() ? QStringLiteral("do servidor") : modGeral::CaminhoDados() + Conexao::NomeArquivoBanco;
    mensagens.mostrar(QStringLiteral("Não foi possível abrir o banco de dados ") + banco + QStringLiteral("\r\r") +
                          conexao.erro + QStringLiteral("\rErro número ") + QString::number(conexao.numero),
                      QStringLiteral("Talonix"), Icone::Critico);
    return nullptr;
  }

  auto janela = std::make_unique<mdiPrincipal>(contexto);
  janela->show();
  return janela;
}

}  // namespace Inicializacao
