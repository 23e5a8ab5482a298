// Talonix's own start-up, as the executable runs it (the same services, so the same libraries
// are loaded), on the application folder given.

#include "app/Inicializacao.h"
#include "app/JanelaMostrada.h"
#include "app/core/Relogio.h"
#include "app/core/modGeral.h"
#include "app/mdiPrincipal.h"
#include "backup/SomQt.h"
#include "controls/EscolhaArquivoQt.h"
#include "controls/MensagensQt.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  Inicializacao::LerFontesAoLado();
  QApplication aplicacao(argc, argv);
  Inicializacao::PrepararAplicacao(aplicacao);
  if (argc > 1)
    modGeral::DefinirPastaAplicacao(QString::fromLocal8Bit(argv[1]));
  MensagensQt mensagens;
  RelogioSistema relogio;
  EscolhaArquivoQt escolhaArquivo;
  SomQt som;
  JanelaMostrada aviso;
  aplicacao.installEventFilter(&aviso);
  const auto janela = Inicializacao::Iniciar({&mensagens, &relogio, &escolhaArquivo, &som});
  if (!janela)
    return 1;
  return QApplication::exec();
}
