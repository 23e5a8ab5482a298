// The people listing of the generated database: rendered to PDF in pages per second, next to
// a bare QPainter loop writing as many table pages to QPdfWriter (the floor), and the time
// from the "Visualizar" click to the first page on the screen.
//   bench_report BANCO PASTA_RELATORIOS
#include "app/core/Conexao.h"
#include "app/core/modGeral.h"
#include "controls/MensagensQt.h"
#include "reports/engine/Relatorio.h"
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
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// What the listing screen does on "Visualizar": open, select, sort, preview.
std::shared_ptr<Relatorio> listagem() {
  auto r = std::make_shared<Relatorio>();
  if (!r->AbrirModelo(QStringLiteral("pessoasin.rpt")).ok)
    return nullptr;
  r->DescartarDadosSalvos();
  if (!r->DefinirFormulaSelecao(QStringLiteral("{tbPessoa.Codigo} in 1 to 2147483647")).ok ||
      !r->AdicionarOrdem(1, 1).ok)
    return nullptr;
  return r;
}

double primeiraPagina(QWidget& chamador, Contexto contexto) {
  QElapsedTimer tempo;
  tempo.start();
  frmPreviewRelatorio* janela = frmPreviewRelatorio::Mostrar(&chamador, contexto, listagem(), 130,
                                                             QStringLiteral("Relatório de pessoas cadastradas"),
                                                             QStringLiteral("Relatório de pessoas cadastradas"));
  if (janela == nullptr)
    return -1;
  QEventLoop espera;
  QObject::connect(janela->prvRelatorio(), &VisualizadorRelatorio::paginaMostrada, &espera, &QEventLoop::quit);
  QTimer::singleShot(60000, &espera, &QEventLoop::quit);
  espera.exec();
  const double ms = static_cast<double>(tempo.nsecsElapsed()) / 1e6;
  janela->parentWidget()->close();
  QCoreApplication::processEvents();
  return ms;
}

// The same table pages drawn with nothing but QPainter calls: a title, column captions, 40
// rows of four columns and a page number, in the listing's fonts.
double paginasPorSegundoPuras(int paginas, const QString& arquivo) {
  QElapsedTimer tempo;
  tempo.start();
  QPdfWriter pdf(arquivo);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setPageMargins(QMarginsF());
  pdf.setResolution(720);
  QPainter p(&pdf);
  QFont titulo(QStringLiteral("Liberation Sans"));
  titulo.setPixelSize(170);
  titulo.setBold(true);
  QFont texto(QStringLiteral("Liberation Sans"));
  texto.setPixelSize(90);
  const double mm = 720 / 25.4;
  int codigo = 1;
  for (int pagina = 0; pagina < paginas; ++pagina) {
    if (pagina > 0)
      pdf.newPage();
    p.setFont(titulo);
    p.drawText(QPointF(15 * mm, 20 * mm), QStringLiteral("Pessoas cadastradas"));
    p.setFont(texto);
    p.fillRect(QRectF(15 * mm, 30 * mm, 180 * mm, 6.5 * mm), QColor(0xe6, 0xec, 0xf2));
    p.drawText(QPointF(15 * mm, 35 * mm), QStringLiteral("Código      Nome      Tipo      CPF / CNPJ"));
    for (int linha = 0; linha < 40; ++linha, ++codigo) {
      const double y = 42 * mm + linha * 6 * mm;
      if (linha % 2 == 1)
        p.fillRect(QRectF(15 * mm, y - 4.5 * mm, 180 * mm, 6 * mm), QColor(0xf4, 0xf6, 0xf9));
      p.drawText(QPointF(20 * mm, y), QString::number(codigo));
      p.drawText(QPointF(35 * mm, y), QStringLiteral("Nome da pessoa número %1").arg(codigo));
      p.drawText(QPointF(137 * mm, y), QStringLiteral("Física"));
      p.drawText(QPointF(158 * mm, y), QStringLiteral("123.456.789-09"));
    }
    p.drawLine(QPointF(15 * mm, 285 * mm), QPointF(195 * mm, 285 * mm));
    p.drawText(QPointF(170 * mm, 289 * mm), QStringLiteral("Página %1 de %2").arg(pagina + 1).arg(paginas));
  }
  p.end();
  return paginas / (static_cast<double>(tempo.nsecsElapsed()) / 1e9);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
  if (argc < 3) {
    std::fputs("uso: bench_report BANCO PASTA_RELATORIOS\n", stderr);
    return 2;
  }
  QTemporaryDir pasta;
  QDir(pasta.path()).mkpath(QStringLiteral("Dados"));
  QFile::link(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath(),
              pasta.filePath(QStringLiteral("Dados/bdRecibo.mdb")));
  QFile::link(QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath(),
              pasta.filePath(QStringLiteral("relatorio")));
  modGeral::DefinirPastaAplicacao(pasta.path());
  if (const Resultado r = Conexao::AbrirConexao(); !r) {
    std::fprintf(stderr, "%s\n", qPrintable(r.erro));
    return 1;
  }

  MensagensQt mensagens;
  Contexto contexto{&mensagens, nullptr, nullptr};
  QMainWindow principal;
  auto* area = new QMdiArea(&principal);
  principal.setCentralWidget(area);
  principal.resize(1280, 900);
  auto* chamador = new QWidget;
  area->addSubWindow(chamador)->show();
  principal.show();
  QList<double> tempos;
  for (int i = 0; i < 5; ++i)
    tempos.append(primeiraPagina(*chamador, contexto));
  std::sort(tempos.begin(), tempos.end());

  auto relatorio = listagem();
  const QString arquivo = pasta.filePath(QStringLiteral("listagem.pdf"));
  QElapsedTimer tempo;
  tempo.start();
  if (!relatorio || !relatorio->Preparar().ok || !relatorio->ExportarPdf(arquivo).ok) {
    std::fputs("the listing could not be written\n", stderr);
    return 1;
  }
  const double segundos = static_cast<double>(tempo.nsecsElapsed()) / 1e9;
  const int paginas = relatorio->quantasPaginas();
  const double puras = paginasPorSegundoPuras(paginas, pasta.filePath(QStringLiteral("puro.pdf")));
  std::fprintf(stderr, "%d rows, %d pages in %.2f s\n", relatorio->quantosRegistros(), paginas, segundos);
  std::printf("BENCH report.pdf: %.1f pages/s\n", paginas / segundos);
  std::printf("BENCH report.pdf.floor: %.1f pages/s\n", puras);
  std::printf("BENCH report.first_page: %.0f ms\n", tempos.at(tempos.size() / 2));
  return 0;
}
