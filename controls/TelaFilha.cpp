#include "controls/TelaFilha.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

TelaFilha::TelaFilha(Contexto contexto, QWidget* parent) : QWidget(parent), contexto_(contexto) {
  qApp->installEventFilter(this);
}

TelaFilha::~TelaFilha() { qApp->removeEventFilter(this); }

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

bool TelaFilha::teclaPrevia(QKeyEvent*) { return false; }

void TelaFilha::closeEvent(QCloseEvent* evento) {
  if (!fechamentoPermitido_) {
    evento->ignore();
    return;
  }
  aoFechar();
  evento->accept();
}

bool TelaFilha::eventFilter(QObject* alvo, QEvent* evento) {
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
