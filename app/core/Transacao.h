#pragma once

#include "app/core/Resultado.h"
#include "app/core/TravaBanco.h"

#include <QSqlDatabase>

#include <optional>

/// One write transaction on the program's connection, rolled back unless confirmed. On the desk's
/// file it holds the database lock shared (so no other process compacts, restores or snapshots
/// meanwhile) and reopens the connection when the file was replaced; on the server the server's
/// own locks keep the desks apart.
class Transacao {
public:
  /// Takes the lock and begins the transaction; `resultado()` says whether it did.
  Transacao();
  ~Transacao();
  Transacao(const Transacao&) = delete;
  Transacao& operator=(const Transacao&) = delete;

  /// Success when the transaction is open, else why it is not.
  const Resultado& resultado() const { return resultado_; }

  /// The connection the transaction runs on.
  QSqlDatabase banco() const { return banco_; }

  /// Commits `parcial` when it is a success, rolls back otherwise; gives back the outcome. Called
  /// while the statements of the transaction are still alive.
  [[nodiscard]] Resultado Concluir(Resultado parcial);

private:
  std::optional<TravaBanco> trava_;
  QSqlDatabase banco_;
  Resultado resultado_;
  bool aberta_ = false;
};
