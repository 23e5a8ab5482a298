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
#include <QFontDatabase>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QScopeGuard>
#include <QTranslator>

#include <fontconfig/fontconfig.h>

#include <future>
#include <system_error>

namespace Inicializacao {
namespace {

// The reading LerFontesAoLado started, if any: fontconfig's configuration at once, then Qt's list
// of fonts once the start says the application object exists. A message box before the window
// may find it unfinished; it then waits for the list, or has fontconfig read on both threads and
// keep one, slower but the same.
struct LeituraFontes {
  std::promise<bool> aplicacao;  // true: the application object exists; false: the list is not made
  std::future<void> feita;
  bool avisada = false;

  void avisar(bool pronta) {
    if (feita.valid() && !avisada) {
      avisada = true;
      aplicacao.set_value(pronta);
    }
  }

  void esperar() {
    if (feita.valid())
      feita.wait();
  }

  // A program that ends without a window lets the thread end too, and waits for it.
  ~LeituraFontes() { avisar(false); }
};

LeituraFontes& leituraFontes() {
  static LeituraFontes leitura;
  return leitura;
}

}  // namespace

void LerFontesAoLado() {
  LeituraFontes& leitura = leituraFontes();
  try {
    leitura.feita = std::async(std::launch::async, [pronta = leitura.aplicacao.get_future()]() mutable {
      // Safe beside Qt: fontconfig makes its configuration once, whichever thread asks first, and
      // QFontDatabase may be used from any thread.
      FcInit();
      if (pronta.get())
        QFontDatabase::families();
    });
  } catch (const std::system_error&) {
    // No thread to spare: the window reads the fonts itself, as it would without this.
  }
}

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
  // The application exists: the list of fonts can be built beside the start, which does not end
  // while the other thread still reads.
  LeituraFontes& fontes = leituraFontes();
  fontes.avisar(true);
  const auto esperarFontes = qScopeGuard([&fontes] { fontes.esperar(); });
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

  // The window is the first to need the fonts: the database opened while they were read, and the
  // image plugins its icons are read with load while the reading ends.
  QImageReader::supportedImageFormats();
  fontes.esperar();
  auto janela = std::make_unique<mdiPrincipal>(contexto);
  janela->show();
  return janela;
}

}  // namespace Inicializacao
