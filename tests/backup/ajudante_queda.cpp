// Runs a restore or a compaction on an application folder and kills itself (SIGKILL) right
// before the step whose number it is given, as a power cut would.
//   talonix_ajudante_queda restaurar|compactar PASTA ETAPA [ARQUIVO_ZIP]

#include "app/core/Compactacao.h"
#include "app/core/Conexao.h"
#include "app/core/modGeral.h"
#include "backup/RestauracaoBanco.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

#include <unistd.h>

namespace {

template <typename Etapa>
bool cairEm(Etapa etapa, int alvo) {
  if (static_cast<int>(etapa) == alvo)
    ::kill(::getpid(), SIGKILL);
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication aplicacao(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 4) {
    std::fprintf(stderr, "uso: talonix_ajudante_queda restaurar|compactar PASTA ETAPA [ARQUIVO_ZIP]\n");
    return 2;
  }
  modGeral::DefinirPastaAplicacao(args.at(2));
  const int alvo = args.at(3).toInt();
  Resultado resultado;
  if (args.at(1) == QLatin1String("compactar")) {
    resultado = Conexao::AbrirConexao();
    if (resultado)
      resultado = Compactacao::CompactarBanco([alvo](Compactacao::Etapa e) { return cairEm(e, alvo); });
  } else {
    resultado =
        RestauracaoBanco::RestaurarBanco(args.value(4), [alvo](RestauracaoBanco::Etapa e) { return cairEm(e, alvo); });
  }
  Conexao::FecharConexao();
  if (!resultado)
    std::fprintf(stderr, "%s\n", qPrintable(resultado.erro));
  return resultado ? 0 : 1;
}
