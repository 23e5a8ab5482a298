#include "app/core/AtualizacaoBanco.h"
#include "app/core/Conexao.h"
#include "app/core/Esquema.h"

#include "tests/support/BancoVersao0.h"
#include "tests/support/PastaTeste.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kNome = QStringLiteral("tst_esquema");

QSqlDatabase aberto() {
  return QSqlDatabase::database(kNome, false);
}

QVariant valor(const QString& sql) {
  QSqlQuery consulta(aberto());
  if (!consulta.exec(sql) || !consulta.next())
    return {};
  return consulta.value(0);
}

bool executar(const QString& sql) {
  QSqlQuery comando(aberto());
  const bool ok = comando.exec(sql);
  if (!ok)
    qWarning("%s: %s", qPrintable(sql), qPrintable(comando.lastError().text()));
  return ok;
}

QByteArray conteudo(const QString& caminho) {
  QFile arquivo(caminho);
  return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

// Every row of the three tables in the columns every version has, as one text.
QString linhas() {
  return valor(QStringLiteral(
                   "SELECT (SELECT group_concat(Codigo || '|' || Descricao || '|' || Documento01, ';') FROM tbPessoa)"
                   " || '#' || (SELECT group_concat(Codigo || '|' || Descricao, ';') FROM tbReferente)"
                   " || '#' || (SELECT group_concat(Ano || '|' || Codigo || '|' || DataEmissao || '|' || Valor || "
                   "'|' || Recebi || '|' || Emitente || '|' || Referente, ';') FROM tbRecibo)"))
      .toString();
}

// The version and rows of the file `caminho`, read on a connection of its own.
std::pair<int, QString> versaoELinhas(const QString& caminho) {
  QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kNome);
  banco.setDatabaseName(caminho);
  std::pair<int, QString> lidos{-1, QString()};
  if (banco.open())
    lidos = {valor(QStringLiteral("PRAGMA user_version")).toInt(), linhas()};
  banco = {};
  Conexao::Descartar(kNome);
  return lidos;
}

const QString kLinhasVersao0 = QStringLiteral(
    "1|João da Silva|11144477735;2|Oficina Ltda|11222333000181#1|Aluguel#2026|1|2026-03-05|12345000|1|2|Aluguel de "
    "março");

}  // namespace

class tst_Esquema : public QObject {
  Q_OBJECT

private:
  QTemporaryDir pasta_;
  QString caminho_;

private slots:
  void init() {
    caminho_ = pasta_.filePath(QStringLiteral("bdRecibo.mdb"));
    QFile::remove(caminho_);
  }
  void cleanup() { Conexao::Descartar(kNome); }

  void bancoNovoTemAVersaoAtualEOsSeusObjetos() {
    QVERIFY(Esquema::CriarBanco(caminho_));
    QVERIFY(Conexao::AbrirArquivo(kNome, caminho_));
    QCOMPARE(valor(QStringLiteral("PRAGMA user_version")).toInt(), Esquema::VersaoAtual);
    QSqlDatabase banco = aberto();
    QVERIFY(Esquema::VerificarObjetos(banco));
    QVERIFY(executar(QStringLiteral("SELECT RegistroProfissional FROM tbPessoa")));
    QVERIFY(executar(QStringLiteral("SELECT FormaPagamento, Beneficiario FROM tbRecibo")));
  }

  // What files are checked against, written out in the program, is what SQLite keeps for each
  // version the program makes: the same objects, the same tables, each with the same columns in
  // the same order. Version 0 is what every earlier Talonix wrote: a change to schema.sql fails here.
  void referenciaIgualAoQueOSqliteGuarda_data() {
    QTest::addColumn<int>("versao");
    for (int versao = 0; versao <= Esquema::VersaoAtual; ++versao)
      QTest::addRow("versão %d", versao) << versao;
  }
  void referenciaIgualAoQueOSqliteGuarda() {
    QFETCH(int, versao);
    QVERIFY(Esquema::CriarBanco(caminho_, versao));
    const Resultado aberta = Conexao::AbrirArquivo(kNome, caminho_);
    QVERIFY2(aberta, qPrintable(aberta.erro));
    QSqlDatabase banco = aberto();
    const Resultado objetos = Esquema::VerificarObjetos(banco);
    QVERIFY2(objetos, qPrintable(objetos.erro));

    QStringList esperadas;
    for (const auto& [tabela, colunas] : Esquema::Colunas(versao)) {
      esperadas << tabela.toLower();
      const QSqlRecord registro = banco.record(tabela);
      QStringList noBanco;
      for (int i = 0; i < registro.count(); ++i)
        noBanco << registro.fieldName(i);
      QCOMPARE(noBanco, colunas);
    }
    QStringList tabelas;
    QSqlQuery consulta(banco);
    QVERIFY(consulta.exec(QStringLiteral("SELECT lower(name) FROM sqlite_master WHERE type = 'table'")));
    while (consulta.next())
      tabelas << consulta.value(0).toString();
    tabelas.sort();
    esperadas.sort();
    QCOMPARE(tabelas, esperadas);
  }

  // A file of every earlier Talonix (version 0) passes the checks of its own version and is
  // upgraded with its rows whole and the new columns empty.
  void bancoAntigoEhAtualizadoSemPerderDados() {
    QVERIFY(Esquema::CriarBanco(caminho_, 0));
    QVERIFY(Conexao::AbrirArquivo(kNome, caminho_));
    QCOMPARE(valor(QStringLiteral("PRAGMA user_version")).toInt(), 0);
    QVERIFY(
        executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao, Documento01) VALUES "
                                "(1, 'João da Silva', '11144477735'), (2, 'Oficina Ltda', '11222333000181')")));
    QVERIFY(executar(QStringLiteral("INSERT INTO tbReferente (Codigo, Descricao) VALUES (1, 'Aluguel')")));
    QVERIFY(
        executar(QStringLiteral("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, "
                                "Referente) VALUES (1, 2026, '2026-03-05', 12345000, 1, 2, 'Aluguel de março')")));
    QSqlDatabase banco = aberto();
    QVERIFY(Esquema::VerificarObjetos(banco));
    const QString antes = linhas();

    const Resultado r = Esquema::Atualizar(banco);
    QVERIFY2(r, qPrintable(r.erro));
    QCOMPARE(valor(QStringLiteral("PRAGMA user_version")).toInt(), Esquema::VersaoAtual);
    QCOMPARE(linhas(), antes);
    QCOMPARE(valor(QStringLiteral("SELECT RegistroProfissional FROM tbPessoa WHERE Codigo = 1")).toString(), QString());
    QCOMPARE(valor(QStringLiteral("SELECT FormaPagamento FROM tbRecibo")).toInt(), 0);
    QVERIFY(valor(QStringLiteral("SELECT Beneficiario FROM tbRecibo")).isNull());
    QVERIFY(Esquema::VerificarObjetos(banco));
    QVERIFY(Esquema::VerificarTabelas(banco));
    // Upgrading a current file changes nothing.
    QVERIFY(Esquema::Atualizar(banco));
    QCOMPARE(linhas(), antes);
  }

  // Opening a file of an earlier Talonix keeps a copy of it beside it, with its permissions, and
  // upgrades it; the copy is never overwritten by a later upgrade.
  void bancoAntigoEhAtualizadoAoAbrirComCopia() {
    PastaTeste pasta(false);
    QVERIFY(CriarBancoVersao0(pasta.banco()));
    QFile(pasta.banco()).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    QFile(pasta.banco() + QStringLiteral(".versao0")).open(QIODevice::WriteOnly);  // left by an earlier upgrade

    const Resultado r = Conexao::AbrirConexao();
    QVERIFY2(r, qPrintable(r.erro));
    QCOMPARE(pasta.valor(QStringLiteral("PRAGMA user_version")).toInt(), Esquema::VersaoAtual);
    QCOMPARE(pasta.valor(QStringLiteral("SELECT count(*) FROM tbRecibo WHERE FormaPagamento = 0")).toInt(), 1);
    Conexao::FecharConexao();
    QCOMPARE(versaoELinhas(pasta.banco()), std::make_pair(Esquema::VersaoAtual, kLinhasVersao0));

    const QString copia = pasta.banco() + QStringLiteral(".versao0.1");
    QCOMPARE(versaoELinhas(copia), std::make_pair(0, kLinhasVersao0));
    QCOMPARE(QFile(copia).permissions(), QFile(pasta.banco()).permissions());
    QCOMPARE(QFileInfo(pasta.banco() + QStringLiteral(".versao0")).size(), 0);
    QVERIFY(!QFile::exists(copia + QStringLiteral(".tmp")));
  }

  // When the copy cannot be written the database is not opened, and stays as it was.
  void copiaQueNaoPodeSerGravadaImpedeAAbertura() {
    PastaTeste pasta(false);
    QVERIFY(CriarBancoVersao0(pasta.banco()));
    const QByteArray antes = conteudo(pasta.banco());
    QVERIFY(QDir().mkpath(pasta.banco() + QStringLiteral(".versao0.tmp")));

    const Resultado r = Conexao::AbrirConexao();
    QVERIFY(!r);
    QVERIFY2(r.erro.startsWith(QStringLiteral("Não foi possível gravar a cópia de segurança do banco de dados")),
             qPrintable(r.erro));
    QVERIFY(!Conexao::Banco().isOpen());
    QCOMPARE(conteudo(pasta.banco()), antes);
    QVERIFY(!QFile::exists(pasta.banco() + QStringLiteral(".versao0")));
  }

  // A crash at any point of an upgrade leaves the old or the upgraded file, whole; the next open
  // finishes the work.
  void quedaDuranteAAtualizacao_data() {
    QTest::addColumn<int>("etapa");
    QTest::addColumn<int>("versaoDepois");
    QTest::newRow("com a trava") << int(AtualizacaoBanco::Etapa::Travado) << 0;
    QTest::newRow("cópia gravada") << int(AtualizacaoBanco::Etapa::CopiaGravada) << 0;
    QTest::newRow("antes de confirmar") << int(AtualizacaoBanco::Etapa::AntesDeConfirmar) << 0;
    QTest::newRow("confirmada") << int(AtualizacaoBanco::Etapa::Confirmado) << Esquema::VersaoAtual;
  }
  void quedaDuranteAAtualizacao() {
    QFETCH(int, etapa);
    QFETCH(int, versaoDepois);
    PastaTeste pasta(false);
    QVERIFY(CriarBancoVersao0(pasta.banco()));

    QProcess filho;
    filho.start(QStringLiteral(ATUALIZAR_E_MORRER), {pasta.caminho(), QString::number(etapa)});
    QVERIFY(filho.waitForFinished(30000));
    QCOMPARE(filho.exitStatus(), QProcess::CrashExit);

    QCOMPARE(versaoELinhas(pasta.banco()), std::make_pair(versaoDepois, kLinhasVersao0));
    const Resultado r = Conexao::AbrirConexao();
    QVERIFY2(r, qPrintable(r.erro));
    Conexao::FecharConexao();
    QCOMPARE(versaoELinhas(pasta.banco()), std::make_pair(Esquema::VersaoAtual, kLinhasVersao0));
    QVERIFY(!QFile::exists(pasta.banco() + QStringLiteral("-journal")));
  }

  // A step that fails rolls the whole upgrade back: the file stays of its old version.
  void atualizacaoQueFalhaDeixaOBancoComoEstava() {
    QVERIFY(Esquema::CriarBanco(caminho_, 0));
    QVERIFY(Conexao::AbrirArquivo(kNome, caminho_));
    QVERIFY(executar(QStringLiteral("ALTER TABLE tbRecibo ADD COLUMN Beneficiario TEXT")));
    QSqlDatabase banco = aberto();
    QVERIFY(!Esquema::Atualizar(banco));
    QCOMPARE(valor(QStringLiteral("PRAGMA user_version")).toInt(), 0);
    QVERIFY(!executar(QStringLiteral("SELECT RegistroProfissional FROM tbPessoa")));
    QVERIFY(!executar(QStringLiteral("SELECT FormaPagamento FROM tbRecibo")));
  }

  // A file from a newer Talonix is refused by every check and never written.
  void bancoDeVersaoMaisNovaEhRecusadoSemMudanca() {
    QVERIFY(Esquema::CriarBanco(caminho_));
    QVERIFY(Conexao::AbrirArquivo(kNome, caminho_));
    QVERIFY(executar(QStringLiteral("PRAGMA user_version = %1").arg(Esquema::VersaoAtual + 1)));
    Conexao::Descartar(kNome);
    const QByteArray antes = conteudo(caminho_);

    const Resultado aberturaRecusada = Conexao::AbrirArquivo(kNome, caminho_);
    QVERIFY(!aberturaRecusada);
    QCOMPARE(aberturaRecusada.numero, Esquema::ErroVersaoNova);
    QVERIFY2(aberturaRecusada.erro.contains(QStringLiteral("versão mais nova do Talonix")),
             qPrintable(aberturaRecusada.erro));
    {
      QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kNome);
      banco.setDatabaseName(caminho_);
      QVERIFY(banco.open());
      QCOMPARE(Esquema::VerificarObjetos(banco).numero, Esquema::ErroVersaoNova);
      QCOMPARE(Esquema::Atualizar(banco).numero, Esquema::ErroVersaoNova);
    }
    Conexao::Descartar(kNome);
    QCOMPARE(conteudo(caminho_), antes);
  }
};

QTEST_GUILESS_MAIN(tst_Esquema)
#include "tst_Esquema.moc"
