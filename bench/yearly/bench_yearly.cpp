// The yearly reports of the main issuer (code 1) of the generated office database in its last
// year: one payer's statement from "Visualizar" to its first page on the screen (median of 5);
// the monthly income report prepared (lines gathered, layout read, pages made), next to the bare
// aggregate query of the same lines (the floor), best of 7 each.
//   bench_yearly BANCO PASTA_APLICACAO
#include "app/core/Conexao.h"
#include "app/core/ErroBanco.h"
#include "app/core/Relogio.h"
#include "app/core/modGeral.h"
#include "controls/MensagensQt.h"
#include "controls/uscSelecionaRegistro.h"
#include "controls/uscTextBox.h"
#include "reports/RendimentosMensais.h"
#include "reports/engine/Relatorio.h"
#include "reports/frmRelDeclaracaoAnual.h"
#include "reports/preview/VisualizadorRelatorio.h"
#include "reports/preview/frmPreviewRelatorio.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kEmitente = 1;
constexpr int kAno = 2026;

double mediana(int vezes, const std::function<double()>& medir) {
  QList<double> tempos;
  for (int i = 0; i < vezes; ++i)
    tempos.append(medir());
  std::sort(tempos.begin(), tempos.end());
  return tempos.at(tempos.size() / 2);
}

double milissegundos(const QElapsedTimer& tempo) {
  return static_cast<double>(tempo.nsecsElapsed()) / 1e6;
}

// From the click to the first page of the statement on the screen.
double declaracao(frmRelDeclaracaoAnual& tela, QMdiArea& area) {
  QElapsedTimer tempo;
  tempo.start();
  tela.Visualizar();
  const auto janelas = area.findChildren<frmPreviewRelatorio*>();
  if (janelas.isEmpty())
    return -1;
  QEventLoop espera;
  QObject::connect(janelas.last()->prvRelatorio(), &VisualizadorRelatorio::paginaMostrada, &espera, &QEventLoop::quit);
  QTimer::singleShot(60000, &espera, &QEventLoop::quit);
  espera.exec();
  const double ms = milissegundos(tempo);
  janelas.last()->parentWidget()->close();
  QCoreApplication::processEvents();
  return ms;
}

double rendimentos() {
  QElapsedTimer tempo;
  tempo.start();
  Relatorio relatorio;
  if (!RendimentosMensais::Preparar(Conexao::Banco(), kEmitente, kAno) ||
      !relatorio.AbrirModelo(QStringLiteral("rendimentosmensais.rpt")) || !relatorio.Preparar())
    return -1;
  return milissegundos(tempo);
}

// The aggregate alone: the month, kind, payer and total of each line, stepped through.
double agregado() {
  QElapsedTimer tempo;
  tempo.start();
  QSqlQuery consulta(Conexao::Banco());
  consulta.setForwardOnly(true);
  if (!ErroBanco::Executar(
          consulta,
          QStringLiteral(
              "SELECT substr(r.DataEmissao, 1, 7), CASE WHEN p.TipoPessoa > 0 THEN 1 ELSE 0 END, r.Recebi, "
              "p.Documento01, p.Descricao, SUM(r.Valor) FROM tbRecibo r LEFT JOIN tbPessoa p ON p.Codigo = r.Recebi "
              "WHERE r.Emitente = ? AND r.DataEmissao BETWEEN ? AND ? GROUP BY substr(r.DataEmissao, 1, 7), r.Recebi"),
          {kEmitente, QStringLiteral("%1-01-01").arg(kAno), QStringLiteral("%1-12-31").arg(kAno)}))
    return -1;
  qint64 total = 0;
  while (consulta.next())
    total += consulta.value(5).toLongLong();
  return total > 0 ? milissegundos(tempo) : -1;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
  if (argc < 3) {
    std::fputs("uso: bench_yearly BANCO PASTA_APLICACAO\n", stderr);
    return 2;
  }
  QTemporaryDir pasta;
  QDir(pasta.path()).mkpath(QStringLiteral("Dados"));
  const QDir aplicacaoPronta(QString::fromLocal8Bit(argv[2]));
  QFile::link(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath(),
              pasta.filePath(QStringLiteral("Dados/bdRecibo.mdb")));
  for (const QString& nome : {QStringLiteral("relatorio"), QStringLiteral("libverbalor.so")})
    QFile::link(aplicacaoPronta.absoluteFilePath(nome), pasta.filePath(nome));
  modGeral::DefinirPastaAplicacao(pasta.path());
  if (const Resultado r = Conexao::AbrirConexao(); !r) {
    std::fprintf(stderr, "%s\n", qPrintable(r.erro));
    return 1;
  }

  // The payer with most receipts of the main issuer in the year.
  QSqlQuery consulta(Conexao::Banco());
  if (!ErroBanco::Executar(consulta,
                           QStringLiteral("SELECT Recebi, COUNT(*) FROM tbRecibo WHERE Emitente = ? AND DataEmissao "
                                          "BETWEEN ? AND ? GROUP BY Recebi ORDER BY 2 DESC LIMIT 1"),
                           {kEmitente, QStringLiteral("%1-01-01").arg(kAno), QStringLiteral("%1-12-31").arg(kAno)}) ||
      !consulta.next()) {
    std::fputs("the main issuer has no receipts in the year\n", stderr);
    return 1;
  }
  const QString pagador = consulta.value(0).toString();
  std::fprintf(stderr, "payer %s with %d receipts\n", qPrintable(pagador), consulta.value(1).toInt());

  MensagensQt mensagens;
  RelogioSistema relogio;
  Contexto contexto{&mensagens, &relogio, nullptr};
  QMainWindow principal;
  auto* area = new QMdiArea(&principal);
  principal.setCentralWidget(area);
  principal.resize(1280, 900);
  auto* tela = new frmRelDeclaracaoAnual(contexto);
  area->addSubWindow(tela)->show();
  principal.show();
  tela->findChild<uscSelecionaRegistro*>(QStringLiteral("uscEmitente"))->setText(0, QString::number(kEmitente));
  tela->findChild<uscTextBox*>(QStringLiteral("txtAno"))->setText(QString::number(kAno));
  tela->findChild<QRadioButton*>(QStringLiteral("optPagador_1"))->setChecked(true);
  tela->findChild<uscSelecionaRegistro*>(QStringLiteral("uscPagador"))->setText(0, pagador);

  const double primeiraPagina = mediana(5, [&] { return declaracao(*tela, *area); });
  // The report and its floor are timed in turns and each keeps its best run, so that the load
  // of the machine weighs on both alike.
  double piso = 1e12;
  double relatorio = 1e12;
  for (int i = 0; i < 7; ++i) {
    piso = std::min(piso, agregado());
    relatorio = std::min(relatorio, rendimentos());
  }
  std::printf("BENCH statement.payer: %.1f ms\n", primeiraPagina);
  std::printf("BENCH income.year: %.1f ms\n", relatorio);
  std::printf("BENCH income.year.floor: %.1f ms\n", piso);
  return 0;
}
