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
  QString iniciar(const QString& pasta);
  bool encerrar();
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

QString tst_FimAFimEscritorio::iniciar(const QString& pasta) {
  QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
  ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  ambiente.insert(QStringLiteral("HOME"), pasta);
  talonix_.setProcessEnvironment(ambiente);
  talonix_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  talonix_.start(pasta + QStringLiteral("/Talonix"), {});
  if (!talonix_.waitForStarted())
    return {};
  principal_ = esperarJanela(QStringLiteral("Talonix"));
  if (principal_.isEmpty())
    return {};
  xdotool({QStringLiteral("windowmove"), principal_, QStringLiteral("0"), QStringLiteral("0")});
  xdotool({QStringLiteral("windowsize"), principal_, QStringLiteral("1200"), QStringLiteral("800")});
  xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), principal_});
  pausa(1500);
  return principal_;
}

// Sistema > Sair, and Yes to the question.
bool tst_FimAFimEscritorio::encerrar() {
  capturar(QStringLiteral("escritorio-sair"));
  xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), principal_});
  teclas({QStringLiteral("alt+s"), QStringLiteral("i")});
  pausa(1500);
  teclas({QStringLiteral("alt+s")});
  return talonix_.waitForFinished(30000);
}

void tst_FimAFimEscritorio::reciboDeUmaEstacaoAchadoNaOutra() {
  const QString caixa1 = estacao(QStringLiteral("caixa1"));
  const QString caixa2 = estacao(QStringLiteral("caixa2"));

  // The first desk issues a receipt (Emissão > Recibo comercial), closes the preview that opens
  // after the save, and backs up (Sistema > Cópia de segurança, "Realizar", OK).
  QVERIFY2(!iniciar(caixa1).isEmpty(), "the first desk's main window did not appear");
  EmitirRecibo();
  capturar(QStringLiteral("escritorio-1-gravado"));
  teclas({QStringLiteral("Escape")});
  pausa(1000);
  const QStringList gravados = recibosNoServidor();
  QCOMPARE(
      gravados,
      QStringList{QStringLiteral("1/%1 12345000 1 2 Aluguel do mês de dezembro").arg(QDate::currentDate().year())});

  teclas({QStringLiteral("Escape")});
  teclas({QStringLiteral("alt+s"), QStringLiteral("c")});
  QVERIFY2(!esperarJanela(QStringLiteral("Cópia de segurança"), 20000).isEmpty(), "the backup screen did not open");
  // The focus is on "Realizar cópia de segurança": Space chooses it.
  teclas({QStringLiteral("space"), QStringLiteral("alt+r")});
  pausa(1000);
  teclas({QStringLiteral("alt+o")});
  QVERIFY2(!esperarJanela(QStringLiteral("Cópia de segurança"), 30000).isEmpty(), "no answer to the backup");
  pausa(8000);  // the screen closes and reopens the connection with pauses of its own
  capturar(QStringLiteral("escritorio-2-copia"));
  teclas({QStringLiteral("Return")});
  const QStringList copias = QDir(caixa1 + QStringLiteral("/backup")).entryList({QStringLiteral("*.zip")});
  QCOMPARE(copias.size(), 1);
  // Everything of this desk is on the server: it is simply ended.
  talonix_.terminate();
  QVERIFY(talonix_.waitForFinished(30000));

  // The second desk finds it with the receipt search (F8, "Selecionar registros", OK) and
  // deletes it (F9, Yes): only the receipt the other desk saved can be deleted so.
  QVERIFY2(!iniciar(caixa2).isEmpty(), "the second desk's main window did not appear");
  teclas({QStringLiteral("alt+e"), QStringLiteral("r")});
  pausa(1500);
  teclas({QStringLiteral("F8")});
  QVERIFY2(!esperarJanela(QStringLiteral("Localizar recibo comercial"), 20000).isEmpty(),
           "the receipt search did not open");
  teclas({QStringLiteral("alt+s")});
  pausa(1000);
  capturar(QStringLiteral("escritorio-3-busca"));
  // The list has the focus, OK is next to it.
  teclas({QStringLiteral("Tab"), QStringLiteral("space")});
  pausa(1500);
  teclas({QStringLiteral("F9")});
  pausa(1000);
  teclas({QStringLiteral("alt+s")});
  pausa(1500);
  capturar(QStringLiteral("escritorio-4-excluido"));
  QCOMPARE(recibosNoServidor(), QStringList());
  teclas({QStringLiteral("Escape")});
  pausa(1000);
  QVERIFY(encerrar());

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
