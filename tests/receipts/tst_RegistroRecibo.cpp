#include "app/core/Conexao.h"
#include "app/core/Esquema.h"
#include "app/core/Numeracao.h"
#include "app/core/RegistroAlterado.h"
#include "receipts/RegistroRecibo.h"
#include "receipts/TabelaRecibo.h"

#include "tests/support/PastaTeste.h"

#include <QtTest>

namespace {

Recibo exemplo(qint64 numero, int ano) {
  Recibo r;
  r.numero = numero;
  r.ano = ano;
  r.dataEmissao = QDate(ano, 3, 15);
  r.valor = 12345000;  // 1.234,50
  r.recebi = 1;
  r.emitente = 2;
  r.referente = QStringLiteral("  Aluguel de março\r\nconforme contrato  ");
  r.observacao = QStringLiteral(" Pago em dinheiro ");
  r.vias = QStringLiteral("2");
  return r;
}

}  // namespace

class tst_RegistroRecibo : public QObject {
  Q_OBJECT

private slots:
  void init() {
    pasta_ = std::make_unique<PastaTeste>();
    QVERIFY(pasta_->abrir());
    QVERIFY(pasta_->executar(QStringLiteral(
        "INSERT INTO tbPessoa (Codigo, Descricao, TipoPessoa, Documento01, Documento02, Endereco, Numero) VALUES "
        "(1, 'Padaria Pão Quente Ltda.', 1, '12ABC34501DE35', '123456789', 'Rua das Flores', '10'), "
        "(2, 'Maria', 0, '52998224725', '12.345.678-9', 'Av. Brasil', ''), (9, 'José', 0, '', '', '', '')")));
  }
  void cleanup() { pasta_.reset(); }

  void gravaECarrega();
  void camposSaoAsColunasDoEsquema_data();
  void camposSaoAsColunasDoEsquema();
  void numeroExistenteRecusado();
  void atualiza();
  void atualizarReciboApagadoFalha();
  void gravacaoDepoisDeOutraEstacao_data();
  void gravacaoDepoisDeOutraEstacao();
  void regrasConferidasAoGravar_data();
  void regrasConferidasAoGravar();
  void exclui();
  void excluirInexistenteNadaMuda();
  void pessoa_data();
  void pessoa();
  void referente();
  void conexaoFechadaDaFalhaSemQuebrar();

private:
  std::unique_ptr<PastaTeste> pasta_;
};

void tst_RegistroRecibo::gravaECarrega() {
  QVERIFY(RegistroRecibo::Inserir(exemplo(7, 2026)));
  std::optional<Recibo> lido;
  QVERIFY(RegistroRecibo::Carregar(7, 2026, lido));
  QVERIFY(lido);
  QCOMPARE(lido->numero, 7);
  QCOMPARE(lido->ano, 2026);
  QCOMPARE(lido->dataEmissao, QDate(2026, 3, 15));
  QCOMPARE(lido->valor, 12345000);
  QCOMPARE(lido->recebi, 1);
  QCOMPARE(lido->emitente, 2);
  QCOMPARE(lido->referente, QStringLiteral("Aluguel de março\r\nconforme contrato"));
  QCOMPARE(lido->observacao, QStringLiteral("Pago em dinheiro"));
  QCOMPARE(lido->vias, QStringLiteral("2"));
  QCOMPARE(pasta_->valor(QStringLiteral("SELECT DataEmissao FROM tbRecibo")).toString(), QStringLiteral("2026-03-15"));

  QVERIFY(RegistroRecibo::Carregar(7, 2025, lido));
  QVERIFY(!lido);
}

void tst_RegistroRecibo::camposSaoAsColunasDoEsquema_data() {
  QTest::addColumn<int>("versao");
  for (int versao = 0; versao <= Esquema::VersaoAtual; ++versao)
    QTest::addRow("version %d", versao) << versao;
}

// The receipt's fields, described once, are the columns every version of the schema gives
// tbRecibo, in order, each added by the version it says.
void tst_RegistroRecibo::camposSaoAsColunasDoEsquema() {
  QFETCH(int, versao);
  QStringList descritas;
  for (const TabelaRecibo::Campo& campo : TabelaRecibo::Campos())
    if (campo.versao <= versao)
      descritas << campo.coluna;
  QStringList doEsquema;
  for (const auto& [tabela, colunas] : Esquema::Colunas(versao))
    if (tabela.compare(QLatin1String("tbRecibo"), Qt::CaseInsensitive) == 0)
      doEsquema = colunas;
  QCOMPARE(descritas, doEsquema);
}

void tst_RegistroRecibo::numeroExistenteRecusado() {
  QVERIFY(RegistroRecibo::Inserir(exemplo(3, 2026)));
  Recibo outro = exemplo(3, 2026);
  outro.valor = 10000;
  const Resultado r = RegistroRecibo::Inserir(outro);
  QVERIFY(!r);
  QCOMPARE(r.numero, RegistroRecibo::ErroNumeroExistente);
  QCOMPARE(r.erro, QStringLiteral("Já existe um recibo com o número 3 no ano de 2026."));
  QCOMPARE(pasta_->valor(QStringLiteral("SELECT Valor FROM tbRecibo")).toLongLong(), 12345000);
  // The same number in another year is another receipt.
  QVERIFY(RegistroRecibo::Inserir(exemplo(3, 2025)));
}

void tst_RegistroRecibo::atualiza() {
  QVERIFY(RegistroRecibo::Inserir(exemplo(1, 2026)));
  QVERIFY(RegistroRecibo::Inserir(exemplo(1, 2025)));
  Recibo r = exemplo(1, 2026);
  r.valor = 50000;
  r.emitente = 9;
  r.vias = QStringLiteral("1");
  std::optional<Recibo> carregado;
  QVERIFY(RegistroRecibo::Carregar(1, 2026, carregado));
  QVERIFY(RegistroRecibo::Atualizar(carregado.value(), r));
  std::optional<Recibo> lido;
  QVERIFY(RegistroRecibo::Carregar(1, 2026, lido));
  QCOMPARE(lido->valor, 50000);
  QCOMPARE(lido->emitente, 9);
  QCOMPARE(lido->vias, QStringLiteral("1"));
  QVERIFY(RegistroRecibo::Carregar(1, 2025, lido));
  QCOMPARE(lido->valor, 12345000);
}

void tst_RegistroRecibo::atualizarReciboApagadoFalha() {
  const Resultado r = RegistroRecibo::Atualizar(exemplo(4, 2026), exemplo(4, 2026));
  QVERIFY(!r);
  QCOMPARE(r.numero, RegistroRecibo::ErroReciboInexistente);
  QCOMPARE(pasta_->valor(QStringLiteral("SELECT COUNT(*) FROM tbRecibo")).toInt(), 0);
}

void tst_RegistroRecibo::gravacaoDepoisDeOutraEstacao_data() {
  QTest::addColumn<QStringList>("outraEstacao");  // what another desk wrote between the load and the save
  QTest::addColumn<int>("erro");                  // 0: saved
  QTest::newRow("nothing") << QStringList() << 0;
  QTest::newRow("the same values again") << QStringList{"UPDATE tbRecibo SET Valor=Valor"} << 0;
  QTest::newRow("the same number of another year") << QStringList{"UPDATE tbRecibo SET Valor=1 WHERE Ano=2025"} << 0;
  QTest::newRow("the amount") << QStringList{"UPDATE tbRecibo SET Valor=1 WHERE Ano=2026"} << RegistroAlterado::Erro;
  QTest::newRow("the beneficiary") << QStringList{"UPDATE tbRecibo SET Beneficiario=9 WHERE Ano=2026"}
                                   << RegistroAlterado::Erro;
  QTest::newRow("deleted, and another saved as 7/2026")
      << QStringList{"DELETE FROM tbRecibo WHERE Ano=2026",
                     "INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, Referente) "
                     "VALUES (7, 2026, '2026-03-15', 990000, 2, 1, 'Outro')"}
      << RegistroAlterado::Erro;
  QTest::newRow("deleted") << QStringList{"DELETE FROM tbRecibo WHERE Ano=2026"}
                           << RegistroRecibo::ErroReciboInexistente;
}

void tst_RegistroRecibo::gravacaoDepoisDeOutraEstacao() {
  QFETCH(QStringList, outraEstacao);
  QFETCH(int, erro);
  QVERIFY(RegistroRecibo::Inserir(exemplo(7, 2026)));
  QVERIFY(RegistroRecibo::Inserir(exemplo(7, 2025)));
  std::optional<Recibo> carregado;
  QVERIFY(RegistroRecibo::Carregar(7, 2026, carregado));
  for (const QString& sql : outraEstacao)
    QVERIFY(pasta_->executar(sql));
  const QStringList antes = PastaTeste::Linhas();

  Recibo alterado = carregado.value();
  alterado.valor = 770000;
  const Resultado r = RegistroRecibo::Atualizar(*carregado, alterado);
  QCOMPARE(r.numero, erro);
  if (erro == 0) {
    QCOMPARE(pasta_->valor(QStringLiteral("SELECT Valor FROM tbRecibo WHERE Ano=2026")).toLongLong(), 770000);
    return;
  }
  if (erro == RegistroAlterado::Erro)
    QCOMPARE(r.erro, RegistroAlterado::Falha().erro);
  QCOMPARE(PastaTeste::Linhas(), antes);  // the other desk's receipt as it left it
}

void tst_RegistroRecibo::regrasConferidasAoGravar_data() {
  QTest::addColumn<qint64>("recebi");
  QTest::addColumn<qint64>("emitente");
  QTest::addColumn<qint64>("beneficiario");  // 0: none
  QTest::addColumn<QString>("recusa");       // empty: saved
  const QString pessoa = QStringLiteral("Por favor, informe a pessoa necessária ao campo.");
  QTest::newRow("all registered") << qint64(1) << qint64(2) << qint64(9) << QString();
  QTest::newRow("no beneficiary") << qint64(1) << qint64(2) << qint64(0) << QString();
  QTest::newRow("payer not registered") << qint64(5) << qint64(2) << qint64(0) << pessoa;
  QTest::newRow("issuer not registered") << qint64(1) << qint64(6) << qint64(9) << pessoa;
  QTest::newRow("beneficiary not registered")
      << qint64(1) << qint64(2) << qint64(8) << "O beneficiário informado não está cadastrado.";
  QTest::newRow("issuer is the payer") << qint64(1) << qint64(1) << qint64(0)
                                       << "O emitente não pode ser a mesma pessoa de quem o valor foi recebido.";
}

// Whatever writes a receipt meets its rules in the store, the people read inside the writing
// transaction, on a new receipt and on a correction alike.
void tst_RegistroRecibo::regrasConferidasAoGravar() {
  QFETCH(qint64, recebi);
  QFETCH(qint64, emitente);
  QFETCH(qint64, beneficiario);
  QFETCH(QString, recusa);
  Recibo recibo = exemplo(3, 2026);
  recibo.recebi = recebi;
  recibo.emitente = emitente;
  if (beneficiario)
    recibo.beneficiario = beneficiario;
  const auto conferir = [&](const Resultado& r) {
    QCOMPARE(r.erro, recusa);
    QCOMPARE(r.numero, recusa.isEmpty() ? 0 : RegrasRecibo::ErroRegra);
  };
  conferir(RegistroRecibo::Inserir(recibo));
  if (QTest::currentTestFailed())
    return;
  QCOMPARE(pasta_->valor(QStringLiteral("SELECT COUNT(*) FROM tbRecibo")).toInt(), recusa.isEmpty() ? 1 : 0);
  QVERIFY(RegistroRecibo::Inserir(exemplo(4, 2026)));
  std::optional<Recibo> carregado;
  QVERIFY(RegistroRecibo::Carregar(4, 2026, carregado));
  recibo.numero = 4;
  conferir(RegistroRecibo::Atualizar(*carregado, recibo));
  if (!recusa.isEmpty())
    QCOMPARE(pasta_->valor(QStringLiteral("SELECT Recebi FROM tbRecibo WHERE Codigo=4")).toLongLong(), 1);
}

void tst_RegistroRecibo::exclui() {
  for (int n = 1; n <= 3; ++n)
    QVERIFY(RegistroRecibo::Inserir(exemplo(n, 2026)));
  QVERIFY(RegistroRecibo::Excluir(2, 2026));
  QCOMPARE(pasta_->valor(QStringLiteral("SELECT COUNT(*) || ':' || MIN(Codigo) || ',' || MAX(Codigo) FROM tbRecibo"))
               .toString(),
           QStringLiteral("2:1,3"));
  qint64 proximo = 0;
  QVERIFY(Numeracao::ProximoNumeroRecibo(2026, proximo));
  QCOMPARE(proximo, 4);  // a gap stays
  QVERIFY(RegistroRecibo::Excluir(3, 2026));
  QVERIFY(Numeracao::ProximoNumeroRecibo(2026, proximo));
  QCOMPARE(proximo, 2);  // the highest number comes back
}

void tst_RegistroRecibo::excluirInexistenteNadaMuda() {
  QVERIFY(RegistroRecibo::Inserir(exemplo(1, 2026)));
  const Resultado r = RegistroRecibo::Excluir(1, 2025);
  QVERIFY(!r);
  QCOMPARE(r.numero, RegistroRecibo::ErroReciboInexistente);
  QCOMPARE(pasta_->valor(QStringLiteral("SELECT COUNT(*) FROM tbRecibo")).toInt(), 1);
  QVERIFY(pasta_->executar(QStringLiteral("BEGIN")));  // no transaction was left open
  QVERIFY(pasta_->executar(QStringLiteral("ROLLBACK")));
}

void tst_RegistroRecibo::pessoa_data() {
  QTest::addColumn<qint64>("codigo");
  QTest::addColumn<bool>("existe");
  QTest::addColumn<int>("tipo");
  QTest::addColumn<QString>("documento1");
  QTest::addColumn<QString>("endereco");
  QTest::newRow("legal entity") << qint64(1) << true << 1 << "12ABC34501DE35"
                                << "Rua das Flores, 10";
  QTest::newRow("natural person") << qint64(2) << true << 0 << "52998224725"
                                  << "Av. Brasil, ";
  QTest::newRow("deleted person") << qint64(99) << false << 0 << ""
                                  << "";
}

void tst_RegistroRecibo::pessoa() {
  QFETCH(qint64, codigo);
  DadosPessoa dados;
  dados.documento1 = QStringLiteral("sobra de antes");
  QVERIFY(RegistroRecibo::BuscarPessoa(codigo, dados));
  QTEST(dados.existe, "existe");
  QTEST(dados.tipo, "tipo");
  QTEST(dados.documento1, "documento1");
  QTEST(dados.endereco, "endereco");
}

void tst_RegistroRecibo::referente() {
  QVERIFY(pasta_->executar(QStringLiteral("INSERT INTO tbReferente (Codigo, Descricao) VALUES (5, 'Honorários')")));
  std::optional<QString> texto;
  QVERIFY(RegistroRecibo::BuscarReferente(5, texto));
  QCOMPARE(texto.value_or(QString()), QStringLiteral("Honorários"));
  QVERIFY(RegistroRecibo::BuscarReferente(6, texto));
  QVERIFY(!texto);
}

void tst_RegistroRecibo::conexaoFechadaDaFalhaSemQuebrar() {
  Conexao::FecharConexao();
  std::optional<Recibo> lido;
  QVERIFY(!RegistroRecibo::Carregar(1, 2026, lido));
  QVERIFY(!RegistroRecibo::Inserir(exemplo(1, 2026)));
  QVERIFY(!RegistroRecibo::Atualizar(exemplo(1, 2026), exemplo(1, 2026)));
  QVERIFY(!RegistroRecibo::Excluir(1, 2026));
  DadosPessoa dados;
  QVERIFY(!RegistroRecibo::BuscarPessoa(1, dados));
}

QTEST_GUILESS_MAIN(tst_RegistroRecibo)
#include "tst_RegistroRecibo.moc"
