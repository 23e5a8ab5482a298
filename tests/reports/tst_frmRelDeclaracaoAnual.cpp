#include "reports/frmRelDeclaracaoAnual.h"

#include "controls/lvButtons.h"
#include "controls/uscSelecionaRegistro.h"
#include "controls/uscTextBox.h"
#include "tests/reports/RecibosDoAno.h"
#include "tests/reports/TelaRelatorioTeste.h"
#include "tests/support/TextoPdf.h"

#include <QMenu>
#include <QRadioButton>

// The yearly statement per payer: its menu entry, the choices and their refusals, and the
// pages it prints for a fixture of two issuers and two years.
class tst_frmRelDeclaracaoAnual : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup() { teste_.fechar(); }
  void menuEOrdemDosCampos();
  void escolhasRecusadas_data();
  void escolhasRecusadas();
  void paginaPorPagador_data();
  void paginaPorPagador();

private:
  template <typename T>
  T* controle(const char* nome) const {
    return teste_.tela->findChild<T*>(QString::fromLatin1(nome));
  }
  /// Types `codigo` into selector `nome` and leaves it, as the operator does.
  void escolher(const char* nome, const QString& codigo) const;

  TelaRelatorioTeste<frmRelDeclaracaoAnual> teste_;
};

void tst_frmRelDeclaracaoAnual::init() {
  QVERIFY(teste_.abrir("mnuRelatorioDeclaracaoAnual"));
  QVERIFY(GravarRecibosDoAno(*teste_.pasta));
}

void tst_frmRelDeclaracaoAnual::escolher(const char* nome, const QString& codigo) const {
  auto* seletor = controle<uscSelecionaRegistro>(nome);
  seletor->Focar();
  QTest::keyClicks(QApplication::focusWidget(), codigo);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

void tst_frmRelDeclaracaoAnual::menuEOrdemDosCampos() {
  // The two yearly reports close the Relatório menu, without shortcuts.
  auto* menu = teste_.principal->findChild<QMenu*>(QStringLiteral("mnuRelatorio"));
  const QList<QAction*> acoes = menu->actions();
  QCOMPARE(acoes.at(acoes.size() - 2)->objectName(), QStringLiteral("mnuRelatorioDeclaracaoAnual"));
  QCOMPARE(acoes.at(acoes.size() - 2)->text(), QStringLiteral("&Declaração anual de pagamentos"));
  QCOMPARE(acoes.last()->text(), QStringLiteral("Rendimentos &mensais"));
  QVERIFY(acoes.last()->shortcut().isEmpty() && acoes.at(acoes.size() - 2)->shortcut().isEmpty());
  acoes.at(acoes.size() - 2)->trigger();
  QCOMPARE(teste_.principal->findChildren<frmRelDeclaracaoAnual*>().size(), 1);

  // The current year, every payer, the cursor in the issuer; Tab runs down the screen.
  QCOMPARE(controle<uscTextBox>("txtAno")->Text(), QStringLiteral("2026"));
  QVERIFY(controle<QRadioButton>("optPagador_0")->isChecked());
  QVERIFY(!controle<uscSelecionaRegistro>("uscPagador")->isEnabled());
  QTRY_VERIFY(controle<uscSelecionaRegistro>("uscEmitente")->isAncestorOf(QApplication::focusWidget()));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QVERIFY(controle<uscTextBox>("txtAno")->isAncestorOf(QApplication::focusWidget()));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), controle<QRadioButton>("optPagador_0"));
  // Choosing one payer opens its selector, next in the Tab order; the buttons come last.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  QVERIFY(controle<QRadioButton>("optPagador_1")->isChecked());
  QVERIFY(controle<uscSelecionaRegistro>("uscPagador")->isEnabled());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QVERIFY(controle<uscSelecionaRegistro>("uscPagador")->isAncestorOf(QApplication::focusWidget()));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), controle<lvButtons>("btnVisualizar"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), controle<lvButtons>("btnCancelar"));
}

void tst_frmRelDeclaracaoAnual::escolhasRecusadas_data() {
  QTest::addColumn<QString>("emitente");
  QTest::addColumn<QString>("ano");
  QTest::addColumn<QString>("pagador");  // empty: every payer
  QTest::addColumn<QString>("mensagem");
  QTest::addColumn<QString>("cursor");
  QTest::newRow("sem emitente") << ""
                                << "2025"
                                << ""
                                << "Por favor, selecione o emitente."
                                << "uscEmitente";
  QTest::newRow("emitente inexistente") << "99"
                                        << "2025"
                                        << ""
                                        << "Por favor, selecione o emitente."
                                        << "uscEmitente";
  QTest::newRow("ano curto") << "1"
                             << "25"
                             << ""
                             << "Informe o ano com quatro dígitos, de 1900 a 2999."
                             << "txtAno";
  QTest::newRow("ano vazio") << "1"
                             << ""
                             << ""
                             << "Informe o ano com quatro dígitos, de 1900 a 2999."
                             << "txtAno";
  QTest::newRow("sem pagador") << "1"
                               << "2025"
                               << "0"
                               << "Por favor, selecione o pagador."
                               << "uscPagador";
  QTest::newRow("ano sem recibos") << "1"
                                   << "2023"
                                   << ""
                                   << "Não há recibos deste emitente com data em 2023."
                                   << "";
  QTest::newRow("pagador sem recibos") << "2"
                                       << "2025"
                                       << "5"
                                       << "Não há recibos deste emitente com data em 2025 para este pagador."
                                       << "";
}

void tst_frmRelDeclaracaoAnual::escolhasRecusadas() {
  QFETCH(QString, emitente);
  QFETCH(QString, ano);
  QFETCH(QString, pagador);
  QFETCH(QString, mensagem);
  QFETCH(QString, cursor);
  if (!emitente.isEmpty())
    escolher("uscEmitente", emitente);
  controle<uscTextBox>("txtAno")->setText(ano);
  if (!pagador.isEmpty()) {
    controle<QRadioButton>("optPagador_1")->setChecked(true);
    if (pagador != QLatin1String("0"))
      escolher("uscPagador", pagador);
  }
  teste_.pasta->mensagens.limpar();
  teste_.tela->Visualizar();
  QCOMPARE(teste_.pasta->mensagens.quantas(), 1);
  QCOMPARE(teste_.pasta->mensagens.ultima().texto, mensagem);
  QCOMPARE(teste_.pasta->mensagens.ultima().titulo, QStringLiteral("Declaração anual de pagamentos"));
  if (!cursor.isEmpty())
    QVERIFY(teste_.tela->findChild<QWidget*>(cursor)->isAncestorOf(QApplication::focusWidget()));
  QCOMPARE(teste_.previews(), 0);
}

void tst_frmRelDeclaracaoAnual::paginaPorPagador_data() {
  QTest::addColumn<QString>("pagador");  // empty: every payer
  // Each page: texts that must be on it, in their order.
  QTest::addColumn<QList<QStringList>>("paginas");
  const QStringList emitente = {"DECLARAÇÃO ANUAL DE PAGAMENTOS",
                                "Ano-calendário 2025",
                                "Helena Prado",
                                "CPF 529.982.247-25",
                                "OAB/SP 123.456",
                                "Rua das Acácias, 120, Centro - Campinas/SP - CEP 13010-000"};
  const QStringList assinatura = {"Campinas, 7 de dezembro de 2026", "Helena Prado", "CPF 529.982.247-25",
                                  "OAB/SP 123.456"};
  const QStringList ana =
      emitente + QStringList{"Ana Luíza Souza", "CPF 111.444.777-35",
                             "10/01/2025",      "Honorários de janeiro",
                             "150,00",          "05/03/2025",
                             "123,45",          "25/03/2025",
                             "Cópias",          "1,00",
                             "R$ 274,45",       "(duzentos e setenta e quatro reais e quarenta e cinco centavos)"} +
      assinatura;
  const QStringList bruno = emitente + QStringList{"Bruno Dias", "CPF 390.533.447-05",
                                                   "15/03/2025", "Consulta da filha",
                                                   "Carla Dias", "98,76",
                                                   "R$ 98,76",   "(noventa e oito reais e setenta e seis centavos)"} +
                            assinatura;
  const QStringList mercado = emitente +
                              QStringList{"Mercado Bom Preço; Filial \"Sul\"",
                                          "CNPJ 11.444.777/0001-61",
                                          "20/01/2025",
                                          "Consultoria tributária",
                                          "R$ 200,00",
                                          "(duzentos reais)"} +
                              assinatura;
  QTest::newRow("todos, por nome") << "" << QList<QStringList>{ana, bruno, mercado};
  QTest::newRow("um pagador") << "3" << QList<QStringList>{ana};
}

void tst_frmRelDeclaracaoAnual::paginaPorPagador() {
  QFETCH(QString, pagador);
  QFETCH(QList<QStringList>, paginas);
  escolher("uscEmitente", QStringLiteral("1"));
  controle<uscTextBox>("txtAno")->setText(QStringLiteral("2025"));
  if (!pagador.isEmpty()) {
    controle<QRadioButton>("optPagador_1")->setChecked(true);
    escolher("uscPagador", pagador);
  }
  teste_.tela->Visualizar();
  QCOMPARE(teste_.pasta->mensagens.quantas(), 0);
  QCOMPARE(teste_.previews(), 1);
  const Relatorio* relatorio = teste_.relatorioMostrado();
  QVERIFY(relatorio->avisos().isEmpty());
  QCOMPARE(relatorio->quantasPaginas(), paginas.size());

  QTemporaryDir pasta;
  const QString pdf = pasta.filePath(QStringLiteral("declaracao.pdf"));
  QVERIFY(relatorio->ExportarPdf(pdf));
  const QStringList textos = TextoPdf(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
  QCOMPARE(textos.size(), paginas.size());
  for (int p = 0; p < paginas.size(); ++p) {
    const QString texto = textos.at(p).simplified();
    qsizetype desde = 0;
    for (const QString& esperado : paginas.at(p)) {
      const qsizetype achado = texto.indexOf(esperado, desde);
      QVERIFY2(achado >= 0, qPrintable(QStringLiteral("página %1 sem \"%2\": %3").arg(p + 1).arg(esperado, texto)));
      desde = achado + esperado.size();
    }
    // Only the chosen issuer's receipts dated in the chosen year.
    for (const char* fora : {"Escrituração", "Honorários de dezembro", "Contábil Exata", "300,00", "400,00"})
      QVERIFY2(!texto.contains(QString::fromUtf8(fora)), qPrintable(texto));
  }
}

QTEST_MAIN(tst_frmRelDeclaracaoAnual)
#include "tst_frmRelDeclaracaoAnual.moc"
