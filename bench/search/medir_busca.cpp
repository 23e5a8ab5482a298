// bench_search DATABASE: the receipt search dialog finding one month, one year, and one payer
// over all years, from the click on "Selecionar registros" to the list filled and drawn, next to
// the bare SQLite query of the same rows on the same connection. Prints one line per search:
// name, median milliseconds of the dialog, of the bare query, and the rows found.

#include "app/core/Conexao.h"
#include "app/core/Mensagens.h"
#include "app/core/Relogio.h"
#include "app/core/modGeral.h"
#include "bench/TelaBench.h"
#include "controls/uscSelecionaRegistro.h"
#include "receipts/ModeloRecibos.h"
#include "receipts/PainelFiltroRecibo.h"
#include "receipts/frmLocalizarReciboComercial.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
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
    for (int coluna : {2, 4, 5}) {
      (void)sqlite3_column_text(comando, coluna);
      soma += sqlite3_column_bytes(comando, coluna);
    }
  }
  sqlite3_finalize(comando);
  return soma == 0 ? 0 : linhas;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
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
  const QString codigoPagador = pagador.value(0).toString();

  TelaBench::MensagensFalham mensagens;
  RelogioSistema relogio;
  frmLocalizarReciboComercial dialogo(Contexto{&mensagens, &relogio, nullptr});
  dialogo.show();
  QApplication::processEvents();
  auto* painel = TelaBench::Controle<PainelFiltroRecibo>(&dialogo, QStringLiteral("PainelFiltroRecibo"));
  const auto opcao = [&](const char* nome, int i) {
    TelaBench::Controle<QRadioButton>(&dialogo, QString::fromLatin1(nome) + QLatin1Char('_') + QString::number(i))
        ->click();
  };
  const auto periodo = [&](const QDate& inicial, const QDate& final) {
    opcao("optTipoData", 1);
    TelaBench::Controle<QDateEdit>(&dialogo, QStringLiteral("dtpInicial"))->setDate(inicial);
    TelaBench::Controle<QDateEdit>(&dialogo, QStringLiteral("dtpFinal"))->setDate(final);
    opcao("optTipoFiltro", 0);
  };

  struct Busca {
    const char* nome;
    std::function<void()> filtrar;
  };
  const Busca buscas[] = {
      {"month", [&] { periodo(QDate(2025, 3, 1), QDate(2025, 3, 31)); }},
      {"year", [&] { periodo(QDate(2025, 1, 1), QDate(2025, 12, 31)); }},
      {"payer",
       [&] {
         opcao("optTipoData", 0);
         opcao("optTipoFiltro", 2);
         TelaBench::Controle<uscSelecionaRegistro>(&dialogo, QStringLiteral("uscRecebi"))->setText(0, codigoPagador);
       }},
  };

  for (const Busca& busca : buscas) {
    busca.filtrar();
    const QByteArray sql = ModeloRecibos::TextoConsulta(painel->filtro()).toUtf8();
    std::vector<double> tela, piso;
    int linhas = 0;
    if (!TelaBench::MedirBusca([&] { return consultaNua(nu, sql); }, &dialogo, busca.nome, tela, piso, linhas))
      return 1;
    std::printf("%s %.1f %.1f %d\n", busca.nome, mediana(tela), mediana(piso), linhas);
  }
  Conexao::FecharConexao();
  return 0;
}
