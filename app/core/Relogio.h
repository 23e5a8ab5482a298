#pragma once

#include <QDate>
#include <QDateTime>

/// The program's view of time: today, now, and the pause of `Aguardar`.
class Relogio {
public:
  virtual ~Relogio() = default;
  virtual QDate hoje() const = 0;
  virtual QDateTime agora() const = 0;
  /// Waits at least `segundos`; while waiting, lets the interface repaint when asked.
  virtual void aguardar(double segundos, bool processarEventos) = 0;
};

/// The computer's clock. Waits are measured on a monotonic clock, so a wait that spans
/// midnight ends on time.
class RelogioSistema final : public Relogio {
public:
  QDate hoje() const override;
  QDateTime agora() const override;
  void aguardar(double segundos, bool processarEventos) override;
};
