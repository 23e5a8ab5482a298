#include <QTest>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "tests/words/VerbalorTeste.h"

// The amount in words through the library loaded by file name, as the report engine calls it.
class tst_Verbalor : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void extenso_data();
  void extenso();
  void casasForaDoIntervalo_data();
  void casasForaDoIntervalo();
  void textoEmWindows1252();
  void chamadasSimultaneas();

private:
  VerbalorTeste verbalor_;
};

void tst_Verbalor::initTestCase() {
  QVERIFY2(verbalor_.carregada(), qPrintable(verbalor_.erro()));
}

void tst_Verbalor::extenso_data() {
  QTest::addColumn<double>("valor");
  QTest::addColumn<int>("casas");
  QTest::addColumn<QString>("texto");

  const auto linha = [](double valor, int casas, const char* texto) {
    QTest::addRow("%.17g com %d casas", valor, casas) << valor << casas << QString::fromUtf8(texto);
  };
  // Groups, connectors, singular and plural, rounding and sign.
  linha(0, 0, "zero reais");
  linha(0, 2, "zero reais");
  linha(1, 2, "um real");
  linha(2, 2, "dois reais");
  linha(21.50, 2, "vinte e um reais e cinqüenta centavos");
  linha(100, 0, "cem reais");
  linha(101, 0, "cento e um reais");
  linha(115, 0, "cento e quinze reais");
  linha(1000, 0, "um mil reais");
  linha(1001, 0, "um mil e um reais");
  linha(1050, 0, "um mil e cinqüenta reais");
  linha(1100, 0, "um mil cem reais");
  linha(1101, 0, "um mil cento e um reais");
  linha(200050, 0, "duzentos mil e cinqüenta reais");
  linha(1000000, 0, "um milhão reais");
  linha(1001000, 0, "um milhão e um mil reais");
  linha(2000001, 0, "dois milhões e um reais");
  linha(2500000, 0, "dois milhões quinhentos mil reais");
  linha(2000000.01, 2, "dois milhões reais e um centavo");
  linha(1000.01, 2, "um mil reais e um centavo");
  linha(-1234.56, 2, "menos um mil duzentos e trinta e quatro reais e cinqüenta e seis centavos");
  linha(0.01, 2, "um centavo");
  linha(-0.5, 2, "menos cinqüenta centavos");
  linha(0.999, 2, "um real");
  linha(1.5, 0, "dois reais");
  linha(2.5, 0, "três reais");
  linha(-0.4, 0, "zero reais");
  linha(-0.001, 2, "menos zero reais");
  linha(-0.5, 0, "menos um real");
  linha(1.001, 3, "um real e um milésimo");
  linha(12.345, 3, "doze reais e trezentos e quarenta e cinco milésimos");
  linha(21.5, 1, "vinte e um reais e 5 / 10");
  linha(21, 1, "vinte e um reais e x / 10");
  linha(0, 1, "x / 10");
  linha(3.25, 4, "três reais e 2500 / 10000");
  linha(3, 4, "três reais e xxxx / 10000");
  linha(1e15, 0, "um quadrilhão reais");
  // The double nearest to 1.005 lies below it.
  linha(1.005, 2, "um real");
  linha(-0.0, 2, "zero reais");
  linha(0.123456789, 9, "123456789 / 1000000000");
  linha(1e21, 0, "um sextilhão reais");
  // Adding the half rounds 2^53 - 1 up to 2^53.
  linha(9007199254740991.0, 0,
        "nove quadrilhões e sete trilhões cento e noventa e nove bilhões duzentos e cinqüenta e quatro milhões "
        "setecentos e quarenta mil novecentos e noventa e dois reais");
  // Fourteen groups: the one of 10^42 is dropped, the lower groups follow the double arithmetic.
  linha(1e42, 0,
        "cento e vinte e oito septilhões e setenta e dois sextilhões quinhentos e doze quintilhões quinhentos e "
        "quarenta e quatro quadrilhões novecentos e oitenta e quatro trilhões seiscentos e oitenta e oito bilhões "
        "novecentos e oitenta e quatro milhões trezentos e oitenta e quatro mil trezentos e doze reais");
  // Scaled by 10^9 the amount overflows; it is an integer, read as it is.
  linha(1e300, 9,
        "novecentos e trinta e seis zilhões oitocentos e cinqüenta e seis decilhões cento e setenta e seis "
        "nonilhões quinhentos e quarenta e quatro octilhões quatrocentos e oito septilhões trezentos e cinqüenta e "
        "dois sextilhões e dezesseis quintilhões seiscentos e cinqüenta e seis quadrilhões quatrocentos e oitenta "
        "e oito trilhões quatrocentos e noventa e seis bilhões e cinqüenta e seis milhões seiscentos e noventa e "
        "seis mil cento e sessenta reais e xxxxxxxxx / 1000000000");
  // From 10 places on: the digits of the shortest decimal text, rounded half away from zero.
  linha(0.1, 12, "100000000000 / 1000000000000");
  linha(123.456, 10, "cento e vinte e três reais e 4560000000 / 10000000000");
  linha(0.99999999999999, 10, "um real e xxxxxxxxxx / 10000000000");
  linha(5e-11, 10, "0000000001 / 10000000000");
  linha(4.9e-11, 10, "xxxxxxxxxx / 10000000000");
  linha(-1e-300, 20, "menos xxxxxxxxxxxxxxxxxxxx / 100000000000000000000");
  linha(1.1, 20, "um real e 10000000000000000000 / 100000000000000000000");
  linha(1e15, 15, "um quadrilhão reais e xxxxxxxxxxxxxxx / 1000000000000000");
  linha(0.1, 25, "10000000000000000000 / 100000000000000000000");
  linha(2.5, -3, "três reais");
  // Not finite: the empty text.
  linha(std::numeric_limits<double>::infinity(), 2, "");
  linha(-std::numeric_limits<double>::infinity(), 0, "");
  linha(std::numeric_limits<double>::quiet_NaN(), 2, "");
}

void tst_Verbalor::extenso() {
  QFETCH(double, valor);
  QFETCH(int, casas);
  QFETCH(QString, texto);
  QCOMPARE(verbalor_.extenso(valor, casas), texto);
}

void tst_Verbalor::casasForaDoIntervalo_data() {
  QTest::addColumn<int>("casas");
  QTest::addColumn<int>("equivalente");
  QTest::newRow("25") << 25 << 20;
  QTest::newRow("21") << 21 << 20;
  QTest::newRow("maior inteiro") << std::numeric_limits<qint32>::max() << 20;
  QTest::newRow("-1") << -1 << 0;
  QTest::newRow("-3") << -3 << 0;
  QTest::newRow("menor inteiro") << std::numeric_limits<qint32>::min() << 0;
}

void tst_Verbalor::casasForaDoIntervalo() {
  QFETCH(int, casas);
  QFETCH(int, equivalente);
  for (const double valor : {0.0, -0.4, 0.5, 2.5, -1234.5678, 1e15 + 0.25}) {
    QCOMPARE(verbalor_.bytes(valor, casas), verbalor_.bytes(valor, equivalente));
  }
}

void tst_Verbalor::textoEmWindows1252() {
  QCOMPARE(verbalor_.bytes(3.53, 2), QByteArray("tr\352s reais e cinq\374enta e tr\352s centavos"));
  QCOMPARE(verbalor_.bytes(2e6, 0), QByteArray("dois milh\365es reais"));
  QCOMPARE(verbalor_.bytes(1e6, 0), QByteArray("um milh\343o reais"));
  QCOMPARE(verbalor_.bytes(0.002, 3), QByteArray("dois mil\351simos"));
}

// Each call works only on its arguments: threads calling at once get the texts of single calls.
void tst_Verbalor::chamadasSimultaneas() {
  std::vector<double> valores;
  for (int i = 0; i < 2000; ++i) {
    valores.push_back(std::ldexp(i * 7919.0 + 0.37, i % 40) * (i % 3 == 0 ? -1 : 1));
  }
  std::vector<QByteArray> esperados;
  for (const double valor : valores) {
    esperados.push_back(verbalor_.bytes(valor, 2));
  }
  std::vector<int> diferentes(4, 0);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < diferentes.size(); ++t) {
    threads.emplace_back([&, t] {
      for (std::size_t i = 0; i < valores.size(); ++i) {
        diferentes[t] += verbalor_.bytes(valores[i], 2) != esperados[i];
      }
    });
  }
  for (auto& thread : threads) {
    thread.join();
  }
  QCOMPARE(diferentes, std::vector<int>(4, 0));
}

QTEST_GUILESS_MAIN(tst_Verbalor)
#include "tst_Verbalor.moc"
