#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cstdio>

// Reports on standard output the moment the window has painted itself for the first time,
// then ends the program.
class JanelaMostrada : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override {
    if (evento->type() == QEvent::Paint && !avisado_) {
      avisado_ = true;
      QTimer::singleShot(0, [] {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QCoreApplication::exit(0);
      });
    }
    return QObject::eventFilter(alvo, evento);
  }

private:
  bool avisado_ = false;
};
