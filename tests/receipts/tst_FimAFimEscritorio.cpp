// Two desks of the real Talonix program in office mode on the throw-away server, each on an
// application folder of its own, driven by key presses on an X display (xdotool): a receipt
// saved and backed up on one desk is found (and deleted) by the receipt search of the other; the
// backup restores on a desk of its own file with the same rows the server had.

#include "app/core/Conexao.h"
#include "app/core/modGeral.h"
#include "backup/RestauracaoBanco.h"
#include "tests/support/PastaTeste.h"
#include "tests/support/ProgramaReal.h"
#include "tests/support/ServidorTeste.h"

#include <QDir>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace ProgramaReal;

class tst_FimAFimEscritorio : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void reciboDeUmaEstacaoAchadoNaOutra();
  void cleanupTestCase();

private:
  QString estacao(const QString& nome) const { return pasta_.filePath(nome); }
  bool abrirServidor();
  QStringList recibosNoServidor();

  QTemporaryDir pasta_;
  QString banco_;
  QProcess talonix_;
  QString principal_;
};

void tst_FimAFimEscritorio::initTestCase() {
  if (!ServidorTeste::Ativo())
    QSKIP("no server named (the test runs in the postgres-labelled run)");
  if (qEnvironmentVariableIsEmpty("DISPLAY"))
    QSKIP("no X display (the test runs under xvfb-run)");
  if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
    QSKIP("xdotool is not installed");
  QVERIFY(PrepararTeclado());
  banco_ = ServidorTeste::CriarBanco();
  QVERIFY(!banco_.isEmpty());
  for (const QString& nome : {QStringLiteral("caixa1"), QStringLiteral("caixa2")}) {
    QVERIFY(MontarPasta(estacao(nome), false));
    ServidorTeste::EscreverIni(estacao(nome) + QStringLiteral("/cfgtalonix.ini"), banco_);
  }
  // The people the receipts name are already registered; the first opening makes the schema.
  QVERIFY(abrirServidor());
  QSqlQuery comando(Conexao::Banco());
  QVERIFY(
      comando.exec(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao, TipoPessoa, Documento01, Cidade) "
                                  "VALUES (1, 'Maria da Silva', 0, '52998224725', 'Campinas'), "
                                  "(2, 'Comércio Exemplo Ltda', 1, '11222333000181', 'São Paulo')")));
  Conexao::FecharConexao();
}

bool tst_FimAFimEscritorio::abrirServidor() {
  modGeral::DefinirPastaAplicacao(estacao(QStringLiteral("caixa1")));
  return Conexao::AbrirConexao().ok;
}

QStringList tst_FimAFimEscritorio::recibosNoServidor() {
  QStringList recibos;
  if (!abrirServidor())
    return {QStringLiteral("o servidor não abriu")};
  QSqlQuery consulta(Conexao::Banco());
  consulta.exec(QStringLiteral("SELECT Codigo, Ano, Valor, Recebi, Emitente, Referente FROM tbRecibo"));
  while (consulta.next())
    recibos << QStringLiteral("%1/%2 %3 %4 %5 %6")
                   .arg(consulta.value(0).toString(), consulta.value(1).toString(), consulta.value(2).toString(),
                        consulta.value(3).toString(), consulta.value(4).toString(), consulta.value(5).toString());
  Conexao::FecharConexao();
  return recibos;
}

void tst_FimAFimEscritorio::reciboDeUmaEstacaoAchadoNaOutra() {
  const QString caixa1 = estacao(QStringLiteral("caixa1"));
  const QString caixa2 = estacao(QStringLiteral("caixa2"));
  const QString gravado =
      QStringLiteral("1/%1 12345000 1 2 Aluguel do mês de dezembro").arg(QDate::currentDate().year());

  // The first desk issues a receipt (Emissão > Recibo comercial), closes the preview that opens
  // after the save, and backs up (Sistema > Cópia de segurança, "Realizar", OK).
  principal_ = Iniciar(talonix_, caixa1, caixa1);
  QVERIFY2(!principal_.isEmpty(),
           qPrintable(QStringLiteral("the first desk's main window did not appear; ") + janelasVisiveis()));
  QVERIFY2(EmitirRecibo(talonix_, principal_),
           qPrintable(QStringLiteral("the receipt's preview did not open; ") + janelasVisiveis()));
  capturar(QStringLiteral("escritorio-1-gravado"));
  teclas({QStringLiteral("Escape")});
  QVERIFY2(esperarTitulo(principal_, QStringLiteral("Talonix")) && esperarOcioso(talonix_),
           "the preview did not close");
  QTRY_COMPARE_WITH_TIMEOUT(recibosNoServidor(), QStringList{gravado}, kLimite);

  // Esc closes the receipt screen.
  teclas({QStringLiteral("Escape"), QStringLiteral("alt+s"), QStringLiteral("c")});
  const QString copia = esperarJanela(QStringLiteral("Cópia de segurança"));
  QVERIFY2(!copia.isEmpty(), qPrintable(QStringLiteral("the backup screen did not open; ") + janelasVisiveis()));
  focar(copia);
  // The focus is on "Realizar cópia de segurança": Space chooses it, Tab goes on to "Realizar"
  // and Space presses it; on the panel it opens, OK makes the backup.
  teclas({QStringLiteral("space"), QStringLiteral("Tab"), QStringLiteral("space"), QStringLiteral("alt+o")});
  // Done, the screen says so in a box titled as the screen is.
  const QString feita = esperarJanela(QStringLiteral("Cópia de segurança"), {copia});
  QVERIFY2(!feita.isEmpty(), qPrintable(QStringLiteral("no answer to the backup; ") + janelasVisiveis()));
  capturar(QStringLiteral("escritorio-2-copia"));
  focar(feita);
  teclas({QStringLiteral("Return")});
  QVERIFY2(esperarSumir(feita, QStringLiteral("Cópia de segurança")), "the backup's answer did not close");
  const QStringList copias = QDir(caixa1 + QStringLiteral("/backup")).entryList({QStringLiteral("*.zip")});
  QCOMPARE(copias.size(), 1);
  // Everything of this desk is on the server: it is simply ended.
  talonix_.terminate();
  QVERIFY(talonix_.waitForFinished(kLimite));

  // The second desk finds it with the receipt search (F8, "Selecionar registros", OK) and
  // deletes it (F9, Yes): only the receipt the other desk saved can be deleted so.
  principal_ = Iniciar(talonix_, caixa2, caixa2);
  QVERIFY2(!principal_.isEmpty(),
           qPrintable(QStringLiteral("the second desk's main window did not appear; ") + janelasVisiveis()));
  teclas({QStringLiteral("alt+e"), QStringLiteral("r"), QStringLiteral("F8")});
  const QString busca = esperarJanela(QStringLiteral("Localizar recibo comercial"));
  QVERIFY2(!busca.isEmpty(), qPrintable(QStringLiteral("the receipt search did not open; ") + janelasVisiveis()));
  focar(busca);
  // The search opens with the focus in its first filter box; backwards past "Cancelar" (OK is
  // off until something is found) and the list is "Selecionar registros". Once it has found the
  // receipt, the list has the focus, OK is next to it.
  teclas(
      {QStringLiteral("shift+Tab"), QStringLiteral("shift+Tab"), QStringLiteral("shift+Tab"), QStringLiteral("space")});
  capturar(QStringLiteral("escritorio-3-busca"));
  teclas({QStringLiteral("Tab"), QStringLiteral("space")});
  QVERIFY2(esperarSumir(busca, QStringLiteral("Localizar recibo comercial")),
           qPrintable(QStringLiteral("the receipt search did not close; ") + janelasVisiveis()));
  focar(principal_);
  teclas({QStringLiteral("F9")});
  const QString exclusao = esperarJanela(QStringLiteral("Excluir recibo emitido"));
  QVERIFY2(!exclusao.isEmpty(), qPrintable(QStringLiteral("the deletion was not asked; ") + janelasVisiveis()));
  focar(exclusao);
  teclas({QStringLiteral("alt+s")});
  QTRY_COMPARE_WITH_TIMEOUT(recibosNoServidor(), QStringList(), kLimite);
  QVERIFY2(esperarSumir(exclusao, QStringLiteral("Excluir recibo emitido")), "the deletion's question did not close");
  capturar(QStringLiteral("escritorio-4-excluido"));
  focar(principal_);
  teclas({QStringLiteral("Escape")});
  capturar(QStringLiteral("escritorio-sair"));
  QVERIFY2(Encerrar(talonix_, principal_), qPrintable(QStringLiteral("the program did not end; ") + janelasVisiveis()));

  // The office backup restores on a desk of its own file, with the rows the server had.
  PastaTeste desk(true, PastaTeste::Loja::Arquivo);
  // As the backup screen does: the desk's connection is closed around the restore.
  QVERIFY(desk.abrir());
  Conexao::FecharConexao();
  const Resultado restaurada = RestauracaoBanco::RestaurarBanco(caixa1 + QStringLiteral("/backup/") + copias.first());
  QVERIFY2(restaurada, qPrintable(restaurada.erro));
  QVERIFY(desk.abrir());
  const QStringList daCopia = PastaTeste::Linhas();
  QCOMPARE(daCopia.size(), 3);
  QVERIFY2(daCopia.last().startsWith(QStringLiteral("1|%1|").arg(QDate::currentDate().year())),
           qPrintable(daCopia.join(u'\n')));
  QVERIFY(daCopia.last().contains(QStringLiteral("|12345000|1|2|Aluguel do mês de dezembro|Pago em dinheiro|2|")));
  QVERIFY(daCopia.first().startsWith(QStringLiteral("1|Maria da Silva|0|52998224725|")));
}

void tst_FimAFimEscritorio::cleanupTestCase() {
  if (talonix_.state() != QProcess::NotRunning) {
    talonix_.kill();
    talonix_.waitForFinished(5000);
  }
  Conexao::FecharConexao();
  ServidorTeste::ApagarBanco(banco_);
}

QTEST_GUILESS_MAIN(tst_FimAFimEscritorio)
#include "tst_FimAFimEscritorio.moc"
