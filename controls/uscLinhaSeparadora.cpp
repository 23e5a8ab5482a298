#include "controls/uscLinhaSeparadora.h"

uscLinhaSeparadora::uscLinhaSeparadora(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::HLine);
  setFrameShadow(QFrame::Sunken);
}
