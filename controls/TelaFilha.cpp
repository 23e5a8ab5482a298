#include "controls/TelaFilha.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

TelaFilha::TelaFilha(Contexto contexto, QWidget* parent) : QWidget(parent), contexto_(contexto) {
  qApp->installEventFilter(this);
}

TelaFilha::~TelaFilha() {
  qApp->removeEventFilter(this);
}

void TelaFilha::fecharTela() {
  fechamentoPermitido_ = true;
  if (auto* janela = qobject_cast<QMdiSubWindow*>(parentWidget()))
    janela->close();
  else
    close();
}

void TelaFilha::CentralizarFormulario() {
  QWidget* janela = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
  const QWidget* principal = window() == janela ? nullptr : janela->parentWidget();
  if (auto* sub = qobject_cast<QMdiSubWindow*>(janela); sub && sub->mdiArea())
    principal = sub->mdiArea()->window();
  if (principal == nullptr)
    return;
  // 750 twips above the centre; nothing clamps a screen larger than the main window.
  const int esquerda = (principal->frameGeometry().width() - janela->frameGeometry().width()) / 2;
  const int topo = (principal->frameGeometry().height() - janela->frameGeometry().height()) / 2 - 50;
  janela->move(esquerda, topo);
}

bool TelaFilha::event(QEvent* evento) {
  // The screen is laid out for its own size: maximized, its boxes would grow tall and its frames
  // open empty bands.
  if (evento->type() == QEvent::ParentChange)
    if (auto* janela = qobject_cast<QMdiSubWindow*>(parentWidget()))
      janela->setWindowFlags(janela->windowFlags() & ~Qt::WindowMaximizeButtonHint);
  return QWidget::event(evento);
}

bool TelaFilha::teclaPrevia(QKeyEvent*) {
  return false;
}

void TelaFilha::closeEvent(QCloseEvent* evento) {
  if (!fechamentoPermitido_) {
    evento->ignore();
    return;
  }
  aoFechar();
  evento->accept();
}

QWidget* TelaFilha::donoDaTeclaDeAcesso(const QKeyEvent* evento) const {
  if ((evento->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier || evento->key() < Qt::Key_0 ||
      evento->key() > Qt::Key_Z)
    return nullptr;
  const QKeySequence tecla(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(evento->key())));
  // In Tab order from the focused control, so that a letter shared by two controls of the screen
  // moves between them.
  QWidget* foco = QApplication::focusWidget();
  QWidget* inicio = foco != nullptr && isAncestorOf(foco) ? foco : const_cast<TelaFilha*>(this);
  for (QWidget* w = inicio->nextInFocusChain(); w != inicio; w = w->nextInFocusChain()) {
    if (!isAncestorOf(w) || !w->isVisible() || !w->isEnabled())
      continue;
    QString legenda;
    if (auto* botao = qobject_cast<QAbstractButton*>(w))
      legenda = botao->text();
    else if (auto* rotulo = qobject_cast<QLabel*>(w); rotulo != nullptr && rotulo->buddy() != nullptr)
      legenda = rotulo->text();
    if (!legenda.isEmpty() && QKeySequence::mnemonic(legenda) == tecla)
      return w;
  }
  return nullptr;
}

void TelaFilha::acionarTeclaDeAcesso(QWidget* dono) {
  if (auto* rotulo = qobject_cast<QLabel*>(dono)) {
    rotulo->buddy()->setFocus(Qt::ShortcutFocusReason);
    return;
  }
  // As the button's own access key: the focus moves to it first, and a refused move (the control
  // being left kept it) cancels the click.
  auto* botao = static_cast<QAbstractButton*>(dono);
  if (botao->focusPolicy() & Qt::TabFocus) {
    botao->setFocus(Qt::ShortcutFocusReason);
    if (QApplication::focusWidget() != botao)
      return;
  }
  botao->animateClick();
}

bool TelaFilha::eventFilter(QObject* alvo, QEvent* evento) {
  if (evento->type() == QEvent::WindowStateChange && alvo == parentWidget()) {
    // The workspace maximizes the window it activates while another is maximized; the screen's
    // window goes back to its own size once the workspace is done with the change.
    if (auto* janela = qobject_cast<QMdiSubWindow*>(alvo); janela != nullptr && janela->isMaximized())
      QMetaObject::invokeMethod(
          janela,
          [janela] {
            if (janela->isMaximized())
              janela->showNormal();
          },
          Qt::QueuedConnection);
  }
  // The screen's access keys come before the main window's menus: the key of a control of the
  // screen is kept from the menu bar and given to the control.
  if (evento->type() == QEvent::ShortcutOverride || evento->type() == QEvent::KeyPress) {
    auto* widget = qobject_cast<QWidget*>(alvo);
    if (widget != nullptr && widget == QApplication::focusWidget() && isAncestorOf(widget) && isEnabled()) {
      if (QWidget* dono = donoDaTeclaDeAcesso(static_cast<QKeyEvent*>(evento))) {
        evento->accept();
        if (evento->type() == QEvent::KeyPress)
          acionarTeclaDeAcesso(dono);
        return true;
      }
    }
  }
  if (evento->type() == QEvent::KeyPress) {
    auto* widget = qobject_cast<QWidget*>(alvo);
    if (widget != nullptr && (widget == this || isAncestorOf(widget)) && isEnabled()) {
      // A key the focused control leaves unused travels up to its parents; it is previewed
      // once, when it reaches the control that has the focus.
      QWidget* foco = QApplication::focusWidget();
      const bool focoNaTela = foco != nullptr && (foco == this || isAncestorOf(foco));
      if (widget == foco || !focoNaTela)
        return teclaPrevia(static_cast<QKeyEvent*>(evento));
    }
  }
  return QWidget::eventFilter(alvo, evento);
}
