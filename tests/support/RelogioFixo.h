#pragma once

#include "app/core/Relogio.h"

#include <functional>

/// A clock for tests: a chosen "now" that moves only when a wait asks it to.
class RelogioFixo final : public Relogio {
public:
  explicit RelogioFixo(QDateTime agora = QDateTime(QDate(2026, 12, 7), QTime(10, 30, 0))) : agora_(agora) {}

  QDate hoje() const override { return agora_.date(); }
  QDateTime agora() const override { return agora_; }
  void aguardar(double segundos, bool) override {
    esperado_ += segundos;
    if (aoAguardar)
      aoAguardar(segundos);
    agora_ = agora_.addMSecs(static_cast<qint64>(segundos * 1000));
  }

  void definir(const QDateTime& agora) { agora_ = agora; }
  /// Total of the waits asked for.
  double esperado() const { return esperado_; }

  /// Called at each wait, before the clock moves (lets a test look at a screen mid-operation).
  std::function<void(double)> aoAguardar;

private:
  QDateTime agora_;
  double esperado_ = 0;
};
