#include "controls/uscMaskBox.h"

uscMaskBox::uscMaskBox(QWidget* parent) : CaixaEdicao(parent) {}

void uscMaskBox::setMascara(const QString& formato) {
  mascara_ = Mascara(formato);
  setMaxLength(static_cast<int>(formato.size()));
  refiltrar();
}
