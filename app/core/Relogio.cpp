#include "app/core/Relogio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

QDate RelogioSistema::hoje() const {
  return QDate::currentDate();
}

QDateTime RelogioSistema::agora() const {
  return QDateTime::currentDateTime();
}

void RelogioSistema::aguardar(double segundos, bool processarEventos) {
  QElapsedTimer cronometro;
  cronometro.start();
  const qint64 alvo = static_cast<qint64>(segundos * 1000.0);
  while (cronometro.elapsed() < alvo) {
    if (processarEventos)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
}
