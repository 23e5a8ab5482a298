// The program's windows on the small screens operators have: the screens keep their shape beside
// a maximized preview, the dialogs fit the screen, the message boxes sit on the main window.
#include "about/frmSobre.h"
#include "app/mdiPrincipal.h"
#include "backup/frmCopiaSeguranca.h"
#include "controls/ListaRegistros.h"
#include "controls/MensagensQt.h"
#include "controls/TelaFilha.h"
#include "receipts/frmLocalizarReciboComercial.h"
#include "registries/frmLocalizar.h"
#include "reports/engine/Relatorio.h"
#include "reports/preview/frmPreviewRelatorio.h"
#include "tests/support/PastaTeste.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <map>

/// Makes one of the program's dialogs over a parent.
using FabricaDialogo = std::function<QDialog*(Contexto, QWidget*)>;
Q_DECLARE_METATYPE(FabricaDialogo)

namespace {

QScreen* telaChamada(const QString& nome) {
  for (QScreen* tela : QGuiApplication::screens())
    if (tela->name() == nome)
      return tela;
  return nullptr;
}

// Where each named control of a screen lies, relative to the screen.
std::map<QString, QRect> geometrias(const QWidget* tela) {
  std::map<QString, QRect> mapa;
  for (const QWidget* w : tela->findChildren<QWidget*>())
    if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
      mapa[w->objectName()] = QRect(w->mapTo(tela, QPoint(0, 0)), w->size());
  mapa[QStringLiteral("<tela>")] = tela->rect();
  return mapa;
}

}  // namespace

class tst_JanelasNaTela : public QObject {
  Q_OBJECT
  std::unique_ptr<PastaTeste> pasta_;
  std::unique_ptr<mdiPrincipal> principal_;

  /// The main window on screen `nomeTela`, its top left at `posicao` from the screen's.
  bool abrirPrincipal(const QString& nomeTela, QPoint posicao = QPoint(20, 20)) {
    QScreen* tela = telaChamada(nomeTela);
    pasta_ = std::make_unique<PastaTeste>();
    if (tela == nullptr || !pasta_->abrir() || !pasta_->copiarModelos())
      return false;
    principal_ = std::make_unique<mdiPrincipal>(pasta_->contexto());
    principal_->move(tela->geometry().topLeft() + posicao);
    principal_->show();
    QApplication::setActiveWindow(principal_.get());
    return QTest::qWaitForWindowActive(principal_.get()) && principal_->screen() == tela;
  }

  QMdiArea* area() const { return principal_->findChild<QMdiArea*>(); }

private slots:
  void cleanup() {
    principal_.reset();
    pasta_.reset();
  }

  void telasGuardamOFormato_data() {
    QTest::addColumn<QString>("entrada");
    for (const char* entrada : {"mnuReciboEmissao", "mnuCadastroPessoa", "mnuCadastroReferente", "mnuRelatorioPessoa",
                                "mnuRelatorioReferentes", "mnuRelatorioReciboImpressoReciboComercial",
                                "mnuRelatorioDeclaracaoAnual", "mnuRelatorioRendimentoMensal"})
      QTest::newRow(entrada) << QString::fromLatin1(entrada);
  }
  void telasGuardamOFormato() {
    QFETCH(QString, entrada);
    QVERIFY(abrirPrincipal(QStringLiteral("notebook")));
    principal_->resize(1300, 700);
    principal_->findChild<QAction*>(entrada)->trigger();
    QMdiSubWindow* janela = area()->activeSubWindow();
    QVERIFY(janela != nullptr);
    auto* tela = qobject_cast<TelaFilha*>(janela->widget());
    QVERIFY(tela != nullptr);
    QVERIFY(!(janela->windowFlags() & Qt::WindowMaximizeButtonHint));
    const QSize tamanho = janela->size();
    const auto antes = geometrias(tela);

    auto relatorio = std::make_shared<Relatorio>();
    QVERIFY(relatorio->AbrirModelo(QStringLiteral("referente.rpt")).ok);
    frmPreviewRelatorio* previa = frmPreviewRelatorio::Mostrar(tela, pasta_->contexto(), relatorio, 130,
                                                               QStringLiteral("Prévia"), QStringLiteral("Prévia"));
    QVERIFY(previa != nullptr);
    QVERIFY(previa->parentWidget()->isMaximized());
    // The workspace maximizes the window activated while another is maximized.
    area()->setActiveSubWindow(janela);
    QTRY_VERIFY(!janela->isMaximized());
    QCOMPARE(janela->size(), tamanho);
    QCOMPARE(geometrias(tela), antes);
    // Ctrl+F4 closes the preview beside the screen.
    area()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(previa->parentWidget()));
    QTRY_VERIFY(previa->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
    QTRY_COMPARE(area()->subWindowList().size(), 1);
    area()->setActiveSubWindow(janela);
    // Nor the operator: the window's own maximize is undone.
    janela->showMaximized();
    QTRY_VERIFY(!janela->isMaximized());
    QCOMPARE(janela->size(), tamanho);
    QCOMPARE(geometrias(tela), antes);
  }

  void dialogosCabemNaTela_data() {
    QTest::addColumn<QString>("tela");
    QTest::addColumn<FabricaDialogo>("fabrica");
    const std::pair<const char*, FabricaDialogo> dialogos[] = {
        {"frmLocalizarReciboComercial",
         [](Contexto c, QWidget* pai) { return new frmLocalizarReciboComercial(c, pai); }},
        {"frmLocalizarPessoa",
         [](Contexto c, QWidget* pai) { return new frmLocalizar(Numeracao::Cadastro::Pessoa, c, pai); }},
        {"frmLocalizarReferente",
         [](Contexto c, QWidget* pai) { return new frmLocalizar(Numeracao::Cadastro::Referente, c, pai); }},
        {"frmCopiaSeguranca", [](Contexto c, QWidget* pai) { return new frmCopiaSeguranca(c, pai); }},
        {"frmSobre", [](Contexto c, QWidget* pai) { return new frmSobre(c, pai); }},
        {"ListaRegistros", [](Contexto, QWidget* pai) { return new ListaRegistros(QStringLiteral("Pessoa"), pai); }},
    };
    for (const char* tela : {"notebook", "apertada"})
      for (const auto& [nome, fabrica] : dialogos)
        QTest::addRow("%s, %s", nome, tela) << QString::fromLatin1(tela) << fabrica;
  }
  void dialogosCabemNaTela() {
    QFETCH(QString, tela);
    QFETCH(FabricaDialogo, fabrica);
    QVERIFY(abrirPrincipal(tela));
    const QRect livre = telaChamada(tela)->availableGeometry();
    std::unique_ptr<QDialog> dialogo(fabrica(pasta_->contexto(), principal_.get()));
    dialogo->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialogo.get()));
    QVERIFY2(livre.contains(dialogo->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                      .arg(dialogo->x())
                                                                      .arg(dialogo->y())
                                                                      .arg(dialogo->width())
                                                                      .arg(dialogo->height())));
    // Every button within reach, inside the dialog and the screen.
    for (const QAbstractButton* botao : dialogo->findChildren<QAbstractButton*>()) {
      if (!botao->isVisibleTo(dialogo.get()))
        continue;
      const QRect onde(botao->mapTo(dialogo.get(), QPoint(0, 0)), botao->size());
      QVERIFY2(dialogo->rect().contains(onde), qPrintable(botao->text()));
      QVERIFY2(livre.contains(QRect(botao->mapToGlobal(QPoint(0, 0)), botao->size())), qPrintable(botao->text()));
    }
    dialogo->hide();
  }

  void mensagensNoCentroDaJanelaPrincipal_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("outraJanelaAtiva");
    const QString longo = QStringLiteral(
        "Esta operação irá compactar a base de dados, reduzindo o tamanho do banco de dados.\r\r"
        "** ANTES DE REALIZAR ESTA OPERAÇÃO FAÇA UMA CÓPIA DE SEGURANÇA DA BASE DE DADOS **\r\r"
        "Deseja realiza a compactação do banco de dados agora ?");
    QTest::newRow("curta") << QStringLiteral("Operação completada com sucesso.") << false;
    QTest::newRow("longa") << longo << false;
    QTest::newRow("com outra janela à frente") << QStringLiteral("Operação completada com sucesso.") << true;
  }
  void mensagensNoCentroDaJanelaPrincipal() {
    QFETCH(QString, texto);
    QFETCH(bool, outraJanelaAtiva);
    QVERIFY(abrirPrincipal(QStringLiteral("notebook"), QPoint(400, 120)));
    QWidget outra;
    if (outraJanelaAtiva) {
      outra.setGeometry(30, 30, 200, 150);
      outra.show();
      QApplication::setActiveWindow(&outra);
      QVERIFY(QTest::qWaitForWindowActive(&outra));
    }
    QRect caixa;
    QTimer::singleShot(0, this, [&caixa] {
      auto* aberta = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (aberta == nullptr)
        return;
      caixa = aberta->frameGeometry();
      aberta->button(QMessageBox::Ok)->click();
    });
    MensagensQt mensagens;
    mensagens.informar(texto, QStringLiteral("Talonix"));
    QVERIFY(caixa.isValid());
    const QPoint desvio = caixa.center() - principal_->frameGeometry().center();
    QVERIFY2(desvio.manhattanLength() <= 4, qPrintable(QStringLiteral("%1,%2").arg(desvio.x()).arg(desvio.y())));
  }
};

int main(int argc, char* argv[]) {
  // Two screens: a 1366×768 notebook and, since this platform draws no panel and no title bars,
  // a screen as tall as the room a window has on such a notebook under a panel and a title bar.
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TELAS_PEQUENAS);
  QApplication aplicacao(argc, argv);
  tst_JanelasNaTela teste;
  return QTest::qExec(&teste, argc, argv);
}

#include "tst_JanelasNaTela.moc"
