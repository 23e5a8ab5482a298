// The store as every screen sees it, on the desk's file or, when the run names one, on the
// office's server: the same cases, the same answers.
#include "app/core/Conexao.h"
#include "app/core/CopiaTabelas.h"
#include "app/core/Dialeto.h"
#include "app/core/Esquema.h"
#include "app/core/Numeracao.h"
#include "app/core/TextoDobrado.h"
#include "app/core/modGeral.h"
#include "receipts/RegistroRecibo.h"

#include "tests/support/PastaTeste.h"
#include "tests/support/ServidorTeste.h"

#include <QSemaphore>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QtTest>

namespace {

// A second desk: its own connection to the same database, in a thread of its own.
QSqlDatabase outraConexao(const PastaTeste& pasta, const QString& nome) {
  if (!ServidorTeste::Ativo()) {
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
    banco.setDatabaseName(pasta.banco());
    banco.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    banco.open();
    return banco;
  }
  QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nome);
  banco.setHostName(QStringLiteral("127.0.0.1"));
  banco.setPort(ServidorTeste::Porta());
  banco.setDatabaseName(pasta.bancoServidor());
  banco.setUserName(QStringLiteral("postgres"));
  banco.open();
  return banco;
}

// Saves receipt `numero` of `ano` in a transaction that it keeps open a while after the row is
// written, as a desk does that found the number free a moment before this one.
class DeskConcorrente : public QThread {
public:
  DeskConcorrente(const PastaTeste& pasta, qint64 numero, int ano) : pasta_(pasta), numero_(numero), ano_(ano) {}
  QSemaphore gravou;
  QString erro;

protected:
  void run() override {
    const QString nome = QStringLiteral("outra_estacao");
    {
      QSqlDatabase banco = outraConexao(pasta_, nome);
      QSqlQuery comando(banco);
      const bool ok = comando.exec(Dialeto::InicioEscrita(Dialeto::De(banco))) &&
                      comando.exec(QStringLiteral("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, "
                                                  "Emitente) VALUES (%1, %2, '%2-05-01', 10000, 1, 1)")
                                       .arg(numero_)
                                       .arg(ano_));
      if (!ok)
        erro = comando.lastError().text();
      gravou.release();
      QThread::msleep(600);
      if (ok && !comando.exec(QStringLiteral("COMMIT")))
        erro = comando.lastError().text();
      banco.close();
    }
    QSqlDatabase::removeDatabase(nome);
  }

private:
  const PastaTeste& pasta_;
  qint64 numero_;
  int ano_;
};

Recibo recibo(qint64 numero, int ano) {
  Recibo r;
  r.numero = numero;
  r.ano = ano;
  r.dataEmissao = QDate(ano, 5, 2);
  r.valor = 250000;
  r.recebi = 1;
  r.emitente = 2;
  r.referente = QStringLiteral("Consulta");
  r.observacao = QStringLiteral("Pago em dinheiro");
  return r;
}

QVariant texto(const char* utf8) {
  return utf8 == nullptr ? QVariant(QMetaType::fromType<QString>()) : QVariant(QString::fromUtf8(utf8));
}

}  // namespace

class tst_BancoDados : public QObject {
  Q_OBJECT

private slots:
  void init() {
    pasta_ = std::make_unique<PastaTeste>();
    QVERIFY(pasta_->abrir());
  }
  void cleanup() { pasta_.reset(); }

  void esquemaNaVersaoAtual();
  void esquemaIncompletoRecusado_data();
  void esquemaIncompletoRecusado();
  void versaoMaisNovaRecusada();
  void bancoVazio();
  void dobra_data();
  void dobra();
  void contem_data();
  void contem();
  void numeroGravadoAoMesmoTempoRecusado();
  void tabelasEmOutroEsquema_data();
  void tabelasEmOutroEsquema();
  void servidorOcupado_data();
  void servidorOcupado();

private:
  std::unique_ptr<PastaTeste> pasta_;
};

void tst_BancoDados::esquemaNaVersaoAtual() {
  // Opening again finds the schema made, and makes nothing twice.
  for (int vez = 0; vez < 2; ++vez) {
    QSqlDatabase banco = Conexao::Banco();
    int versao = -1;
    QVERIFY(Esquema::LerVersao(banco, versao));
    QCOMPARE(versao, Esquema::VersaoAtual);
    QCOMPARE(Dialeto::De(banco), ServidorTeste::Ativo() ? Dialeto::Tipo::Postgresql : Dialeto::Tipo::Sqlite);
    banco = QSqlDatabase();
    Conexao::FecharConexao();
    QVERIFY(pasta_->abrir());
  }
  if (ServidorTeste::Ativo())
    QCOMPARE(pasta_->valor(QStringLiteral("SELECT COUNT(*) FROM ") + Dialeto::TabelaVersao).toInt(), 1);
}

void tst_BancoDados::esquemaIncompletoRecusado_data() {
  QTest::addColumn<QString>("tabela");
  QTest::newRow("sem recibos") << QStringLiteral("tbRecibo");
  QTest::newRow("sem pessoas") << QStringLiteral("tbPessoa");
  QTest::newRow("sem referentes") << QStringLiteral("tbReferente");
}

void tst_BancoDados::esquemaIncompletoRecusado() {
  QFETCH(QString, tabela);
  QVERIFY(pasta_->executar(QStringLiteral("INSERT INTO tbReferente (Codigo, Descricao) VALUES (3, 'Aluguel')")));
  QVERIFY(pasta_->executar(QStringLiteral("DROP TABLE ") + tabela));
  Conexao::FecharConexao();
  const Resultado aberta = Conexao::AbrirConexao();
  QVERIFY(!aberta);
  QVERIFY2(aberta.erro.contains(QStringLiteral("Talonix")), qPrintable(aberta.erro));
  // The refusal changed nothing: the missing table was not made again over the others' rows.
  QSqlDatabase outra = outraConexao(*pasta_, QStringLiteral("conferencia"));
  {
    QSqlQuery consulta(outra);
    QCOMPARE(consulta.exec(QStringLiteral("SELECT COUNT(*) FROM ") + tabela), false);
    if (tabela != QLatin1String("tbReferente")) {
      QVERIFY(consulta.exec(QStringLiteral("SELECT Descricao FROM tbReferente WHERE Codigo = 3")));
      QVERIFY(consulta.next());
      QCOMPARE(consulta.value(0).toString(), QStringLiteral("Aluguel"));
    }
  }
  outra.close();
  outra = QSqlDatabase();
  QSqlDatabase::removeDatabase(QStringLiteral("conferencia"));
}

void tst_BancoDados::versaoMaisNovaRecusada() {
  QVERIFY(pasta_->executar(Dialeto::GravacaoVersao(Dialeto::De(Conexao::Banco()), Esquema::VersaoAtual + 1)));
  Conexao::FecharConexao();
  const Resultado aberta = Conexao::AbrirConexao();
  QVERIFY(!aberta);
  QCOMPARE(aberta.numero, Esquema::ErroVersaoNova);
}

void tst_BancoDados::bancoVazio() {
  // The server's empty database gets the schema; the desk never makes a database of an empty file.
  if (!ServidorTeste::Ativo()) {
    Conexao::FecharConexao();
    QFile arquivo(pasta_->banco());
    QVERIFY(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
    arquivo.close();
    QVERIFY(!Conexao::AbrirConexao());
    QCOMPARE(QFileInfo(pasta_->banco()).size(), 0);
    return;
  }
  for (const char* tabela : {"tbPessoa", "tbReferente", "tbRecibo"})
    QVERIFY(pasta_->valor(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(tabela))).isValid());
  QCOMPARE(pasta_->valor(QStringLiteral("SELECT versao FROM ") + Dialeto::TabelaVersao).toInt(), Esquema::VersaoAtual);
}

void tst_BancoDados::dobra_data() {
  QTest::addColumn<QVariant>("texto");
  QTest::addColumn<QVariant>("dobrado");
  QTest::newRow("acentos e caixa") << texto("João ÁVILA Conceição") << texto("joao avila conceicao");
  QTest::newRow("todas as vogais") << texto("àáâãäåÀÁÂÃÄÅèéêëÈÉÊËìíîïÌÍÎÏòóôõöÒÓÔÕÖùúûüÙÚÛÜ")
                                   << texto("aaaaaaaaaaaaeeeeeeeeiiiiiiiioooooooooouuuuuuuu");
  QTest::newRow("ç, ñ e ý") << texto("ÇçÑñÝýÿ") << texto("ccnnyyy");
  QTest::newRow("letras sem base") << texto("ÆæÐðØøÞþßׯ") << texto("ææððøøþþßׯ");
  QTest::newRow("fora do Latin-1") << texto("ŒuvrE Ł €") << texto("Œuvre Ł €");
  QTest::newRow("sinais ficam") << texto("O'Brien 100% a_b \"x\"") << texto("o'brien 100% a_b \"x\"");
  QTest::newRow("vazio") << texto("") << texto("");
  QTest::newRow("nulo") << texto(nullptr) << texto(nullptr);
}

void tst_BancoDados::dobra() {
  QFETCH(QVariant, texto);
  QFETCH(QVariant, dobrado);
  if (!texto.isNull())
    QCOMPARE(TextoDobrado::dobrar(texto.toString()), dobrado.toString());
  QSqlQuery consulta(Conexao::Banco());
  QVERIFY(consulta.prepare(QStringLiteral("SELECT talonix_dobra(?)")));
  consulta.addBindValue(texto);
  QVERIFY2(consulta.exec() && consulta.next(), qPrintable(consulta.lastError().text()));
  QCOMPARE(consulta.value(0).isNull(), dobrado.isNull());
  QCOMPARE(consulta.value(0).toString(), dobrado.toString());
}

void tst_BancoDados::contem_data() {
  QTest::addColumn<QVariant>("texto");
  QTest::addColumn<QVariant>("termo");
  QTest::addColumn<bool>("esperado");
  QTest::newRow("sem acento acha acentuado") << texto("João da Silva") << texto("joao") << true;
  QTest::newRow("acentuado acha sem acento") << texto("Joao") << texto("JOÃO") << true;
  QTest::newRow("no meio") << texto("Padaria Conceição") << texto("ceica") << true;
  QTest::newRow("ausente") << texto("Maria") << texto("joão") << false;
  QTest::newRow("termo vazio acha tudo") << texto("Maria") << texto("") << true;
  QTest::newRow("termo nulo acha tudo") << texto("Maria") << texto(nullptr) << true;
  QTest::newRow("texto nulo só sem termo") << texto(nullptr) << texto("a") << false;
  QTest::newRow("texto nulo, termo vazio") << texto(nullptr) << texto("") << true;
  QTest::newRow("por cento é literal") << texto("abc") << texto("%") << false;
  QTest::newRow("por cento achado") << texto("100%") << texto("0%") << true;
  QTest::newRow("sublinhado é literal") << texto("ab") << texto("_") << false;
  QTest::newRow("apóstrofo") << texto("O'Brien") << texto("o'b") << true;
}

void tst_BancoDados::contem() {
  QFETCH(QVariant, texto);
  QFETCH(QVariant, termo);
  QFETCH(bool, esperado);
  QSqlQuery consulta(Conexao::Banco());
  QVERIFY(consulta.prepare(QStringLiteral("SELECT Codigo FROM tbReferente WHERE talonix_contem(Descricao, ?)")));
  if (texto.isNull()) {
    // Descricao admits no Null: a Null text is checked on an expression.
    QVERIFY(consulta.prepare(QStringLiteral("SELECT 1 WHERE talonix_contem(NULL, ?)")));
  } else {
    QVERIFY(pasta_->executar(QStringLiteral("INSERT INTO tbReferente (Codigo, Descricao) VALUES (1, ?)"), {texto}));
  }
  consulta.addBindValue(termo);
  QVERIFY2(consulta.exec(), qPrintable(consulta.lastError().text()));
  QCOMPARE(consulta.next(), esperado);
}

void tst_BancoDados::numeroGravadoAoMesmoTempoRecusado() {
  // The other desk writes number 5 after this one could still find it free; the key decides.
  QVERIFY(pasta_->executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Ana'), (2, 'Bia')")));
  DeskConcorrente outra(*pasta_, 5, 2026);
  outra.start();
  outra.gravou.acquire();
  const Resultado r = RegistroRecibo::Inserir(recibo(5, 2026));
  QVERIFY(outra.wait(10000));
  QVERIFY2(outra.erro.isEmpty(), qPrintable(outra.erro));
  QVERIFY(!r);
  QVERIFY2(r.numero == RegistroRecibo::ErroNumeroExistente, qPrintable(r.erro));
  QCOMPARE(r.erro, QStringLiteral("Já existe um recibo com o número 5 no ano de 2026."));
  // Nothing of this desk's receipt was written; the other's stands, and the next number is free.
  QCOMPARE(pasta_->valor(QStringLiteral("SELECT COUNT(*) FROM tbRecibo")).toInt(), 1);
  QCOMPARE(pasta_->valor(QStringLiteral("SELECT Valor FROM tbRecibo WHERE Codigo = 5")).toLongLong(), 10000);
  const Resultado seguinte = RegistroRecibo::Inserir(recibo(6, 2026));
  QVERIFY2(seguinte, qPrintable(seguinte.erro));
}

void tst_BancoDados::tabelasEmOutroEsquema_data() {
  QTest::addColumn<QStringList>("preparo");
  QTest::addColumn<bool>("abre");
  QTest::addColumn<int>("noEsquemaDoUsuario");
  // The test logs in as postgres: a schema of that name comes first on the default search path
  // ("$user", public), ahead of the tables the first start made in public.
  const QString esquema = QStringLiteral("CREATE SCHEMA postgres");
  QTest::newRow("esquema vazio com o nome do usuário") << QStringList{esquema} << true << 0;
  QTest::newRow("outro conjunto no esquema do usuário")
      << QStringList{esquema, QStringLiteral("CREATE TABLE postgres.tbpessoa (LIKE public.tbpessoa)")} << false << 1;
  QTest::newRow("tabelas separadas em dois esquemas")
      << QStringList{esquema, QStringLiteral("ALTER TABLE public.tbrecibo SET SCHEMA postgres")} << false << 1;
}

// The office's tables are found wherever the search path finds them; a second set is never made
// beside them, and tables spread over two schemas are refused.
void tst_BancoDados::tabelasEmOutroEsquema() {
  if (!ServidorTeste::Ativo())
    QSKIP("A desk's file has no schemas.");
  QFETCH(QStringList, preparo);
  QFETCH(bool, abre);
  QFETCH(int, noEsquemaDoUsuario);
  QVERIFY(pasta_->executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Do escritório')")));
  for (const QString& sql : std::as_const(preparo))
    QVERIFY(pasta_->executar(sql));
  Conexao::FecharConexao();
  const Resultado aberta = Conexao::AbrirConexao();
  QVERIFY2(aberta.ok == abre, qPrintable(aberta.erro));
  if (abre)
    QCOMPARE(pasta_->valor(QStringLiteral("SELECT Descricao FROM tbPessoa")).toString(),
             QStringLiteral("Do escritório"));
  else
    QVERIFY2(aberta.erro.contains(QStringLiteral("mais de um esquema")), qPrintable(aberta.erro));
  QSqlDatabase outra = outraConexao(*pasta_, QStringLiteral("conferencia"));
  {
    QSqlQuery consulta(outra);
    QVERIFY(consulta.exec(QStringLiteral("SELECT COUNT(*) FROM pg_tables WHERE schemaname = 'postgres'")));
    QVERIFY(consulta.next());
    QCOMPARE(consulta.value(0).toInt(), noEsquemaDoUsuario);
  }
  outra.close();
  outra = QSqlDatabase();
  QSqlDatabase::removeDatabase(QStringLiteral("conferencia"));
}

void tst_BancoDados::servidorOcupado_data() {
  QTest::addColumn<int>("operacao");
  QTest::newRow("próximo número de recibo") << 0;
  QTest::newRow("próximo código de pessoa") << 1;
  QTest::newRow("abertura de outra estação") << 2;
}

// While a restore holds the tables, what the desk does waits for them a while and then is told
// that the database is busy; once they are free, it works.
void tst_BancoDados::servidorOcupado() {
  if (!ServidorTeste::Ativo())
    QSKIP("The desk's file is kept apart by its own lock.");
  QFETCH(int, operacao);
  const auto operar = [operacao] {
    qint64 numero = 0;
    switch (operacao) {
    case 0:
      return Numeracao::ProximoNumeroRecibo(2026, numero);
    case 1:
      return Numeracao::ProximoCodigo(Numeracao::Cadastro::Pessoa, numero);
    default:
      Conexao::FecharConexao();
      return Conexao::AbrirConexao();
    }
  };
  QSqlDatabase restauracao = outraConexao(*pasta_, QStringLiteral("restauracao"));
  {
    QSqlQuery trava(restauracao);
    QVERIFY(trava.exec(QStringLiteral("BEGIN")));
    QVERIFY(trava.exec(Dialeto::TravaTabelasServidor(CopiaTabelas::Tabelas())));
    const Resultado ocupado = operar();
    QVERIFY(!ocupado);
    QVERIFY2(ocupado.erro.contains(QStringLiteral("está ocupado")), qPrintable(ocupado.erro));
    QVERIFY(trava.exec(QStringLiteral("ROLLBACK")));
  }
  const Resultado livre = operar();
  QVERIFY2(livre, qPrintable(livre.erro));
  restauracao.close();
  restauracao = QSqlDatabase();
  QSqlDatabase::removeDatabase(QStringLiteral("restauracao"));
}

QTEST_MAIN(tst_BancoDados)
#include "tst_BancoDados.moc"
