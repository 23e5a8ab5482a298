// bench_compact DATABASE: the program's compaction of a copy of DATABASE, next to a bare
// "VACUUM INTO" of the same file; prints the median seconds of each.

#include "app/core/Compactacao.h"
#include "app/core/Conexao.h"
#include "app/core/modGeral.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

bool vacuumInto(const QString& origem, const QString& destino) {
  sqlite3* banco = nullptr;
  bool ok = sqlite3_open_v2(QFile::encodeName(origem).constData(), &banco, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
  sqlite3_stmt* comando = nullptr;
  ok = ok && sqlite3_prepare_v2(banco, "VACUUM INTO ?", -1, &comando, nullptr) == SQLITE_OK;
  const QByteArray nome = QFile::encodeName(destino);
  ok = ok && sqlite3_bind_text(comando, 1, nome.constData(), -1, SQLITE_TRANSIENT) == SQLITE_OK;
  ok = ok && sqlite3_step(comando) == SQLITE_DONE;
  sqlite3_finalize(comando);
  sqlite3_close(banco);
  return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication aplicacao(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "uso: bench_compact BANCO\n");
    return 2;
  }
  QTemporaryDir pasta;
  QDir(pasta.path()).mkpath(QStringLiteral("Dados"));
  const QString banco = pasta.path() + QStringLiteral("/Dados/bdRecibo.mdb");
  if (!QFile::copy(QString::fromLocal8Bit(argv[1]), banco))
    return 1;
  modGeral::DefinirPastaAplicacao(pasta.path());
  if (!Conexao::AbrirConexao())
    return 1;

  std::vector<double> programa;
  std::vector<double> piso;
  for (int i = 0; i < 3; ++i) {
    QElapsedTimer tempo;
    const QString copia = pasta.path() + QStringLiteral("/Dados/piso.mdb");
    tempo.start();
    if (!vacuumInto(banco, copia))
      return 1;
    piso.push_back(static_cast<double>(tempo.nsecsElapsed()) / 1e9);
    QFile::remove(copia);

    tempo.restart();
    const Resultado r = Compactacao::CompactarBanco();
    programa.push_back(static_cast<double>(tempo.nsecsElapsed()) / 1e9);
    if (!r) {
      std::fprintf(stderr, "%s\n", qPrintable(r.erro));
      return 1;
    }
  }
  Conexao::FecharConexao();
  std::printf("%.2f %.2f\n", mediana(programa), mediana(piso));
  return 0;
}
