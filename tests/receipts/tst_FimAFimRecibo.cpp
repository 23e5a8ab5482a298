// The real Talonix program on a fresh application folder, driven by key presses sent to an X
// display (xdotool): two people registered, a receipt issued and printed to PDF from the
// preview, the program left through its menu; then the database row and the PDF's text.

#include "reports/engine/FormatosRelatorio.h"
#include "tests/support/ProgramaReal.h"
#include "tests/support/TextoPdf.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace ProgramaReal;

namespace {

bool esperarArquivo(const QString& caminho, int ms) {
  QElapsedTimer tempo;
  tempo.start();
  while (tempo.elapsed() < ms) {
    if (QFileInfo(caminho).size() > 0)
      return true;
    pausa(250);
  }
  return false;
}

}  // namespace

class tst_FimAFimRecibo : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void emitirReciboEImprimirEmPdf();
  void cleanupTestCase();

private:
  bool montarPasta();
  void cadastrarPessoas();
  void exportarPdf(const QString& principal, const QString& pdf);
  void conferirBanco();
  void conferirPdf(const QString& pdf);

  QTemporaryDir pasta_;
  QString aplicacao_;
  QProcess talonix_;
};

void tst_FimAFimRecibo::initTestCase() {
  if (qEnvironmentVariableIsEmpty("DISPLAY"))
    QSKIP("no X display (the test runs under xvfb-run)");
  for (const char* programa : {"xdotool", "pdftotext"})
    if (QStandardPaths::findExecutable(QString::fromLatin1(programa)).isEmpty())
      QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(programa))));
  QVERIFY(pasta_.isValid());
  QVERIFY(montarPasta());
}

bool tst_FimAFimRecibo::montarPasta() {
  aplicacao_ = pasta_.filePath(QStringLiteral("Talonix"));
  return MontarPasta(aplicacao_, true);
}

void tst_FimAFimRecibo::emitirReciboEImprimirEmPdf() {
  QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
  ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  ambiente.insert(QStringLiteral("HOME"), pasta_.path());
  talonix_.setProcessEnvironment(ambiente);
  talonix_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  talonix_.start(aplicacao_ + QStringLiteral("/Talonix"), {});
  QVERIFY(talonix_.waitForStarted());

  const QString principal = esperarJanela(QStringLiteral("Talonix"));
  QVERIFY2(!principal.isEmpty(), "the main window did not appear");
  xdotool({QStringLiteral("windowmove"), principal, QStringLiteral("0"), QStringLiteral("0")});
  xdotool({QStringLiteral("windowsize"), principal, QStringLiteral("1200"), QStringLiteral("800")});
  xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), principal});
  pausa(1500);

  cadastrarPessoas();
  capturar(QStringLiteral("1-pessoas"));
  // "Imprimir recibo ao gravar" is ticked on a first start: the save opens the preview.
  EmitirRecibo();
  capturar(QStringLiteral("2-recibo"));
  const QString pdf = pasta_.filePath(QStringLiteral("recibo-impresso.pdf"));
  exportarPdf(principal, pdf);
  QVERIFY2(esperarArquivo(pdf, 30000), "the PDF was not written");
  // Written, the PDF is offered to be opened or mailed; Esc is "Fechar".
  const QString oferta = esperarJanela(QStringLiteral("Exportar para PDF"));
  QVERIFY2(!oferta.isEmpty(), "the box after the export did not appear");
  xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), oferta});
  teclas({QStringLiteral("Escape")});
  pausa(1000);

  // Sistema > Sair, and Yes to the question.
  xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), principal});
  teclas({QStringLiteral("alt+s"), QStringLiteral("i")});
  pausa(1500);
  teclas({QStringLiteral("alt+s")});
  QVERIFY2(talonix_.waitForFinished(30000), "the program did not end");

  conferirBanco();
  conferirPdf(pdf);
}

void tst_FimAFimRecibo::cadastrarPessoas() {
  // Cadastro > Pessoa; F5 starts a new person in each round and saves it at its end.
  teclas({QStringLiteral("alt+c"), QStringLiteral("p")});
  pausa(1500);
  teclas({QStringLiteral("F5")});
  digitar(QStringLiteral("Maria da Silva"));
  teclas({QStringLiteral("Tab"), QStringLiteral("Tab")});
  digitar(QStringLiteral("52998224725"));
  teclas({QStringLiteral("Tab")});
  digitar(QStringLiteral("123456789"));
  teclas({QStringLiteral("Tab")});
  digitar(QStringLiteral("Rua das Flores"));
  teclas({QStringLiteral("Tab")});
  digitar(QStringLiteral("10"));
  teclas({QStringLiteral("Tab"), QStringLiteral("Tab")});
  digitar(QStringLiteral("Centro"));
  teclas({QStringLiteral("Tab")});
  digitar(QStringLiteral("Campinas"));
  teclas({QStringLiteral("Tab")});
  digitar(QStringLiteral("SP"));
  capturar(QStringLiteral("0-pagador"));
  teclas({QStringLiteral("F5")});
  pausa(1500);
  // After a save the person screen leaves the focus on the main window; Tab brings it back.
  teclas({QStringLiteral("Tab")});

  // The issuer is a company: the right arrow on the type chooses "Jurídica".
  teclas({QStringLiteral("F5")});
  digitar(QStringLiteral("Comércio Exemplo Ltda"));
  teclas({QStringLiteral("Tab"), QStringLiteral("Right"), QStringLiteral("Tab")});
  digitar(QStringLiteral("11222333000181"));
  teclas({QStringLiteral("Tab")});
  digitar(QStringLiteral("110042490114"));
  teclas({QStringLiteral("Tab")});
  digitar(QStringLiteral("Avenida Paulista"));
  teclas({QStringLiteral("Tab")});
  digitar(QStringLiteral("1000"));
  teclas({QStringLiteral("Tab"), QStringLiteral("Tab")});
  digitar(QStringLiteral("Bela Vista"));
  teclas({QStringLiteral("Tab")});
  digitar(QStringLiteral("São Paulo"));
  teclas({QStringLiteral("Tab")});
  digitar(QStringLiteral("SP"));
  teclas({QStringLiteral("Tab")});
  digitar(QStringLiteral("01310100"));
  teclas({QStringLiteral("F5")});
  pausa(1500);
  teclas({QStringLiteral("Tab")});
  teclas({QStringLiteral("Escape")});
  pausa(1000);
}

void tst_FimAFimRecibo::exportarPdf(const QString& principal, const QString& pdf) {
  // "Exportar PDF..." comes before "Fechar", the last button of the preview's bar at the right end
  // of the maximized preview; its height depends on the fonts, so a few rows are tried.
  QString dialogo;
  for (int y : {72, 66, 78, 84, 90, 60}) {
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), principal, QStringLiteral("1060"),
             QString::number(y), QStringLiteral("click"), QStringLiteral("1")});
    dialogo = esperarJanela(QStringLiteral("Exportar para PDF"), 5000);
    if (!dialogo.isEmpty())
      break;
  }
  QVERIFY2(!dialogo.isEmpty(), "the export dialog did not appear");
  xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), dialogo});
  pausa(1000);
  teclas({QStringLiteral("ctrl+a")});
  digitar(pdf);
  teclas({QStringLiteral("Return")});
}

void tst_FimAFimRecibo::conferirBanco() {
  {
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("conferencia"));
    banco.setDatabaseName(aplicacao_ + QStringLiteral("/Dados/bdRecibo.mdb"));
    QVERIFY(banco.open());
    QSqlQuery consulta(banco);
    QVERIFY(
        consulta.exec(QStringLiteral("SELECT Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, Referente, "
                                     "Observacao, Vias FROM tbRecibo")));
    QVERIFY(consulta.next());
    const QDate hoje = QDate::currentDate();
    QCOMPARE(consulta.value(0).toInt(), 1);
    QCOMPARE(consulta.value(1).toInt(), hoje.year());
    QCOMPARE(consulta.value(2).toString(), hoje.toString(QStringLiteral("yyyy-MM-dd")));
    QCOMPARE(consulta.value(3).toLongLong(), 12345000);
    QCOMPARE(consulta.value(4).toInt(), 1);
    QCOMPARE(consulta.value(5).toInt(), 2);
    QCOMPARE(consulta.value(6).toString(), QStringLiteral("Aluguel do mês de dezembro"));
    QCOMPARE(consulta.value(7).toString(), QStringLiteral("Pago em dinheiro"));
    QCOMPARE(consulta.value(8).toString(), QStringLiteral("2"));
    QVERIFY(!consulta.next());
  }
  QSqlDatabase::removeDatabase(QStringLiteral("conferencia"));
}

void tst_FimAFimRecibo::conferirPdf(const QString& pdf) {
  const QString texto = TextoPdf(pdf);
  const QString simples = texto.simplified();
  const QDate hoje = QDate::currentDate();
  const QStringList esperados = {QStringLiteral("Nº 000001/%1").arg(hoje.year()),
                                 QStringLiteral("R$ 1.234,50"),
                                 QStringLiteral("Maria da Silva"),
                                 QStringLiteral("CPF 529.982.247-25"),
                                 QStringLiteral("um mil duzentos e trinta e quatro reais e cinqüenta centavos"),
                                 QStringLiteral("Aluguel do mês de dezembro"),
                                 QStringLiteral("Pago em dinheiro"),
                                 QStringLiteral("São Paulo, ") + FormatosRelatorio::DataPorExtenso(hoje),
                                 QStringLiteral("Comércio Exemplo Ltda"),
                                 QStringLiteral("CNPJ 11.222.333/0001-81"),
                                 QStringLiteral("recorte aqui")};
  for (const QString& esperado : esperados)
    QVERIFY2(simples.contains(esperado), qPrintable(esperado + QStringLiteral(" não está em:\n") + texto));
  QCOMPARE(texto.count(QStringLiteral("RECIBO")), 2);
}

void tst_FimAFimRecibo::cleanupTestCase() {
  if (talonix_.state() != QProcess::NotRunning) {
    talonix_.kill();
    talonix_.waitForFinished(5000);
  }
}

QTEST_GUILESS_MAIN(tst_FimAFimRecibo)
#include "tst_FimAFimRecibo.moc"
