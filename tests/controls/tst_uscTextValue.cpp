#include "controls/uscTextValue.h"

#include "controls/uscTextBox.h"
#include "tests/support/JanelaTeste.h"
#include "tests/support/MensagensGravadas.h"

#include <QSignalSpy>
#include <QtTest>

#include <limits>

// The amount box: pt-BR text typed, formatted when the focus leaves, refused when it is not an
// amount or is beyond what the store holds.
class tst_uscTextValue : public QObject {
  Q_OBJECT
private slots:
  void init();
  void cleanup();
  void formataAoSair_data();
  void formataAoSair();
  void recusaOQueNaoEValor_data();
  void recusaOQueNaoEValor();
  void vazioLeComoVazio();
  void escritoPeloPrograma();

private:
  MensagensGravadas mensagens_;
  JanelaTeste* janela_ = nullptr;
  uscTextValue* valor_ = nullptr;
  uscTextBox* proxima_ = nullptr;
};

void tst_uscTextValue::init() {
  mensagens_.limpar();
  janela_ = new JanelaTeste;
  valor_ = janela_->adicionar<uscTextValue>(mensagens_);
  proxima_ = janela_->adicionar<uscTextBox>();
  QVERIFY(janela_->mostrar());
  valor_->Focar();
}

void tst_uscTextValue::cleanup() {
  delete janela_;
}

void tst_uscTextValue::formataAoSair_data() {
  QTest::addColumn<QString>("digitado");
  QTest::addColumn<QString>("texto");
  QTest::addColumn<qint64>("valor");
  QTest::newRow("virgula") << "1234,5"
                           << "1.234,50" << 12345000LL;
  QTest::newRow("ponto de milhar") << "1.234"
                                   << "1.234,00" << 12340000LL;
  QTest::newRow("ponto decimal colado de fora") << "1234.50"
                                                << "1.234,50" << 12345000LL;
  QTest::newRow("letras ficam fora") << "R$ 12a,3"
                                     << "12,30" << 123000LL;
  QTest::newRow("zero") << "0"
                        << "0,00" << 0LL;
  QTest::newRow("negativo") << "-5"
                            << "-5,00" << -50000LL;
  QTest::newRow("tres casas arredondam") << "0,125"
                                         << "0,13" << 1300LL;
  QTest::newRow("maior valor") << "9999999999999,99"
                               << "9.999.999.999.999,99" << 99999999999999900LL;
}

void tst_uscTextValue::formataAoSair() {
  QFETCH(QString, digitado);
  QFETCH(QString, texto);
  QFETCH(qint64, valor);
  QTest::keyClicks(valor_, digitado);
  QTest::keyClick(valor_, Qt::Key_Tab);
  QVERIFY(proxima_->hasFocus());
  QCOMPARE(valor_->Text(), texto);
  QCOMPARE(valor_->valorDecimosMilesimos(), std::optional<qint64>(valor));
  QCOMPARE(mensagens_.quantas(), 0);
}

void tst_uscTextValue::recusaOQueNaoEValor_data() {
  QTest::addColumn<QString>("digitado");
  QTest::addColumn<QString>("trecho");
  QTest::newRow("duas virgulas") << "1,2,3"
                                 << "não é um valor válido";
  QTest::newRow("grupo de milhar errado") << "1.23.4"
                                          << "não é um valor válido";
  QTest::newRow("so o sinal") << "-"
                              << "não é um valor válido";
  QTest::newRow("acima do limite") << "922337203685477,59"
                                   << "9.999.999.999.999,99";
  // Past the cap the receipt could not write the amount in words exactly.
  QTest::newRow("valorQueOExtensoNaoEscreveEhRecusado") << "10.000.000.000.000,00"
                                                        << "de -9.999.999.999.999,99 a 9.999.999.999.999,99";
  QTest::newRow("abaixo do limite") << "-999999999999999999"
                                    << "fora do limite";
}

void tst_uscTextValue::recusaOQueNaoEValor() {
  QFETCH(QString, digitado);
  QFETCH(QString, trecho);
  QTest::keyClicks(valor_, digitado);
  QTest::keyClick(valor_, Qt::Key_Tab);
  QVERIFY2(valor_->hasFocus(), "the refused amount keeps the focus");
  QCOMPARE(mensagens_.quantas(), 1);
  QVERIFY2(mensagens_.ultima().texto.contains(trecho), qPrintable(mensagens_.ultima().texto));
  QCOMPARE(mensagens_.ultima().titulo, uscTextValue::TituloMensagem);
  QCOMPARE(mensagens_.ultima().icone, Icone::Informacao);
  QCOMPARE(valor_->Text(), digitado);
  QCOMPARE(valor_->valorDecimosMilesimos(), std::nullopt);
}

void tst_uscTextValue::vazioLeComoVazio() {
  QTest::keyClick(valor_, Qt::Key_Tab);
  QVERIFY(proxima_->hasFocus());
  QCOMPARE(valor_->Text(), QString());
  QCOMPARE(valor_->valorDecimosMilesimos(), std::nullopt);
  QCOMPARE(mensagens_.quantas(), 0);
}

void tst_uscTextValue::escritoPeloPrograma() {
  QVERIFY(valor_->alinhamento() & Qt::AlignRight);
  QSignalSpy mudou(valor_, &uscTextValue::valorAlterado);
  valor_->setValorDecimosMilesimos(12345000);
  QCOMPARE(valor_->Text(), QStringLiteral("1.234,50"));
  valor_->setText(QStringLiteral("99,9"));
  QCOMPARE(valor_->Text(), QStringLiteral("99,90"));
  valor_->setText(QString());
  QCOMPARE(mudou.count(), 3);
  // While the operator is still typing the amount already reads back.
  QTest::keyClicks(valor_, QStringLiteral("10,5"));
  QCOMPARE(valor_->valorDecimosMilesimos(), std::optional<qint64>(105000));
  // A stored amount past the cap, from a restored file, is shown whole but never read as one
  // the box accepts.
  valor_->setValorDecimosMilesimos(std::numeric_limits<qint64>::max());
  QCOMPARE(valor_->Text(), QStringLiteral("922.337.203.685.477,58"));
  QCOMPARE(valor_->valorDecimosMilesimos(), std::nullopt);
}

QTEST_MAIN(tst_uscTextValue)
#include "tst_uscTextValue.moc"
