#include "controls/lvButtons.h"
#include "controls/uscTextBox.h"
#include "tests/support/JanelaTeste.h"
#include "tests/support/MensagensGravadas.h"

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

// "Validate" with a cancel flag, raised when the focus moves between the controls of one
// window, as a screen's handler sees it.
class tst_ValidacaoFoco : public QObject {
  Q_OBJECT
private slots:
  void init();
  void cleanup();
  void cancelarMantemOFocoComUmaMensagem();
  void aceitoDeixaOFocoSeguir();
  void manipuladorNaoEReentrado();
  void mensagemDeVerdadeNaoValidaDeNovo();
  void outraJanelaNaoValida();
  void cliqueRecusadoNaoClica();
  void teclaDeAcessoRecusadaNaoClica();
  void enterClicaNoBotao();
  void telasDaAreaDeTrabalhoValidamSozinhas();

private:
  // The handler of the screens: refuses "x" with a message and puts the focus back.
  void recusarX(bool& cancelar);

  MensagensGravadas mensagens_;
  JanelaTeste* janela_ = nullptr;
  uscTextBox* campo_ = nullptr;
  uscTextBox* proximo_ = nullptr;
  lvButtons* gravar_ = nullptr;
  int validacoes_ = 0;
};

void tst_ValidacaoFoco::recusarX(bool& cancelar) {
  ++validacoes_;
  if (campo_->Text() == u"x") {
    mensagens_.informar(QStringLiteral("Valor recusado."), QStringLiteral("Teste"));
    cancelar = true;
    campo_->Focar();
  }
}

void tst_ValidacaoFoco::init() {
  mensagens_.limpar();
  validacoes_ = 0;
  janela_ = new JanelaTeste;
  campo_ = janela_->adicionar<uscTextBox>();
  proximo_ = janela_->adicionar<uscTextBox>();
  gravar_ = janela_->adicionar<lvButtons>(QStringLiteral("&Gravar"));
  connect(campo_, &uscTextBox::validar, this, &tst_ValidacaoFoco::recusarX);
  QVERIFY(janela_->mostrar());
  campo_->Focar();
  QVERIFY(campo_->hasFocus());
}

void tst_ValidacaoFoco::cleanup() {
  delete janela_;
}

void tst_ValidacaoFoco::cancelarMantemOFocoComUmaMensagem() {
  QTest::keyClicks(campo_, QStringLiteral("x"));
  QTest::keyClick(campo_, Qt::Key_Tab);
  QVERIFY(campo_->hasFocus());
  QCOMPARE(validacoes_, 1);
  QCOMPARE(mensagens_.quantas(), 1);
  // Shift+Tab and a program's Focar elsewhere are refused the same way.
  QTest::keyClick(campo_, Qt::Key_Backtab);
  proximo_->Focar();
  QVERIFY(campo_->hasFocus());
  QCOMPARE(validacoes_, 3);
  QCOMPARE(mensagens_.quantas(), 3);
}

void tst_ValidacaoFoco::aceitoDeixaOFocoSeguir() {
  int validouProximo = 0;
  connect(proximo_, &uscTextBox::validar, this, [&](bool&) { ++validouProximo; });
  QTest::keyClicks(campo_, QStringLiteral("ok"));
  QTest::keyClick(campo_, Qt::Key_Tab);
  QVERIFY(proximo_->hasFocus());
  QCOMPARE(validacoes_, 1);
  QCOMPARE(validouProximo, 0);
  QCOMPARE(mensagens_.quantas(), 0);
  // Coming back is the next box's move: only it validates.
  QTest::keyClick(proximo_, Qt::Key_Backtab);
  QVERIFY(campo_->hasFocus());
  QCOMPARE(validacoes_, 1);
  QCOMPARE(validouProximo, 1);
}

void tst_ValidacaoFoco::manipuladorNaoEReentrado() {
  // A handler that moves the focus itself: no validation runs for that move.
  int validouProximo = 0;
  connect(proximo_, &uscTextBox::validar, this, [&](bool&) { ++validouProximo; });
  int dentro = 0;
  int maisFundo = 0;
  connect(campo_, &uscTextBox::validar, this, [&](bool&) {
    ++dentro;
    maisFundo = std::max(maisFundo, dentro);
    gravar_->setFocus();
    proximo_->Focar();
    --dentro;
  });
  QTest::keyClick(campo_, Qt::Key_Tab);
  QCOMPARE(validacoes_, 1);
  QCOMPARE(maisFundo, 1);
  QCOMPARE(validouProximo, 0);
  QVERIFY(proximo_->hasFocus());
}

void tst_ValidacaoFoco::mensagemDeVerdadeNaoValidaDeNovo() {
  // The handler shows a real modal window: the focus goes to it and comes back, and the
  // handler still runs once per move.
  int abertas = 0;
  connect(campo_, &uscTextBox::validar, this, [&](bool& cancelar) {
    QDialog caixa(janela_);
    auto* ok = new lvButtons(QStringLiteral("OK"), &caixa);
    connect(ok, &QPushButton::clicked, &caixa, &QDialog::accept);
    QTimer::singleShot(0, ok, [ok] {
      ok->setFocus();
      ok->click();
    });
    ++abertas;
    caixa.exec();
    cancelar = true;
  });
  QTest::keyClick(campo_, Qt::Key_Tab);
  // The window system gives the window back its activation once the modal one is gone.
  QApplication::setActiveWindow(janela_);
  QVERIFY(QTest::qWaitForWindowActive(janela_));
  QTRY_VERIFY(campo_->hasFocus());
  QTest::qWait(20);
  QCOMPARE(abertas, 1);
  QCOMPARE(validacoes_, 1);
  QVERIFY(campo_->hasFocus());
}

void tst_ValidacaoFoco::outraJanelaNaoValida() {
  QTest::keyClicks(campo_, QStringLiteral("x"));
  JanelaTeste outra;
  auto* caixa = outra.adicionar<uscTextBox>();
  QVERIFY(outra.mostrar());
  caixa->Focar();
  QCOMPARE(validacoes_, 0);
  QApplication::setActiveWindow(janela_);
  QVERIFY(QTest::qWaitForWindowActive(janela_));
  QTRY_VERIFY(campo_->hasFocus());
  QCOMPARE(validacoes_, 0);
  QCOMPARE(mensagens_.quantas(), 0);
}

void tst_ValidacaoFoco::cliqueRecusadoNaoClica() {
  QSignalSpy clicou(gravar_, &QPushButton::clicked);
  QTest::keyClicks(campo_, QStringLiteral("x"));
  QTest::mouseClick(gravar_, Qt::LeftButton);
  QVERIFY(campo_->hasFocus());
  QCOMPARE(clicou.count(), 0);
  QCOMPARE(mensagens_.quantas(), 1);
  // Once the field holds something acceptable the click goes through.
  campo_->setText(QStringLiteral("ok"));
  QTest::mouseClick(gravar_, Qt::LeftButton);
  QCOMPARE(clicou.count(), 1);
  QVERIFY(gravar_->hasFocus());
}

void tst_ValidacaoFoco::teclaDeAcessoRecusadaNaoClica() {
  QSignalSpy clicou(gravar_, &QPushButton::clicked);
  QTest::keyClicks(campo_, QStringLiteral("x"));
  QTest::keyClick(campo_, Qt::Key_G, Qt::AltModifier);
  QTest::qWait(200);
  QVERIFY(campo_->hasFocus());
  QCOMPARE(clicou.count(), 0);
  campo_->setText(QStringLiteral("ok"));
  QTest::keyClick(campo_, Qt::Key_G, Qt::AltModifier);
  QTRY_COMPARE(clicou.count(), 1);
}

void tst_ValidacaoFoco::enterClicaNoBotao() {
  QSignalSpy clicou(gravar_, &QPushButton::clicked);
  gravar_->setFocus();
  QTest::keyClick(gravar_, Qt::Key_Return);
  QCOMPARE(clicou.count(), 1);
}

void tst_ValidacaoFoco::telasDaAreaDeTrabalhoValidamSozinhas() {
  // Two screens inside the main window's workspace: moving from one to the other is not
  // leaving a control for another control of the same screen.
  QMdiArea area;
  auto* telaA = new JanelaTeste;
  auto* a1 = telaA->adicionar<uscTextBox>();
  auto* telaB = new JanelaTeste;
  auto* b1 = telaB->adicionar<uscTextBox>();
  area.addSubWindow(telaA)->show();
  area.addSubWindow(telaB)->show();
  area.show();
  QApplication::setActiveWindow(&area);
  QVERIFY(QTest::qWaitForWindowActive(&area));
  int validouA = 0;
  connect(a1, &uscTextBox::validar, this, [&](bool&) { ++validouA; });
  a1->Focar();
  QVERIFY(a1->hasFocus());
  b1->Focar();
  QVERIFY(b1->hasFocus());
  QCOMPARE(validouA, 0);
}

QTEST_MAIN(tst_ValidacaoFoco)
#include "tst_ValidacaoFoco.moc"
