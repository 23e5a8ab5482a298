#include "controls/TextoLongo.h"
#include "controls/uscMaskBox.h"
#include "controls/uscTextBox.h"
#include "tests/support/JanelaTeste.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

// The text box and the masked box driven as the operator types into them.
class tst_CaixasTexto : public QObject {
  Q_OBJECT
private slots:
  void init();
  void cleanup();
  void digitosRecusamLetras_data();
  void digitosRecusamLetras();
  void letrasMaiusculas();
  void regraPorPosicao();
  void maxLength();
  void textoEnormeTemLimite();
  void locked();
  void valorAlteradoEmMudancasDoPrograma();
  void paradaTabulacaoEFocar();
  void backColor();
  void mascara_data();
  void mascara();
  void mascaraApagandoOLiteral();

private:
  JanelaTeste* janela_ = nullptr;
  uscTextBox* caixa_ = nullptr;
  uscTextBox* outra_ = nullptr;
  uscMaskBox* cep_ = nullptr;
};

void tst_CaixasTexto::init() {
  janela_ = new JanelaTeste;
  caixa_ = janela_->adicionar<uscTextBox>();
  outra_ = janela_->adicionar<uscTextBox>();
  cep_ = janela_->adicionar<uscMaskBox>();
  cep_->setMascara(QStringLiteral("#####-###"));
  QVERIFY(janela_->mostrar());
  caixa_->Focar();
}

void tst_CaixasTexto::cleanup() {
  delete janela_;
}

void tst_CaixasTexto::digitosRecusamLetras_data() {
  QTest::addColumn<QString>("como");
  QTest::newRow("digitado") << "digitado";
  QTest::newRow("colado") << "colado";
  QTest::newRow("escrito pelo programa") << "programa";
}

void tst_CaixasTexto::digitosRecusamLetras() {
  QFETCH(QString, como);
  caixa_->setTipoCaracter(uscTextBox::Digitos);
  const QString texto = QStringLiteral("a1-b2 3é4,5");
  if (como == u"digitado") {
    QTest::keyClicks(caixa_, QStringLiteral("a1-b2 3e4,5"));
  } else if (como == u"colado") {
    QGuiApplication::clipboard()->setText(texto);
    QTest::keySequence(caixa_, QKeySequence::Paste);
  } else {
    caixa_->setText(texto);
  }
  QCOMPARE(caixa_->Text(), QStringLiteral("12345"));
}

void tst_CaixasTexto::letrasMaiusculas() {
  caixa_->setTipoCaracter(uscTextBox::Letras);
  caixa_->setMaxLength(2);
  QTest::keyClicks(caixa_, QStringLiteral("s1p"));
  QCOMPARE(caixa_->Text(), QStringLiteral("SP"));
  QTest::keyClicks(caixa_, QStringLiteral("x"));
  QCOMPARE(caixa_->Text(), QStringLiteral("SP"));
  // Switching a box that holds letters to digits leaves none of them.
  caixa_->setTipoCaracter(uscTextBox::Digitos);
  QCOMPARE(caixa_->Text(), QString());
}

void tst_CaixasTexto::regraPorPosicao() {
  // Letters or digits in the first twelve places, digits in the last two.
  caixa_->setRegraCaractere([](qsizetype posicao, QChar c) -> std::optional<QChar> {
    const bool digito = c >= u'0' && c <= u'9';
    const bool letra = c.toUpper() >= u'A' && c.toUpper() <= u'Z';
    if (digito || (letra && posicao < 12))
      return c.toUpper();
    return std::nullopt;
  });
  caixa_->setMaxLength(14);
  QTest::keyClicks(caixa_, QStringLiteral("12abc34501dex3-5"));
  QCOMPARE(caixa_->Text(), QStringLiteral("12ABC34501DE35"));
  caixa_->setText(QStringLiteral("12.abc.345/01de-35"));
  QCOMPARE(caixa_->Text(), QStringLiteral("12ABC34501DE35"));
}

void tst_CaixasTexto::maxLength() {
  caixa_->setMaxLength(3);
  QCOMPARE(caixa_->MaxLength(), 3);
  QTest::keyClicks(caixa_, QStringLiteral("12345"));
  QCOMPARE(caixa_->Text(), QStringLiteral("123"));
  caixa_->setText(QStringLiteral("abcdef"));
  QCOMPARE(caixa_->Text(), QStringLiteral("abc"));
  // A document pasted with its punctuation fits the digits it holds.
  caixa_->setText(QString());
  caixa_->setTipoCaracter(uscTextBox::Digitos);
  caixa_->setMaxLength(11);
  QGuiApplication::clipboard()->setText(QStringLiteral("123.456.789-09"));
  QTest::keySequence(caixa_, QKeySequence::Paste);
  QCOMPARE(caixa_->Text(), QStringLiteral("12345678909"));
  QTest::keyClick(caixa_, Qt::Key_Home);
  QTest::keyClicks(caixa_, QStringLiteral("7"));  // a full box takes nothing more, anywhere
  QCOMPARE(caixa_->Text(), QStringLiteral("12345678909"));
  caixa_->setMaxLength(0);
  caixa_->setTipoCaracter(uscTextBox::Livre);
  QCOMPARE(caixa_->MaxLength(), 0);
  caixa_->setText(QString(200, u'x'));
  QCOMPARE(caixa_->Text().size(), 200);
}

// A box without a length of its own still has a sane one: a text of megabytes, set by the
// program from a restored file or pasted, is cut to it, and typing past it takes nothing.
void tst_CaixasTexto::textoEnormeTemLimite() {
  QCOMPARE(caixa_->MaxLength(), 0);
  caixa_->setText(QString(20'000'000, u'x'));
  QCOMPARE(caixa_->Text().size(), CaixaEdicao::LimiteSemTamanho);
  QTest::keyClick(caixa_, Qt::Key_End);
  QTest::keyClicks(caixa_, QStringLiteral("y"));
  QCOMPARE(caixa_->Text().size(), CaixaEdicao::LimiteSemTamanho);
  QVERIFY(!caixa_->Text().contains(u'y'));
  caixa_->setText(QString());
  QGuiApplication::clipboard()->setText(QString(CaixaEdicao::LimiteSemTamanho + 1, u'z'));
  QTest::keySequence(caixa_, QKeySequence::Paste);
  QVERIFY(caixa_->Text().size() <= CaixaEdicao::LimiteSemTamanho);

  // The multi-line box likewise, set by the program or pasted.
  auto* longo = janela_->adicionar<TextoLongo>();
  longo->setTexto(QString(20'000'000, u'x'));
  QCOMPARE(longo->toPlainText().size(), TextoLongo::Limite);
  longo->clear();
  QGuiApplication::clipboard()->setText(QString(TextoLongo::Limite + 5, u'z'));
  longo->setFocus();
  QTest::keySequence(longo, QKeySequence::Paste);
  QCOMPARE(longo->toPlainText(), QString(TextoLongo::Limite, u'z'));
}

void tst_CaixasTexto::locked() {
  caixa_->setText(QStringLiteral("42"));
  caixa_->setLocked(true);
  QTest::keyClicks(caixa_, QStringLiteral("7"));
  QTest::keyClick(caixa_, Qt::Key_Backspace);
  QCOMPARE(caixa_->Text(), QStringLiteral("42"));
  QVERIFY(caixa_->hasFocus());
  caixa_->setText(QStringLiteral("43"));  // the program still writes it
  QCOMPARE(caixa_->Text(), QStringLiteral("43"));
  caixa_->setLocked(false);
  QTest::keyClicks(caixa_, QStringLiteral("7"));
  QCOMPARE(caixa_->Text(), QStringLiteral("437"));
}

void tst_CaixasTexto::valorAlteradoEmMudancasDoPrograma() {
  caixa_->setTipoCaracter(uscTextBox::Digitos);
  QSignalSpy mudou(caixa_, &uscTextBox::valorAlterado);
  caixa_->setText(QStringLiteral("12"));
  QCOMPARE(mudou.count(), 1);
  caixa_->setText(QStringLiteral("12"));  // the same text is no change
  QCOMPARE(mudou.count(), 1);
  caixa_->setText(QString());
  QCOMPARE(mudou.count(), 2);
  QTest::keyClicks(caixa_, QStringLiteral("3a"));  // the refused letter changes nothing
  QCOMPARE(mudou.count(), 3);
  // Inside a handler the text already reads what was written.
  QString visto;
  connect(caixa_, &uscTextBox::valorAlterado, this, [&] { visto = caixa_->Text(); });
  caixa_->setText(QStringLiteral("9x9"));
  QCOMPARE(visto, QStringLiteral("99"));
  QCOMPARE(mudou.count(), 4);
}

void tst_CaixasTexto::paradaTabulacaoEFocar() {
  outra_->setParadaTabulacao(false);
  QVERIFY(caixa_->hasFocus());
  QTest::keyClick(caixa_, Qt::Key_Tab);
  QVERIFY2(cep_->hasFocus(), "Tab jumps over a box that is not a tab stop");
  outra_->Focar();
  QVERIFY(outra_->hasFocus());
  outra_->setParadaTabulacao(true);
  QVERIFY(outra_->paradaTabulacao());
}

void tst_CaixasTexto::backColor() {
  const QColor botao = janela_->palette().color(QPalette::Button);
  caixa_->setBackColor(botao);
  QCOMPARE(caixa_->BackColor(), botao);
  caixa_->setForeColor(Qt::red);
  QCOMPARE(caixa_->ForeColor(), QColor(Qt::red));
}

void tst_CaixasTexto::mascara_data() {
  QTest::addColumn<QString>("digitado");
  QTest::addColumn<QString>("texto");
  QTest::newRow("intocada") << ""
                            << "";
  QTest::newRow("antes do literal") << "12345"
                                    << "12345";
  QTest::newRow("passou do literal") << "123456"
                                     << "12345-6";
  QTest::newRow("completa") << "12345678"
                            << "12345-678";
  QTest::newRow("literal digitado") << "12345-678"
                                    << "12345-678";
  QTest::newRow("letras recusadas") << "1a2b3c4d5e6"
                                    << "12345-6";
  QTest::newRow("digitos a mais") << "1234567890"
                                  << "12345-678";
}

void tst_CaixasTexto::mascara() {
  QFETCH(QString, digitado);
  QFETCH(QString, texto);
  QTest::keyClicks(cep_, digitado);
  QCOMPARE(cep_->Text(), texto);
  cep_->setText(QString());
  cep_->setText(digitado);
  QCOMPARE(cep_->Text(), texto);
}

void tst_CaixasTexto::mascaraApagandoOLiteral() {
  QTest::keyClicks(cep_, QStringLiteral("123456"));
  QTest::keyClick(cep_, Qt::Key_Backspace);
  QCOMPARE(cep_->Text(), QStringLiteral("12345"));
  QTest::keyClick(cep_, Qt::Key_Backspace);
  QCOMPARE(cep_->Text(), QStringLiteral("1234"));
  QTest::keyClicks(cep_, QStringLiteral("59"));
  QCOMPARE(cep_->Text(), QStringLiteral("12345-9"));
}

QTEST_MAIN(tst_CaixasTexto)
#include "tst_CaixasTexto.moc"
