#include "app/core/Moeda.h"

#include <QtTest>

class tst_Moeda : public QObject {
  Q_OBJECT
private slots:
  void ler_data();
  void ler();
  void formatar_data();
  void formatar();
  void lidoFormatadoVoltaAoMesmo();
};

using Estado = Moeda::Leitura::Estado;

void tst_Moeda::ler_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<int>("estado");
  QTest::addColumn<qint64>("valor");
  QTest::newRow("vazio") << "" << int(Estado::Vazio) << 0LL;
  QTest::newRow("brancos") << "   " << int(Estado::Vazio) << 0LL;
  QTest::newRow("virgula decimal") << "1234,5" << int(Estado::Valido) << 12345000LL;
  QTest::newRow("milhar e decimal") << "1.234,50" << int(Estado::Valido) << 12345000LL;
  QTest::newRow("ponto e milhar") << "1.234" << int(Estado::Valido) << 12340000LL;
  QTest::newRow("milhoes") << "1.234.567" << int(Estado::Valido) << 12345670000LL;
  QTest::newRow("ponto decimal colado") << "1234.50" << int(Estado::Valido) << 12345000LL;
  QTest::newRow("ponto um digito") << "12.5" << int(Estado::Valido) << 125000LL;
  QTest::newRow("so centavos") << ",05" << int(Estado::Valido) << 500LL;
  QTest::newRow("virgula no fim") << "12," << int(Estado::Valido) << 120000LL;
  QTest::newRow("negativo") << "-3,25" << int(Estado::Valido) << -32500LL;
  QTest::newRow("quatro casas") << "0,1234" << int(Estado::Valido) << 1234LL;
  QTest::newRow("quinta casa arredonda") << "0,12345" << int(Estado::Valido) << 1235LL;
  QTest::newRow("espacos em volta") << " 7,00 " << int(Estado::Valido) << 70000LL;
  QTest::newRow("maximo") << "922.337.203.685.477,5807" << int(Estado::Valido) << Moeda::Maximo;
  QTest::newRow("minimo") << "-922337203685477,5808" << int(Estado::Valido) << std::numeric_limits<qint64>::min();
  QTest::newRow("acima do maximo") << "922337203685477,5808" << int(Estado::ForaDoLimite) << 0LL;
  QTest::newRow("abaixo do minimo") << "-922337203685477,5809" << int(Estado::ForaDoLimite) << 0LL;
  QTest::newRow("digitos demais") << "99999999999999999999999" << int(Estado::ForaDoLimite) << 0LL;
  QTest::newRow("letras") << "12a" << int(Estado::Invalido) << 0LL;
  QTest::newRow("duas virgulas") << "1,2,3" << int(Estado::Invalido) << 0LL;
  QTest::newRow("ponto depois da virgula") << "1,234.50" << int(Estado::Invalido) << 0LL;
  QTest::newRow("grupo de quatro") << "1.2345" << int(Estado::Invalido) << 0LL;
  QTest::newRow("grupo curto") << "1.23.456" << int(Estado::Invalido) << 0LL;
  QTest::newRow("ponto no fim") << "1." << int(Estado::Invalido) << 0LL;
  QTest::newRow("so o sinal") << "-" << int(Estado::Invalido) << 0LL;
  QTest::newRow("so a virgula") << "," << int(Estado::Invalido) << 0LL;
  QTest::newRow("sinal no meio") << "1-2" << int(Estado::Invalido) << 0LL;
}

void tst_Moeda::ler() {
  QFETCH(QString, texto);
  QFETCH(int, estado);
  QFETCH(qint64, valor);
  const Moeda::Leitura leitura = Moeda::Ler(texto);
  QCOMPARE(int(leitura.estado), estado);
  if (leitura.estado == Estado::Valido)
    QCOMPARE(leitura.valor, valor);
}

void tst_Moeda::formatar_data() {
  QTest::addColumn<qint64>("valor");
  QTest::addColumn<QString>("texto");
  QTest::newRow("zero") << 0LL << "0,00";
  QTest::newRow("centavos") << 500LL << "0,05";
  QTest::newRow("milhar") << 12345000LL << "1.234,50";
  QTest::newRow("sem milhar") << 9990000LL << "999,00";
  QTest::newRow("milhoes") << 12345678900LL << "1.234.567,89";
  QTest::newRow("arredonda para cima") << 12350LL << "1,24";
  QTest::newRow("arredonda para baixo") << 12349LL << "1,23";
  QTest::newRow("negativo arredonda longe do zero") << -12350LL << "-1,24";
  QTest::newRow("maximo") << Moeda::Maximo << "922.337.203.685.477,58";
  QTest::newRow("minimo") << std::numeric_limits<qint64>::min() << "-922.337.203.685.477,58";
}

void tst_Moeda::formatar() {
  QFETCH(qint64, valor);
  QFETCH(QString, texto);
  QCOMPARE(Moeda::Formatar(valor), texto);
}

// Every cent amount shown by the box reads back as itself.
void tst_Moeda::lidoFormatadoVoltaAoMesmo() {
  QRandomGenerator gerador(20261207);
  for (int i = 0; i < 2000; ++i) {
    const qint64 centavos = static_cast<qint64>(gerador.generate64() % 92233720368547758ULL) * (i % 2 ? 1 : -1);
    const qint64 valor = centavos * 100;
    const Moeda::Leitura leitura = Moeda::Ler(Moeda::Formatar(valor));
    QCOMPARE(int(leitura.estado), int(Estado::Valido));
    QCOMPARE(leitura.valor, valor);
  }
}

QTEST_APPLESS_MAIN(tst_Moeda)
#include "tst_Moeda.moc"
