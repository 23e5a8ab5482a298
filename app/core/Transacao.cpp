#include "app/core/Transacao.h"

#include "app/core/Conexao.h"
#include "app/core/ErroBanco.h"

#include <QSqlError>
#include <QSqlQuery>

Transacao::Transacao() : resultado_(trava_.resultado()) {
  if (!resultado_)
    return;
  // Under the lock the file can no longer be replaced: the check done here holds until the end.
  banco_ = Conexao::Banco();
  // Taking the write lock at the start keeps two writers from deadlocking halfway, which SQLite
  // would report at once instead of waiting.
  QSqlQuery inicio(banco_);
  if (!inicio.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
    resultado_ = ErroBanco::Falha(inicio.lastError());
    return;
  }
  aberta_ = true;
}

Transacao::~Transacao() {
  if (aberta_)
    QSqlQuery(banco_).exec(QStringLiteral("ROLLBACK"));
}

Resultado Transacao::Concluir(Resultado parcial) {
  if (!aberta_)
    return resultado_ ? parcial : resultado_;
  QSqlQuery fim(banco_);
  if (parcial && !fim.exec(QStringLiteral("COMMIT")))
    parcial = ErroBanco::Falha(fim.lastError());
  if (parcial)
    aberta_ = false;
  // A failed COMMIT leaves the transaction open: the rollback in the destructor ends it.
  return parcial;
}
