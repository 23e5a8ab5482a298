// The referentes listing screen: its enabling chain, refusals, copies and the report it opens.
#include "controls/lvButtons.h"
#include "controls/uscTextBox.h"
#include "reports/frmRelReferenteCadastrado.h"
#include "tests/reports/Amostra.h"
#include "tests/reports/TelaRelatorioTeste.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QRadioButton>

class tst_frmRelReferenteCadastrado : public QObject {
  Q_OBJECT
  TelaRelatorioTeste<frmRelReferenteCadastrado> t_;
  uscTextBox* inicial_ = nullptr;
  uscTextBox* final_ = nullptr;
  lvButtons* visualizar_ = nullptr;

  void digitar(uscTextBox* caixa, const QString& texto) {
    caixa->Focar();
    auto* editor = caixa->findChild<QLineEdit*>();
    DigitarSobre(editor, texto);
  }
  void sair(uscTextBox* caixa) { QTest::keyClick(caixa->findChild<QLineEdit*>(), Qt::Key_Tab); }
  bool temFoco(QWidget* w) const { return w->isAncestorOf(QApplication::focusWidget()); }

private slots:
  void init() {
    QVERIFY(t_.abrir("mnuRelatorioReferentes"));
    for (int c = 1; c <= 12; ++c)
      QVERIFY(Amostra::Referente(c, QStringLiteral("Referente %1").arg(c)));
    inicial_ = t_.tela->findChild<uscTextBox*>(QStringLiteral("txtCodigoInicial"));
    final_ = t_.tela->findChild<uscTextBox*>(QStringLiteral("txtCodigoFinal"));
    visualizar_ = t_.tela->findChild<lvButtons*>(QStringLiteral("btnVisualizar"));
    QVERIFY(inicial_ && final_ && visualizar_);
  }
  void cleanup() { t_.fechar(); }

  void abreComOsPadroes() {
    QCOMPARE(t_.tela->windowTitle(), QStringLiteral("Referentes cadastrados"));
    QVERIFY(inicial_->isEnabled());
    QVERIFY(!final_->isEnabled());
    QVERIFY(!visualizar_->isEnabled());
    QVERIFY(t_.tela->findChild<QRadioButton*>(QStringLiteral("optOrdenacao_0"))->isChecked());
    QVERIFY(t_.tela->findChild<QWidget*>(QStringLiteral("uscLinhaSeparadora1")) != nullptr);
    // One instance: the menu entry again brings the same screen.
    t_.principal->findChild<QAction*>(QStringLiteral("mnuRelatorioReferentes"))->trigger();
    QCOMPARE(t_.principal->findChildren<frmRelReferenteCadastrado*>().size(), 1);
  }

  void cadeiaDeHabilitacao() {
    digitar(inicial_, QStringLiteral("5"));
    QVERIFY(final_->isEnabled());
    QVERIFY(final_->Text().isEmpty());
    QVERIFY(!visualizar_->isEnabled());
    sair(inicial_);
    QCOMPARE(final_->Text(), QStringLiteral("5"));
    QVERIFY(visualizar_->isEnabled());
    // Emptying the initial code empties and disables the final box.
    digitar(inicial_, QString());
    QVERIFY(final_->Text().isEmpty());
    QVERIFY(!final_->isEnabled());
    QVERIFY(!visualizar_->isEnabled());
    QCOMPARE(t_.pasta->mensagens.quantas(), 0);
  }

  void soDigitos() {
    digitar(inicial_, QStringLiteral("a1b2"));
    QCOMPARE(inicial_->Text(), QStringLiteral("12"));
  }

  void recusas_data() {
    QTest::addColumn<QString>("inicialAntes");
    QTest::addColumn<QString>("finalDigitado");
    QTest::addColumn<QString>("inicialDigitado");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<bool>("focoNoFinal");
    QTest::newRow("final menor") << QStringLiteral("12") << QStringLiteral("9") << QString()
                                 << QStringLiteral(
                                        "O código referente final não pode ser menor que o código referente "
                                        "inicial.")
                                 << true;
    QTest::newRow("inicial maior") << QStringLiteral("1") << QStringLiteral("9") << QStringLiteral("12")
                                   << QStringLiteral(
                                          "O código referente inicial não pode ser maior que o código "
                                          "referente final.")
                                   << false;
    QTest::newRow("final fora de 32 bits")
        << QStringLiteral("1") << QStringLiteral("2147483648") << QString()
        << QStringLiteral("O código referente deve ser um número de 0 a 2147483647.") << true;
    QTest::newRow("inicial fora de 32 bits")
        << QStringLiteral("1") << QStringLiteral("5") << QStringLiteral("9999999999")
        << QStringLiteral("O código referente deve ser um número de 0 a 2147483647.") << false;
  }
  void recusas() {
    QFETCH(QString, inicialAntes);
    QFETCH(QString, finalDigitado);
    QFETCH(QString, inicialDigitado);
    QFETCH(QString, mensagem);
    QFETCH(bool, focoNoFinal);
    digitar(inicial_, inicialAntes);
    sair(inicial_);
    digitar(final_, finalDigitado);
    if (!inicialDigitado.isEmpty()) {
      sair(final_);
      QCOMPARE(t_.pasta->mensagens.quantas(), 0);
      digitar(inicial_, inicialDigitado);
      sair(inicial_);
    } else {
      sair(final_);
    }
    QCOMPARE(t_.pasta->mensagens.quantas(), 1);
    QCOMPARE(t_.pasta->mensagens.ultima().texto, mensagem);
    QCOMPARE(t_.pasta->mensagens.ultima().titulo, QStringLiteral("Referente"));
    QCOMPARE(t_.pasta->mensagens.ultima().icone, Icone::Informacao);
    QVERIFY(temFoco(focoNoFinal ? final_ : inicial_));
  }

  void visualizaComAFormula_data() {
    QTest::addColumn<QString>("inicial");
    QTest::addColumn<QString>("final");
    QTest::addColumn<int>("ordem");
    QTest::addColumn<int>("registros");
    QTest::newRow("2 a 10 por código") << QStringLiteral("2") << QStringLiteral("10") << 0 << 9;
    QTest::newRow("por descrição") << QStringLiteral("3") << QStringLiteral("3") << 1 << 1;
    QTest::newRow("maior código aceito") << QStringLiteral("12") << QStringLiteral("2147483647") << 0 << 1;
  }
  void visualizaComAFormula() {
    QFETCH(QString, inicial);
    QFETCH(QString, final);
    QFETCH(int, ordem);
    QFETCH(int, registros);
    digitar(inicial_, inicial);
    sair(inicial_);
    digitar(final_, final);
    QTest::mouseClick(t_.tela->findChild<QRadioButton*>(QStringLiteral("optOrdenacao_%1").arg(ordem)), Qt::LeftButton);
    QTest::mouseClick(visualizar_, Qt::LeftButton);
    QCOMPARE(t_.pasta->mensagens.quantas(), 0);
    const Relatorio* r = t_.relatorioMostrado();
    QVERIFY(r != nullptr);
    QCOMPARE(r->arquivo(), QStringLiteral("referente.rpt"));
    QCOMPARE(r->formulaSelecao(), QStringLiteral("{tbReferente.Codigo} in %1 to %2").arg(inicial, final));
    QCOMPARE(r->ordem(), QList<QPoint>{QPoint(1, ordem + 1)});
    QCOMPARE(r->quantosRegistros(), registros);
    auto* preview = t_.principal->findChildren<frmPreviewRelatorio*>().last();
    QCOMPARE(preview->windowTitle(), QStringLiteral("Relatório de referentes cadastrados"));
    // A PDF of it is proposed under the caption and the day it was made.
    QCOMPARE(preview->prvRelatorio()->nomePdf(), QStringLiteral("Relatório de referentes cadastrados 2026-12-07"));
    QCOMPARE(preview->prvRelatorio()->zoom(), 130);
    // Another run opens another window; the screen stays.
    QTest::mouseClick(visualizar_, Qt::LeftButton);
    QCOMPARE(t_.previews(), 2);
    QVERIFY(t_.principal->findChild<frmRelReferenteCadastrado*>() != nullptr);
  }

  void escFechaECaixaDeFecharRecusa() {
    QPointer<frmRelReferenteCadastrado> tela(t_.tela);
    QVERIFY(!t_.tela->parentWidget()->close());
    QVERIFY(tela);
    inicial_->Focar();
    QTest::keyClick(inicial_->findChild<QLineEdit*>(), Qt::Key_Escape);
    QTRY_VERIFY(tela.isNull());
  }
};

QTEST_MAIN(tst_frmRelReferenteCadastrado)
#include "tst_frmRelReferenteCadastrado.moc"
