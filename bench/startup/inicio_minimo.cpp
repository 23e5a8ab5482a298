// The floor of the start-up benchmark: a bare QMainWindow with a menu bar.

#include "app/JanelaMostrada.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
  QMainWindow janela;
  janela.menuBar()->addMenu(QStringLiteral("&Arquivo"))->addAction(QStringLiteral("Sa&ir"));
  janela.resize(816, 609);
  JanelaMostrada aviso;
  janela.installEventFilter(&aviso);
  janela.show();
  return QApplication::exec();
}
