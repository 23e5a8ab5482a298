#include "app/Inicializacao.h"
#include "app/core/Relogio.h"
#include "app/mdiPrincipal.h"
#include "controls/MensagensQt.h"
#include "controls/SeletorArquivoQt.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Talonix"));
  Inicializacao::InstalarIdioma(aplicacao);

  MensagensQt mensagens;
  RelogioSistema relogio;
  SeletorArquivoQt arquivos;
  const auto janela = Inicializacao::Iniciar({&mensagens, &relogio, &arquivos});
  if (!janela)
    return 1;
  return QApplication::exec();
}
