// The real Talonix program on a fresh application folder, driven by key presses sent to an X
// display (xdotool): two people registered, a receipt issued and printed to PDF from the
// preview, the program left through its menu; then the database row and the PDF's text.

#include "reports/engine/FormatosRelatorio.h"
#include "tests/support/ProgramaReal.h"
#include "tests/support/TextoPdf.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace ProgramaReal;

class tst_FimAFimRecibo : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void emitirReciboEImprimirEmPdf();
  void cleanupTestCase();

private:
  bool montarPasta();
  int pessoas();
  void gravarPessoa(int registradas);
  void cadastrarPessoas();
  void exportarPdf(const QString& pdf);
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
  QVERIFY(PrepararTeclado());
}

bool tst_FimAFimRecibo::montarPasta() {
  aplicacao_ = pasta_.filePath(QStringLiteral("Talonix"));
  return MontarPasta(aplicacao_, true);
}

void tst_FimAFimRecibo::emitirReciboEImprimirEmPdf() {
  const QString principal = Iniciar(talonix_, aplicacao_, pasta_.path());
  QVERIFY2(!principal.isEmpty(), qPrintable(QStringLiteral("the main window did not appear; ") + janelasVisiveis()));

  cadastrarPessoas();
  if (QTest::currentTestFailed())
    return;
  capturar(QStringLiteral("1-pessoas"));
  // "Imprimir recibo ao gravar" is ticked on a first start: the save opens the preview.
  QVERIFY2(EmitirRecibo(talonix_, principal),
           qPrintable(QStringLiteral("the receipt's preview did not open; ") + janelasVisiveis()));
  capturar(QStringLiteral("2-recibo"));
  const QString pdf = pasta_.filePath(QStringLiteral("recibo-impresso.pdf"));
  exportarPdf(pdf);
  if (QTest::currentTestFailed())
    return;

  QVERIFY2(Encerrar(talonix_, principal), qPrintable(QStringLiteral("the program did not end; ") + janelasVisiveis()));
  conferirBanco();
  conferirPdf(pdf);
}

// The people the program has saved so far, read from its file beside it.
int tst_FimAFimRecibo::pessoas() {
  int contadas = -1;
  {
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("contagem"));
    banco.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
    banco.setDatabaseName(aplicacao_ + QStringLiteral("/Dados/bdRecibo.mdb"));
    QSqlQuery consulta(banco);
    if (banco.open() && consulta.exec(QStringLiteral("SELECT COUNT(*) FROM tbPessoa")) && consulta.next())
      contadas = consulta.value(0).toInt();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("contagem"));
  return contadas;
}

// F5 saves the person typed; the screen then goes back to idle and moves its focus on by a
// queued Tab, which is done once the program is at rest.
void tst_FimAFimRecibo::gravarPessoa(int registradas) {
  teclas({QStringLiteral("F5")});
  QTRY_COMPARE_WITH_TIMEOUT(pessoas(), registradas, kLimite);
  QVERIFY(esperarOcioso(talonix_));
}

void tst_FimAFimRecibo::cadastrarPessoas() {
  // Cadastro > Pessoa; F5 starts a new person in each round and saves it at its end.
  teclas({QStringLiteral("alt+c"), QStringLiteral("p"), QStringLiteral("F5")});
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
  gravarPessoa(1);
  if (QTest::currentTestFailed())
    return;

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
  gravarPessoa(2);
  if (QTest::currentTestFailed())
    return;
  // Idle, Esc closes the screen.
  teclas({QStringLiteral("Escape")});
}

void tst_FimAFimRecibo::exportarPdf(const QString& pdf) {
  // From the preview's page, Tab goes along its bar: first, previous, the page number, next,
  // last, zoom out, the zoom, zoom in, "Imprimir..." and "Exportar PDF..."; Space presses it.
  teclas(QStringList(10, QStringLiteral("Tab")) << QStringLiteral("space"));
  const QString dialogo = esperarJanela(QStringLiteral("Exportar para PDF"));
  QVERIFY2(!dialogo.isEmpty(), qPrintable(QStringLiteral("the export dialog did not appear; ") + janelasVisiveis()));
  // The name proposed is selected in the dialog's name box.
  focar(dialogo);
  teclas({QStringLiteral("ctrl+a")});
  digitar(pdf);
  teclas({QStringLiteral("Return")});
  // Written whole, the PDF is offered to be opened or mailed in a box titled as the dialog was;
  // Esc is "Fechar".
  const QString oferta = esperarJanela(QStringLiteral("Exportar para PDF"), {dialogo});
  QVERIFY2(!oferta.isEmpty(),
           qPrintable(QStringLiteral("the box after the export did not appear; ") + janelasVisiveis()));
  QVERIFY2(QFileInfo(pdf).size() > 0, "the PDF was not written");
  focar(oferta);
  teclas({QStringLiteral("Escape")});
  QVERIFY2(esperarSumir(oferta, QStringLiteral("Exportar para PDF")), "the box after the export did not close");
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
