#include "app/core/Dialeto.h"
#include "receipts/FiltroRecibo.h"
#include "tests/support/RelogioFixo.h"

#include <QtTest>

using Campo = FiltroRecibo::Campo;

class tst_FiltroRecibo : public QObject {
  Q_OBJECT

private slots:
  void textos_data();
  void textos();
  void dialeto_data();
  void dialeto();
  void periodo_data();
  void periodo();
  void validarSaida_data();
  void validarSaida();
  void conferirSelecao_data();
  void conferirSelecao();
  void periodoSelecionadoMesmoSemPeriodo();
  void posicoesOrdenacao();
};

namespace {

const QDate kMarco1(2024, 3, 1);
const QDate kMarco31(2024, 3, 31);

FiltroRecibo filtro(int tipoData, int tipoFiltro, const QStringList& caixas = {"", "", "", ""},
                    const QString& recebi = {}, const QString& emitente = {}) {
  FiltroRecibo f;
  f.tipoData = static_cast<FiltroRecibo::TipoData>(tipoData);
  f.dataInicial = kMarco1;
  f.dataFinal = kMarco31;
  f.tipoFiltro = static_cast<FiltroRecibo::TipoFiltro>(tipoFiltro);
  f.codigoInicial = caixas.at(0);
  f.anoInicial = caixas.at(1);
  f.codigoFinal = caixas.at(2);
  f.anoFinal = caixas.at(3);
  f.recebi = recebi;
  f.emitente = emitente;
  return f;
}

}  // namespace

void tst_FiltroRecibo::textos_data() {
  QTest::addColumn<FiltroRecibo>("filtro");
  QTest::addColumn<QString>("sql");
  QTest::addColumn<QString>("formula");

  QTest::newRow("March 2024, no other filter")
      << filtro(FiltroRecibo::Mensal, FiltroRecibo::SemFiltro)
      << "tbRecibo.DataEmissao BETWEEN #03/01/2024# AND #03/31/2024#"
      << "{tbRecibo.DataEmissao} in DateTime (2024,03,01,00,00,00) to DateTime (2024,03,31,00,00,00)";
  QTest::newRow("no period, no filter: empty") << filtro(FiltroRecibo::NaoUtilizar, FiltroRecibo::SemFiltro) << ""
                                               << "";
  QTest::newRow("numbers 1 to 5 of 2024, joined by AND, trailing blank")
      << filtro(FiltroRecibo::NaoUtilizar, FiltroRecibo::PorNumero, {"1", "2024", "5", "2024"})
      << "(tbRecibo.Codigo>=1 AND tbRecibo.Ano=2024) AND (tbRecibo.Codigo<=5 AND tbRecibo.Ano=2024) "
      << "({tbRecibo.Codigo}>=1 AND {tbRecibo.Ano}=2024) AND ({tbRecibo.Codigo}<=5 AND {tbRecibo.Ano}=2024) ";
  QTest::newRow("10 of 2022 to 5 of 2024, joined by OR")
      << filtro(FiltroRecibo::NaoUtilizar, FiltroRecibo::PorNumero, {"10", "2022", "5", "2024"})
      << "(tbRecibo.Codigo>=10 AND tbRecibo.Ano=2022) OR (tbRecibo.Codigo<=5 AND tbRecibo.Ano=2024) "
      << "({tbRecibo.Codigo}>=10 AND {tbRecibo.Ano}=2022) OR ({tbRecibo.Codigo}<=5 AND {tbRecibo.Ano}=2024) ";
  QTest::newRow("the period is repeated in both halves")
      << filtro(FiltroRecibo::Diario, FiltroRecibo::PorNumero, {"10", "2022", "5", "2024"})
      << "tbRecibo.DataEmissao BETWEEN #03/01/2024# AND #03/31/2024# AND (tbRecibo.Codigo>=10 AND tbRecibo.Ano=2022) "
         "OR tbRecibo.DataEmissao BETWEEN #03/01/2024# AND #03/31/2024# AND (tbRecibo.Codigo<=5 AND tbRecibo.Ano=2024) "
      << "{tbRecibo.DataEmissao} in DateTime (2024,03,01,00,00,00) to DateTime (2024,03,31,00,00,00) AND "
         "({tbRecibo.Codigo}>=10 AND {tbRecibo.Ano}=2022) OR {tbRecibo.DataEmissao} in DateTime "
         "(2024,03,01,00,00,00) to DateTime (2024,03,31,00,00,00) AND ({tbRecibo.Codigo}<=5 AND {tbRecibo.Ano}=2024) ";
  QTest::newRow("numbers written in plain decimal")
      << filtro(FiltroRecibo::NaoUtilizar, FiltroRecibo::PorNumero, {"007", "2024", "0012", "2024"})
      << "(tbRecibo.Codigo>=7 AND tbRecibo.Ano=2024) AND (tbRecibo.Codigo<=12 AND tbRecibo.Ano=2024) "
      << "({tbRecibo.Codigo}>=7 AND {tbRecibo.Ano}=2024) AND ({tbRecibo.Codigo}<=12 AND {tbRecibo.Ano}=2024) ";
  QTest::newRow("issuer 7, no period") << filtro(FiltroRecibo::NaoUtilizar, FiltroRecibo::PorEmitente, {"", "", "", ""},
                                                 {}, "7")
                                       << "tbRecibo.Emitente=7"
                                       << "{tbRecibo.Emitente}=7";
  QTest::newRow("payer 12 in the period")
      << filtro(FiltroRecibo::Anual, FiltroRecibo::PorRecebi, {"", "", "", ""}, "12")
      << "tbRecibo.DataEmissao BETWEEN #03/01/2024# AND #03/31/2024# AND tbRecibo.Recebi=12"
      << "{tbRecibo.DataEmissao} in DateTime (2024,03,01,00,00,00) to DateTime (2024,03,31,00,00,00) AND "
         "{tbRecibo.Recebi}=12";
}

void tst_FiltroRecibo::textos() {
  QFETCH(FiltroRecibo, filtro);
  QVERIFY(!filtro.ConferirSelecao());
  QTEST(filtro.TextoFiltro(), "sql");
  QTEST(filtro.FormulaSelecao(), "formula");
}

void tst_FiltroRecibo::dialeto_data() {
  QTest::addColumn<QString>("jet");
  QTest::addColumn<QString>("sqlite");
  QTest::newRow("period") << "tbRecibo.DataEmissao BETWEEN #03/01/2024# AND #03/31/2024#"
                          << "tbRecibo.DataEmissao BETWEEN '2024-03-01' AND '2024-03-31'";
  QTest::newRow("both halves") << "#12/31/2022# AND (x) OR #01/02/2023# AND (y) "
                               << "'2022-12-31' AND (x) OR '2023-01-02' AND (y) ";
  QTest::newRow("no date") << "(tbRecibo.Codigo>=1 AND tbRecibo.Ano=2024) "
                           << "(tbRecibo.Codigo>=1 AND tbRecibo.Ano=2024) ";
  QTest::newRow("not a date literal") << "#3/1/2024# #2024-03-01#"
                                      << "#3/1/2024# #2024-03-01#";
  QTest::newRow("empty") << ""
                         << "";
}

void tst_FiltroRecibo::dialeto() {
  QFETCH(QString, jet);
  QTEST(Dialeto::ConverterDatas(jet), "sqlite");
}

void tst_FiltroRecibo::periodo_data() {
  QTest::addColumn<QDate>("hoje");
  QTest::addColumn<int>("tipo");
  QTest::addColumn<QDate>("inicial");
  QTest::addColumn<QDate>("final");
  const QDate hoje(2024, 3, 15);
  QTest::newRow("Diário") << hoje << int(FiltroRecibo::Diario) << hoje << hoje;
  QTest::newRow("Semanal") << hoje << int(FiltroRecibo::Semanal) << QDate(2024, 3, 8) << hoje;
  QTest::newRow("Mensal: March has 31 days") << hoje << int(FiltroRecibo::Mensal) << QDate(2024, 2, 13) << hoje;
  QTest::newRow("Mensal: February of a leap year")
      << QDate(2024, 2, 10) << int(FiltroRecibo::Mensal) << QDate(2024, 1, 12) << QDate(2024, 2, 10);
  QTest::newRow("Mensal: February of a common year")
      << QDate(2023, 2, 10) << int(FiltroRecibo::Mensal) << QDate(2023, 1, 13) << QDate(2023, 2, 10);
  QTest::newRow("Anual") << hoje << int(FiltroRecibo::Anual) << QDate(2024, 1, 1) << QDate(2024, 12, 31);
}

void tst_FiltroRecibo::periodo() {
  QFETCH(QDate, hoje);
  QFETCH(int, tipo);
  RelogioFixo relogio(QDateTime(hoje, QTime(9, 0)));
  QDate inicial, final;
  QVERIFY(FiltroRecibo::Periodo(static_cast<FiltroRecibo::TipoData>(tipo), relogio, inicial, final));
  QTEST(inicial, "inicial");
  QTEST(final, "final");
}

void tst_FiltroRecibo::validarSaida_data() {
  QTest::addColumn<QStringList>("caixas");
  QTest::addColumn<Campo>("campo");
  QTest::addColumn<QString>("mensagem");
  const QString anoInvalido = "Entre com um ano válido.";
  const QString numeroInvalido = "Entre com um número de recibo válido, de 0 a 2147483647.";
  QTest::newRow("initial year of three digits")
      << QStringList{"1", "202", "5", "2024"} << Campo::AnoInicial << anoInvalido;
  QTest::newRow("initial year after the final") << QStringList{"1", "2025", "5", "2024"} << Campo::AnoInicial
                                                << "O ano inicial não pode ser maior que o ano final.";
  QTest::newRow("initial year equal to the final") << QStringList{"1", "2024", "5", "2024"} << Campo::AnoInicial << "";
  QTest::newRow("final year empty") << QStringList{"1", "2024", "5", ""} << Campo::AnoFinal << anoInvalido;
  QTest::newRow("final year before the initial") << QStringList{"1", "2024", "5", "2023"} << Campo::AnoFinal
                                                 << "O ano final não pode ser menor que o ano inicial.";
  QTest::newRow("year past 16 bits") << QStringList{"1", "2024", "5", "40000"} << Campo::AnoFinal << anoInvalido;
  QTest::newRow("initial number after the final, same year")
      << QStringList{"6", "2024", "5", "2024"} << Campo::CodigoInicial
      << "O código do recibo inicial não pode ser maior que o código do recibo final.";
  QTest::newRow("initial number after the final, years apart")
      << QStringList{"6", "2023", "5", "2024"} << Campo::CodigoInicial << "";
  QTest::newRow("initial number empty passes") << QStringList{"", "2024", "5", "2024"} << Campo::CodigoInicial << "";
  QTest::newRow("final number before the initial")
      << QStringList{"6", "2024", "5", "2024"} << Campo::CodigoFinal
      << "O código do recibo final não pode ser menor que o código do recibo inicial.";
  QTest::newRow("final 10 after initial 9 passes")
      << QStringList{"9", "2024", "10", "2024"} << Campo::CodigoFinal << "";
  QTest::newRow("final number before the initial, years apart")
      << QStringList{"6", "2023", "5", "2024"} << Campo::CodigoFinal << "";
  QTest::newRow("final number checked when the initial year is later")
      << QStringList{"6", "2025", "5", "2024"} << Campo::CodigoFinal
      << "O código do recibo final não pode ser menor que o código do recibo inicial.";
  QTest::newRow("number past 32 bits") << QStringList{"1", "2024", "2147483648", "2024"} << Campo::CodigoFinal
                                       << numeroInvalido;
  QTest::newRow("largest number passes") << QStringList{"1", "2024", "2147483647", "2024"} << Campo::CodigoFinal << "";
  QTest::newRow("initial number of twenty digits")
      << QStringList{"99999999999999999999", "2024", "5", "2024"} << Campo::CodigoInicial << numeroInvalido;
}

void tst_FiltroRecibo::validarSaida() {
  QFETCH(QStringList, caixas);
  QFETCH(Campo, campo);
  QFETCH(QString, mensagem);
  const FiltroRecibo f = filtro(FiltroRecibo::NaoUtilizar, FiltroRecibo::PorNumero, caixas);
  const auto recusa = f.ValidarSaida(campo);
  QCOMPARE(recusa ? recusa->texto : QString(), mensagem);
  if (recusa) {
    QCOMPARE(recusa->titulo, QStringLiteral("Recibos impressos"));
    QCOMPARE(recusa->campo, campo);
  }
}

void tst_FiltroRecibo::conferirSelecao_data() {
  QTest::addColumn<FiltroRecibo>("filtro");
  QTest::addColumn<QString>("mensagem");
  QTest::addColumn<QString>("titulo");
  QTest::addColumn<Campo>("campo");
  const QStringList vazias{"", "", "", ""};
  QTest::newRow("payer not chosen") << filtro(FiltroRecibo::Diario, FiltroRecibo::PorRecebi, vazias, " ", "3")
                                    << "Por favor, selecione a pessoa a filtrar."
                                    << "Recibos impressos - Recebi de" << Campo::Recebi;
  QTest::newRow("issuer not chosen") << filtro(FiltroRecibo::Diario, FiltroRecibo::PorEmitente, vazias, "3", "")
                                     << "Por favor, selecione a pessoa a filtrar."
                                     << "Recibos impressos - Emitente" << Campo::Emitente;
  QTest::newRow("initial number refused")
      << filtro(FiltroRecibo::Diario, FiltroRecibo::PorNumero, {"8", "2024", "5", "2024"})
      << "O código do recibo inicial não pode ser maior que o código do recibo final."
      << "Recibos impressos" << Campo::CodigoInicial;
  QTest::newRow("final number refused") << filtro(FiltroRecibo::Diario, FiltroRecibo::PorNumero,
                                                  {"6", "2025", "5", "2024"})
                                        << "O código do recibo final não pode ser menor que o código do recibo inicial."
                                        << "Recibos impressos" << Campo::CodigoFinal;
  QTest::newRow("range without an initial number")
      << filtro(FiltroRecibo::Diario, FiltroRecibo::PorNumero, {"", "2024", "5", "2024"})
      << "Entre com um número de recibo válido, de 0 a 2147483647."
      << "Recibos impressos" << Campo::CodigoInicial;
  QTest::newRow("range without a final year")
      << filtro(FiltroRecibo::Diario, FiltroRecibo::PorNumero, {"1", "2024", "5", ""}) << "Entre com um ano válido."
      << "Recibos impressos" << Campo::AnoFinal;
  QTest::newRow("other filters ignore the empty boxes")
      << filtro(FiltroRecibo::Diario, FiltroRecibo::SemFiltro, vazias) << ""
      << "" << Campo::CodigoInicial;
}

void tst_FiltroRecibo::conferirSelecao() {
  QFETCH(FiltroRecibo, filtro);
  QFETCH(QString, mensagem);
  const auto recusa = filtro.ConferirSelecao();
  if (mensagem.isEmpty()) {
    QVERIFY(!recusa);
    return;
  }
  QVERIFY(recusa);
  QCOMPARE(recusa->texto, mensagem);
  QTEST(recusa->titulo, "titulo");
  QTEST(recusa->campo, "campo");
}

void tst_FiltroRecibo::periodoSelecionadoMesmoSemPeriodo() {
  const FiltroRecibo f = filtro(FiltroRecibo::NaoUtilizar, FiltroRecibo::SemFiltro);
  QCOMPARE(f.PeriodoSelecionado(), QStringLiteral("'PERÍODO DE 01/03/2024 A 31/03/2024'"));
}

void tst_FiltroRecibo::posicoesOrdenacao() {
  FiltroRecibo f;
  QCOMPARE(f.PosicoesOrdenacao(), (QList<int>{2, 1}));
  f.ordem = FiltroRecibo::OrdemDataEmissao;
  QCOMPARE(f.PosicoesOrdenacao(), (QList<int>{4, 2, 1}));
  f.ordem = FiltroRecibo::OrdemValor;
  QCOMPARE(f.PosicoesOrdenacao(), (QList<int>{3, 2, 1}));
}

QTEST_GUILESS_MAIN(tst_FiltroRecibo)
#include "tst_FiltroRecibo.moc"
