#include "tests/support/JanelaTeste.h"

#include <QApplication>
#include <QtTest>

bool JanelaTeste::mostrar() {
  show();
  QApplication::setActiveWindow(this);
  return QTest::qWaitForWindowActive(this);
}
