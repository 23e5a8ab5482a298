// bench_search DATABASE: the receipt search for one month, one year and one payer over all
// years, from the filter to the list filled, next to the bare SQLite query of the same rows;
// prints one line per search: name, median milliseconds of the program, of the bare query, rows.

#include "app/core/Conexao.h"
#include "app/core/modGeral.h"
#include "receipts/DialetoSqlite.h"
#include "receipts/FiltroRecibo.h"
#include "receipts/ModeloRecibos.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
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

// The same query stepped through SQLite's own interface, each column read once.
int consultaNua(sqlite3* banco, const QByteArray& sql) {
  sqlite3_stmt* comando = nullptr;
  if (sqlite3_prepare_v2(banco, sql.constData(), -1, &comando, nullptr) != SQLITE_OK)
    return -1;
  int linhas = 0;
  long long soma = 0;
  while (sqlite3_step(comando) == SQLITE_ROW) {
    ++linhas;
    soma += sqlite3_column_int(comando, 0) + sqlite3_column_int(comando, 1) + sqlite3_column_int64(comando, 3);
    soma += sqlite3_column_bytes(comando, 2) + sqlite3_column_bytes(comando, 4) + sqlite3_column_bytes(comando, 5);
    (void)sqlite3_column_text(comando, 2);
    (void)sqlite3_column_text(comando, 4);
    (void)sqlite3_column_text(comando, 5);
  }
  sqlite3_finalize(comando);
  return soma == 0 ? 0 : linhas;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication aplicacao(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "uso: bench_search BANCO\n");
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
  sqlite3* nu = Conexao::Nativo(Conexao::Banco());

  QSqlQuery pagador(Conexao::Banco());
  if (!pagador.exec(QStringLiteral("SELECT Recebi FROM tbRecibo WHERE Ano=2024 AND Codigo=1")) || !pagador.next())
    return 1;

  struct Busca {
    const char* nome;
    FiltroRecibo filtro;
  };
  std::vector<Busca> buscas(3);
  buscas[0].nome = "month";
  buscas[0].filtro.dataInicial = QDate(2025, 3, 1);
  buscas[0].filtro.dataFinal = QDate(2025, 3, 31);
  buscas[1].nome = "year";
  buscas[1].filtro.dataInicial = QDate(2025, 1, 1);
  buscas[1].filtro.dataFinal = QDate(2025, 12, 31);
  buscas[2].nome = "payer";
  buscas[2].filtro.tipoData = FiltroRecibo::NaoUtilizar;
  buscas[2].filtro.tipoFiltro = FiltroRecibo::PorRecebi;
  buscas[2].filtro.recebi = pagador.value(0).toString();

  for (const Busca& busca : buscas) {
    const QString sql = ModeloRecibos::TextoConsulta(busca.filtro);
    std::vector<double> programa, piso;
    int linhas = 0;
    for (int i = 0; i < 7; ++i) {
      QElapsedTimer tempo;
      tempo.start();
      linhas = consultaNua(nu, sql.toUtf8());
      piso.push_back(static_cast<double>(tempo.nsecsElapsed()) / 1e6);
      ModeloRecibos modelo;
      tempo.restart();
      if (!modelo.carregar(sql))
        return 1;
      programa.push_back(static_cast<double>(tempo.nsecsElapsed()) / 1e6);
      if (modelo.rowCount() != linhas)
        return 1;
    }
    std::printf("%s %.1f %.1f %d\n", busca.nome, mediana(programa), mediana(piso), linhas);
  }
  Conexao::FecharConexao();
  return 0;
}
