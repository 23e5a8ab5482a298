#include "app/core/Compactacao.h"
#include "app/core/Conexao.h"
#include "app/core/SubstituicaoBanco.h"

#include "tests/support/PastaTeste.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QtTest>

namespace {

constexpr int kEtapas = static_cast<int>(Compactacao::Etapa::AbrirConexao) + 1;

// Rows with enough text that deleting half of them leaves pages for the compaction to free.
bool preencher(PastaTeste& pasta) {
  return pasta.executar(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                                       "INSERT INTO tbPessoa (Codigo, Descricao, Endereco) SELECT i, 'Pessoa ' || i, "
                                       "printf('%.300c', 'x') FROM n")) &&
         pasta.executar(QStringLiteral("DELETE FROM tbPessoa WHERE Codigo % 2 = 0"));
}

// Every row, in order, as one text: equal texts, equal data.
QString conteudo() {
  QSqlQuery consulta(Conexao::Banco());
  consulta.exec(
      QStringLiteral("SELECT group_concat(Codigo || ':' || Descricao, ',') FROM "
                     "(SELECT Codigo, Descricao FROM tbPessoa ORDER BY Codigo)"));
  return consulta.next() ? consulta.value(0).toString() : QString();
}

}  // namespace

class tst_Compactacao : public QObject {
  Q_OBJECT

private slots:
  void compactaEReabre();
  void removeTemporarioAntigo();
  void bancoComGatilhoNaoEhCompactado();
  void falhaEmCadaEtapa_data();
  void falhaEmCadaEtapa();
  void quedaEmCadaEtapa_data();
  void quedaEmCadaEtapa();
  void reaberturaQueFalhaEhInformada();
};

void tst_Compactacao::compactaEReabre() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  QVERIFY(preencher(pasta));
  const QString antes = conteudo();
  const qint64 tamanhoAntes = QFileInfo(pasta.banco()).size();

  const Resultado r = Compactacao::CompactarBanco();
  QVERIFY2(r, qPrintable(r.erro));
  QVERIFY(!QFile::exists(pasta.caminho() + QStringLiteral("/Dados/bdRecibo.tmp")));
  QVERIFY(!QFile::exists(pasta.banco() + QStringLiteral("-journal")));
  QVERIFY(QFileInfo(pasta.banco()).size() < tamanhoAntes);
  // The connection a screen reaches at its next operation is open on the compacted file.
  QVERIFY(Conexao::Banco().isOpen());
  QCOMPARE(conteudo(), antes);
  QVERIFY(pasta.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (5000, 'Nova')")));
}

void tst_Compactacao::removeTemporarioAntigo() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  QVERIFY(preencher(pasta));
  const QString temporario = pasta.caminho() + QStringLiteral("/Dados/bdRecibo.tmp");
  QFile velho(temporario);
  QVERIFY(velho.open(QIODevice::WriteOnly));
  velho.write("sobra de uma compactação interrompida");
  velho.close();

  const QString antes = conteudo();
  const Resultado r = Compactacao::CompactarBanco();
  QVERIFY2(r, qPrintable(r.erro));
  QVERIFY(!QFile::exists(temporario));
  QCOMPARE(conteudo(), antes);
}

// The compacted copy is checked as a restored file is: a trigger (here one that would erase every
// new receipt) is no part of the program's schema, and the database stays as it was.
void tst_Compactacao::bancoComGatilhoNaoEhCompactado() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  QVERIFY(preencher(pasta));
  QVERIFY(pasta.executar(
      QStringLiteral("CREATE TRIGGER tgApaga AFTER INSERT ON tbRecibo BEGIN DELETE FROM tbRecibo; END")));
  Conexao::FecharConexao();
  QFile arquivo(pasta.banco());
  QVERIFY(arquivo.open(QIODevice::ReadOnly));
  const QByteArray antes = arquivo.readAll();
  arquivo.close();
  QVERIFY(pasta.abrir());

  const Resultado r = Compactacao::CompactarBanco();
  QVERIFY(!r);
  QVERIFY2(r.erro.contains(QStringLiteral("gatilho \"tgapaga\"")), qPrintable(r.erro));
  QVERIFY(!QFile::exists(pasta.caminho() + QStringLiteral("/Dados/bdRecibo.tmp")));
  Conexao::FecharConexao();
  QVERIFY(arquivo.open(QIODevice::ReadOnly));
  QCOMPARE(arquivo.readAll(), antes);
}

void tst_Compactacao::falhaEmCadaEtapa_data() {
  QTest::addColumn<int>("etapa");
  for (int e = 0; e < kEtapas; ++e)
    QTest::addRow("step %d", e) << e;
}

void tst_Compactacao::falhaEmCadaEtapa() {
  QFETCH(int, etapa);
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  QVERIFY(preencher(pasta));
  const QString antes = conteudo();

  const Resultado r =
      Compactacao::CompactarBanco([etapa](Compactacao::Etapa e) { return static_cast<int>(e) != etapa; });
  QVERIFY(!r);
  QVERIFY(!r.erro.isEmpty());
  QVERIFY(!QFile::exists(pasta.caminho() + QStringLiteral("/Dados/bdRecibo.tmp")));
  // Whatever step failed, the connection is open again on a whole database with every row.
  QVERIFY(Conexao::Banco().isOpen());
  QCOMPARE(conteudo(), antes);
  QVERIFY(SubstituicaoBanco::Verificar(pasta.banco(), SubstituicaoBanco::Verificacao::Integridade));
}

void tst_Compactacao::quedaEmCadaEtapa_data() {
  falhaEmCadaEtapa_data();
}

void tst_Compactacao::quedaEmCadaEtapa() {
  QFETCH(int, etapa);
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  QVERIFY(preencher(pasta));
  const QString antes = conteudo();
  Conexao::FecharConexao();

  QProcess processo;
  processo.start(QStringLiteral(COMPACTAR_E_MORRER), {pasta.caminho(), QString::number(etapa)});
  QVERIFY(processo.waitForFinished(60000));
  QCOMPARE(processo.exitStatus(), QProcess::CrashExit);

  // After the crash the program starts on a whole database holding every row, and the next
  // compaction goes through.
  QVERIFY(SubstituicaoBanco::Verificar(pasta.banco(), SubstituicaoBanco::Verificacao::Integridade));
  QVERIFY(pasta.abrir());
  QCOMPARE(conteudo(), antes);
  const Resultado r = Compactacao::CompactarBanco();
  QVERIFY2(r, qPrintable(r.erro));
  QCOMPARE(conteudo(), antes);
}

// When not even the database can be reopened after a failed compaction, the operator is told so.
void tst_Compactacao::reaberturaQueFalhaEhInformada() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  const Resultado r = Compactacao::CompactarBanco([&pasta](Compactacao::Etapa e) {
    if (e != Compactacao::Etapa::AbrirConexao)
      return true;
    QFile banco(pasta.banco());
    return !(banco.open(QIODevice::WriteOnly | QIODevice::Truncate) && banco.write(QByteArray(4096, 'x')));
  });
  QVERIFY(!r);
  QVERIFY(!Conexao::Banco().isOpen());
  QVERIFY2(r.erro.contains(QStringLiteral("Não foi possível reabrir o banco de dados")), qPrintable(r.erro));
}

QTEST_GUILESS_MAIN(tst_Compactacao)
#include "tst_Compactacao.moc"
