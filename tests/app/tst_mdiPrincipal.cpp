#include "app/core/Conexao.h"
#include "app/mdiPrincipal.h"
#include "controls/TelaFilha.h"

#include "tests/support/PastaTeste.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QToolBar>
#include <QtTest>

namespace {

// The smallest screen: enough to see the shell keep one instance of it.
class TelaSimples : public TelaFilha {
public:
  using TelaFilha::TelaFilha;
};

}  // namespace

class tst_mdiPrincipal : public QObject {
  Q_OBJECT

private slots:
  void legendaETamanho();
  void iconeDoPrograma_data();
  void iconeDoPrograma();
  void menus_data();
  void menus();
  void barraDeFerramentas();
  void sairRespondendoNao();
  void sairRespondendoSim();
  void fecharPelaMolduraSemPergunta();
  void umaInstanciaPorTela();
  void teclaDeAcessoDaTelaAntesDoMenu();
  void compactarRespondendoNao();
  void compactarRespondendoSim();
};

void tst_mdiPrincipal::legendaETamanho() {
  PastaTeste pasta;
  mdiPrincipal janela(pasta.contexto());
  QCOMPARE(janela.windowTitle(), QStringLiteral("Talonix"));
  QCOMPARE(janela.size(), QSize(816, 609));
  QVERIFY(janela.findChild<QWidget*>(QStringLiteral("picPrincipal")));
  QVERIFY(janela.findChild<QWidget*>(QStringLiteral("stbPrincipal")));
}

void tst_mdiPrincipal::iconeDoPrograma_data() {
  QTest::addColumn<int>("pedido");
  QTest::addColumn<int>("desenho");  // the rendered size the picture comes from
  QTest::addColumn<int>("lado");
  QTest::newRow("tamanho exato") << 32 << 32 << 32;
  QTest::newRow("entre dois: reduz o maior") << 20 << 24 << 20;
  QTest::newRow("o menor") << 8 << 16 << 8;
  QTest::newRow("maior que todos: o maior") << 200 << 128 << 128;
}

// The window icon is the icon's drawing as rendered at build time, at every size it was rendered.
void tst_mdiPrincipal::iconeDoPrograma() {
  QFETCH(int, pedido);
  QFETCH(int, desenho);
  QFETCH(int, lado);
  PastaTeste pasta;
  mdiPrincipal janela(pasta.contexto());
  const QIcon icone = janela.windowIcon();
  QCOMPARE(icone.availableSizes(), (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
  const QImage imagem = icone.pixmap(QSize(pedido, pedido)).toImage();
  QCOMPARE(imagem.size(), QSize(lado, lado));
  QPixmap esperada(QStringLiteral(":/imagens/talonix-%1.png").arg(desenho), "PNG");
  QVERIFY(!esperada.isNull());
  if (lado != desenho)
    esperada = esperada.scaled(lado, lado, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  QCOMPARE(imagem, esperada.toImage());
  QVERIFY(icone.pixmap(QSize(pedido, pedido), QIcon::Disabled).toImage() != imagem);
}

void tst_mdiPrincipal::menus_data() {
  QTest::addColumn<QString>("nome");
  QTest::addColumn<QString>("legenda");
  QTest::addColumn<QString>("pai");
  QTest::newRow("mnuCadastro") << "mnuCadastro"
                               << "&Cadastro"
                               << "";
  QTest::newRow("mnuCadastroPessoa") << "mnuCadastroPessoa"
                                     << "&Pessoa"
                                     << "mnuCadastro";
  QTest::newRow("mnuCadastroReferente") << "mnuCadastroReferente"
                                        << "&Referente"
                                        << "mnuCadastro";
  QTest::newRow("mnuRecibo") << "mnuRecibo"
                             << "&Emissão"
                             << "";
  QTest::newRow("mnuReciboEmissao") << "mnuReciboEmissao"
                                    << "&Recibo comercial"
                                    << "mnuRecibo";
  QTest::newRow("mnuRelatorio") << "mnuRelatorio"
                                << "&Relatório"
                                << "";
  QTest::newRow("mnuRelatorioPessoa") << "mnuRelatorioPessoa"
                                      << "&Pessoas cadastradas"
                                      << "mnuRelatorio";
  QTest::newRow("mnuRelatorioReferentes") << "mnuRelatorioReferentes"
                                          << "Re&ferentes cadastrados"
                                          << "mnuRelatorio";
  QTest::newRow("mnuRelatorioReciboImpresso") << "mnuRelatorioReciboImpresso"
                                              << "&Recibos impressos"
                                              << "mnuRelatorio";
  QTest::newRow("mnuRelatorioReciboImpressoReciboComercial") << "mnuRelatorioReciboImpressoReciboComercial"
                                                             << "Recibo &comercial"
                                                             << "mnuRelatorioReciboImpresso";
  QTest::newRow("mnuSistema") << "mnuSistema"
                              << "&Sistema"
                              << "";
  QTest::newRow("mnuSobre") << "mnuSobre"
                            << "So&bre"
                            << "mnuSistema";
  QTest::newRow("mnuSistemaCompactarBD") << "mnuSistemaCompactarBD"
                                         << "Compactar &banco de dados"
                                         << "mnuSistema";
  QTest::newRow("mnuSistemaBKP") << "mnuSistemaBKP"
                                 << "&Cópia de segurança"
                                 << "mnuSistema";
  QTest::newRow("mnuSair") << "mnuSair"
                           << "Sa&ir"
                           << "mnuSistema";
}

void tst_mdiPrincipal::menus() {
  QFETCH(QString, nome);
  QFETCH(QString, legenda);
  QFETCH(QString, pai);
  PastaTeste pasta;
  mdiPrincipal janela(pasta.contexto());
  auto* acao = janela.findChild<QAction*>(nome);
  QVERIFY(acao);
  QCOMPARE(acao->text(), legenda);
  QVERIFY(acao->shortcut().isEmpty());
  if (pai.isEmpty()) {
    QVERIFY(janela.menuBar()->actions().contains(acao));
  } else {
    auto* menu = janela.findChild<QMenu*>(pai);
    QVERIFY(menu);
    QVERIFY(menu->actions().contains(acao));
  }
}

void tst_mdiPrincipal::barraDeFerramentas() {
  PastaTeste pasta;
  mdiPrincipal janela(pasta.contexto());
  auto* barra = janela.findChild<QToolBar*>(QStringLiteral("tobPrincipal"));
  QVERIFY(barra);
  const QList<QAction*> botoes = barra->actions();
  QCOMPARE(botoes.size(), 4);
  QCOMPARE(botoes[0]->objectName(), QStringLiteral("tobPrincipal_1"));
  QCOMPARE(botoes[1]->objectName(), QStringLiteral("tobPrincipal_2"));
  QVERIFY(botoes[2]->isSeparator());
  QCOMPARE(botoes[3]->objectName(), QStringLiteral("tobPrincipal_4"));
  // Each button runs its menu entry's handler and is enabled with it.
  const QStringList entradas = {QStringLiteral("mnuCadastroPessoa"), QStringLiteral("mnuCadastroReferente"), QString(),
                                QStringLiteral("mnuReciboEmissao")};
  for (int i : {0, 1, 3}) {
    auto* menu = janela.findChild<QAction*>(entradas[i]);
    QCOMPARE(botoes[i]->isEnabled(), menu->isEnabled());
    menu->setEnabled(true);
    QVERIFY(botoes[i]->isEnabled());
    QSignalSpy disparos(menu, &QAction::triggered);
    botoes[i]->trigger();
    QCOMPARE(disparos.count(), 1);
  }
}

void tst_mdiPrincipal::sairRespondendoNao() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  mdiPrincipal janela(pasta.contexto());
  janela.show();
  pasta.mensagens.responder(Resposta::Nao);
  janela.findChild<QAction*>(QStringLiteral("mnuSair"))->trigger();
  QCOMPARE(pasta.mensagens.quantas(), 1);
  const auto& caixa = pasta.mensagens.ultima();
  QCOMPARE(caixa.texto, QStringLiteral("Confirma o encerramento do sistema ?"));
  QCOMPARE(caixa.titulo, QStringLiteral("Talonix"));
  QCOMPARE(caixa.icone, Icone::Pergunta);
  QCOMPARE(caixa.botoes, Botoes::SimNao);
  QCOMPARE(caixa.padrao, Resposta::Nao);
  QVERIFY(janela.isVisible());
  QVERIFY(Conexao::Banco().isOpen());
}

void tst_mdiPrincipal::sairRespondendoSim() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  mdiPrincipal janela(pasta.contexto());
  janela.show();
  pasta.mensagens.responder(Resposta::Sim);
  janela.findChild<QAction*>(QStringLiteral("mnuSair"))->trigger();
  QVERIFY(!janela.isVisible());
  QVERIFY(!Conexao::Banco().isOpen());
}

void tst_mdiPrincipal::fecharPelaMolduraSemPergunta() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  mdiPrincipal janela(pasta.contexto());
  janela.show();
  QPointer<TelaFilha> slot;
  janela.mostrarTela(slot, [&] { return new TelaSimples(pasta.contexto()); });
  QVERIFY(slot);
  QVERIFY(janela.close());
  QCOMPARE(pasta.mensagens.quantas(), 0);
  QVERIFY(!janela.isVisible());
  QTRY_VERIFY(!slot);
  QVERIFY(!Conexao::Banco().isOpen());
}

// A screen's access key wins over the menu's with the same letter: Alt+S on the person screen
// is its "&Sair", not the "&Sistema" menu; a letter only the menu has still opens the menu.
void tst_mdiPrincipal::teclaDeAcessoDaTelaAntesDoMenu() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  mdiPrincipal janela(pasta.contexto());
  janela.show();
  QVERIFY(QTest::qWaitForWindowActive(&janela));
  janela.findChild<QAction*>(QStringLiteral("mnuCadastroPessoa"))->trigger();
  auto* tela = janela.findChild<QWidget*>(QStringLiteral("frmPessoa"));
  QVERIFY(tela);
  QTRY_VERIFY(tela->isAncestorOf(QApplication::focusWidget()));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
  QTRY_VERIFY(janela.findChild<QWidget*>(QStringLiteral("frmPessoa")) == nullptr);
  QVERIFY(QApplication::activePopupWidget() == nullptr);

  janela.findChild<QAction*>(QStringLiteral("mnuCadastroPessoa"))->trigger();
  QTRY_VERIFY(janela.findChild<QWidget*>(QStringLiteral("frmPessoa"))->isAncestorOf(QApplication::focusWidget()));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);  // "&Relatório"
  QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr);
  QApplication::activePopupWidget()->close();
}

void tst_mdiPrincipal::umaInstanciaPorTela() {
  PastaTeste pasta;
  mdiPrincipal janela(pasta.contexto());
  janela.show();
  QPointer<TelaFilha> slot;
  int criadas = 0;
  const auto criar = [&] {
    ++criadas;
    return new TelaSimples(pasta.contexto());
  };
  janela.mostrarTela(slot, criar);
  janela.mostrarTela(slot, criar);
  QCOMPARE(criadas, 1);
  QCOMPARE(janela.area()->subWindowList().size(), 1);

  // The window's close box is refused: the screen is left through its own buttons.
  QMdiSubWindow* sub = janela.area()->subWindowList().first();
  sub->close();
  QVERIFY(slot);
  QVERIFY(sub->isVisible());

  slot->fecharTela();
  QTRY_VERIFY(!slot);
  janela.mostrarTela(slot, criar);
  QCOMPARE(criadas, 2);
  QCOMPARE(janela.area()->subWindowList().size(), 1);
}

void tst_mdiPrincipal::compactarRespondendoNao() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  mdiPrincipal janela(pasta.contexto());
  const QDateTime antes = QFileInfo(pasta.banco()).lastModified();
  pasta.mensagens.responder(Resposta::Nao);
  janela.findChild<QAction*>(QStringLiteral("mnuSistemaCompactarBD"))->trigger();
  QCOMPARE(pasta.mensagens.quantas(), 1);
  QCOMPARE(pasta.mensagens.ultima().titulo, QStringLiteral("Compactar banco de dados"));
  QCOMPARE(pasta.mensagens.ultima().padrao, Resposta::Nao);
  QVERIFY(pasta.mensagens.ultima().texto.startsWith(
      QStringLiteral("Esta operação irá compactar a base de dados, reduzindo o tamanho do banco de dados.\r\r")));
  QVERIFY(pasta.mensagens.ultima().texto.endsWith(
      QStringLiteral("Deseja realiza a compactação do banco de dados agora ?")));
  QVERIFY(Conexao::Banco().isOpen());
  QCOMPARE(QFileInfo(pasta.banco()).lastModified(), antes);
}

void tst_mdiPrincipal::compactarRespondendoSim() {
  PastaTeste pasta;
  QVERIFY(pasta.abrir());
  QVERIFY(pasta.executar(QStringLiteral("INSERT INTO tbReferente (Codigo, Descricao) VALUES (1, 'Aluguel')")));
  mdiPrincipal janela(pasta.contexto());
  pasta.mensagens.responder(Resposta::Sim);
  janela.findChild<QAction*>(QStringLiteral("mnuSistemaCompactarBD"))->trigger();
  QCOMPARE(pasta.mensagens.quantas(), 2);
  QCOMPARE(pasta.mensagens.ultima().texto, QStringLiteral("Operação completada com sucesso."));
  QCOMPARE(pasta.mensagens.ultima().icone, Icone::Informacao);
  QCOMPARE(pasta.valor(QStringLiteral("SELECT Descricao FROM tbReferente")).toString(), QStringLiteral("Aluguel"));
}

QTEST_MAIN(tst_mdiPrincipal)
#include "tst_mdiPrincipal.moc"
