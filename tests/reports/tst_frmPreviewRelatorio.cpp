// The preview window as the report screens open it inside the main window.
#include "reports/engine/Relatorio.h"
#include "reports/preview/VisualizadorRelatorio.h"
#include "reports/preview/frmPreviewRelatorio.h"
#include "tests/reports/Amostra.h"
#include "tests/support/PastaTeste.h"
#include "tests/support/TextoPdf.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

class tst_frmPreviewRelatorio : public QObject {
  Q_OBJECT
  std::unique_ptr<PastaTeste> pasta_;
  std::unique_ptr<QMainWindow> principal_;
  QMdiArea* area_ = nullptr;
  QWidget* chamador_ = nullptr;

  std::shared_ptr<Relatorio> referentes(const QString& selecao = QString()) {
    auto r = std::make_shared<Relatorio>();
    if (!r->AbrirModelo(QStringLiteral("referente.rpt")).ok)
      return nullptr;
    r->DescartarDadosSalvos();
    if (!selecao.isEmpty())
      static_cast<void>(r->DefinirFormulaSelecao(selecao));
    return r;
  }

  frmPreviewRelatorio* mostrar(std::shared_ptr<Relatorio> r) {
    return frmPreviewRelatorio::Mostrar(chamador_, pasta_->contexto(), std::move(r), 130,
                                        QStringLiteral("Relatório de referentes cadastrados"));
  }

  template <typename T>
  T* filho(QWidget* janela, const char* nome) {
    return janela->findChild<T*>(QString::fromLatin1(nome));
  }

private slots:
  void init() {
    pasta_ = std::make_unique<PastaTeste>();
    QVERIFY(pasta_->abrir());
    QVERIFY(pasta_->copiarModelos());
    for (int c = 1; c <= 70; ++c)
      QVERIFY(Amostra::Referente(c, QStringLiteral("Referente número %1").arg(c)));
    principal_ = std::make_unique<QMainWindow>();
    area_ = new QMdiArea(principal_.get());
    principal_->setCentralWidget(area_);
    principal_->resize(1000, 750);
    chamador_ = new QWidget;
    area_->addSubWindow(chamador_)->show();
    principal_->show();
    QVERIFY(QTest::qWaitForWindowExposed(principal_.get()));
  }
  void cleanup() {
    principal_.reset();
    pasta_.reset();
  }

  void mostraMaximizadoComTituloEZoom() {
    frmPreviewRelatorio* janela = mostrar(referentes());
    QVERIFY(janela != nullptr);
    auto* sub = qobject_cast<QMdiSubWindow*>(janela->parentWidget());
    QVERIFY(sub != nullptr);
    QCOMPARE(sub->mdiArea(), area_);
    QVERIFY(sub->isMaximized());
    QCOMPARE(sub->windowTitle(), QStringLiteral("Relatório de referentes cadastrados"));
    VisualizadorRelatorio* prv = janela->prvRelatorio();
    QCOMPARE(prv->objectName(), QStringLiteral("prvRelatorio"));
    QCOMPARE(prv->zoom(), 130);
    QCOMPARE(filho<QComboBox>(janela, "cboZoom")->currentText(), QStringLiteral("130%"));
    QCOMPARE(prv->paginaAtual(), 1);
    QVERIFY(prv->quantasPaginas() >= 2);
    QCOMPARE(filho<QLabel>(janela, "lblTotalPaginas")->text().trimmed(),
             QStringLiteral("de %1").arg(prv->quantasPaginas()));
    // The viewer fills the window.
    QCOMPARE(prv->geometry(), janela->rect());
  }

  void desenhaSoAPaginaMostrada() {
    auto r = referentes();
    frmPreviewRelatorio* janela = nullptr;
    QSignalSpy* espiao = nullptr;
    // The spy must exist before the first paint: connect as soon as the window exists.
    janela = mostrar(r);
    QVERIFY(janela != nullptr);
    espiao = new QSignalSpy(janela->prvRelatorio(), &VisualizadorRelatorio::paginaMostrada);
    janela->prvRelatorio()->update();
    QTRY_VERIFY(!espiao->isEmpty());
    for (const QList<QVariant>& sinal : *espiao)
      QCOMPARE(sinal.at(0).toInt(), 1);
    espiao->clear();
    QTest::mouseClick(filho<QToolButton>(janela, "btnUltimaPagina"), Qt::LeftButton);
    QTRY_VERIFY(!espiao->isEmpty());
    QCOMPARE(espiao->last().at(0).toInt(), janela->prvRelatorio()->quantasPaginas());
    delete espiao;
  }

  void navegaEntreAsPaginas() {
    frmPreviewRelatorio* janela = mostrar(referentes());
    QVERIFY(janela != nullptr);
    VisualizadorRelatorio* prv = janela->prvRelatorio();
    const int total = prv->quantasPaginas();
    auto* txtPagina = filho<QSpinBox>(janela, "txtPagina");
    QTest::mouseClick(filho<QToolButton>(janela, "btnProximaPagina"), Qt::LeftButton);
    QCOMPARE(prv->paginaAtual(), 2);
    QCOMPARE(txtPagina->value(), 2);
    QTest::mouseClick(filho<QToolButton>(janela, "btnUltimaPagina"), Qt::LeftButton);
    QCOMPARE(prv->paginaAtual(), total);
    QTest::mouseClick(filho<QToolButton>(janela, "btnProximaPagina"), Qt::LeftButton);
    QCOMPARE(prv->paginaAtual(), total);
    QTest::mouseClick(filho<QToolButton>(janela, "btnPaginaAnterior"), Qt::LeftButton);
    QCOMPARE(prv->paginaAtual(), total - 1);
    QTest::mouseClick(filho<QToolButton>(janela, "btnPrimeiraPagina"), Qt::LeftButton);
    QCOMPARE(prv->paginaAtual(), 1);
    QTest::mouseClick(filho<QToolButton>(janela, "btnPaginaAnterior"), Qt::LeftButton);
    QCOMPARE(prv->paginaAtual(), 1);
    // The page box: typed and confirmed with Enter.
    txtPagina->setFocus();
    txtPagina->selectAll();
    QTest::keyClicks(txtPagina, QString::number(total));
    QTest::keyClick(txtPagina, Qt::Key_Return);
    QCOMPARE(prv->paginaAtual(), total);
    prv->setFocus();
    QTest::keyClick(prv, Qt::Key_PageUp);
    QCOMPARE(prv->paginaAtual(), total - 1);
    QTest::keyClick(prv, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(prv->paginaAtual(), 1);
  }

  void mudaOZoom() {
    frmPreviewRelatorio* janela = mostrar(referentes());
    QVERIFY(janela != nullptr);
    VisualizadorRelatorio* prv = janela->prvRelatorio();
    auto* pagina = filho<QWidget>(janela, "pagRelatorio");
    const int largura130 = pagina->width();
    QTest::mouseClick(filho<QToolButton>(janela, "btnAumentarZoom"), Qt::LeftButton);
    QCOMPARE(prv->zoom(), 150);
    QVERIFY(pagina->width() > largura130);
    QTest::mouseClick(filho<QToolButton>(janela, "btnDiminuirZoom"), Qt::LeftButton);
    QTest::mouseClick(filho<QToolButton>(janela, "btnDiminuirZoom"), Qt::LeftButton);
    QCOMPARE(prv->zoom(), 100);
    auto* zoom = filho<QComboBox>(janela, "cboZoom");
    zoom->lineEdit()->setFocus();
    zoom->lineEdit()->selectAll();
    QTest::keyClicks(zoom->lineEdit(), QStringLiteral("75%"));
    QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
    QCOMPARE(prv->zoom(), 75);
    QTest::mouseClick(filho<QToolButton>(janela, "btnAjustarPagina"), Qt::LeftButton);
    auto* rolagem = filho<QWidget>(janela, "rolPagina");
    QVERIFY(pagina->height() <= rolagem->height());
  }

  void exportaPdfPeloSeletor() {
    frmPreviewRelatorio* janela = mostrar(referentes(QStringLiteral("{tbReferente.Codigo} in 3 to 5")));
    QVERIFY(janela != nullptr);
    const QString destino = pasta_->caminho() + QStringLiteral("/referentes.pdf");
    // Cancelled: nothing written, nothing said.
    QTest::mouseClick(filho<QToolButton>(janela, "btnExportarPdf"), Qt::LeftButton);
    QCOMPARE(pasta_->escolhaArquivo.chamadas.size(), 1);
    QCOMPARE(pasta_->escolhaArquivo.chamadas.first().extensaoPadrao, QStringLiteral("pdf"));
    QVERIFY(pasta_->escolhaArquivo.chamadas.first().nomeInicial.endsWith(QStringLiteral("Referentes cadastrados.pdf")));
    QVERIFY(!QFile::exists(destino));
    pasta_->escolhaArquivo.responder(destino);
    QTest::mouseClick(filho<QToolButton>(janela, "btnExportarPdf"), Qt::LeftButton);
    const QString texto = TextoPdf(destino);
    QVERIFY2(texto.contains(QStringLiteral("Referente número 3")), qPrintable(texto));
    QVERIFY(texto.indexOf(QStringLiteral("número 3")) < texto.indexOf(QStringLiteral("número 5")));
    QVERIFY(!texto.contains(QStringLiteral("número 6")));
    QCOMPARE(pasta_->mensagens.quantas(), 0);
    // A folder that cannot be written: a message, no crash.
    pasta_->escolhaArquivo.responder(pasta_->caminho() + QStringLiteral("/nao/existe.pdf"));
    QTest::mouseClick(filho<QToolButton>(janela, "btnExportarPdf"), Qt::LeftButton);
    QCOMPARE(pasta_->mensagens.quantas(), 1);
    QCOMPARE(pasta_->mensagens.ultima().titulo, QStringLiteral("Exportar para PDF"));
  }

  void imprimeNumaImpressora() {
    frmPreviewRelatorio* janela = mostrar(referentes());
    QVERIFY(janela != nullptr);
    QPrinter impressora(QPrinter::HighResolution);
    const QString destino = pasta_->caminho() + QStringLiteral("/impresso.pdf");
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(destino);
    impressora.setFullPage(true);
    impressora.setPrintRange(QPrinter::PageRange);
    impressora.setFromTo(2, 2);
    QVERIFY(janela->prvRelatorio()->ImprimirEm(impressora).ok);
    const QString texto = TextoPdf(destino);
    QVERIFY(texto.contains(QStringLiteral("Página 2 de")));
    QVERIFY(!texto.contains(QStringLiteral("Página 1 de")));
  }

  void variasJanelasEFechamento() {
    auto r = referentes();
    std::weak_ptr<Relatorio> guardado = r;
    frmPreviewRelatorio* primeira = mostrar(std::move(r));
    frmPreviewRelatorio* segunda = mostrar(referentes());
    QVERIFY(primeira != nullptr && segunda != nullptr && primeira != segunda);
    QCOMPARE(area_->subWindowList().size(), 3);
    QPointer<frmPreviewRelatorio> vigia(primeira);
    // The close box works and releases the report.
    QVERIFY(primeira->parentWidget()->close());
    QTRY_VERIFY(vigia.isNull());
    QVERIFY(guardado.expired());
    QCOMPARE(area_->subWindowList().size(), 2);
  }

  void avisaSemVerbalorEMostraOResto() {
    QVERIFY(pasta_->escreverModelo(QStringLiteral("recibos.rpt"), Amostra::ModeloRecibos()));
    QVERIFY(Amostra::Recibo(1, 2024, QStringLiteral("2024-01-02"), 10, 1, 1));
    auto r = std::make_shared<Relatorio>();
    QVERIFY(r->AbrirModelo(QStringLiteral("recibos.rpt")).ok);
    frmPreviewRelatorio* janela = mostrar(r);
    QVERIFY(janela != nullptr);
    auto* aviso = filho<QLabel>(janela, "lblAviso");
    QVERIFY(aviso->isVisible());
    QVERIFY(aviso->text().contains(QStringLiteral("valor por extenso")));
    QCOMPARE(janela->prvRelatorio()->quantasPaginas(), 1);
  }

  void relatorioQueFalhaNaoAbreJanela() {
    auto r = referentes();
    QVERIFY(!r->DefinirFormulaSelecao(QStringLiteral("{tbReferente.Codigo} in 1")).ok);
    QVERIFY(mostrar(r) == nullptr);
    QCOMPARE(area_->subWindowList().size(), 1);
    QCOMPARE(pasta_->mensagens.quantas(), 1);
    QCOMPARE(pasta_->mensagens.ultima().titulo, QStringLiteral("Não foi possível visualizar o relatório"));
    QVERIFY(pasta_->mensagens.ultima().texto.contains(QStringLiteral("posição")));
  }
};

QTEST_MAIN(tst_frmPreviewRelatorio)
#include "tst_frmPreviewRelatorio.moc"
