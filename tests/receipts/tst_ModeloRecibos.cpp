#include "receipts/ModeloRecibos.h"

#include "app/core/Conexao.h"
#include "app/core/Dialeto.h"
#include "app/core/Numeracao.h"
#include "receipts/FiltroRecibo.h"
#include "tests/support/PastaTeste.h"

#include <QAbstractItemModelTester>
#include <QSqlQuery>
#include <QtTest>

class tst_ModeloRecibos : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();
  void linhasSelecionadas_data();
  void linhasSelecionadas();
  void mesmasLinhasQueAsJuncoesADireita_data() { linhasSelecionadas_data(); }
  void mesmasLinhasQueAsJuncoesADireita();
  void pessoaExcluidaTemNomeVazio();
  void textoDasCelulas();
  void falhaDeixaListaVazia();
  void maiorNumeroDoAno();

private:
  PastaTeste* pasta_ = nullptr;
};

namespace {

// Receipts: number, year, date of issue, value, payer, issuer.
struct Recibo {
  int codigo, ano;
  const char* data;
  qint64 valor;
  int recebi, emitente;
};

const Recibo kRecibos[] = {
    {8, 2022, "2022-06-01", 10000, 1, 7},    {10, 2022, "2022-06-02", 20000, 2, 7},
    {12, 2022, "2022-12-31", 30000, 1, 2},   {1, 2023, "2023-01-02", 40000, 2, 7},
    {3, 2023, "2023-03-15", 50000, 1, 2},    {1, 2024, "2024-02-29", 60000, 1, 7},
    {2, 2024, "2024-03-01", 12345000, 2, 7}, {3, 2024, "2024-03-15", 70000, 1, 2},
    {4, 2024, "2024-03-31", 80000, 2, 7},    {5, 2024, "2024-04-01", 90000, 1, 2},
    {6, 2024, "2024-03-10", 5000, 99, 7},    {7, 2024, "2024-05-01", 1, 1, 98},
};

FiltroRecibo filtro(FiltroRecibo::TipoData tipoData, FiltroRecibo::TipoFiltro tipoFiltro,
                    const QStringList& caixas = {"", "", "", ""}, const QString& pessoa = {}) {
  FiltroRecibo f;
  f.tipoData = tipoData;
  f.dataInicial = QDate(2024, 3, 1);
  f.dataFinal = QDate(2024, 3, 31);
  f.tipoFiltro = tipoFiltro;
  f.codigoInicial = caixas.at(0);
  f.anoInicial = caixas.at(1);
  f.codigoFinal = caixas.at(2);
  f.anoFinal = caixas.at(3);
  f.recebi = f.emitente = pessoa;
  return f;
}

QStringList chaves(const ModeloRecibos& modelo) {
  QStringList lista;
  for (int i = 0; i < modelo.rowCount(); ++i)
    lista << QStringLiteral("%1/%2").arg(modelo.linha(i).codigo).arg(modelo.linha(i).ano);
  return lista;
}

}  // namespace

void tst_ModeloRecibos::init() {
  pasta_ = new PastaTeste;
  QVERIFY(pasta_->abrir());
  QVERIFY(
      pasta_->executar("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Ana Luíza'), (2, 'João Souza'), "
                       "(7, 'Emitente Sete Ltda')"));
  QVERIFY(Conexao::Banco().transaction());
  QSqlQuery insercao(Conexao::Banco());
  QVERIFY(
      insercao.prepare("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente) "
                       "VALUES (?, ?, ?, ?, ?, ?)"));
  for (const Recibo& r : kRecibos) {
    insercao.addBindValue(r.codigo);
    insercao.addBindValue(r.ano);
    insercao.addBindValue(QString::fromLatin1(r.data));
    insercao.addBindValue(r.valor);
    insercao.addBindValue(r.recebi);
    insercao.addBindValue(r.emitente);
    QVERIFY(insercao.exec());
  }
  QVERIFY(Conexao::Banco().commit());
}

void tst_ModeloRecibos::cleanup() {
  delete pasta_;
  pasta_ = nullptr;
}

void tst_ModeloRecibos::linhasSelecionadas_data() {
  QTest::addColumn<FiltroRecibo>("filtro");
  QTest::addColumn<QStringList>("linhas");
  using F = FiltroRecibo;
  QTest::newRow("everything") << filtro(F::NaoUtilizar, F::SemFiltro)
                              << QStringList{"8/2022", "10/2022", "12/2022", "1/2023", "3/2023", "1/2024",
                                             "2/2024", "3/2024",  "4/2024",  "5/2024", "6/2024", "7/2024"};
  QTest::newRow("March 2024: first and last day included")
      << filtro(F::Mensal, F::SemFiltro) << QStringList{"2/2024", "3/2024", "4/2024", "6/2024"};
  QTest::newRow("1 to 5 of 2024") << filtro(F::NaoUtilizar, F::PorNumero, {"1", "2024", "5", "2024"})
                                  << QStringList{"1/2024", "2/2024", "3/2024", "4/2024", "5/2024"};
  QTest::newRow("10 of 2022 to 5 of 2024: nothing of 2023")
      << filtro(F::NaoUtilizar, F::PorNumero, {"10", "2022", "5", "2024"})
      << QStringList{"10/2022", "12/2022", "1/2024", "2/2024", "3/2024", "4/2024", "5/2024"};
  QTest::newRow("the period holds in both halves")
      << filtro(F::Diario, F::PorNumero, {"10", "2022", "5", "2024"}) << QStringList{"2/2024", "3/2024", "4/2024"};
  QTest::newRow("issuer 7") << filtro(F::NaoUtilizar, F::PorEmitente, {"", "", "", ""}, "7")
                            << QStringList{"8/2022", "10/2022", "1/2023", "1/2024", "2/2024", "4/2024", "6/2024"};
  QTest::newRow("payer 1 in March 2024") << filtro(F::Semanal, F::PorRecebi, {"", "", "", ""}, "1")
                                         << QStringList{"3/2024"};
  QTest::newRow("nothing") << filtro(F::NaoUtilizar, F::PorRecebi, {"", "", "", ""}, "55") << QStringList{};
}

void tst_ModeloRecibos::linhasSelecionadas() {
  QFETCH(FiltroRecibo, filtro);
  for (const auto ordem : {FiltroRecibo::OrdemNumero, FiltroRecibo::OrdemDataEmissao, FiltroRecibo::OrdemValor}) {
    filtro.ordem = ordem;
    ModeloRecibos modelo;
    QVERIFY(modelo.carregar(ModeloRecibos::TextoConsulta(filtro)));
    QTEST(chaves(modelo), "linhas");
  }
}

// The list is read through left joins from the receipt; the same query written with nested
// right joins must select the very same rows, names included.
void tst_ModeloRecibos::mesmasLinhasQueAsJuncoesADireita() {
  QFETCH(FiltroRecibo, filtro);
  const QString f = filtro.TextoFiltro();
  const QString aDireita =
      QStringLiteral(
          "SELECT tbRecibo.Codigo, tbRecibo.Ano, tbRecibo.DataEmissao, tbRecibo.Valor, tbPessoaRecebi.Descricao AS "
          "Recebi, tbPessoaEmitente.Descricao AS Emitente FROM tbPessoa AS tbPessoaEmitente RIGHT JOIN (tbPessoa AS "
          "tbPessoaRecebi RIGHT JOIN tbRecibo ON tbPessoaRecebi.Codigo = tbRecibo.Recebi) ON tbPessoaEmitente.Codigo "
          "= tbRecibo.Emitente ") +
      (f.trimmed().isEmpty() ? QString() : QStringLiteral("WHERE ") + Dialeto::ConverterDatas(f)) +
      QStringLiteral(" ORDER BY tbRecibo.Ano, tbRecibo.Codigo");
  ModeloRecibos nosso, delas;
  QVERIFY(nosso.carregar(ModeloRecibos::TextoConsulta(filtro)));
  QVERIFY(delas.carregar(aDireita));
  QCOMPARE(nosso.rowCount(), delas.rowCount());
  for (int i = 0; i < nosso.rowCount(); ++i)
    for (int c = 0; c < nosso.columnCount(); ++c)
      QCOMPARE(nosso.index(i, c).data(), delas.index(i, c).data());
}

void tst_ModeloRecibos::pessoaExcluidaTemNomeVazio() {
  ModeloRecibos modelo;
  QAbstractItemModelTester tester(&modelo, QAbstractItemModelTester::FailureReportingMode::QtTest);
  QVERIFY(modelo.carregar(ModeloRecibos::TextoConsulta(
      filtro(FiltroRecibo::NaoUtilizar, FiltroRecibo::PorNumero, {"6", "2024", "7", "2024"}))));
  QCOMPARE(modelo.rowCount(), 2);
  QCOMPARE(modelo.index(0, ModeloRecibos::ColRecebi).data().toString(), QString());
  QCOMPARE(modelo.index(0, ModeloRecibos::ColEmitente).data().toString(), QStringLiteral("Emitente Sete Ltda"));
  QCOMPARE(modelo.index(1, ModeloRecibos::ColRecebi).data().toString(), QStringLiteral("Ana Luíza"));
  QCOMPARE(modelo.index(1, ModeloRecibos::ColEmitente).data().toString(), QString());
}

void tst_ModeloRecibos::textoDasCelulas() {
  ModeloRecibos modelo;
  QVERIFY(modelo.carregar(ModeloRecibos::TextoConsulta(
      filtro(FiltroRecibo::NaoUtilizar, FiltroRecibo::PorNumero, {"2", "2024", "2", "2024"}))));
  QCOMPARE(modelo.rowCount(), 1);
  const QStringList esperado{"2", "2", "2024", "01/03/2024", "1.234,50", "João Souza", "Emitente Sete Ltda"};
  const QStringList titulos{"Recibo", "Recibo", "Ano", "Emissão", "Valor", "Recebi de", "Emitente"};
  for (int c = 0; c < modelo.columnCount(); ++c) {
    QCOMPARE(modelo.index(0, c).data().toString(), esperado.at(c));
    QCOMPARE(modelo.headerData(c, Qt::Horizontal).toString(), titulos.at(c));
  }
  const auto alinhamento = [&modelo](int c) {
    return modelo.index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
  };
  QCOMPARE(alinhamento(ModeloRecibos::ColRecibo), Qt::AlignRight);
  QCOMPARE(alinhamento(ModeloRecibos::ColAno), Qt::AlignHCenter);
  QCOMPARE(alinhamento(ModeloRecibos::ColEmissao), Qt::AlignHCenter);
  QCOMPARE(alinhamento(ModeloRecibos::ColValor), Qt::AlignRight);
  QCOMPARE(alinhamento(ModeloRecibos::ColRecebi), Qt::AlignLeft);
}

void tst_ModeloRecibos::falhaDeixaListaVazia() {
  ModeloRecibos modelo;
  QVERIFY(modelo.carregar(ModeloRecibos::TextoConsulta(filtro(FiltroRecibo::NaoUtilizar, FiltroRecibo::SemFiltro))));
  QVERIFY(modelo.rowCount() > 0);
  const Resultado r = modelo.carregar(QStringLiteral("SELECT * FROM tbNaoExiste"));
  QVERIFY(!r);
  QVERIFY(!r.erro.isEmpty());
  QCOMPARE(modelo.rowCount(), 0);
}

void tst_ModeloRecibos::maiorNumeroDoAno() {
  qint64 numero = 0;
  QVERIFY(Numeracao::MaiorNumeroRecibo(2022, numero));
  QCOMPARE(numero, 12);
  QVERIFY(Numeracao::MaiorNumeroRecibo(2025, numero));
  QCOMPARE(numero, 1);
}

QTEST_GUILESS_MAIN(tst_ModeloRecibos)
#include "tst_ModeloRecibos.moc"
