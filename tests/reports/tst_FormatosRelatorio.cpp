// The Brazilian formats of the page and the functions a layout's formulas may call.
#include "reports/engine/AnalisadorFormula.h"
#include "reports/engine/AvaliadorFormula.h"
#include "reports/engine/FormatosRelatorio.h"

#include <QtTest>

namespace {

// Formulas here use no fields; one parameter, P = 41; amounts in words as "<valor>/<casas>".
class FonteSimples final : public FonteValores {
public:
  QVariant campo(int) const override { return {}; }
  QVariant parametro(const QString& nome) const override {
    return nome.compare(QLatin1String("P"), Qt::CaseInsensitive) == 0 ? QVariant(qint64(41)) : QVariant();
  }
  QVariant formula(const QString&) const override { return {}; }
  std::optional<QString> extenso(double valor, int casas) const override {
    return QStringLiteral("%1/%2").arg(valor).arg(casas);
  }
};

}  // namespace

class tst_FormatosRelatorio : public QObject {
  Q_OBJECT
private slots:
  void numero_data() {
    QTest::addColumn<double>("valor");
    QTest::addColumn<QString>("formato");
    QTest::addColumn<QString>("texto");
    QTest::newRow("milhar e centavos") << 1234.5 << "#,##0.00"
                                       << "1.234,50";
    QTest::newRow("zero") << 0.0 << "#,##0.00"
                          << "0,00";
    QTest::newRow("milhões negativos") << -1234567.891 << "#,##0.00"
                                       << "-1.234.567,89";
    QTest::newRow("meio centavo arredonda para cima") << 0.125 << "#,##0.00"
                                                      << "0,13";
    QTest::newRow("menos zero sem sinal") << -0.001 << "#,##0.00"
                                          << "0,00";
    QTest::newRow("zeros à esquerda") << 7.0 << "000000"
                                      << "000007";
    QTest::newRow("prefixo") << 1234.5 << "R$ #,##0.00"
                             << "R$ 1.234,50";
    QTest::newRow("sem decimais") << 1234.0 << "#,##0"
                                  << "1.234";
    QTest::newRow("inteiro arredondado") << 2.5 << "0"
                                         << "3";
    QTest::newRow("decimais opcionais") << 1.5 << "0.##"
                                        << "1,5";
    QTest::newRow("sem formato") << 3.25 << ""
                                 << "3,25";
  }
  void numero() {
    QFETCH(double, valor);
    QFETCH(QString, formato);
    QFETCH(QString, texto);
    QCOMPARE(FormatosRelatorio::Numero(valor, formato), texto);
  }

  void datas_data() {
    QTest::addColumn<QDate>("data");
    QTest::addColumn<QString>("curta");
    QTest::addColumn<QString>("extenso");
    QTest::newRow("dezembro") << QDate(2026, 12, 7) << "07/12/2026"
                              << "7 de dezembro de 2026";
    QTest::newRow("primeiro do ano") << QDate(2027, 1, 1) << "01/01/2027"
                                     << "1º de janeiro de 2027";
    QTest::newRow("março") << QDate(2024, 3, 15) << "15/03/2024"
                           << "15 de março de 2024";
    QTest::newRow("inválida") << QDate() << ""
                              << "";
  }
  void datas() {
    QFETCH(QDate, data);
    QFETCH(QString, curta);
    QFETCH(QString, extenso);
    QCOMPARE(FormatosRelatorio::Data(data, QString()), curta);
    QCOMPARE(FormatosRelatorio::DataPorExtenso(data), extenso);
  }

  void documento_data() {
    QTest::addColumn<QString>("numero");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("texto");
    QTest::newRow("CPF") << "12345678909" << 0 << "123.456.789-09";
    QTest::newRow("CNPJ") << "12345678000195" << 1 << "12.345.678/0001-95";
    QTest::newRow("CNPJ alfanumérico") << "12abc34501de35" << 1 << "12.ABC.345/01DE-35";
    QTest::newRow("CPF pelo tamanho") << " 12345678909 " << -1 << "123.456.789-09";
    QTest::newRow("CNPJ pelo tamanho") << "12345678000195" << -1 << "12.345.678/0001-95";
    QTest::newRow("tamanho de CPF numa pessoa jurídica") << "12345678909" << 1 << "12345678909";
    QTest::newRow("incompleto") << "1234" << 0 << "1234";
    QTest::newRow("vazio") << "" << 0 << "";
  }
  void documento() {
    QFETCH(QString, numero);
    QFETCH(int, tipo);
    QFETCH(QString, texto);
    QCOMPARE(FormatosRelatorio::Documento(numero, tipo), texto);
  }

  void juntar() {
    QCOMPARE(FormatosRelatorio::Juntar(QStringLiteral(", "), {"Rua A", "10", "", "  "}), QStringLiteral("Rua A, 10"));
    QCOMPARE(FormatosRelatorio::Juntar(QStringLiteral(", "), {"", ""}), QString());
    QCOMPARE(FormatosRelatorio::Juntar(QStringLiteral(" - "), {" São Paulo ", "SP"}), QStringLiteral("São Paulo - SP"));
  }

  void funcoes_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QVariant>("valor");
    QTest::newRow("juntar sem partes vazias") << "Juntar(', ', 'Rua A', '', '12', ' ')" << QVariant("Rua A, 12");
    // The codes are stored: each keeps its phrase for good.
    const char* frases[] = {
        "em dinheiro",           "por PIX",  "por transferência", "por boleto", "com cartão de débito",
        "com cartão de crédito", "em cheque"};
    for (int codigo = 1; codigo <= 7; ++codigo)
      QTest::addRow("forma %d", codigo) << QStringLiteral("FormaPagamento(%1)").arg(codigo)
                                        << QVariant(QString::fromUtf8(frases[codigo - 1]));
    QTest::newRow("forma não informada") << "FormaPagamento(0)" << QVariant("");
    QTest::newRow("forma desconhecida") << "FormaPagamento(8)" << QVariant("");
    QTest::newRow("se") << "Se(1 = 1, 'sim', 'não')" << QVariant("sim");
    QTest::newRow("se falso") << "se(2 < 1, 'sim', 'não')" << QVariant("não");
    QTest::newRow("textos somados") << "'a' + 'b' & 'c'" << QVariant("abc");
    QTest::newRow("conta") << "2 * 3 + 1 - 10 / 4" << QVariant(4.5);
    QTest::newRow("inteiros") << "{?P} + 1" << QVariant(qint64(42));
    QTest::newRow("divisão por zero") << "10 / 0" << QVariant();
    QTest::newRow("data por extenso") << "DataExtenso(Date (2026,12,7))" << QVariant("7 de dezembro de 2026");
    QTest::newRow("documento") << "Documento('12345678909')" << QVariant("123.456.789-09");
    QTest::newRow("formatar") << "Formatar(1234.5, '#,##0.00')" << QVariant("1.234,50");
    QTest::newRow("formatar data") << "Formatar(Date (2026,1,2), 'dd/MM/yy')" << QVariant("02/01/26");
    QTest::newRow("maiúsculas") << "Maiusculas('ação')" << QVariant("AÇÃO");
    QTest::newRow("extenso com casas padrão") << "Extenso(21.5)" << QVariant("21.5/2");
    QTest::newRow("extenso com casas") << "Extenso(3, 0)" << QVariant("3/0");
    QTest::newRow("intervalo") << "{?P} in 40 to 41" << QVariant(true);
    QTest::newRow("not") << "Not ({?P} = 41)" << QVariant(false);
    QTest::newRow("texto de número") << "Texto(7) + 'x'" << QVariant("7x");
  }
  void funcoes() {
    QFETCH(QString, formula);
    QFETCH(QVariant, valor);
    const FormulaAnalisada f = AnalisadorFormula::Analisar(formula);
    QVERIFY2(f.ok(), qPrintable(f.mensagem()));
    QString erro;
    int posicao = 0;
    QVERIFY(AvaliadorFormula::VerificarFuncoes(*f.raiz, erro, posicao));
    const QVariant obtido = AvaliadorFormula::Avaliar(*f.raiz, FonteSimples());
    QCOMPARE(obtido.isValid(), valor.isValid());
    if (valor.isValid())
      QCOMPARE(obtido.toString(), valor.toString());
  }

  void funcoesRecusadas_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("posicao");
    QTest::newRow("desconhecida") << "1 + Somar(1)" << 5;
    QTest::newRow("argumentos demais") << "Se(1 = 1, 2, 3, 4)" << 1;
    QTest::newRow("argumentos de menos") << "'x' + Formatar(1)" << 7;
  }
  void funcoesRecusadas() {
    QFETCH(QString, formula);
    QFETCH(int, posicao);
    const FormulaAnalisada f = AnalisadorFormula::Analisar(formula);
    QVERIFY(f.ok());
    QString erro;
    int onde = 0;
    QVERIFY(!AvaliadorFormula::VerificarFuncoes(*f.raiz, erro, onde));
    QCOMPARE(onde, posicao);
  }
};

QTEST_MAIN(tst_FormatosRelatorio)
#include "tst_FormatosRelatorio.moc"
