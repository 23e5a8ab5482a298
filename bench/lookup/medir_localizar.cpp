// bench_lookup DATABASE: the time the person lookup dialog takes to refill its list when one
// letter is typed into an empty search box, next to a bare SQLite LIKE scan of the same table
// for the same letter; prints the median milliseconds of each.

#include "app/core/Conexao.h"
#include "app/core/Contexto.h"
#include "app/core/modGeral.h"
#include "controls/MensagensQt.h"
#include "registries/frmLocalizar.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRodadas = 15;

double mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double milissegundos(const QElapsedTimer& tempo) { return static_cast<double>(tempo.nsecsElapsed()) / 1e6; }

// What the store does at the least for the same answer: scan, match, hand out both columns.
bool varreduraLike(sqlite3* banco, qint64& linhas) {
  sqlite3_stmt* comando = nullptr;
  if (sqlite3_prepare_v2(banco, "SELECT Codigo, Descricao FROM tbPessoa WHERE Descricao LIKE '%a%' ORDER BY Codigo",
                         -1, &comando, nullptr) != SQLITE_OK)
    return false;
  linhas = 0;
  std::size_t bytes = 0;
  while (sqlite3_step(comando) == SQLITE_ROW) {
    linhas += sqlite3_column_int64(comando, 0) > 0 ? 1 : 0;
    bytes += static_cast<std::size_t>(sqlite3_column_bytes(comando, 1));
  }
  sqlite3_finalize(comando);
  return bytes > 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "uso: bench_lookup BANCO\n");
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
  sqlite3* bruto = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(banco).constData(), &bruto, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
    return 1;

  MensagensQt mensagens;
  frmLocalizar dialogo(Numeracao::Cadastro::Pessoa, Contexto{&mensagens, nullptr});
  dialogo.show();
  if (!QTest::qWaitForWindowExposed(&dialogo))
    return 1;
  auto* busca = dialogo.findChild<QLineEdit*>(QStringLiteral("txtDescricao"));

  std::vector<double> programa;
  std::vector<double> piso;
  qint64 linhas = 0;
  for (int i = 0; i < kRodadas; ++i) {
    QElapsedTimer tempo;
    tempo.start();
    if (!varreduraLike(bruto, linhas))
      return 1;
    piso.push_back(milissegundos(tempo));

    busca->clear();
    QApplication::processEvents();
    // The keystroke, the refill it causes and the repaint of the list.
    tempo.restart();
    QTest::keyClick(busca, Qt::Key_A);
    QApplication::processEvents();
    programa.push_back(milissegundos(tempo));
  }
  std::fprintf(stderr, "%lld rows match\n", linhas);
  sqlite3_close(bruto);
  std::printf("%.1f %.1f\n", mediana(programa), mediana(piso));
  return 0;
}
