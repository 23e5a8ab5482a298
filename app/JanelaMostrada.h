#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>

/// Watches the widgets it filters and, the moment one window has painted itself for the first
/// time, writes "shown" and that window's class on standard output and ends the program (every
/// event loop, a message box's included). For whatever times or checks the start from outside.
class JanelaMostrada : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override {
    if (evento->type() == QEvent::Paint && !avisado_ && alvo->isWidgetType()) {
      avisado_ = true;
      const QByteArray janela = static_cast<QWidget*>(alvo)->window()->metaObject()->className();
      QTimer::singleShot(0, [janela] {
        std::printf("shown %s\n", janela.constData());
        std::fflush(stdout);
        QCoreApplication::exit(0);
      });
    }
    return QObject::eventFilter(alvo, evento);
  }

private:
  bool avisado_ = false;
};
