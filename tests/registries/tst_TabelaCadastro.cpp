#include "app/core/RegistroAlterado.h"
#include "registries/TabelaCadastro.h"

#include "tests/support/PastaTeste.h"

#include <QSqlRecord>
#include <QtTest>

namespace {

const TabelaCadastro kPessoas(Numeracao::Cadastro::Pessoa);

}  // namespace

// The rows of the registries as two desks (or two Talonix on one desk) write them: a save never
// undoes another desk's, and a person whom receipts name is never deleted from under them.
class tst_TabelaCadastro : public QObject {
  Q_OBJECT

private slots:
  void init() {
    pasta_ = std::make_unique<PastaTeste>();
    QVERIFY(pasta_->abrir());
    QVERIFY(
        pasta_->executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao, Cidade) VALUES "
                                        "(1, 'Ana', 'Recife'), (2, 'Bia', 'Recife'), (3, 'Caio', 'Recife')")));
  }
  void cleanup() { pasta_.reset(); }

  void pessoaNosRecibosNaoEhExcluida_data();
  void pessoaNosRecibosNaoEhExcluida();
  void gravacaoDepoisDeOutraEstacao_data();
  void gravacaoDepoisDeOutraEstacao();
  void codigoTomadoPorOutraEstacao();

private:
  std::unique_ptr<PastaTeste> pasta_;
};

void tst_TabelaCadastro::pessoaNosRecibosNaoEhExcluida_data() {
  QTest::addColumn<QStringList>("recibos");  // number, year, payer, issuer, beneficiary of each receipt
  QTest::addColumn<QString>("recusa");       // empty: person 1 is deleted
  const QString umRecibo = QStringLiteral("Esta pessoa aparece no recibo 4/2026 e não pode ser excluída.");
  QTest::newRow("in no receipt") << QStringList() << QString();
  QTest::newRow("in other people's receipt") << QStringList{"4, 2026, 2, 3, NULL"} << QString();
  QTest::newRow("payer") << QStringList{"4, 2026, 1, 2, NULL"} << umRecibo;
  QTest::newRow("issuer") << QStringList{"4, 2026, 2, 1, NULL"} << umRecibo;
  QTest::newRow("beneficiary") << QStringList{"4, 2026, 2, 3, 1"} << umRecibo;
  QTest::newRow("three, the first by year then number")
      << QStringList{"2, 2026, 1, 2, NULL", "12, 2025, 3, 2, 1", "9, 2025, 2, 1, NULL", "5, 2024, 2, 3, NULL"}
      << "Esta pessoa aparece em 3 recibos (o primeiro: 9/2025) e não pode ser excluída.";
}

void tst_TabelaCadastro::pessoaNosRecibosNaoEhExcluida() {
  QFETCH(QStringList, recibos);
  QFETCH(QString, recusa);
  for (const QString& recibo : recibos)
    QVERIFY(pasta_->executar(
        QStringLiteral("INSERT INTO tbRecibo (Codigo, Ano, Recebi, Emitente, Beneficiario, DataEmissao) VALUES (") +
        recibo + QStringLiteral(", '2026-01-02')")));
  const QStringList antes = PastaTeste::Linhas();
  const Resultado r = kPessoas.Excluir(1);
  QCOMPARE(r.erro, recusa);
  QCOMPARE(r.numero, recusa.isEmpty() ? 0 : TabelaCadastro::ErroPessoaEmRecibos);
  QCOMPARE(pasta_->valor(QStringLiteral("SELECT COUNT(*) FROM tbPessoa WHERE Codigo=1")).toInt(),
           recusa.isEmpty() ? 0 : 1);
  if (!recusa.isEmpty())
    QCOMPARE(PastaTeste::Linhas(), antes);
  QVERIFY(pasta_->executar(QStringLiteral("BEGIN")));  // no transaction was left open
  QVERIFY(pasta_->executar(QStringLiteral("ROLLBACK")));
}

void tst_TabelaCadastro::gravacaoDepoisDeOutraEstacao_data() {
  QTest::addColumn<QStringList>("outraEstacao");  // what another desk wrote between the load and the save
  QTest::addColumn<int>("erro");                  // 0: saved
  QTest::newRow("nothing") << QStringList() << 0;
  QTest::newRow("the same values again") << QStringList{"UPDATE tbPessoa SET Cidade='Recife' WHERE Codigo=1"} << 0;
  QTest::newRow("another person") << QStringList{"UPDATE tbPessoa SET Cidade='Olinda' WHERE Codigo=2"} << 0;
  QTest::newRow("the city") << QStringList{"UPDATE tbPessoa SET Cidade='Olinda' WHERE Codigo=1"}
                            << RegistroAlterado::Erro;
  QTest::newRow("the zip code, from none to empty")
      << QStringList{"UPDATE tbPessoa SET Cep='' WHERE Codigo=1"} << RegistroAlterado::Erro;
  QTest::newRow("deleted and made again")
      << QStringList{"DELETE FROM tbPessoa WHERE Codigo=1",
                     "INSERT INTO tbPessoa (Codigo, Descricao, Cidade) VALUES (1, 'Outra Ana', 'Recife')"}
      << RegistroAlterado::Erro;
  QTest::newRow("deleted") << QStringList{"DELETE FROM tbPessoa WHERE Codigo=1"} << -1;
}

void tst_TabelaCadastro::gravacaoDepoisDeOutraEstacao() {
  QFETCH(QStringList, outraEstacao);
  QFETCH(int, erro);
  bool encontrado = false;
  QSqlRecord carregado;
  QVERIFY(kPessoas.Localizar(1, encontrado, carregado));
  QVERIFY(encontrado);
  for (const QString& sql : outraEstacao)
    QVERIFY(pasta_->executar(sql));
  const QStringList antes = PastaTeste::Linhas();

  const Resultado r = kPessoas.Alterar(carregado, {{QStringLiteral("Descricao"), QStringLiteral("Ana Maria")}});
  QCOMPARE(r.numero, erro);
  if (erro == 0) {
    QCOMPARE(pasta_->valor(QStringLiteral("SELECT Descricao FROM tbPessoa WHERE Codigo=1")).toString(),
             QStringLiteral("Ana Maria"));
    return;
  }
  QVERIFY(!r.erro.isEmpty());
  if (erro == RegistroAlterado::Erro)
    QCOMPARE(r.erro, RegistroAlterado::Falha().erro);
  QCOMPARE(PastaTeste::Linhas(), antes);  // the other desk's row as it left it
}

void tst_TabelaCadastro::codigoTomadoPorOutraEstacao() {
  // Both desks were proposed code 4; the other saved first.
  QVERIFY(pasta_->executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (4, 'Dora')")));
  const Resultado r = kPessoas.Incluir(4, {{QStringLiteral("Descricao"), QStringLiteral("Duda")}});
  QCOMPARE(r.numero, RegistroAlterado::Erro);
  QCOMPARE(pasta_->valor(QStringLiteral("SELECT Descricao FROM tbPessoa WHERE Codigo=4")).toString(),
           QStringLiteral("Dora"));
  QVERIFY(kPessoas.Incluir(5, {{QStringLiteral("Descricao"), QStringLiteral("Duda")}}));
}

QTEST_GUILESS_MAIN(tst_TabelaCadastro)
#include "tst_TabelaCadastro.moc"
