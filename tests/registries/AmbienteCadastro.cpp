#include "tests/registries/AmbienteCadastro.h"

#include "app/mdiPrincipal.h"
#include "controls/CaixaEdicao.h"
#include "controls/ValidacaoFoco.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

AmbienteCadastro::AmbienteCadastro() {
  if (!pasta.abrir())
    return;
  janela_ = std::make_unique<mdiPrincipal>(pasta.contexto());
  janela_->show();
  QApplication::setActiveWindow(janela_.get());
  if (!QTest::qWaitForWindowActive(janela_.get()))
    qWarning("the main window did not become active");
}

AmbienteCadastro::~AmbienteCadastro() {
  if (janela_)
    janela_->close();
}

bool AmbienteCadastro::abrir(const QString& acaoMenu, const QString& nomeTela) {
  if (!janela_)
    return false;
  auto* acao = janela_->findChild<QAction*>(acaoMenu);
  if (acao == nullptr || !acao->isEnabled())
    return false;
  acao->trigger();
  tela_ = janela_->findChild<QWidget*>(nomeTela);
  if (tela_ == nullptr)
    return false;
  return QTest::qWaitFor([this] { return tela_->isAncestorOf(QApplication::focusWidget()); }, 2000);
}

bool AmbienteCadastro::reativar() {
  QApplication::setActiveWindow(janela_.get());
  return QTest::qWaitForWindowActive(janela_.get());
}

bool AmbienteCadastro::focoEm(const QString& nome) const {
  QWidget* foco = QApplication::focusWidget();
  QWidget* alvo = controle(nome);
  return foco != nullptr && alvo != nullptr && (foco == alvo || alvo->isAncestorOf(foco));
}

QString AmbienteCadastro::controleFocado() const {
  QWidget* foco = QApplication::focusWidget();
  if (foco == nullptr)
    return QString();
  QWidget* controle = ValidacaoFoco::controleDe(foco);
  return (controle != nullptr ? controle : foco)->objectName();
}

void AmbienteCadastro::confirmarCodigo(const QString& caixa, const QString& codigo) {
  QVERIFY(focoEm(caixa));
  digitar(codigo);
  tecla(Qt::Key_Tab);
}

void AmbienteCadastro::digitar(const QString& texto) {
  QTest::keyClicks(QApplication::focusWidget(), texto);
}

void AmbienteCadastro::tecla(int tecla, Qt::KeyboardModifiers modificadores) {
  QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(tecla), modificadores);
  QCoreApplication::processEvents();
}

void AmbienteCadastro::preencher(const QString& nome, const QString& texto) {
  QWidget* alvo = controle(nome);
  if (auto* caixa = qobject_cast<CaixaEdicao*>(alvo))
    caixa->Focar();
  else if (alvo != nullptr)
    alvo->setFocus(Qt::MouseFocusReason);
  QTest::keyClicks(QApplication::focusWidget(), texto);
}

void AmbienteCadastro::clicar(const QString& nome) {
  QTest::mouseClick(controle(nome), Qt::LeftButton);
  QCoreApplication::processEvents();
}

QString AmbienteCadastro::texto(const QString& nome) const {
  QWidget* alvo = controle(nome);
  if (auto* caixa = qobject_cast<CaixaEdicao*>(alvo))
    return caixa->Text();
  if (auto* multilinha = qobject_cast<QPlainTextEdit*>(alvo))
    return multilinha->toPlainText();
  if (auto* rotulo = qobject_cast<QLabel*>(alvo))
    return rotulo->text();
  return QString();
}

QString AmbienteCadastro::painel(int numero) const {
  auto* barra = tela_ != nullptr ? tela_->findChild<QStatusBar*>() : nullptr;
  return barra != nullptr ? texto(barra->objectName() + QStringLiteral("_") + QString::number(numero)) : QString();
}

void AmbienteCadastro::quandoDialogoAbrir(std::function<void(QWidget*)> acao) {
  QTimer::singleShot(0, [acao = std::move(acao)] {
    QWidget* dialogo = QApplication::activeModalWidget();
    if (dialogo == nullptr) {
      QFAIL("no modal dialog is open");
      return;
    }
    if (!QTest::qWaitForWindowActive(dialogo))
      qWarning("the dialog did not become active");
    acao(dialogo);
    // A step that failed inside `acao` must not leave the test waiting on the dialog forever.
    QTimer::singleShot(5000, dialogo, [dialogo] {
      if (auto* d = qobject_cast<QDialog*>(dialogo); d != nullptr && d->isVisible())
        d->reject();
    });
  });
}
