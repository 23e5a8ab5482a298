#include "app/core/Conexao.h"
#include "app/core/Esquema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
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
