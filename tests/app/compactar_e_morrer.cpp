// compactar_e_morrer APPDIR STEP: compacts the database of APPDIR and kills itself with SIGKILL
// right before STEP (a number of Compactacao::Etapa), as a power cut or a crash would.

#include "app/core/Compactacao.h"
#include "app/core/Conexao.h"
#include "app/core/modGeral.h"

#include <QCoreApplication>

#include <csignal>

int main(int argc, char* argv[]) {
  QCoreApplication aplicacao(argc, argv);
  if (argc != 3)
    return 2;
  modGeral::DefinirPastaAplicacao(QString::fromLocal8Bit(argv[1]));
  const int etapa = std::atoi(argv[2]);
  if (!Conexao::AbrirConexao())
    return 3;
  const Resultado r = Compactacao::CompactarBanco([etapa](Compactacao::Etapa e) {
    if (static_cast<int>(e) == etapa)
      std::raise(SIGKILL);
    return true;
  });
  return r ? 0 : 4;
}
