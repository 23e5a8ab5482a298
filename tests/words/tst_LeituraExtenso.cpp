#include <QRandomGenerator>
#include <QTest>

#include "app/core/Moeda.h"
#include "tests/words/LeitorExtenso.h"
#include "tests/words/VerbalorTeste.h"

// The words of many generated amounts, read back by a parser of their own, say the rounded amount.
class tst_LeituraExtenso : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void leitor_data();
  void leitor();
  void valoresGerados_data();
  void valoresGerados();
  void exatoAteOMaiorValorAceito();

private:
  VerbalorTeste verbalor_;
};

void tst_LeituraExtenso::initTestCase() {
  QVERIFY2(verbalor_.carregada(), qPrintable(verbalor_.erro()));
}

// The reader itself: it must refuse what is not an amount, or the check below proves nothing.
void tst_LeituraExtenso::leitor_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<bool>("valido");
  QTest::addColumn<quint64>("inteiro");
  QTest::addColumn<quint64>("numerador");
  const auto linha = [](const char* texto, bool valido, quint64 inteiro = 0, quint64 numerador = 0) {
    QTest::newRow(texto) << QString::fromUtf8(texto) << valido << inteiro << numerador;
  };
  linha("dois milhões quinhentos mil e três reais e vinte centavos", true, 2500003, 20);
  linha("cento e onze reais e 05 / 100", true, 111, 5);
  linha("um centavo", true, 0, 1);
  linha("cento onze reais", false);
  linha("um mil mil reais", false);
  linha("dois milhão reais", false);
  linha("um mil milhões reais", false);
  linha("um reais", false);
  linha("dois real", false);
  linha("um centavos", false);
  linha("um mil centavos", false);
  linha("dez e nove reais", false);
  linha("vinte e dez reais", false);
  linha("cem e um reais", false);
  linha("um real e", false);
  linha("zero reais e um centavo", false);
  linha("cento reais", false);
  linha("um mil cento mil reais", false);
  linha("5 / 10", true, 0, 5);
  linha("5 / 1000", false);
}

void tst_LeituraExtenso::leitor() {
  QFETCH(QString, texto);
  QFETCH(bool, valido);
  QFETCH(quint64, inteiro);
  QFETCH(quint64, numerador);
  const auto leitura = LeitorExtenso::ler(texto);
  QCOMPARE(leitura.has_value(), valido);
  if (leitura) {
    QCOMPARE(leitura->inteiro, inteiro);
    QCOMPARE(leitura->numerador, numerador);
  }
}

void tst_LeituraExtenso::valoresGerados_data() {
  QTest::addColumn<int>("casas");
  for (int casas = 0; casas <= 3; ++casas) {
    QTest::addRow("%d casas", casas) << casas;
  }
}

// Amounts built group by group, with many zero, small and round groups, and nudged by up to
// three tenths of the last place so that rounding must bring them back. Integral parts stay where
// the double arithmetic is exact: fifteen digits without places, eleven with.
void tst_LeituraExtenso::valoresGerados() {
  QFETCH(int, casas);
  QRandomGenerator aleatorio(20261207u + quint32(casas));
  const quint64 potencia = casas == 0 ? 1 : casas == 1 ? 10 : casas == 2 ? 100 : 1000;
  const int gruposMaximos = casas == 0 ? 5 : 4;
  const auto grupo = [&aleatorio]() -> quint64 {
    switch (aleatorio.bounded(5)) {
    case 0:
      return 0;
    case 1:
      return 1;
    case 2:
      return aleatorio.bounded(2, 100);
    case 3:
      return 100 * aleatorio.bounded(1, 10);
    default:
      return aleatorio.bounded(100, 1000);
    }
  };
  for (int i = 0; i < 25000; ++i) {
    quint64 inteiro = 0;
    const int grupos = aleatorio.bounded(gruposMaximos + 1);
    for (int g = 0; g < grupos; ++g) {
      inteiro = inteiro * 1000 + grupo();
    }
    if (casas > 0 && grupos == 4) {
      inteiro %= 100'000'000'000ull;
    }
    const quint64 fracao = aleatorio.bounded(potencia);
    const double desvio = aleatorio.bounded(0.6) - 0.3;
    const double sinal = aleatorio.bounded(4) == 0 ? -1 : 1;
    const double valor = sinal * (double(inteiro) + (double(fracao) + desvio) / double(potencia));

    const QString texto = verbalor_.extenso(valor, casas);
    const auto leitura = LeitorExtenso::ler(texto);
    const QByteArray caso = QByteArray::number(valor, 'g', 17) + " -> " + texto.toUtf8();
    QVERIFY2(leitura.has_value(), caso.constData());
    QVERIFY2(leitura->inteiro == inteiro, caso.constData());
    QVERIFY2(leitura->negativo == (valor < 0 && (inteiro > 0 || casas > 0)), caso.constData());
    // One place is always written as a fraction; two and three only when there is one.
    const bool temFracao = casas == 1 || (casas > 1 && fracao != 0);
    QVERIFY2(leitura->temFracao == temFracao, caso.constData());
    if (temFracao) {
      QVERIFY2(leitura->numerador == fracao && leitura->denominador == potencia, caso.constData());
    }
  }
}

// The report engine hands an amount in whole cents over as the double nearest to it; up to the
// largest amount the value box accepts the words say exactly those cents.
void tst_LeituraExtenso::exatoAteOMaiorValorAceito() {
  const quint64 maximo = quint64(Moeda::MaximoAceito / 100);
  QList<quint64> centavos = {
      maximo, maximo - 1, 1, 99, 100'000'000'000'000ull, 900'719'925'474'099ull, 999'999'999'999'900ull};
  QRandomGenerator aleatorio(20261208u);
  for (int i = 0; i < 20000; ++i)
    centavos.append(aleatorio.bounded(maximo + 1));
  for (const quint64 n : centavos) {
    const QString texto = verbalor_.extenso(double(n) / 100.0, 2);
    const auto leitura = LeitorExtenso::ler(texto);
    const QByteArray caso = QByteArray::number(n) + " -> " + texto.toUtf8();
    QVERIFY2(leitura.has_value(), caso.constData());
    QVERIFY2(leitura->inteiro == n / 100, caso.constData());
    QVERIFY2(leitura->temFracao ? leitura->numerador == n % 100 && leitura->denominador == 100 : n % 100 == 0,
             caso.constData());
  }
}

QTEST_GUILESS_MAIN(tst_LeituraExtenso)
#include "tst_LeituraExtenso.moc"
