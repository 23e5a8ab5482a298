#include "app/core/Conexao.h"
#include "app/core/ErroBanco.h"
#include "app/core/Numeracao.h"
#include "app/core/Plataforma.h"
#include "app/core/TextoDobrado.h"

#include "tests/support/PastaTeste.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <sys/stat.h>

class tst_Conexao : public QObject {
  Q_OBJECT

private slots:
  void abreBancoExistente();
  void arquivoAusenteNuncaECriado();
  void arquivoQueNaoEBanco();
  void bancoSemAsTabelas();
  void fecharEReabrir();
  void proximoCodigo();
  void proximoNumeroReciboPorAno();
  void dobrarTexto_data();
  void dobrarTexto();
  void buscaSemAcentoNoBanco();
  void conexaoReabreArquivoSubstituido();
  void errosDoBancoEmPortugues_data();
  void errosDoBancoEmPortugues();
  void bancoCriadoEhPrivado();
};

void tst_Conexao::abreBancoExistente() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  QVERIFY(Conexao::Banco().isOpen());
  QCOMPARE(pasta.valor(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
  QCOMPARE(pasta.valor(QStringLiteral("PRAGMA synchronous")).toInt(), 2);
}

void tst_Conexao::arquivoAusenteNuncaECriado() {
  PastaTeste pasta(false);
  const Resultado r = Conexao::AbrirConexao();
  QVERIFY(!r);
  QVERIFY(r.erro.contains(QStringLiteral("bdRecibo.mdb")));
  QVERIFY(!QFile::exists(pasta.banco()));
  QVERIFY(!Conexao::Banco().isOpen());
}

void tst_Conexao::arquivoQueNaoEBanco() {
  PastaTeste pasta(false);
  QFile arquivo(pasta.banco());
  QVERIFY(arquivo.open(QIODevice::WriteOnly));
  const QByteArray lixo(4096, 'x');
  arquivo.write(lixo);
  arquivo.close();
  const Resultado r = Conexao::AbrirConexao();
  QVERIFY(!r);
  QCOMPARE(r.numero, 26);  // SQLITE_NOTADB
  QVERIFY(arquivo.open(QIODevice::ReadOnly));
  QCOMPARE(arquivo.readAll(), lixo);
}

void tst_Conexao::bancoSemAsTabelas() {
  PastaTeste pasta(false);
  {
    QSqlDatabase outro = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("outro"));
    outro.setDatabaseName(pasta.banco());
    QVERIFY(outro.open());
    QSqlQuery(outro).exec(QStringLiteral("CREATE TABLE tbPessoa (Codigo INTEGER)"));
    outro.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("outro"));
  const Resultado r = Conexao::AbrirConexao();
  QVERIFY(!r);
  QVERIFY2(r.erro.contains(QStringLiteral("Talonix")), qPrintable(r.erro));
}

void tst_Conexao::fecharEReabrir() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  QVERIFY(pasta.executar(QStringLiteral("INSERT INTO tbReferente (Codigo, Descricao) VALUES (1, 'Aluguel')")));
  Conexao::FecharConexao();
  QVERIFY(!Conexao::Banco().isOpen());
  Conexao::FecharConexao();  // closing twice is harmless
  QVERIFY(pasta.abrir());
  QCOMPARE(pasta.valor(QStringLiteral("SELECT Descricao FROM tbReferente")).toString(), QStringLiteral("Aluguel"));
}

void tst_Conexao::proximoCodigo() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  qint64 codigo = 0;
  QVERIFY(Numeracao::ProximoCodigo(Numeracao::Cadastro::Pessoa, codigo));
  QCOMPARE(codigo, 1);
  QVERIFY(pasta.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (41, 'A'), (7, 'B')")));
  QVERIFY(Numeracao::ProximoCodigo(Numeracao::Cadastro::Pessoa, codigo));
  QCOMPARE(codigo, 42);
  QVERIFY(Numeracao::ProximoCodigo(Numeracao::Cadastro::Referente, codigo));
  QCOMPARE(codigo, 1);

  Conexao::FecharConexao();
  QVERIFY(!Numeracao::ProximoCodigo(Numeracao::Cadastro::Pessoa, codigo));
}

void tst_Conexao::proximoNumeroReciboPorAno() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  QVERIFY(pasta.executar(QStringLiteral(
      "INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente) VALUES "
      "(1, 2025, '2025-01-02', 0, 1, 2), (2, 2025, '2025-03-02', 0, 1, 2), (9, 2025, '2025-05-02', 0, 1, 2), "
      "(3, 2026, '2026-01-02', 0, 1, 2)")));
  qint64 numero = 0;
  QVERIFY(Numeracao::ProximoNumeroRecibo(2025, numero));
  QCOMPARE(numero, 10);
  QVERIFY(Numeracao::ProximoNumeroRecibo(2026, numero));
  QCOMPARE(numero, 4);
  QVERIFY(Numeracao::ProximoNumeroRecibo(2027, numero));
  QCOMPARE(numero, 1);
  // Deleting the highest number of a year gives it again; a gap elsewhere stays.
  QVERIFY(pasta.executar(QStringLiteral("DELETE FROM tbRecibo WHERE Ano=2025 AND Codigo IN (2, 9)")));
  QVERIFY(Numeracao::ProximoNumeroRecibo(2025, numero));
  QCOMPARE(numero, 2);
}

void tst_Conexao::dobrarTexto_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<QString>("dobrado");
  QTest::newRow("ascii") << "Maria SILVA"
                         << "maria silva";
  QTest::newRow("accents") << "João Antônio Conceição"
                           << "joao antonio conceicao";
  QTest::newRow("capital accents") << "ÁÉÍÓÚ ÂÊÔ ÃÕ À Ç Ü"
                                   << "aeiou aeo ao a c u";
  QTest::newRow("letters without a base kept") << "Æß"
                                               << "æß";
  QTest::newRow("other scripts untouched") << "Ωmega €"
                                           << "Ωmega €";
}

void tst_Conexao::dobrarTexto() {
  QFETCH(QString, texto);
  QTEST(TextoDobrado::dobrar(texto), "dobrado");
}

void tst_Conexao::buscaSemAcentoNoBanco() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  QVERIFY(pasta.executar(QStringLiteral(
      "INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'João da Silva'), (2, 'JOANA'), (3, 'd''Ávila 100%')")));
  const auto achados = [](const QString& termo) {
    QSqlQuery consulta(Conexao::Banco());
    consulta.prepare(QStringLiteral("SELECT Codigo FROM tbPessoa WHERE talonix_contem(Descricao, ?) ORDER BY Codigo"));
    consulta.addBindValue(termo);
    consulta.exec();
    QList<int> codigos;
    while (consulta.next())
      codigos.append(consulta.value(0).toInt());
    return codigos;
  };
  QCOMPARE(achados(QStringLiteral("joao")), QList<int>({1}));
  QCOMPARE(achados(QStringLiteral("JOÃO")), QList<int>({1}));
  QCOMPARE(achados(QStringLiteral("jo")), QList<int>({1, 2}));
  QCOMPARE(achados(QStringLiteral("d'avila")), QList<int>({3}));
  QCOMPARE(achados(QStringLiteral("%")), QList<int>({3}));
  QCOMPARE(achados(QStringLiteral("_")), QList<int>());
  QCOMPARE(achados(QString()), QList<int>({1, 2, 3}));
}

// Another process renamed a new database over the one this connection opened: the next operation
// reads and writes the new file, not the old one that no longer has a name.
void tst_Conexao::conexaoReabreArquivoSubstituido() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  const QString novo = pasta.banco() + QStringLiteral(".novo");
  QVERIFY(QFile::copy(pasta.banco(), novo));
  QVERIFY(Conexao::AbrirArquivo(QStringLiteral("outro"), novo));
  QVERIFY(QSqlQuery(QSqlDatabase::database(QStringLiteral("outro"), false))
              .exec(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Nova')")));
  Conexao::Descartar(QStringLiteral("outro"));
  QVERIFY(Plataforma::Renomear(novo, pasta.banco()));

  QCOMPARE(pasta.valor(QStringLiteral("SELECT Descricao FROM tbPessoa WHERE Codigo=1")).toString(),
           QStringLiteral("Nova"));
  QVERIFY(pasta.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (2, 'Depois')")));
  Conexao::FecharConexao();
  QVERIFY(pasta.abrir());
  QCOMPARE(pasta.valor(QStringLiteral("SELECT COUNT(*) FROM tbPessoa")).toInt(), 2);
}

// The store's own failures reach the operator in Portuguese, with their number kept.
void tst_Conexao::errosDoBancoEmPortugues_data() {
  QTest::addColumn<int>("numero");
  QTest::addColumn<QString>("texto");
  QTest::newRow("ocupado") << 5 << QStringLiteral("database is locked");
  QTest::newRow("tabela travada") << 6 << QStringLiteral("database table is locked");
  QTest::newRow("pasta só de leitura") << 8 << QStringLiteral("attempt to write a readonly database");
  QTest::newRow("arquivo trocado") << 1032 << QStringLiteral("attempt to write a readonly database");
  QTest::newRow("disco cheio") << 13 << QStringLiteral("database or disk is full");
  QTest::newRow("erro de disco") << 10 << QStringLiteral("disk I/O error");
  QTest::newRow("não abre") << 14 << QStringLiteral("unable to open database file");
  QTest::newRow("danificado") << 11 << QStringLiteral("database disk image is malformed");
  QTest::newRow("não é banco") << 26 << QStringLiteral("file is not a database");
}

void tst_Conexao::errosDoBancoEmPortugues() {
  QFETCH(int, numero);
  QFETCH(QString, texto);
  const Resultado r = ErroBanco::Falha(
      QSqlError(QStringLiteral("Unable to fetch row"), texto, QSqlError::StatementError, QString::number(numero)));
  QVERIFY(!r);
  QCOMPARE(r.numero, numero);
  QVERIFY2(!r.erro.contains(QStringLiteral("database")) && !r.erro.contains(QStringLiteral("Unable")),
           qPrintable(r.erro));
  QVERIFY(r.erro.contains(QStringLiteral("banco de dados")) || r.erro.contains(QStringLiteral("disco")));
}

// Receipts hold personal data: a database the program makes is its owner's alone.
void tst_Conexao::bancoCriadoEhPrivado() {
  PastaTeste pasta;
  struct stat dados {};
  QCOMPARE(::stat(QFile::encodeName(pasta.banco()).constData(), &dados), 0);
  QCOMPARE(dados.st_mode & 0777, 0600u);
  QVERIFY(pasta.abrir());
}

QTEST_GUILESS_MAIN(tst_Conexao)
#include "tst_Conexao.moc"
