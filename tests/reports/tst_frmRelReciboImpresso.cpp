#include "reports/frmRelReciboImpresso.h"

#include "app/mdiPrincipal.h"
#include "controls/lvButtons.h"
#include "controls/uscSelecionaRegistro.h"
#include "controls/uscTextBox.h"
#include "reports/engine/Relatorio.h"
#include "reports/preview/VisualizadorRelatorio.h"
#include "reports/preview/frmPreviewRelatorio.h"
#include "tests/support/PastaTeste.h"
#include "tests/support/TextoPdf.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QtTest>

#include <memory>

// The issued-receipts report screen inside the main window: one instance from its menu entry,
// the shared filter, the refusals before anything is built, and the report it shows.
class tst_frmRelReciboImpresso : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();
  void menuAbreUmaTelaSo();
  void escFechaECaixaDeFecharRecusada();
  void pessoaNaoEscolhidaNaoMostraRelatorio();
  void relatorioDoPeriodoPorData();
  void semPeriodoListaTudoEImprimeOPeriodo();

private:
  frmRelReciboImpresso* abrir();
  QRadioButton* opcao(const char* nome, int i) const {
    return tela_->findChild<QRadioButton*>(QString::fromLatin1(nome) + QLatin1Char('_') + QString::number(i));
  }
  QList<frmPreviewRelatorio*> previas() const;
  /// The (number, year) of every row the report read, in its order.
  static QStringList recibos(const Relatorio& relatorio);

  std::unique_ptr<PastaTeste> pasta_;
  std::unique_ptr<mdiPrincipal> janela_;
  frmRelReciboImpresso* tela_ = nullptr;
};

void tst_frmRelReciboImpresso::init() {
  pasta_ = std::make_unique<PastaTeste>();
  QVERIFY(pasta_->copiarModelos());
  QVERIFY(pasta_->abrir());
  QVERIFY(pasta_->executar("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Ana Luíza'), (2, 'João Souza')"));
  QVERIFY(
      pasta_->executar("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente) VALUES "
                       "(9, 2023, '2023-03-10', 10000, 1, 2), (1, 2024, '2024-02-29', 20000, 2, 1), "
                       "(2, 2024, '2024-03-31', 12345000, 1, 2), (3, 2024, '2024-03-01', 5000, 2, 1), "
                       "(4, 2024, '2024-03-15', 7500, 9, 1), (5, 2024, '2024-04-01', 100, 1, 2)"));
  janela_ = std::make_unique<mdiPrincipal>(pasta_->contexto());
  janela_->show();
  QVERIFY(QTest::qWaitForWindowActive(janela_.get()));
  tela_ = abrir();
  QVERIFY(tela_);
}

void tst_frmRelReciboImpresso::cleanup() {
  janela_->close();
  janela_.reset();
  pasta_.reset();
}

frmRelReciboImpresso* tst_frmRelReciboImpresso::abrir() {
  janela_->findChild<QAction*>(QStringLiteral("mnuRelatorioReciboImpressoReciboComercial"))->trigger();
  return janela_->findChild<frmRelReciboImpresso*>();
}

QList<frmPreviewRelatorio*> tst_frmRelReciboImpresso::previas() const {
  return janela_->findChildren<frmPreviewRelatorio*>();
}

QStringList tst_frmRelReciboImpresso::recibos(const Relatorio& relatorio) {
  // Columns of the layout's fields: tbPessoaRecebi 0-1, tbRecibo 2-7 (number 2, year 3).
  QStringList lista;
  for (int r = 0; r < relatorio.quantosRegistros(); ++r)
    lista << QStringLiteral("%1/%2")
                 .arg(relatorio.dados().valor(r, 2).toInt())
                 .arg(relatorio.dados().valor(r, 3).toInt());
  return lista;
}

void tst_frmRelReciboImpresso::menuAbreUmaTelaSo() {
  QVERIFY(janela_->findChild<QAction*>(QStringLiteral("mnuRelatorioReciboImpressoReciboComercial"))->isEnabled());
  QCOMPARE(tela_->windowTitle(), QStringLiteral("Recibos comerciais impressos"));
  QVERIFY(qobject_cast<QMdiSubWindow*>(tela_->parentWidget()));
  QCOMPARE(abrir(), tela_);
  QCOMPARE(janela_->findChildren<frmRelReciboImpresso*>().size(), 1);
  // The same filter as the search: names, defaults and frames.
  QVERIFY(opcao("optTipoData", 1)->isChecked());
  QVERIFY(opcao("optTipoFiltro", 0)->isChecked());
  QVERIFY(opcao("optOrdenarPor", 0)->isChecked());
  QCOMPARE(tela_->findChild<QDateEdit*>(QStringLiteral("dtpFinal"))->date(), pasta_->relogio.hoje());
  QVERIFY(!tela_->findChild<QGroupBox*>(QStringLiteral("fraPrestador"))->isEnabled());
  QVERIFY(tela_->findChild<lvButtons*>(QStringLiteral("btnVisualizar")));
  // The screen opens in the period options; the buttons come last in the Tab order.
  QTRY_COMPARE(QApplication::focusWidget(), opcao("optTipoData", 1));
  opcao("optOrdenarPor", 0)->setFocus();
  QTest::keyClick(opcao("optOrdenarPor", 0), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), tela_->findChild<lvButtons*>(QStringLiteral("btnVisualizar")));
}

void tst_frmRelReciboImpresso::escFechaECaixaDeFecharRecusada() {
  auto* janelaTela = qobject_cast<QMdiSubWindow*>(tela_->parentWidget());
  QVERIFY(!janelaTela->close());
  QVERIFY(tela_->isVisible());

  QTest::mouseClick(opcao("optTipoFiltro", 1), Qt::LeftButton);
  QPointer<frmRelReciboImpresso> antiga = tela_;
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QTRY_VERIFY(antiga.isNull());
  // Opened again, it starts from the defaults.
  tela_ = abrir();
  QVERIFY(tela_ && tela_ != antiga);
  QVERIFY(opcao("optTipoFiltro", 0)->isChecked());
}

void tst_frmRelReciboImpresso::pessoaNaoEscolhidaNaoMostraRelatorio() {
  QTest::mouseClick(opcao("optTipoFiltro", 3), Qt::LeftButton);
  QTest::mouseClick(tela_->findChild<lvButtons*>(QStringLiteral("btnVisualizar")), Qt::LeftButton);
  QCOMPARE(pasta_->mensagens.quantas(), 1);
  QCOMPARE(pasta_->mensagens.ultima().texto, QStringLiteral("Por favor, selecione a pessoa a filtrar."));
  QCOMPARE(pasta_->mensagens.ultima().titulo, QStringLiteral("Recibos impressos - Emitente"));
  QVERIFY(tela_->findChild<uscSelecionaRegistro*>(QStringLiteral("uscEmitente"))
              ->isAncestorOf(QApplication::focusWidget()));
  QVERIFY(previas().isEmpty());
}

void tst_frmRelReciboImpresso::relatorioDoPeriodoPorData() {
  QTest::mouseClick(opcao("optTipoData", 3), Qt::LeftButton);
  tela_->findChild<QDateEdit*>(QStringLiteral("dtpInicial"))->setDate(QDate(2024, 3, 1));
  tela_->findChild<QDateEdit*>(QStringLiteral("dtpFinal"))->setDate(QDate(2024, 3, 31));
  QTest::mouseClick(opcao("optOrdenarPor", 1), Qt::LeftButton);
  tela_->Visualizar();
  QCOMPARE(pasta_->mensagens.quantas(), 0);
  QCOMPARE(previas().size(), 1);
  frmPreviewRelatorio* previa = previas().first();
  QCOMPARE(previa->windowTitle(), QStringLiteral("Relatório de recibos emitidos"));
  // A PDF of it is proposed under the caption and the day it was made.
  QCOMPARE(previa->prvRelatorio()->nomePdf(), QStringLiteral("Relatório de recibos emitidos 2026-12-07"));
  QCOMPARE(previa->prvRelatorio()->zoom(), 130);
  const Relatorio& relatorio = *previa->prvRelatorio()->relatorio();
  // The first and the last day of the period are in; the receipt of a deleted person too.
  QCOMPARE(recibos(relatorio), (QStringList{"3/2024", "4/2024", "2/2024"}));

  QTemporaryDir pasta;
  const QString pdf = pasta.filePath(QStringLiteral("r.pdf"));
  QVERIFY(relatorio.ExportarPdf(pdf));
  const QString texto = TextoPdf(pdf);
  QVERIFY2(texto.contains(QStringLiteral("PERÍODO DE 01/03/2024 A 31/03/2024")), qPrintable(texto));
  QVERIFY2(texto.contains(QStringLiteral("R$ 1.235,75")), qPrintable(texto));
  QVERIFY2(texto.contains(QStringLiteral("1.234,50")), qPrintable(texto));

  // Another run opens another preview.
  tela_->Visualizar();
  QCOMPARE(previas().size(), 2);
}

void tst_frmRelReciboImpresso::semPeriodoListaTudoEImprimeOPeriodo() {
  QTest::mouseClick(opcao("optTipoData", 0), Qt::LeftButton);
  QTest::mouseClick(opcao("optOrdenarPor", 2), Qt::LeftButton);
  tela_->Visualizar();
  QCOMPARE(previas().size(), 1);
  const Relatorio& relatorio = *previas().first()->prvRelatorio()->relatorio();
  QCOMPARE(recibos(relatorio), (QStringList{"5/2024", "3/2024", "4/2024", "9/2023", "1/2024", "2/2024"}));
  QTemporaryDir pasta;
  const QString pdf = pasta.filePath(QStringLiteral("r.pdf"));
  QVERIFY(relatorio.ExportarPdf(pdf));
  QVERIFY(TextoPdf(pdf).contains(QStringLiteral("PERÍODO DE 07/12/2026 A 07/12/2026")));
}

QTEST_MAIN(tst_frmRelReciboImpresso)
#include "tst_frmRelReciboImpresso.moc"
