#include "controls/uscSelecionaRegistro.h"

#include "app/core/Conexao.h"
#include "controls/ListaRegistros.h"
#include "controls/ModeloRegistros.h"
#include "controls/ValidacaoFoco.h"
#include "controls/uscTextBox.h"
#include "tests/support/JanelaTeste.h"
#include "tests/support/PastaTeste.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

// The record selector over a real database: codes typed and looked up, the list opened,
// filtered and picked from, the condition kept while the list is open, a connection closed and
// opened again.
class tst_uscSelecionaRegistro : public QObject {
  Q_OBJECT
private slots:
  void init();
  void cleanup();
  void digitarCodigoEsairPesquisa_data();
  void digitarCodigoEsairPesquisa();
  void escreverCodigoDisparaValorAlterado();
  void listaFiltraIgnorandoAcentos();
  void listaSetasEnterEsc();
  void listaLargaComoADescricao_data();
  void listaLargaComoADescricao();
  void condicaoDoFocoRecebidoValeComAListaAberta();
  void sobreviveAConexaoFechadaEReaberta();
  void conexaoFechadaMostraAFalha();
  void validarCancelaNoSeletor();
  void modeloDeRegistros();

private:
  // Runs `passo` on the list once it is open (the list is modal), then waits for it to close.
  void naLista(const std::function<void(ListaRegistros*)>& passo);
  // The window system gives the window back its activation when a modal one closes.
  void reativar();

  std::unique_ptr<PastaTeste> pasta_;
  JanelaTeste* janela_ = nullptr;
  uscTextBox* antes_ = nullptr;
  uscSelecionaRegistro* seletor_ = nullptr;
  uscTextBox* depois_ = nullptr;
};

void tst_uscSelecionaRegistro::init() {
  pasta_ = std::make_unique<PastaTeste>();
  QVERIFY(pasta_->abrir());
  QVERIFY(
      pasta_->executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES "
                                      "(1, 'João da Silva'), (2, 'Maria Souza'), (3, 'JOSÉ Peçanha'), "
                                      "(10, 'Ana Joaquina')")));
  janela_ = new JanelaTeste;
  antes_ = janela_->adicionar<uscTextBox>();
  seletor_ = janela_->adicionar<uscSelecionaRegistro>(pasta_->mensagens);
  depois_ = janela_->adicionar<uscTextBox>();
  seletor_->setObjectName(QStringLiteral("uscRecebi"));
  seletor_->setConexao(&Conexao::Banco);
  seletor_->setSQL(QStringLiteral("SELECT Codigo,Descricao FROM tbPessoa"));
  seletor_->setCondicao(QString());
  seletor_->setCodigoNumerico(true);
  seletor_->setTitulo(QStringLiteral("Pessoa"));
  seletor_->LarguraColuna(0, 1000);
  seletor_->LarguraColuna(1, 5985);
  QVERIFY(janela_->mostrar());
  seletor_->Focar();
}

void tst_uscSelecionaRegistro::cleanup() {
  delete janela_;
  pasta_.reset();
}

void tst_uscSelecionaRegistro::naLista(const std::function<void(ListaRegistros*)>& passo) {
  bool abriu = false;
  QTimer::singleShot(0, this, [&] {
    auto* lista = qobject_cast<ListaRegistros*>(QApplication::activeModalWidget());
    abriu = lista != nullptr;
    if (!abriu)
      return;
    passo(lista);
    if (lista->isVisible())
      lista->reject();
  });
  QTest::keyClick(seletor_, Qt::Key_F4);
  QVERIFY(abriu);
  reativar();
}

void tst_uscSelecionaRegistro::reativar() {
  QApplication::setActiveWindow(janela_);
  QVERIFY(QTest::qWaitForWindowActive(janela_));
}

void tst_uscSelecionaRegistro::digitarCodigoEsairPesquisa_data() {
  QTest::addColumn<QString>("digitado");
  QTest::addColumn<QString>("codigo");
  QTest::addColumn<QString>("descricao");
  QTest::newRow("existente") << "2"
                             << "2"
                             << "Maria Souza";
  QTest::newRow("zeros a esquerda") << "002"
                                    << "002"
                                    << "Maria Souza";
  QTest::newRow("sem linha") << "99"
                             << "99"
                             << "";
  QTest::newRow("letras ficam fora") << "1a0"
                                     << "10"
                                     << "Ana Joaquina";
  QTest::newRow("grande demais para numero") << "99999999999999999999"
                                             << "99999999999999999999"
                                             << "";
}

void tst_uscSelecionaRegistro::digitarCodigoEsairPesquisa() {
  QFETCH(QString, digitado);
  QFETCH(QString, codigo);
  QFETCH(QString, descricao);
  QTest::keyClicks(seletor_, digitado);
  QCOMPARE(seletor_->Text(1), QString());
  QTest::keyClick(seletor_, Qt::Key_Tab);
  QVERIFY(depois_->hasFocus());
  QCOMPARE(seletor_->Text(0), codigo);
  QCOMPARE(seletor_->Text(1), descricao);
  QCOMPARE(pasta_->mensagens.quantas(), 0);
}

void tst_uscSelecionaRegistro::escreverCodigoDisparaValorAlterado() {
  QSignalSpy mudou(seletor_, &uscSelecionaRegistro::valorAlterado);
  QString vistoNoEvento;
  connect(seletor_, &uscSelecionaRegistro::valorAlterado, this, [&] { vistoNoEvento = seletor_->Text(1); });
  seletor_->setText(0, QStringLiteral("3"));
  QCOMPARE(mudou.count(), 1);
  QCOMPARE(seletor_->Text(1), QStringLiteral("JOSÉ Peçanha"));
  QCOMPARE(vistoNoEvento, QStringLiteral("JOSÉ Peçanha"));
  // A deleted person's code stays, with no description.
  QVERIFY(pasta_->executar(QStringLiteral("DELETE FROM tbPessoa WHERE Codigo=3")));
  seletor_->Pesquisar();
  QCOMPARE(seletor_->Text(0), QStringLiteral("3"));
  QCOMPARE(seletor_->Text(1), QString());
  seletor_->setText(0, QString());
  QCOMPARE(mudou.count(), 2);
  QTest::keyClicks(seletor_, QStringLiteral("12"));
  QCOMPARE(mudou.count(), 4);
}

void tst_uscSelecionaRegistro::listaFiltraIgnorandoAcentos() {
  naLista([](ListaRegistros* lista) {
    QCOMPARE(lista->windowTitle(), QStringLiteral("Pessoa"));
    auto* linhas = lista->findChild<QTreeView*>(QStringLiteral("lsvRegistros"));
    QCOMPARE(linhas->model()->rowCount(), 4);
    QCOMPARE(linhas->columnWidth(0), 1000 / 15);
    QVERIFY(linhas->columnWidth(1) >= 5985 / 15);  // and whatever room the window has left
    auto* filtro = lista->findChild<QLineEdit*>(QStringLiteral("txtFiltro"));
    QTRY_VERIFY(filtro->hasFocus());
    QTest::keyClicks(filtro, QStringLiteral("joao"));
    QCOMPARE(linhas->model()->rowCount(), 1);
    filtro->clear();
    QTest::keyClicks(filtro, QStringLiteral("jose pec"));
    QCOMPARE(linhas->model()->rowCount(), 1);
    filtro->clear();
    QTest::keyClicks(filtro, QStringLiteral("JOA"));  // João and Joaquina
    QCOMPARE(linhas->model()->rowCount(), 2);
    QTest::keyClick(filtro, Qt::Key_Down);
    QTest::keyClick(filtro, Qt::Key_Return);
  });
  QCOMPARE(seletor_->Text(0), QStringLiteral("10"));
  QCOMPARE(seletor_->Text(1), QStringLiteral("Ana Joaquina"));
  QTRY_VERIFY(seletor_->hasFocus());
}

void tst_uscSelecionaRegistro::listaSetasEnterEsc() {
  seletor_->setText(0, QStringLiteral("2"));
  QSignalSpy mudou(seletor_, &uscSelecionaRegistro::valorAlterado);
  naLista([](ListaRegistros* lista) {
    auto* linhas = lista->findChild<QTreeView*>(QStringLiteral("lsvRegistros"));
    QCOMPARE(linhas->currentIndex().row(), 1);  // the row of the code shown
    QTest::keyClick(lista->findChild<QLineEdit*>(QStringLiteral("txtFiltro")), Qt::Key_Escape);
  });
  QCOMPARE(seletor_->Text(0), QStringLiteral("2"));
  QCOMPARE(mudou.count(), 0);
  naLista([](ListaRegistros* lista) {
    auto* filtro = lista->findChild<QLineEdit*>(QStringLiteral("txtFiltro"));
    QTest::keyClick(filtro, Qt::Key_Up);
    QTest::keyClick(filtro, Qt::Key_Up);  // stays on the first row
    QTest::keyClick(filtro, Qt::Key_Return);
  });
  QCOMPARE(seletor_->Text(0), QStringLiteral("1"));
  QCOMPARE(mudou.count(), 1);
  // A filter that leaves nothing: Enter picks nothing and the list stays open.
  naLista([](ListaRegistros* lista) {
    QTest::keyClicks(lista->findChild<QLineEdit*>(QStringLiteral("txtFiltro")), QStringLiteral("zzz"));
    QTest::keyClick(lista->findChild<QLineEdit*>(QStringLiteral("txtFiltro")), Qt::Key_Return);
    QVERIFY(lista->isVisible());
  });
  QCOMPARE(seletor_->Text(0), QStringLiteral("1"));
}

// The list is as wide as the widest description it offers (whole, unless the screen is too
// narrow for it), never narrower than the selector nor than the widths it was given, and the
// description column takes the room left.
void tst_uscSelecionaRegistro::listaLargaComoADescricao_data() {
  QTest::addColumn<QStringList>("descricoes");
  QTest::addColumn<int>("larguraSeletor");  // 0: as the window lays it out
  QTest::addColumn<QString>("maisLarga");   // shown whole; empty when none must be
  QTest::addColumn<bool>("cabeNaTela");
  QTest::newRow("curtas") << QStringList{"Bia", "Eva"} << 0 << "" << true;
  QTest::newRow("longa") << QStringList{"Oficina Mecânica Irmãos Rodrigues de Albuquerque Comércio e Serviços Ltda"}
                         << 0 << "Oficina Mecânica Irmãos Rodrigues de Albuquerque Comércio e Serviços Ltda" << true;
  // Many names longer in letters but narrower on the screen than one in capitals.
  QStringList estreitas;
  for (int i = 0; i < 300; ++i)
    estreitas << QStringLiteral("Ilha ").repeated(14) + QString::number(i);
  const QString maiusculas = QStringLiteral("MMMM WWWW ").repeated(5).trimmed();
  QTest::newRow("maiúsculas entre muitas mais compridas")
      << estreitas + QStringList{maiusculas} << 0 << maiusculas << true;
  QTest::newRow("maior que a tela") << QStringList{QStringLiteral("Nome ").repeated(200).trimmed()} << 0 << "" << false;
  QTest::newRow("seletor largo") << QStringList{"Bia"} << 700 << "" << true;
}

void tst_uscSelecionaRegistro::listaLargaComoADescricao() {
  QFETCH(QStringList, descricoes);
  QFETCH(int, larguraSeletor);
  QFETCH(QString, maisLarga);
  QFETCH(bool, cabeNaTela);
  for (int i = 0; i < descricoes.size(); ++i)
    QVERIFY(pasta_->executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (?, ?)"),
                             {100 + i, descricoes.at(i)}));
  if (larguraSeletor > 0) {
    seletor_->setFixedWidth(larguraSeletor);
    QTRY_COMPARE(seletor_->width(), larguraSeletor);
  }
  naLista([&](ListaRegistros* lista) {
    auto* linhas = lista->findChild<QTreeView*>(QStringLiteral("lsvRegistros"));
    const int disponivel = seletor_->screen()->availableGeometry().width();
    QVERIFY2(lista->width() >= std::min(seletor_->width(), disponivel),
             qPrintable(QStringLiteral("%1 < %2").arg(lista->width()).arg(seletor_->width())));
    QVERIFY(lista->width() <= disponivel);
    QVERIFY(linhas->columnWidth(0) >= 1000 / 15);
    QVERIFY(linhas->columnWidth(1) >= 5985 / 15);
    // The description column reaches the right edge and nothing scrolls sideways.
    const int direita = linhas->columnViewportPosition(1) + linhas->columnWidth(1);
    QVERIFY2(direita >= linhas->viewport()->width() - 1,
             qPrintable(QStringLiteral("%1 < %2").arg(direita).arg(linhas->viewport()->width())));
    QCOMPARE(linhas->horizontalScrollBar()->maximum(), 0);
    // Too wide for the screen: as wide as the screen leaves room for, its frame included.
    if (!cabeNaTela)
      QVERIFY2(lista->width() >= disponivel - 16, qPrintable(QString::number(lista->width())));
    if (!maisLarga.isEmpty()) {
      const QModelIndexList achados =
          linhas->model()->match(linhas->model()->index(0, 1), Qt::DisplayRole, maisLarga, 1, Qt::MatchExactly);
      QCOMPARE(achados.size(), 1);
      QVERIFY2(linhas->columnWidth(1) >= linhas->sizeHintForIndex(achados.first()).width(),
               qPrintable(QStringLiteral("%1 < %2")
                              .arg(linhas->columnWidth(1))
                              .arg(linhas->sizeHintForIndex(achados.first()).width())));
    }
    // The search box is wide enough to read what is typed.
    QVERIFY(lista->findChild<QLineEdit*>(QStringLiteral("txtFiltro"))->width() >= lista->width() / 2);
  });
}

void tst_uscSelecionaRegistro::condicaoDoFocoRecebidoValeComAListaAberta() {
  // As the issuer selector: the payer (1) is not offered while the selector has the focus.
  int recebidos = 0;
  int perdidos = 0;
  connect(seletor_, &uscSelecionaRegistro::focoRecebido, this, [&] {
    ++recebidos;
    seletor_->setCondicao(QStringLiteral("Codigo<>1"));
  });
  connect(seletor_, &uscSelecionaRegistro::focoPerdido, this, [&] {
    ++perdidos;
    seletor_->setCondicao(QString());
  });
  antes_->Focar();
  perdidos = 0;
  QTest::keyClick(antes_, Qt::Key_Tab);
  QVERIFY(seletor_->hasFocus());
  QCOMPARE(recebidos, 1);
  naLista([&](ListaRegistros* lista) {
    QCOMPARE(seletor_->Condicao(), QStringLiteral("Codigo<>1"));
    auto* linhas = lista->findChild<QTreeView*>(QStringLiteral("lsvRegistros"));
    QCOMPARE(linhas->model()->rowCount(), 3);
    QTest::keyClick(lista->findChild<QLineEdit*>(QStringLiteral("txtFiltro")), Qt::Key_Return);
  });
  QCOMPARE(seletor_->Text(0), QStringLiteral("2"));
  QTRY_VERIFY(seletor_->hasFocus());
  QCOMPARE(recebidos, 1);
  QCOMPARE(perdidos, 0);
  QTest::keyClick(seletor_, Qt::Key_Tab);
  QVERIFY(depois_->hasFocus());
  QCOMPARE(perdidos, 1);
  QCOMPARE(seletor_->Condicao(), QString());
}

void tst_uscSelecionaRegistro::sobreviveAConexaoFechadaEReaberta() {
  seletor_->setText(0, QStringLiteral("1"));
  Conexao::FecharConexao();
  QVERIFY(pasta_->abrir());
  seletor_->setText(0, QStringLiteral("2"));
  QCOMPARE(seletor_->Text(1), QStringLiteral("Maria Souza"));
  naLista([](ListaRegistros* lista) {
    QCOMPARE(lista->findChild<QTreeView*>(QStringLiteral("lsvRegistros"))->model()->rowCount(), 4);
  });
  QCOMPARE(pasta_->mensagens.quantas(), 0);
}

void tst_uscSelecionaRegistro::conexaoFechadaMostraAFalha() {
  Conexao::FecharConexao();
  seletor_->setText(0, QStringLiteral("2"));
  QCOMPARE(seletor_->Text(1), QString());
  QCOMPARE(pasta_->mensagens.quantas(), 1);
  QCOMPARE(pasta_->mensagens.ultima().titulo, uscSelecionaRegistro::TituloFalhaPesquisa);
  QCOMPARE(pasta_->mensagens.ultima().icone, Icone::Critico);
  QTest::keyClick(seletor_, Qt::Key_F4);  // no list opens, one message
  QCOMPARE(pasta_->mensagens.quantas(), 2);
  QCOMPARE(pasta_->mensagens.ultima().titulo, uscSelecionaRegistro::TituloFalhaLista);
}

void tst_uscSelecionaRegistro::validarCancelaNoSeletor() {
  int validacoes = 0;
  connect(seletor_, &uscSelecionaRegistro::validar, this, [&](bool& cancelar) {
    ++validacoes;
    // The handler sees the description of the code typed.
    if (seletor_->Text(1).isEmpty()) {
      pasta_->mensagens.informar(QStringLiteral("Pessoa não cadastrada."), QStringLiteral("Recibo"));
      cancelar = true;
    }
  });
  QTest::keyClicks(seletor_, QStringLiteral("99"));
  QTest::keyClick(seletor_, Qt::Key_Tab);
  QVERIFY(seletor_->hasFocus());
  // Screens ask which control is active by name: the selector, not its code box.
  QCOMPARE(ValidacaoFoco::controleComFoco()->objectName().toUpper(), QStringLiteral("USCRECEBI"));
  QCOMPARE(validacoes, 1);
  QCOMPARE(pasta_->mensagens.quantas(), 1);
  QTest::keyClick(seletor_, Qt::Key_Backspace);
  QTest::keyClick(seletor_, Qt::Key_Backspace);
  QTest::keyClicks(seletor_, QStringLiteral("3"));
  QTest::keyClick(seletor_, Qt::Key_Tab);
  QVERIFY(depois_->hasFocus());
  QCOMPARE(validacoes, 2);
}

void tst_uscSelecionaRegistro::modeloDeRegistros() {
  QVERIFY(
      pasta_->executar(QStringLiteral("INSERT INTO tbReferente (Codigo, Descricao) VALUES "
                                      "(1, 'Aluguel de' || char(13) || char(10) || 'dezembro'), (2, 'Condomínio')")));
  ModeloRegistros modelo;
  QAbstractItemModelTester testador(&modelo, QAbstractItemModelTester::FailureReportingMode::QtTest);
  QSqlQuery consulta(Conexao::Banco());
  QVERIFY(consulta.exec(QStringLiteral("SELECT Codigo, Descricao FROM tbReferente ORDER BY Codigo")));
  modelo.carregar(consulta);
  QCOMPARE(modelo.rowCount(), 2);
  QCOMPARE(modelo.index(0, 1).data().toString(), QStringLiteral("Aluguel de dezembro"));
  QCOMPARE(modelo.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Descrição"));
  modelo.filtrar(QStringLiteral("CONDOMINIO"));
  QCOMPARE(modelo.rowCount(), 1);
  QCOMPARE(modelo.codigo(0), QStringLiteral("2"));
  modelo.filtrar(QStringLiteral("2"));  // the code is searched as well
  QCOMPARE(modelo.linhaDoCodigo(QStringLiteral("2")), 0);
  modelo.filtrar(QString());
  QCOMPARE(modelo.rowCount(), 2);
  QCOMPARE(modelo.codigo(5), QString());
}

QTEST_MAIN(tst_uscSelecionaRegistro)
#include "tst_uscSelecionaRegistro.moc"
