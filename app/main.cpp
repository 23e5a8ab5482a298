#include "app/Inicializacao.h"
#include "app/JanelaMostrada.h"
#include "app/core/Relogio.h"
#include "app/mdiPrincipal.h"
#include "backup/SomQt.h"
#include "controls/EscolhaArquivoQt.h"
#include "controls/MensagensQt.h"

#include <QApplication>

#include <optional>

int main(int argc, char* argv[]) {
  Inicializacao::LerFontesAoLado();
  QApplication aplicacao(argc, argv);
  Inicializacao::PrepararAplicacao(aplicacao);

  MensagensQt mensagens;
  RelogioSistema relogio;
  EscolhaArquivoQt escolhaArquivo;
  SomQt som;
  // TALONIX_SAIR_AO_MOSTRAR: the program ends once its first window has painted (the main window,
  // or the message box of a start that failed), for the scripts that check and time the start.
  std::optional<JanelaMostrada> aviso;
  if (qEnvironmentVariableIsSet("TALONIX_SAIR_AO_MOSTRAR")) {
    aviso.emplace();
    aplicacao.installEventFilter(&*aviso);
  }
  const auto janela = Inicializacao::Iniciar({&mensagens, &relogio, &escolhaArquivo, &som});
  if (!janela)
    return 1;
  return QApplication::exec();
}
