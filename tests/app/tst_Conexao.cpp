#include "app/core/Conexao.h"
#include "app/core/ConfiguracaoBanco.h"
#include "app/core/Dialeto.h"
#include "app/core/ErroBanco.h"
#include "app/core/Numeracao.h"
#include "app/core/Plataforma.h"
#include "app/core/TextoDobrado.h"
#include "app/core/modGeral.h"

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
  void errosDoServidorEmPortugues_data();
  void errosDoServidorEmPortugues();
  void falhaNuncaSemTexto_data();
  void falhaNuncaSemTexto();
  void chaveDuplicada_data();
  void chaveDuplicada();
  void configuracao_data();
  void configuracao();
  void pastaDeRede_data();
  void pastaDeRede();
  void tipoSistemaArquivos_data();
  void tipoSistemaArquivos();
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

void tst_Conexao::errosDoServidorEmPortugues_data() {
  QTest::addColumn<QString>("estado");
  QTest::addColumn<QString>("texto");
  QTest::addColumn<QString>("esperado");
  const QString ocupado = QStringLiteral("ocupado");
  QTest::newRow("trava não obtida") << "55P03"
                                    << "canceling statement due to lock timeout" << ocupado;
  QTest::newRow("impasse") << "40P01"
                           << "deadlock detected" << ocupado;
  QTest::newRow("serialização") << "40001"
                                << "could not serialize access" << ocupado;
  QTest::newRow("conexão caiu") << "08006"
                                << "server closed the connection unexpectedly"
                                << "perdida";
  QTest::newRow("servidor desligado") << "57P01"
                                      << "terminating connection due to administrator command"
                                      << "perdida";
  // libpq's own failures carry no SQLSTATE.
  QTest::newRow("conexão fechada pelo servidor") << ""
                                                 << "server closed the connection unexpectedly"
                                                 << "perdida";
  QTest::newRow("sem conexão") << ""
                               << "no connection to the server"
                               << "perdida";
  QTest::newRow("tempo de comando esgotado") << "57014"
                                             << "canceling statement due to statement timeout" << ocupado;
  QTest::newRow("sem permissão") << "42501"
                                 << "permission denied for table tbrecibo"
                                 << "permissão";
  QTest::newRow("disco cheio") << "53100"
                               << "could not extend file"
                               << "espaço";
  // What has no translation keeps the server's own text.
  QTest::newRow("outro") << "22P02"
                         << "invalid input syntax for type bigint"
                         << "invalid input syntax";
}

void tst_Conexao::errosDoServidorEmPortugues() {
  QFETCH(QString, estado);
  QFETCH(QString, texto);
  QFETCH(QString, esperado);
  const Resultado r = ErroBanco::Falha(
      QSqlError(QStringLiteral("QPSQL: Unable to create query"), texto, QSqlError::StatementError, estado));
  QVERIFY(!r);
  QCOMPARE(r.numero, -1);
  QVERIFY2(r.erro.contains(esperado), qPrintable(r.erro));
  QVERIFY2(!r.erro.contains(QStringLiteral("QPSQL")), qPrintable(r.erro));
}

// Whatever the driver left out, the operator reads a reason, with the number there was.
void tst_Conexao::falhaNuncaSemTexto_data() {
  QTest::addColumn<QSqlError>("erro");
  QTest::addColumn<QString>("esperado");
  QTest::newRow("SQLite sem texto") << QSqlError(QString(), QString(), QSqlError::StatementError, QStringLiteral("1"))
                                    << "(código 1)";
  QTest::newRow("servidor sem texto") << QSqlError(QStringLiteral(" "), QString(), QSqlError::StatementError,
                                                   QStringLiteral("XX000"))
                                      << "(código XX000)";
  QTest::newRow("sem texto nem número") << QSqlError(QString(), QString(), QSqlError::TransactionError)
                                        << "não informou o motivo.";
  // Qt refuses a statement on a closed connection before the driver sees it, leaving no error.
  QTest::newRow("nenhum erro") << QSqlError() << "não está aberta";
}

void tst_Conexao::falhaNuncaSemTexto() {
  QFETCH(QSqlError, erro);
  QFETCH(QString, esperado);
  const Resultado r = ErroBanco::Falha(erro);
  QVERIFY(!r);
  QVERIFY2(r.erro.contains(esperado), qPrintable(r.erro));
}

void tst_Conexao::chaveDuplicada_data() {
  QTest::addColumn<QString>("codigo");
  QTest::addColumn<bool>("duplicada");
  QTest::newRow("servidor: chave única") << "23505" << true;
  QTest::newRow("servidor: chave estrangeira") << "23503" << false;
  QTest::newRow("servidor: nulo") << "23502" << false;
  QTest::newRow("SQLite: chave primária") << "1555" << true;
  QTest::newRow("SQLite: índice único") << "2067" << true;
  QTest::newRow("SQLite: nulo") << "1299" << false;
  QTest::newRow("SQLite: ocupado") << "5" << false;
  QTest::newRow("sem código") << "" << false;
}

void tst_Conexao::chaveDuplicada() {
  QFETCH(QString, codigo);
  QTEST(Dialeto::ChaveDuplicada(QSqlError(QString(), QStringLiteral("x"), QSqlError::StatementError, codigo)),
        "duplicada");
}

void tst_Conexao::configuracao_data() {
  QTest::addColumn<QString>("secao");
  QTest::addColumn<bool>("aceita");
  QTest::addColumn<int>("tipo");
  QTest::addColumn<QString>("servidor");
  QTest::addColumn<int>("porta");
  QTest::addColumn<bool>("permitirRede");
  const int sqlite = static_cast<int>(Dialeto::Tipo::Sqlite);
  const int pg = static_cast<int>(Dialeto::Tipo::Postgresql);
  QTest::newRow("sem seção: o arquivo") << "" << true << sqlite << "localhost" << 5432 << false;
  QTest::newRow("servidor completo") << "tipo=postgresql\nservidor=10.0.0.5\nporta=5433\nnome=loja\nusuario=caixa"
                                     << true << pg << "10.0.0.5" << 5433 << false;
  QTest::newRow("tipo em qualquer caixa") << "Tipo = PostgreSQL" << true << pg << "localhost" << 5432 << false;
  QTest::newRow("arquivo com risco aceito")
      << "tipo=sqlite\npermitir_rede=1" << true << sqlite << "localhost" << 5432 << true;
  QTest::newRow("permitir_rede só com 1") << "permitir_rede=sim" << true << sqlite << "localhost" << 5432 << false;
  QTest::newRow("tipo desconhecido") << "tipo=mysql" << false << sqlite << "" << 0 << false;
  QTest::newRow("porta não numérica") << "tipo=postgresql\nporta=abc" << false << sqlite << "" << 0 << false;
  QTest::newRow("porta fora da faixa") << "tipo=postgresql\nporta=70000" << false << sqlite << "" << 0 << false;
}

void tst_Conexao::configuracao() {
  QFETCH(QString, secao);
  QFETCH(bool, aceita);
  PastaTeste pasta(false);
  QFile ini(modGeral::ArquivoIni());
  QVERIFY(ini.open(QIODevice::WriteOnly));
  ini.write(
      (secao.isEmpty() ? QStringLiteral("[outra]\nx=1\n") : QStringLiteral("[banco]\n") + secao + u'\n').toUtf8());
  ini.close();
  ConfiguracaoBanco c;
  const Resultado r = ConfiguracaoBanco::Ler(c);
  QCOMPARE(r.ok, aceita);
  if (!aceita) {
    QVERIFY2(r.erro.contains(QStringLiteral("[banco]")), qPrintable(r.erro));
    return;
  }
  QTEST(static_cast<int>(c.tipo), "tipo");
  QTEST(c.servidor, "servidor");
  QTEST(c.porta, "porta");
  QTEST(c.permitirRede, "permitirRede");
}

void tst_Conexao::pastaDeRede_data() {
  QTest::addColumn<QString>("tipo");
  QTest::addColumn<bool>("rede");
  QTest::newRow("nfs") << "nfs" << true;
  QTest::newRow("nfs4") << "nfs4" << true;
  QTest::newRow("cifs") << "cifs" << true;
  QTest::newRow("smb3") << "smb3" << true;
  QTest::newRow("sshfs") << "fuse.sshfs" << true;
  QTest::newRow("davfs") << "fuse.davfs2" << true;
  QTest::newRow("9p") << "9p" << true;
  QTest::newRow("ext4") << "ext4" << false;
  QTest::newRow("btrfs") << "btrfs" << false;
  QTest::newRow("tmpfs") << "tmpfs" << false;
  QTest::newRow("gocryptfs") << "fuse.gocryptfs" << false;
  QTest::newRow("encfs") << "fuse.encfs" << false;
  QTest::newRow("ecryptfs") << "ecryptfs" << false;
  QTest::newRow("desconhecido") << "" << false;
}

void tst_Conexao::pastaDeRede() {
  QFETCH(QString, tipo);
  QFETCH(bool, rede);
  QCOMPARE(Plataforma::SistemaDeRede(tipo), rede);
  const QString banco = QStringLiteral("/mnt/escritorio/Dados/bdRecibo.mdb");
  const Resultado recusa = Conexao::ConferirDiscoLocal(banco, tipo, false);
  QCOMPARE(recusa.ok, !rede);
  if (rede) {
    QCOMPARE(recusa.numero, Conexao::ErroPastaRede);
    for (const QString& parte : {banco, tipo, QStringLiteral("modo escritório"), QStringLiteral("permitir_rede=1")})
      QVERIFY2(recusa.erro.contains(parte), qPrintable(recusa.erro));
  }
  // The user who accepts the risk goes on.
  QVERIFY(Conexao::ConferirDiscoLocal(banco, tipo, true));
}

void tst_Conexao::tipoSistemaArquivos_data() {
  QTest::addColumn<QString>("caminho");
  QTest::addColumn<QString>("tipo");
  QTest::newRow("raiz") << "/usr/lib/x"
                        << "ext4";
  QTest::newRow("compartilhamento") << "/mnt/rede/Dados/bdRecibo.mdb"
                                    << "cifs";
  QTest::newRow("o ponto de montagem") << "/mnt/rede"
                                       << "cifs";
  QTest::newRow("prefixo de nome não é pasta") << "/mnt/rede2/bdRecibo.mdb"
                                               << "ext4";
  QTest::newRow("montagem dentro de montagem") << "/mnt/rede/local/bdRecibo.mdb"
                                               << "tmpfs";
  QTest::newRow("pasta com espaço") << "/home/ana/Meus Dados/x"
                                    << "fuse.sshfs";
  QTest::newRow("pasta cifrada") << "/home/ana/Privado/Dados/bdRecibo.mdb"
                                 << "fuse.gocryptfs";
}

void tst_Conexao::tipoSistemaArquivos() {
  QFETCH(QString, caminho);
  QTemporaryDir pasta;
  const QString tabela = pasta.filePath(QStringLiteral("mountinfo"));
  QFile arquivo(tabela);
  QVERIFY(arquivo.open(QIODevice::WriteOnly));
  arquivo.write(
      "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
      "30 22 0:40 / /mnt/rede rw,relatime shared:5 - cifs //srv/loja rw,vers=3.0\n"
      "31 30 0:41 / /mnt/rede/local rw shared:6 - tmpfs tmpfs rw\n"
      "32 22 0:42 / /home/ana/Meus\\040Dados rw,nosuid master:2 - fuse.sshfs ana@srv:/d rw\n"
      "33 22 0:43 / /home/ana/Privado rw,nosuid - fuse.gocryptfs /home/ana/.cifrado rw\n"
      "malformada\n");
  arquivo.close();
  QTEST(Plataforma::TipoSistemaArquivos(caminho, tabela), "tipo");
  // This process's own table names the type of a real folder.
  QVERIFY(!Plataforma::TipoSistemaArquivos(pasta.path()).isEmpty());
}

QTEST_GUILESS_MAIN(tst_Conexao)
#include "tst_Conexao.moc"
