// Talonix's own start-up, as the executable runs it, on the application folder given.

#include "app/Inicializacao.h"
#include "app/core/Relogio.h"
#include "app/core/modGeral.h"
#include "app/mdiPrincipal.h"
#include "bench/startup/JanelaMostrada.h"
#include "controls/MensagensQt.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
  if (argc > 1)
    modGeral::DefinirPastaAplicacao(QString::fromLocal8Bit(argv[1]));
  Inicializacao::InstalarIdioma(aplicacao);
  MensagensQt mensagens;
  RelogioSistema relogio;
  JanelaMostrada aviso;
  aplicacao.installEventFilter(&aviso);
  const auto janela = Inicializacao::Iniciar({&mensagens, &relogio});
  if (!janela)
    return 1;
  return QApplication::exec();
}
