#include "controls/RepasseTeclas.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <memory>

void RepasseTeclas::repassar(QKeyEvent* evento, QWidget* destino) {
  if (repassando_) {
    evento->ignore();
    return;
  }
  repassando_ = true;
  const std::unique_ptr<QEvent> copia(evento->clone());
  QCoreApplication::sendEvent(destino, copia.get());
  repassando_ = false;
}
