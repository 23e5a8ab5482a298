// bench_escritorio carregar APPDIR BANCO: puts the rows of the desk database BANCO on the server
//   the settings of APPDIR name (an empty database), as a restore does, and renews its statistics.
// bench_escritorio buscar APPDIR: the receipt search dialog finding one month, from the click on
//   "Selecionar registros" to the list filled and drawn, next to the bare query of the same rows
//   through libpq; prints "month <dialog ms> <bare ms> <rows>", medians of 7.
// bench_escritorio gravar APPDIR N ANO: saves N receipts of ANO as the receipt screen does (the
//   next number, the one after on a refusal); prints the milliseconds of each save, one a line.

#include "app/core/Conexao.h"
#include "app/core/ConfiguracaoBanco.h"
#include "app/core/CopiaTabelas.h"
#include "app/core/Dialeto.h"
#include "app/core/Mensagens.h"
#include "app/core/Numeracao.h"
#include "app/core/Relogio.h"
#include "app/core/modGeral.h"
#include "bench/CopiaBanco.h"
#include "bench/TelaBench.h"
#include "receipts/ModeloRecibos.h"
#include "receipts/PainelFiltroRecibo.h"
#include "receipts/RegistroRecibo.h"
#include "receipts/frmLocalizarReciboComercial.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QSqlError>
#include <QSqlQuery>

#include <libpq-fe.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool falhou(const Resultado& r) {
  if (!r)
    std::fprintf(stderr, "%s\n", qPrintable(r.erro));
  return !r;
}

int carregar(const QString& desk) {
  const QString nome = QStringLiteral("bench_origem");
  if (falhou(Conexao::AbrirArquivo(nome, desk)))
    return 1;
  const QSqlDatabase origem = QSqlDatabase::database(nome, false);
  const QSqlDatabase servidor = Conexao::Banco();
  QSqlQuery comando(servidor);
  if (!comando.exec(QStringLiteral("BEGIN")) || falhou(CopiaTabelas::Copiar(origem, servidor)) ||
      !comando.exec(QStringLiteral("COMMIT")) || !comando.exec(Dialeto::CompactacaoServidor(CopiaTabelas::Tabelas()))) {
    std::fprintf(stderr, "%s\n", qPrintable(comando.lastError().text()));
    return 1;
  }
  return 0;
}

// The same rows through libpq, as text, each column read once.
int consultaNua(PGconn* conexao, const QByteArray& sql) {
  PGresult* resultado = PQexec(conexao, sql.constData());
  if (PQresultStatus(resultado) != PGRES_TUPLES_OK) {
    std::fprintf(stderr, "%s\n", PQresultErrorMessage(resultado));
    PQclear(resultado);
    return -1;
  }
  const int linhas = PQntuples(resultado);
  long long soma = 0;
  for (int i = 0; i < linhas; ++i) {
    soma += std::atoll(PQgetvalue(resultado, i, 0)) + std::atoll(PQgetvalue(resultado, i, 1)) +
            std::atoll(PQgetvalue(resultado, i, 3));
    for (int coluna : {2, 4, 5})
      soma += PQgetlength(resultado, i, coluna);
  }
  PQclear(resultado);
  return soma == 0 ? 0 : linhas;
}

int buscar() {
  ConfiguracaoBanco c;
  if (falhou(ConfiguracaoBanco::Ler(c)))
    return 1;
  const QByteArray conexaoTexto =
      QStringLiteral("host=%1 port=%2 dbname=%3 user=%4").arg(c.servidor).arg(c.porta).arg(c.nome, c.usuario).toUtf8();
  PGconn* nu = PQconnectdb(conexaoTexto.constData());
  if (PQstatus(nu) != CONNECTION_OK) {
    std::fprintf(stderr, "%s\n", PQerrorMessage(nu));
    return 1;
  }
  TelaBench::MensagensFalham mensagens;
  RelogioSistema relogio;
  frmLocalizarReciboComercial dialogo(Contexto{&mensagens, &relogio, nullptr});
  dialogo.show();
  QApplication::processEvents();
  auto* painel = TelaBench::Controle<PainelFiltroRecibo>(&dialogo, QStringLiteral("PainelFiltroRecibo"));
  TelaBench::Controle<QRadioButton>(&dialogo, QStringLiteral("optTipoData_1"))->click();
  TelaBench::Controle<QDateEdit>(&dialogo, QStringLiteral("dtpInicial"))->setDate(QDate(2025, 3, 1));
  TelaBench::Controle<QDateEdit>(&dialogo, QStringLiteral("dtpFinal"))->setDate(QDate(2025, 3, 31));
  TelaBench::Controle<QRadioButton>(&dialogo, QStringLiteral("optTipoFiltro_0"))->click();
  const QByteArray sql =
      Dialeto::Adaptar(Dialeto::Tipo::Postgresql, ModeloRecibos::TextoConsulta(painel->filtro())).toUtf8();
  std::vector<double> tela, piso;
  int linhas = 0;
  const bool iguais =
      TelaBench::MedirBusca([&] { return consultaNua(nu, sql); }, &dialogo, "month", tela, piso, linhas);
  PQfinish(nu);
  if (!iguais)
    return 1;
  std::printf("month %.1f %.1f %d\n", CopiaBanco::Mediana(tela), CopiaBanco::Mediana(piso), linhas);
  return 0;
}

int gravar(int quantos, int ano) {
  for (int i = 0; i < quantos; ++i) {
    QElapsedTimer tempo;
    tempo.start();
    qint64 numero = 0;
    Resultado r = Numeracao::ProximoNumeroRecibo(ano, numero);
    for (; r; ++numero) {
      Recibo recibo;
      recibo.numero = numero;
      recibo.ano = ano;
      recibo.dataEmissao = QDate(ano, 1, 2);
      recibo.valor = 1250000;
      recibo.recebi = 1;
      recibo.emitente = 2;
      recibo.referente = QStringLiteral("Consulta");
      recibo.observacao = QStringLiteral("");
      r = RegistroRecibo::Inserir(recibo);
      if (r || r.numero != RegistroRecibo::ErroNumeroExistente)
        break;
      r = Resultado::sucesso();
    }
    if (falhou(r))
      return 1;
    std::printf("%.3f\n", static_cast<double>(tempo.nsecsElapsed()) / 1e6);
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() < 3) {
    std::fprintf(stderr, "uso: bench_escritorio carregar|buscar|gravar APPDIR ...\n");
    return 2;
  }
  modGeral::DefinirPastaAplicacao(args.at(2));
  if (falhou(Conexao::AbrirConexao()))
    return 1;
  int saida = 2;
  if (args.at(1) == QLatin1String("carregar") && args.size() == 4)
    saida = carregar(args.at(3));
  else if (args.at(1) == QLatin1String("buscar"))
    saida = buscar();
  else if (args.at(1) == QLatin1String("gravar") && args.size() == 5)
    saida = gravar(args.at(3).toInt(), args.at(4).toInt());
  Conexao::FecharConexao();
  return saida;
}
