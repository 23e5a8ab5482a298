#include "receipts/frmLocalizarReciboComercial.h"

#include "app/core/Conexao.h"
#include "controls/lvButtons.h"
#include "controls/uscSelecionaRegistro.h"
#include "controls/uscTextBox.h"
#include "tests/support/PastaTeste.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTreeView>
#include <QtTest>

#include <memory>

// The receipt search dialog on a real database, driven as the operator drives it: the filter
// panel's presets, frames, automatic filling and refusals, the search with its three counts,
// and leaving through OK, Cancelar and Esc. Today is 7 December 2026.
class tst_frmLocalizarReciboComercial : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();
  void abertura();
  void presetsDoPeriodo_data();
  void presetsDoPeriodo();
  void tipoDeFiltroLimpaEHabilitaQuadros();
  void preenchimentoAutomatico();
  void faixaDeAnoVazioVai1a1();
  void validacoesAoSairDasCaixas_data();
  void validacoesAoSairDasCaixas();
  void pessoaNaoEscolhidaNaoPesquisa_data();
  void pessoaNaoEscolhidaNaoPesquisa();
  void contagens();
  void okSemSelecao();
  void okDevolveNumeroEAno();
  void escECancelar();
  void caixaDeFecharRecusada();

private:
  template <typename T>
  T* controle(const QString& nome) const {
    T* c = dialogo_->findChild<T*>(nome);
    if (c == nullptr)
      qFatal("no control %s", qPrintable(nome));
    return c;
  }
  uscTextBox* caixa(const char* nome) const { return controle<uscTextBox>(QString::fromLatin1(nome)); }
  QRadioButton* opcao(const char* nome, int i) const {
    return controle<QRadioButton>(QString::fromLatin1(nome) + QLatin1Char('_') + QString::number(i));
  }
  // Replaces the text of a box as the operator does: select everything and type over it.
  void digitar(uscTextBox* c, const QString& texto);
  void pesquisar() { QTest::mouseClick(controle<lvButtons>("btnSelecionaRegistrps"), Qt::LeftButton); }
  QString registros() const { return controle<QLabel>("lblRegistros")->text(); }
  int linhas() const { return controle<QTreeView>("lsvRecibo")->model()->rowCount(); }

  std::unique_ptr<PastaTeste> pasta_;
  std::unique_ptr<frmLocalizarReciboComercial> dialogo_;
};

void tst_frmLocalizarReciboComercial::init() {
  pasta_ = std::make_unique<PastaTeste>();
  QVERIFY(pasta_->abrir());
  QVERIFY(pasta_->executar("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Ana Luíza'), (2, 'João Souza')"));
  QVERIFY(pasta_->executar(
      "INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente) VALUES "
      "(1, 2025, '2025-03-02', 10000, 1, 2), (2, 2025, '2025-07-02', 20000, 2, 1), (3, 2025, '2025-12-30', 5000, 1, 2),"
      "(1, 2026, '2026-01-05', 30000, 1, 2), (2, 2026, '2026-06-01', 40000, 2, 1), (3, 2026, '2026-12-01', 50000, 1, "
      "2),"
      "(4, 2026, '2026-12-07', 60000, 2, 1), (7, 2026, '2026-12-07', 70000, 9, 1)"));
  dialogo_ = std::make_unique<frmLocalizarReciboComercial>(pasta_->contexto());
  dialogo_->show();
  QVERIFY(QTest::qWaitForWindowActive(dialogo_.get()));
}

void tst_frmLocalizarReciboComercial::cleanup() {
  dialogo_.reset();
  pasta_.reset();
}

void tst_frmLocalizarReciboComercial::digitar(uscTextBox* c, const QString& texto) {
  c->Focar();
  QWidget* foco = QApplication::focusWidget();
  QTest::keyClick(foco, Qt::Key_A, Qt::ControlModifier);
  if (texto.isEmpty())
    QTest::keyClick(foco, Qt::Key_Backspace);
  else
    QTest::keyClicks(foco, texto);
}

void tst_frmLocalizarReciboComercial::abertura() {
  QCOMPARE(dialogo_->windowTitle(), QStringLiteral("Localizar recibo comercial"));
  QVERIFY(dialogo_->isModal());
  QVERIFY(!dialogo_->Cancelado());
  QVERIFY(opcao("optTipoData", 1)->isChecked());
  QVERIFY(opcao("optTipoFiltro", 0)->isChecked());
  QVERIFY(opcao("optOrdenarPor", 0)->isChecked());
  QCOMPARE(controle<QDateEdit>("dtpInicial")->date(), QDate(2026, 12, 7));
  QCOMPARE(controle<QDateEdit>("dtpFinal")->date(), QDate(2026, 12, 7));
  QVERIFY(controle<QGroupBox>("fraDataEmissao")->isEnabled());
  QVERIFY(controle<QGroupBox>("fraOrdenacao")->isEnabled());
  for (const char* frame : {"fraFiltroCodigoEmpenho", "fraPrestador", "fraEmitente"})
    QVERIFY2(!controle<QGroupBox>(frame)->isEnabled(), frame);
  QVERIFY(!controle<lvButtons>("btnOK")->isEnabled());
  QCOMPARE(controle<uscSelecionaRegistro>("uscRecebi")->Titulo(), QStringLiteral("Pessoa - Prestador de serviço"));
  QCOMPARE(controle<uscSelecionaRegistro>("uscEmitente")->Titulo(), QStringLiteral("Pessoa - Emitente"));
  QCOMPARE(controle<uscSelecionaRegistro>("uscEmitente")->larguraColuna(1), 5985);
  auto* lista = controle<QTreeView>("lsvRecibo");
  QVERIFY(lista->isColumnHidden(0));
  QCOMPARE(lista->model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Recebi de"));
  QCOMPARE(lista->columnWidth(5), 4754 / 15);
}

void tst_frmLocalizarReciboComercial::presetsDoPeriodo_data() {
  QTest::addColumn<int>("opcao");
  QTest::addColumn<QDate>("inicial");
  QTest::addColumn<QDate>("final");
  QTest::newRow("Diário") << 1 << QDate(2026, 12, 7) << QDate(2026, 12, 7);
  QTest::newRow("Semanal") << 2 << QDate(2026, 11, 30) << QDate(2026, 12, 7);
  QTest::newRow("Mensal: December has 31 days") << 3 << QDate(2026, 11, 6) << QDate(2026, 12, 7);
  QTest::newRow("Anual") << 4 << QDate(2026, 1, 1) << QDate(2026, 12, 31);
}

void tst_frmLocalizarReciboComercial::presetsDoPeriodo() {
  QFETCH(int, opcao);
  auto* inicial = controle<QDateEdit>("dtpInicial");
  auto* final = controle<QDateEdit>("dtpFinal");
  inicial->setDate(QDate(2020, 5, 5));
  QTest::mouseClick(this->opcao("optTipoData", opcao), Qt::LeftButton);
  QTEST(inicial->date(), "inicial");
  QTEST(final->date(), "final");
  // "Não utilizar" leaves the pickers as they are, and they stay editable.
  QTest::mouseClick(this->opcao("optTipoData", 0), Qt::LeftButton);
  QTEST(inicial->date(), "inicial");
  QVERIFY(inicial->isEnabled() && final->isEnabled());
}

void tst_frmLocalizarReciboComercial::tipoDeFiltroLimpaEHabilitaQuadros() {
  const auto habilitados = [this] {
    QStringList lista;
    for (const char* frame : {"fraFiltroCodigoEmpenho", "fraPrestador", "fraEmitente"})
      if (controle<QGroupBox>(frame)->isEnabled())
        lista << QString::fromLatin1(frame);
    return lista;
  };
  QTest::mouseClick(opcao("optTipoFiltro", 1), Qt::LeftButton);
  QCOMPARE(habilitados(), QStringList{"fraFiltroCodigoEmpenho"});
  QCOMPARE(caixa("txtCodigoEmpenhoInicial")->Text(), QStringLiteral("1"));
  QCOMPARE(caixa("txtAnoEmpenhoInicial")->Text(), QStringLiteral("2026"));
  QCOMPARE(caixa("txtCodigoEmpenhoFinal")->Text(), QStringLiteral("7"));
  QCOMPARE(caixa("txtAnoEmpenhoFinal")->Text(), QStringLiteral("2026"));

  QTest::mouseClick(opcao("optTipoFiltro", 2), Qt::LeftButton);
  QCOMPARE(habilitados(), QStringList{"fraPrestador"});
  for (const char* nome :
       {"txtCodigoEmpenhoInicial", "txtAnoEmpenhoInicial", "txtCodigoEmpenhoFinal", "txtAnoEmpenhoFinal"})
    QVERIFY2(caixa(nome)->Text().isEmpty(), nome);
  auto* recebi = controle<uscSelecionaRegistro>("uscRecebi");
  recebi->setText(0, QStringLiteral("2"));
  QCOMPARE(recebi->Text(1), QStringLiteral("João Souza"));

  QTest::mouseClick(opcao("optTipoFiltro", 3), Qt::LeftButton);
  QCOMPARE(habilitados(), QStringList{"fraEmitente"});
  QCOMPARE(recebi->Text(0), QString());
  QCOMPARE(recebi->Text(1), QString());

  QTest::mouseClick(opcao("optTipoFiltro", 0), Qt::LeftButton);
  QCOMPARE(habilitados(), QStringList{});
  QVERIFY(controle<QGroupBox>("fraDataEmissao")->isEnabled());
  QVERIFY(controle<QGroupBox>("fraOrdenacao")->isEnabled());
}

void tst_frmLocalizarReciboComercial::preenchimentoAutomatico() {
  QTest::mouseClick(opcao("optTipoFiltro", 1), Qt::LeftButton);
  auto* anoFinal = caixa("txtAnoEmpenhoFinal");
  auto* codigoFinal = caixa("txtCodigoEmpenhoFinal");
  auto* codigoInicial = caixa("txtCodigoEmpenhoInicial");

  digitar(codigoInicial, QString());
  QCOMPARE(codigoInicial->Text(), QStringLiteral("1"));
  QVERIFY(codigoInicial->isAncestorOf(QApplication::focusWidget()));

  // The final number follows the final year: the highest number of that year.
  digitar(caixa("txtAnoEmpenhoInicial"), QStringLiteral("2025"));
  digitar(anoFinal, QStringLiteral("2025"));
  digitar(codigoFinal, QString());
  QCOMPARE(codigoFinal->Text(), QStringLiteral("3"));
  QVERIFY(codigoFinal->isAncestorOf(QApplication::focusWidget()));

  digitar(anoFinal, QString());
  QCOMPARE(anoFinal->Text(), QStringLiteral("2026"));
  QVERIFY(anoFinal->isAncestorOf(QApplication::focusWidget()));

  // Under another filter type nothing is filled.
  QTest::mouseClick(opcao("optTipoFiltro", 0), Qt::LeftButton);
  codigoInicial->setText(QStringLiteral("5"));
  codigoInicial->setText(QString());
  QCOMPARE(codigoInicial->Text(), QString());
}

void tst_frmLocalizarReciboComercial::faixaDeAnoVazioVai1a1() {
  pasta_->relogio.definir(QDateTime(QDate(2027, 2, 1), QTime(8, 0)));
  QTest::mouseClick(opcao("optTipoFiltro", 1), Qt::LeftButton);
  QCOMPARE(caixa("txtCodigoEmpenhoInicial")->Text(), QStringLiteral("1"));
  QCOMPARE(caixa("txtCodigoEmpenhoFinal")->Text(), QStringLiteral("1"));
  QCOMPARE(caixa("txtAnoEmpenhoFinal")->Text(), QStringLiteral("2027"));
}

void tst_frmLocalizarReciboComercial::validacoesAoSairDasCaixas_data() {
  QTest::addColumn<QString>("nome");
  QTest::addColumn<QString>("texto");
  QTest::addColumn<QString>("mensagem");
  QTest::newRow("initial year of three digits") << "txtAnoEmpenhoInicial"
                                                << "202"
                                                << "Entre com um ano válido.";
  QTest::newRow("initial year after the final") << "txtAnoEmpenhoInicial"
                                                << "2027"
                                                << "O ano inicial não pode ser maior que o ano final.";
  QTest::newRow("final year before the initial") << "txtAnoEmpenhoFinal"
                                                 << "2025"
                                                 << "O ano final não pode ser menor que o ano inicial.";
  QTest::newRow("initial number after the final")
      << "txtCodigoEmpenhoInicial"
      << "8"
      << "O código do recibo inicial não pode ser maior que o código do recibo final.";
  QTest::newRow("final number before the initial")
      << "txtCodigoEmpenhoFinal"
      << "0"
      << "O código do recibo final não pode ser menor que o código do recibo inicial.";
  QTest::newRow("number past 32 bits") << "txtCodigoEmpenhoFinal"
                                       << "99999999999"
                                       << "Entre com um número de recibo válido, de 0 a 2147483647.";
  QTest::newRow("initial 7 to final 7 passes") << "txtCodigoEmpenhoInicial"
                                               << "7"
                                               << "";
}

void tst_frmLocalizarReciboComercial::validacoesAoSairDasCaixas() {
  QFETCH(QString, nome);
  QFETCH(QString, texto);
  QFETCH(QString, mensagem);
  QTest::mouseClick(opcao("optTipoFiltro", 1), Qt::LeftButton);
  auto* c = caixa(qPrintable(nome));
  digitar(c, texto);
  QCOMPARE(c->Text(), texto);
  pasta_->mensagens.limpar();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  if (mensagem.isEmpty()) {
    QCOMPARE(pasta_->mensagens.quantas(), 0);
    QVERIFY(!c->isAncestorOf(QApplication::focusWidget()));
    return;
  }
  QCOMPARE(pasta_->mensagens.quantas(), 1);
  QCOMPARE(pasta_->mensagens.ultima().texto, mensagem);
  QCOMPARE(pasta_->mensagens.ultima().titulo, QStringLiteral("Recibos impressos"));
  QCOMPARE(pasta_->mensagens.ultima().icone, Icone::Informacao);
  QVERIFY(c->isAncestorOf(QApplication::focusWidget()));
  QCOMPARE(c->Text(), texto);
}

void tst_frmLocalizarReciboComercial::pessoaNaoEscolhidaNaoPesquisa_data() {
  QTest::addColumn<int>("tipo");
  QTest::addColumn<QString>("titulo");
  QTest::addColumn<QString>("seletor");
  QTest::newRow("payer") << 2 << "Recibos impressos - Recebi de"
                         << "uscRecebi";
  QTest::newRow("issuer") << 3 << "Recibos impressos - Emitente"
                          << "uscEmitente";
}

void tst_frmLocalizarReciboComercial::pessoaNaoEscolhidaNaoPesquisa() {
  QFETCH(int, tipo);
  QFETCH(QString, seletor);
  QTest::mouseClick(opcao("optTipoData", 0), Qt::LeftButton);
  pesquisar();
  QCOMPARE(linhas(), 8);
  const QString antes = registros();

  QTest::mouseClick(opcao("optTipoFiltro", tipo), Qt::LeftButton);
  pesquisar();
  QCOMPARE(pasta_->mensagens.quantas(), 1);
  QCOMPARE(pasta_->mensagens.ultima().texto, QStringLiteral("Por favor, selecione a pessoa a filtrar."));
  QTEST(pasta_->mensagens.ultima().titulo, "titulo");
  QCOMPARE(pasta_->mensagens.ultima().icone, Icone::Informacao);
  QVERIFY(controle<uscSelecionaRegistro>(seletor)->isAncestorOf(QApplication::focusWidget()));
  // No query ran: the list and its count are those of the last search.
  QCOMPARE(linhas(), 8);
  QCOMPARE(registros(), antes);

  // With the person chosen, the search runs.
  controle<uscSelecionaRegistro>(seletor)->setText(0, QStringLiteral("1"));
  pesquisar();
  QCOMPARE(linhas(), 4);
}

void tst_frmLocalizarReciboComercial::contagens() {
  auto* ok = controle<lvButtons>("btnOK");
  // Today, 7 December 2026: two receipts, one of them of a person who no longer exists.
  pesquisar();
  QCOMPARE(registros(), QStringLiteral("Foram localizados 2 registros."));
  QVERIFY(ok->isEnabled());
  auto* lista = controle<QTreeView>("lsvRecibo");
  QCOMPARE(QApplication::focusWidget(), lista);
  QCOMPARE(lista->model()->index(1, 5).data().toString(), QString());
  QCOMPARE(lista->model()->index(1, 6).data().toString(), QStringLiteral("Ana Luíza"));

  QTest::mouseClick(opcao("optTipoFiltro", 1), Qt::LeftButton);
  digitar(caixa("txtCodigoEmpenhoInicial"), QStringLiteral("7"));
  pesquisar();
  QCOMPARE(registros(), QStringLiteral("Foi localizado 1 registro."));

  QTest::mouseClick(opcao("optTipoFiltro", 0), Qt::LeftButton);
  controle<QDateEdit>("dtpInicial")->setDate(QDate(2024, 1, 1));
  controle<QDateEdit>("dtpFinal")->setDate(QDate(2024, 12, 31));
  pesquisar();
  QCOMPARE(registros(), QStringLiteral("Não foi localizado nenhum registro."));
  QCOMPARE(linhas(), 0);
  QVERIFY(!ok->isEnabled());
}

void tst_frmLocalizarReciboComercial::okSemSelecao() {
  pesquisar();
  auto* lista = controle<QTreeView>("lsvRecibo");
  lista->selectionModel()->clearSelection();
  controle<lvButtons>("btnOK")->setFocus();
  QTest::mouseClick(controle<lvButtons>("btnOK"), Qt::LeftButton);
  QCOMPARE(pasta_->mensagens.quantas(), 1);
  QCOMPARE(pasta_->mensagens.ultima().texto, QStringLiteral("Selecione um registro."));
  QCOMPARE(pasta_->mensagens.ultima().titulo, QStringLiteral("Localizar recibo impresso"));
  QCOMPARE(QApplication::focusWidget(), lista);
  QVERIFY(dialogo_->isVisible());
  QVERIFY(!dialogo_->Cancelado());
}

void tst_frmLocalizarReciboComercial::okDevolveNumeroEAno() {
  QTest::mouseClick(opcao("optTipoData", 0), Qt::LeftButton);
  pesquisar();
  auto* lista = controle<QTreeView>("lsvRecibo");
  // The first receipt found is selected; the operator moves down to the fifth one.
  QCOMPARE(dialogo_->NumeroSelecionado(), 1);
  QCOMPARE(dialogo_->AnoSelecionado(), 2025);
  for (int i = 0; i < 4; ++i)
    QTest::keyClick(lista, Qt::Key_Down);
  QTest::mouseClick(controle<lvButtons>("btnOK"), Qt::LeftButton);
  QVERIFY(!dialogo_->isVisible());
  QVERIFY(!dialogo_->Cancelado());
  QCOMPARE(dialogo_->NumeroSelecionado(), 2);
  QCOMPARE(dialogo_->AnoSelecionado(), 2026);
}

void tst_frmLocalizarReciboComercial::escECancelar() {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QVERIFY(!dialogo_->isVisible());
  QVERIFY(dialogo_->Cancelado());

  dialogo_->show();
  QVERIFY(QTest::qWaitForWindowActive(dialogo_.get()));
  pesquisar();
  QTest::mouseClick(controle<lvButtons>("btnOK"), Qt::LeftButton);
  QVERIFY(!dialogo_->Cancelado());
  dialogo_->show();
  QVERIFY(QTest::qWaitForWindowActive(dialogo_.get()));
  QTest::mouseClick(controle<lvButtons>("btnCancelar"), Qt::LeftButton);
  QVERIFY(!dialogo_->isVisible());
  QVERIFY(dialogo_->Cancelado());
}

void tst_frmLocalizarReciboComercial::caixaDeFecharRecusada() {
  QVERIFY(!dialogo_->close());
  QVERIFY(dialogo_->isVisible());
  QVERIFY(!dialogo_->Cancelado());
}

QTEST_MAIN(tst_frmLocalizarReciboComercial)
#include "tst_frmLocalizarReciboComercial.moc"
