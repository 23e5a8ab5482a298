// atualizar_e_morrer APPDIR STEP: upgrades the database of APPDIR to the current schema version
// and kills itself with SIGKILL at STEP (a number of AtualizacaoBanco::Etapa), as a power cut or
// a crash would.

#include "app/core/AtualizacaoBanco.h"
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
  const QString caminho = modGeral::CaminhoDados() + modGeral::NomeArquivoBanco;
  const QString nome = QStringLiteral("atualizacao");
  if (!Conexao::AbrirArquivo(nome, caminho))
    return 3;
  const Resultado r = AtualizacaoBanco::AtualizarSeAntigo(nome, caminho, [etapa](AtualizacaoBanco::Etapa e) {
    if (static_cast<int>(e) == etapa)
      std::raise(SIGKILL);
  });
  return r ? 0 : 4;
}
