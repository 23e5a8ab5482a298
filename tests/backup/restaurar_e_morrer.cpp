// restaurar_e_morrer APPDIR STEP ARCHIVE: restores the database of APPDIR from ARCHIVE and kills
// itself with SIGKILL right before STEP (a number of RestauracaoBanco::Etapa), as a power cut or
// a crash would.

#include "app/core/modGeral.h"
#include "backup/RestauracaoBanco.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdlib>

int main(int argc, char* argv[]) {
  QCoreApplication aplicacao(argc, argv);
  if (argc != 4)
    return 2;
  modGeral::DefinirPastaAplicacao(QString::fromLocal8Bit(argv[1]));
  const int etapa = std::atoi(argv[2]);
  const Resultado r =
      RestauracaoBanco::RestaurarBanco(QString::fromLocal8Bit(argv[3]), [etapa](RestauracaoBanco::Etapa e) {
        if (static_cast<int>(e) == etapa)
          std::raise(SIGKILL);
        return true;
      });
  return r ? 0 : 4;
}
