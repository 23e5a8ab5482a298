#include "reports/preview/frmPreviewRelatorio.h"

#include "app/core/Mensagens.h"
#include "reports/engine/Relatorio.h"
#include "reports/preview/VisualizadorRelatorio.h"

#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

frmPreviewRelatorio::frmPreviewRelatorio(Contexto contexto, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frmPreviewRelatorio"));
  setAttribute(Qt::WA_DeleteOnClose);
  // The viewer always fills the window's client area.
  auto* coluna = new QVBoxLayout(this);
  coluna->setContentsMargins(0, 0, 0, 0);
  prvRelatorio_ = new VisualizadorRelatorio(contexto, this);
  coluna->addWidget(prvRelatorio_);
  resize(900, 700);
  connect(prvRelatorio_, &VisualizadorRelatorio::fecharPedido, this, &frmPreviewRelatorio::Fechar);
}

bool frmPreviewRelatorio::event(QEvent* evento) {
  // Esc and Ctrl+F4 close the window. They are claimed before any shortcut sees them: the
  // workspace window's own Ctrl+F4 would clash with a shortcut of ours, and does not always reach
  // it on a desktop.
  if (evento->type() == QEvent::ShortcutOverride || evento->type() == QEvent::KeyPress) {
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    const Qt::KeyboardModifiers modificadores = tecla->modifiers() & ~Qt::KeypadModifier;
    if ((tecla->key() == Qt::Key_Escape && modificadores == Qt::NoModifier) ||
        (tecla->key() == Qt::Key_F4 && modificadores == Qt::ControlModifier)) {
      evento->accept();
      if (evento->type() == QEvent::KeyPress)
        Fechar();
      return true;
    }
  }
  return QWidget::event(evento);
}

void frmPreviewRelatorio::Fechar() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
    sub->close();
  else
    close();
}

frmPreviewRelatorio* frmPreviewRelatorio::Mostrar(QWidget* chamador, Contexto contexto,
                                                  std::shared_ptr<Relatorio> relatorio, int zoom, const QString& titulo,
                                                  const QString& nomePdf) {
  QMdiArea* area = nullptr;
  for (QWidget* w = chamador; w != nullptr && area == nullptr; w = w->parentWidget())
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w))
      area = sub->mdiArea();

  auto* janela = new frmPreviewRelatorio(contexto);
  janela->prvRelatorio_->DefinirRelatorio(std::move(relatorio));
  janela->prvRelatorio_->DefinirNomePdf(nomePdf);
  if (Resultado r = janela->prvRelatorio_->VerRelatorio(); !r) {
    delete janela;
    contexto.mensagens->mostrar(r.erro, QStringLiteral("Não foi possível visualizar o relatório"), Icone::Critico);
    return nullptr;
  }
  janela->setWindowTitle(titulo);
  if (area != nullptr) {
    QMdiSubWindow* sub = area->addSubWindow(janela);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(titulo);
    sub->showMaximized();
  } else {
    janela->showMaximized();
  }
  janela->prvRelatorio_->Zoom(zoom);
  janela->prvRelatorio_->setFocus();
  return janela;
}
