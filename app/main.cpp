#include "app/Inicializacao.h"
#include "app/core/Relogio.h"
#include "app/mdiPrincipal.h"
#include "backup/SomQt.h"
#include "controls/EscolhaArquivoQt.h"
#include "controls/MensagensQt.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Talonix"));
  Inicializacao::InstalarIdioma(aplicacao);

  MensagensQt mensagens;
  RelogioSistema relogio;
  EscolhaArquivoQt escolhaArquivo;
  SomQt som;
  const auto janela = Inicializacao::Iniciar({&mensagens, &relogio, &escolhaArquivo, &som});
  if (!janela)
    return 1;
  return QApplication::exec();
}
