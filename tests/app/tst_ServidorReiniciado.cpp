// A desk whose server goes away under it: the operation that finds it gone is told so in
// Portuguese, the next one reconnects, and a save whose confirmation was lost is never sent again.
// The test starts a throw-away server of its own, so that restarting it ends no other test's
// connections.
#include "app/core/ErroBanco.h"
#include "app/core/Numeracao.h"
#include "app/core/Transacao.h"

#include "tests/support/PastaTeste.h"
#include "tests/support/ServidorTeste.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace {

const QString kPerdida = QStringLiteral("A conexão com o servidor do banco de dados foi perdida");

// Saves person `codigo` in a transaction of the program's connection.
Resultado gravar(qint64 codigo) {
  Transacao transacao;
  if (!transacao.resultado())
    return transacao.resultado();
  QSqlQuery comando(transacao.banco());
  const bool feito =
      comando.exec(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (%1, 'Nova')").arg(codigo));
  return transacao.Concluir(feito ? Resultado::sucesso() : ErroBanco::Falha(comando.lastError()));
}

}  // namespace

class tst_ServidorReiniciado : public QObject {
  Q_OBJECT
  QTemporaryDir estado_;

private slots:
  void initTestCase() {
    qputenv("TALONIX_TESTE_PG", QFile::encodeName(estado_.filePath(QStringLiteral("servidor_pg.estado"))));
    QVERIFY(ServidorTeste::Script(QStringLiteral("iniciar")));
  }
  void cleanupTestCase() { QVERIFY(ServidorTeste::Script(QStringLiteral("parar"))); }

  void reconectaDepoisDeReiniciado_data();
  void reconectaDepoisDeReiniciado();
  void confirmacaoPerdidaNaoSeRepete();
};

void tst_ServidorReiniciado::reconectaDepoisDeReiniciado_data() {
  QTest::addColumn<bool>("gravacao");
  QTest::newRow("leitura") << false;
  QTest::newRow("gravação") << true;
}

void tst_ServidorReiniciado::reconectaDepoisDeReiniciado() {
  QFETCH(bool, gravacao);
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  QVERIFY(gravar(1));
  QVERIFY(ServidorTeste::Script(QStringLiteral("reiniciar")));
  qint64 proximo = 0;
  const auto operar = [&] {
    return gravacao ? gravar(2) : Numeracao::ProximoCodigo(Numeracao::Cadastro::Pessoa, proximo);
  };
  const Resultado perdida = operar();
  QVERIFY(!perdida);
  QVERIFY2(perdida.erro.startsWith(kPerdida) && perdida.erro.contains(QStringLiteral("reconectar")),
           qPrintable(perdida.erro));
  // The next operation reconnects; nothing of the failed one was written.
  const Resultado depois = operar();
  QVERIFY2(depois, qPrintable(depois.erro));
  QVERIFY(gravar(3));
  QCOMPARE(pasta.valor(QStringLiteral("SELECT string_agg(Codigo::text, ',' ORDER BY Codigo) FROM tbPessoa")).toString(),
           gravacao ? QStringLiteral("1,2,3") : QStringLiteral("1,3"));
  if (!gravacao)
    QCOMPARE(proximo, 2);
}

// The server ends the desk's session right when it confirms a save: whether the save landed is
// unknown, so the operator is told to check, and the program sends nothing again by itself.
void tst_ServidorReiniciado::confirmacaoPerdidaNaoSeRepete() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  Resultado confirmada;
  {
    Transacao transacao;
    QVERIFY(transacao.resultado());
    QSqlQuery comando(transacao.banco());
    QVERIFY(comando.exec(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (7, 'Talvez')")));
    QVERIFY(comando.exec(QStringLiteral("SELECT pg_backend_pid()")) && comando.next());
    // Waits (up to 10 s) until the session has ended.
    QVERIFY(ServidorTeste::Administrar(
        QStringLiteral("SELECT pg_terminate_backend(%1, 10000)").arg(comando.value(0).toLongLong())));
    confirmada = transacao.Concluir(Resultado::sucesso());
  }
  QVERIFY(!confirmada);
  QVERIFY2(confirmada.erro.startsWith(kPerdida) && confirmada.erro.contains(QStringLiteral("Confira")),
           qPrintable(confirmada.erro));
  QCOMPARE(pasta.valor(QStringLiteral("SELECT COUNT(*) FROM tbPessoa")).toInt(), 0);
  QVERIFY(gravar(8));
  QCOMPARE(pasta.valor(QStringLiteral("SELECT COUNT(*) FROM tbPessoa")).toInt(), 1);
}

QTEST_GUILESS_MAIN(tst_ServidorReiniciado)
#include "tst_ServidorReiniciado.moc"
