#include "controls/TelaModal.h"

#include <QCloseEvent>

TelaModal::TelaModal(QWidget* parent) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
}

void TelaModal::fecharTela() {
  fechando_ = true;
  close();
}

void TelaModal::reject() {
  if (escFecha())
    fecharTela();
}

void TelaModal::closeEvent(QCloseEvent* evento) {
  if (fechando_)
    QDialog::closeEvent(evento);
  else
    evento->ignore();
}
