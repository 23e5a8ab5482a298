// The people listing screen: the chain from the initial to the final person, the layout
// chosen, the formula and sort handed to the engine.
#include "controls/ListaRegistros.h"
#include "controls/lvButtons.h"
#include "controls/uscSelecionaRegistro.h"
#include "reports/frmRelPessoaCadastrada.h"
#include "tests/reports/Amostra.h"
#include "tests/reports/TelaRelatorioTeste.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

class tst_frmRelPessoaCadastrada : public QObject {
  Q_OBJECT
  TelaRelatorioTeste<frmRelPessoaCadastrada> t_;
  uscSelecionaRegistro* inicial_ = nullptr;
  uscSelecionaRegistro* final_ = nullptr;
  lvButtons* visualizar_ = nullptr;

  QLineEdit* codigo(uscSelecionaRegistro* seletor) const { return seletor->findChildren<QLineEdit*>().first(); }
  void digitar(uscSelecionaRegistro* seletor, const QString& texto) {
    seletor->Focar();
    QLineEdit* editor = codigo(seletor);
    DigitarSobre(editor, texto);
  }
  void sair(uscSelecionaRegistro* seletor) { QTest::keyClick(codigo(seletor), Qt::Key_Tab); }
  void marcar(const char* nome) {
    QTest::mouseClick(t_.tela->findChild<QRadioButton*>(QString::fromLatin1(nome)), Qt::LeftButton);
  }

private slots:
  void init() {
    QVERIFY(t_.abrir("mnuRelatorioPessoa"));
    const char* nomes[] = {"Zeca Prado", "Bia Lopes", "Caio Reis", "Ana Dias", "Ema Luz"};
    for (int c = 1; c <= 5; ++c)
      QVERIFY(Amostra::Pessoa(c, QString::fromUtf8(nomes[c - 1])));
    for (int c = 6; c <= 12; ++c)
      QVERIFY(Amostra::Pessoa(c, QStringLiteral("Pessoa %1").arg(c)));
    inicial_ = t_.tela->findChild<uscSelecionaRegistro*>(QStringLiteral("uscPessoaInicial"));
    final_ = t_.tela->findChild<uscSelecionaRegistro*>(QStringLiteral("uscPessoaFinal"));
    visualizar_ = t_.tela->findChild<lvButtons*>(QStringLiteral("btnVisualizar"));
    QVERIFY(inicial_ && final_ && visualizar_);
  }
  void cleanup() { t_.fechar(); }

  void abreComOsPadroes() {
    QCOMPARE(t_.tela->windowTitle(), QStringLiteral("Pessoas cadastradas"));
    QVERIFY(!final_->isEnabled());
    QVERIFY(!visualizar_->isEnabled());
    QVERIFY(t_.tela->findChild<QRadioButton*>(QStringLiteral("optTipoDado_0"))->isChecked());
    QVERIFY(t_.tela->findChild<QRadioButton*>(QStringLiteral("optOrdenacao_0"))->isChecked());
    QCOMPARE(inicial_->SQL(), QStringLiteral("SELECT Codigo,Descricao FROM tbPessoa"));
    QCOMPARE(inicial_->Condicao(), QString());
    QCOMPARE(inicial_->Titulo(), QStringLiteral("Pessoa - Código inicial"));
    QVERIFY(inicial_->CodigoNumerico());
    QCOMPARE(inicial_->larguraColuna(0), 1000);
    QCOMPARE(inicial_->larguraColuna(1), 5985);
  }

  void cadeiaDeHabilitacao() {
    digitar(inicial_, QStringLiteral("3"));
    QVERIFY(final_->isEnabled());
    QVERIFY(final_->Text(0).isEmpty());
    QVERIFY(!visualizar_->isEnabled());
    // Entering the final selector proposes the initial person and offers only codes from it.
    sair(inicial_);
    QCOMPARE(final_->Text(0), QStringLiteral("3"));
    QCOMPARE(final_->Text(1), QStringLiteral("Caio Reis"));
    QCOMPARE(final_->Condicao(), QStringLiteral("Codigo>=3"));
    QCOMPARE(final_->Titulo(), QStringLiteral("Pessoa - Código final"));
    QVERIFY(visualizar_->isEnabled());
    // Another initial person empties the final choice again.
    digitar(inicial_, QStringLiteral("4"));
    QVERIFY(final_->Text(0).isEmpty());
    QVERIFY(final_->isEnabled());
    QVERIFY(!visualizar_->isEnabled());
    digitar(inicial_, QString());
    QVERIFY(!final_->isEnabled());
    QCOMPARE(t_.pasta->mensagens.quantas(), 0);
  }

  // The final selector's list button, clicked straight from the initial box, enters the final
  // selector first: its list offers the codes from the initial one only.
  void botaoDaListaFinalEntraNoSeletor() {
    digitar(inicial_, QStringLiteral("3"));
    int linhas = -1;
    QString primeiro;
    QTimer::singleShot(0, this, [&] {
      auto* lista = qobject_cast<ListaRegistros*>(QApplication::activeModalWidget());
      if (lista == nullptr)
        return;
      const QAbstractItemModel* modelo = lista->findChild<QTreeView*>(QStringLiteral("lsvRegistros"))->model();
      linhas = modelo->rowCount();
      primeiro = modelo->index(0, 0).data().toString();
      lista->reject();
    });
    QTest::mouseClick(final_->findChild<QToolButton*>(QStringLiteral("btnLista")), Qt::LeftButton);
    QCOMPARE(linhas, 10);
    QCOMPARE(primeiro, QStringLiteral("3"));
    QCOMPARE(final_->Condicao(), QStringLiteral("Codigo>=3"));
  }

  void finalVazioRecebeOInicialAoSair() {
    digitar(inicial_, QStringLiteral("2"));
    sair(inicial_);
    digitar(final_, QString());
    QVERIFY(!visualizar_->isEnabled());
    sair(final_);
    QCOMPARE(final_->Text(0), QStringLiteral("2"));
    QVERIFY(visualizar_->isEnabled());
  }

  void visualiza_data() {
    QTest::addColumn<QString>("inicial");
    QTest::addColumn<QString>("final");
    QTest::addColumn<bool>("analitico");
    QTest::addColumn<bool>("porNome");
    QTest::addColumn<QString>("modelo");
    QTest::addColumn<QList<int>>("codigos");
    QTest::newRow("3 a 10 sintético por código")
        << QStringLiteral("3") << QStringLiteral("10") << false << false << QStringLiteral("pessoasin.rpt")
        << QList<int>{3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("analítico por nome") << QStringLiteral("1") << QStringLiteral("5") << true << true
                                        << QStringLiteral("pessoaana.rpt") << QList<int>{4, 2, 3, 5, 1};
    QTest::newRow("uma pessoa") << QStringLiteral("4") << QStringLiteral("4") << false << false
                                << QStringLiteral("pessoasin.rpt") << QList<int>{4};
    QTest::newRow("final abaixo do inicial") << QStringLiteral("8") << QStringLiteral("2") << false << false
                                             << QStringLiteral("pessoasin.rpt") << QList<int>{};
  }
  void visualiza() {
    QFETCH(QString, inicial);
    QFETCH(QString, final);
    QFETCH(bool, analitico);
    QFETCH(bool, porNome);
    QFETCH(QString, modelo);
    QFETCH(QList<int>, codigos);
    digitar(inicial_, inicial);
    sair(inicial_);
    digitar(final_, final);
    if (analitico)
      marcar("optTipoDado_1");
    if (porNome)
      marcar("optOrdenacao_1");
    QTest::mouseClick(visualizar_, Qt::LeftButton);
    QCOMPARE(t_.pasta->mensagens.quantas(), 0);
    const Relatorio* r = t_.relatorioMostrado();
    QVERIFY(r != nullptr);
    QCOMPARE(r->arquivo(), modelo);
    QCOMPARE(r->formulaSelecao(), QStringLiteral("{tbPessoa.Codigo} in %1 to %2").arg(inicial, final));
    QCOMPARE(r->ordem(), QList<QPoint>{QPoint(1, porNome ? 2 : 1)});
    QList<int> lidos;
    for (int i = 0; i < r->quantosRegistros(); ++i)
      lidos.append(r->dados().valor(i, 0).toInt());
    QCOMPARE(lidos, codigos);
    auto* preview = t_.principal->findChildren<frmPreviewRelatorio*>().last();
    QCOMPARE(preview->windowTitle(), QStringLiteral("Relatório de pessoas cadastradas"));
    // A PDF of it is proposed under the caption and the day it was made.
    QCOMPARE(preview->prvRelatorio()->nomePdf(), QStringLiteral("Relatório de pessoas cadastradas 2026-12-07"));
    QCOMPARE(preview->prvRelatorio()->zoom(), 130);
  }

  void escFecha() {
    QPointer<frmRelPessoaCadastrada> tela(t_.tela);
    QVERIFY(!t_.tela->parentWidget()->close());
    inicial_->Focar();
    QTest::keyClick(codigo(inicial_), Qt::Key_Escape);
    QTRY_VERIFY(tela.isNull());
  }
};

QTEST_MAIN(tst_frmRelPessoaCadastrada)
#include "tst_frmRelPessoaCadastrada.moc"
