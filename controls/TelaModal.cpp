#include "controls/TelaModal.h"

#include "controls/AjusteTela.h"

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
  // QDialog's own handling would go back through `reject`: a close asked by the screen itself
  // is simply accepted.
  if (fechando_)
    evento->accept();
  else
    evento->ignore();
}

void TelaModal::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  AjusteTela::Ajustar(this);
}
