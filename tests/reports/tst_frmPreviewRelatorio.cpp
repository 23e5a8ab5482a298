// The preview window as the report screens open it inside the main window.
#include "app/core/modGeral.h"
#include "reports/engine/Relatorio.h"
#include "reports/preview/VisualizadorRelatorio.h"
#include "reports/preview/frmPreviewRelatorio.h"
#include "tests/reports/Amostra.h"
#include "tests/support/PastaTeste.h"
#include "tests/support/TextoPdf.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
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

Q_DECLARE_METATYPE(Resposta)

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
                                        QStringLiteral("Relatório de referentes cadastrados"), kNomePdf);
  }

  static inline const QString kNomePdf = QStringLiteral("Referentes 2026-12-07");

  /// Exports the report of `janela` to `destino` (a cancel when empty), the box that follows
  /// answered with `resposta`.
  void exportar(frmPreviewRelatorio* janela, const QString& destino, Resposta resposta = Resposta::Fechar) {
    if (!destino.isEmpty())
      pasta_->escolhaArquivo.responder(destino);
    pasta_->mensagens.responder(resposta);
    QTest::mouseClick(filho<QToolButton>(janela, "btnExportarPdf"), Qt::LeftButton);
  }

  /// A folder first on the PATH holding `programas`, each a script that writes its arguments,
  /// one a line, to `<name>.args` beside it; the PATH is that folder alone.
  QString gravadores(const QStringList& programas) {
    const QString pasta = pasta_->caminho() + QStringLiteral("/bin");
    if (!QDir().mkpath(pasta))
      return {};
    for (const QString& programa : programas) {
      QFile script(pasta + QLatin1Char('/') + programa);
      if (!script.open(QIODevice::WriteOnly))
        return {};
      // The arguments appear at once, whole, for the test that waits for them.
      script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && /bin/mv \"$0.tmp\" \"$0.args\"\n");
      script.close();
      script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("PATH", pasta.toLocal8Bit());
    return pasta;
  }
  QByteArray caminhoOriginal_;

  template <typename T>
  T* filho(QWidget* janela, const char* nome) {
    return janela->findChild<T*>(QString::fromLatin1(nome));
  }

private slots:
  void initTestCase() { caminhoOriginal_ = qgetenv("PATH"); }
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
    qputenv("PATH", caminhoOriginal_);
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
    zoom->setEditText(QStringLiteral("Página inteira"));
    QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
    auto* rolagem = filho<QWidget>(janela, "rolPagina");
    QVERIFY(pagina->height() <= rolagem->height());
  }

  void exportaPdfPeloSeletor() {
    frmPreviewRelatorio* janela = mostrar(referentes(QStringLiteral("{tbReferente.Codigo} in 3 to 5")));
    QVERIFY(janela != nullptr);
    const QString destino = pasta_->caminho() + QStringLiteral("/referentes.pdf");
    // Cancelled: nothing written, nothing said.
    exportar(janela, QString());
    QCOMPARE(pasta_->escolhaArquivo.chamadas.size(), 1);
    QCOMPARE(pasta_->escolhaArquivo.chamadas.first().extensaoPadrao, QStringLiteral("pdf"));
    QCOMPARE(pasta_->escolhaArquivo.chamadas.first().nomeInicial, kNomePdf + QStringLiteral(".pdf"));
    QVERIFY(!QFile::exists(destino));
    QCOMPARE(pasta_->mensagens.quantas(), 0);
    exportar(janela, destino);
    const QString texto = TextoPdf(destino);
    QVERIFY2(texto.contains(QStringLiteral("Referente número 3")), qPrintable(texto));
    QVERIFY(texto.indexOf(QStringLiteral("número 3")) < texto.indexOf(QStringLiteral("número 5")));
    QVERIFY(!texto.contains(QStringLiteral("número 6")));
    // Written: the file is named and offered to be opened or mailed.
    QCOMPARE(pasta_->mensagens.quantas(), 1);
    QCOMPARE(pasta_->mensagens.ultima().botoes, Botoes::AbrirEnviarFechar);
    QCOMPARE(pasta_->mensagens.ultima().padrao, Resposta::Fechar);
    QVERIFY(pasta_->mensagens.ultima().texto.contains(destino));
    // A folder that cannot be written: a message, no crash.
    exportar(janela, pasta_->caminho() + QStringLiteral("/nao/existe.pdf"));
    QCOMPARE(pasta_->mensagens.quantas(), 2);
    QCOMPARE(pasta_->mensagens.ultima().titulo, QStringLiteral("Exportar para PDF"));
    QCOMPARE(pasta_->mensagens.ultima().icone, Icone::Critico);
  }

  void pdfNaPastaUsadaPorUltimo() {
    frmPreviewRelatorio* janela = mostrar(referentes());
    QVERIFY(janela != nullptr);
    const QString pasta = pasta_->caminho() + QStringLiteral("/Documentos/Recibos");
    QVERIFY(QDir().mkpath(pasta));
    exportar(janela, QString());
    exportar(janela, pasta + QStringLiteral("/a.pdf"));
    exportar(janela, QString());
    QDir(pasta).removeRecursively();
    exportar(janela, QString());
    const auto& chamadas = pasta_->escolhaArquivo.chamadas;
    QCOMPARE(chamadas.size(), 4);
    QCOMPARE(chamadas.at(0).pastaInicial, QDir::homePath());
    QCOMPARE(modGeral::LerIni(QStringLiteral("talonix"), QStringLiteral("pastapdf"), QString(), modGeral::ArquivoIni()),
             pasta);
    QCOMPARE(chamadas.at(2).pastaInicial, pasta);
    // The folder is gone: back to the home folder.
    QCOMPARE(chamadas.at(3).pastaInicial, QDir::homePath());
  }

  // A folder's name may hold line breaks: the PDF goes there all the same, but the name never
  // reaches the settings file, where its lines would make a section of their own.
  void pastaComQuebraDeLinhaNaoVaiAoIni() {
    frmPreviewRelatorio* janela = mostrar(referentes());
    QVERIFY(janela != nullptr);
    const QString comum = pasta_->caminho() + QStringLiteral("/Recibos");
    const QString hostil =
        pasta_->caminho() + QStringLiteral("/x\n[banco]\ntipo=postgresql\nservidor=10.9.8.7\n[talonix]\nnada=");
    QVERIFY(QDir().mkpath(comum));
    QVERIFY(QDir().mkpath(hostil));
    exportar(janela, comum + QStringLiteral("/a.pdf"));
    QFile ini(modGeral::ArquivoIni());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray antes = ini.readAll();
    ini.close();
    exportar(janela, hostil + QStringLiteral("/b.pdf"));
    QVERIFY(TextoPdf(hostil + QStringLiteral("/b.pdf")).contains(QStringLiteral("Referente número 1")));
    QCOMPARE(pasta_->mensagens.quantas(), 2);
    QVERIFY(pasta_->mensagens.ultima().texto.startsWith(QStringLiteral("O PDF foi gravado em:\r")));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(), antes);
    QVERIFY(modGeral::LerIni(QStringLiteral("banco"), QStringLiteral("tipo"), QString(), modGeral::ArquivoIni()) !=
            QStringLiteral("postgresql"));
    QCOMPARE(modGeral::LerIni(QStringLiteral("talonix"), QStringLiteral("pastapdf"), QString(), modGeral::ArquivoIni()),
             comum);
  }

  void abreOuEnviaOPdf_data() {
    QTest::addColumn<Resposta>("resposta");
    QTest::addColumn<QString>("programa");
    QTest::addColumn<QStringList>("antes");
    QTest::newRow("Abrir") << Resposta::Abrir << "xdg-open" << QStringList();
    QTest::newRow("Enviar por e-mail") << Resposta::Enviar << "xdg-email" << QStringList{"--attach"};
  }
  void abreOuEnviaOPdf() {
    QFETCH(Resposta, resposta);
    QFETCH(QString, programa);
    QFETCH(QStringList, antes);
    const QString bin = gravadores({QStringLiteral("xdg-open"), QStringLiteral("xdg-email")});
    QVERIFY(!bin.isEmpty());
    frmPreviewRelatorio* janela = mostrar(referentes());
    QVERIFY(janela != nullptr);
    // A name a shell would split or expand stays one argument.
    const QString destino = pasta_->caminho() + QStringLiteral("/Recibo 000001-2026 D'Ávila & $HOME.pdf");
    exportar(janela, destino, resposta);
    QVERIFY(QFile::exists(destino));
    QFile gravado(bin + QLatin1Char('/') + programa + QStringLiteral(".args"));
    QTRY_VERIFY(gravado.exists());
    QVERIFY(gravado.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(gravado.readAll()),
             (antes + QStringList{destino}).join(QLatin1Char('\n')) + QLatin1Char('\n'));
    QCOMPARE(pasta_->mensagens.quantas(), 1);
    // Only the program asked for ran.
    const QString outro =
        programa == QStringLiteral("xdg-open") ? QStringLiteral("xdg-email") : QStringLiteral("xdg-open");
    QVERIFY(!QFile::exists(bin + QLatin1Char('/') + outro + QStringLiteral(".args")));
  }

  void programaAusenteAvisa_data() {
    QTest::addColumn<Resposta>("resposta");
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("Abrir") << Resposta::Abrir
                           << "Não foi possível abrir o PDF: o programa xdg-open não está instalado.";
    QTest::newRow("Enviar por e-mail") << Resposta::Enviar
                                       << "Não foi possível enviar o PDF: o programa xdg-email não está instalado.";
  }
  void programaAusenteAvisa() {
    QFETCH(Resposta, resposta);
    QFETCH(QString, mensagem);
    QVERIFY(!gravadores({}).isEmpty());
    frmPreviewRelatorio* janela = mostrar(referentes());
    QVERIFY(janela != nullptr);
    const QString destino = pasta_->caminho() + QStringLiteral("/r.pdf");
    exportar(janela, destino, resposta);
    QVERIFY(QFile::exists(destino));
    QCOMPARE(pasta_->mensagens.quantas(), 2);
    QCOMPARE(pasta_->mensagens.ultima().texto, mensagem);
    QCOMPARE(pasta_->mensagens.ultima().titulo, QStringLiteral("Exportar para PDF"));
  }

  void fechaComoUmaJanela_data() {
    QTest::addColumn<QString>("como");
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("Ctrl+F4") << "Ctrl+F4";
    QTest::newRow("botão Fechar") << "btnFechar";
  }
  void fechaComoUmaJanela() {
    QFETCH(QString, como);
    frmPreviewRelatorio* janela = mostrar(referentes());
    QVERIFY(janela != nullptr);
    QPointer<QMdiSubWindow> sub = qobject_cast<QMdiSubWindow*>(janela->parentWidget());
    area_->setActiveSubWindow(sub);
    QTRY_VERIFY(janela->isAncestorOf(QApplication::focusWidget()));
    auto* fechar = filho<QToolButton>(janela, "btnFechar");
    QVERIFY(fechar != nullptr && fechar->isVisible());
    QCOMPARE(fechar->text(), QStringLiteral("Fechar"));
    if (como == QStringLiteral("Esc"))
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else if (como == QStringLiteral("Ctrl+F4"))
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
    else
      QTest::mouseClick(fechar, Qt::LeftButton);
    QTRY_VERIFY(sub.isNull());
    QCOMPARE(area_->subWindowList().size(), 1);
  }

  void paginaInteiraUmaVezSo() {
    frmPreviewRelatorio* janela = mostrar(referentes());
    QVERIFY(janela != nullptr);
    int vezes = 0;
    for (const QToolButton* b : janela->findChildren<QToolButton*>())
      vezes += b->text() == QStringLiteral("Página inteira") || b->toolTip() == QStringLiteral("Página inteira");
    auto* zoom = filho<QComboBox>(janela, "cboZoom");
    for (int i = 0; i < zoom->count(); ++i)
      vezes += zoom->itemText(i) == QStringLiteral("Página inteira");
    QCOMPARE(vezes, 1);
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
