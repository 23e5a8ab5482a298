#include "app/core/Transacao.h"

#include "app/core/Conexao.h"
#include "app/core/Dialeto.h"
#include "app/core/ErroBanco.h"

#include <QSqlError>
#include <QSqlQuery>

Transacao::Transacao() {
  if (!Conexao::Servidor()) {
    trava_.emplace();
    resultado_ = trava_->resultado();
    if (!resultado_)
      return;
  }
  // Under the lock the file can no longer be replaced: the check done here holds until the end.
  banco_ = Conexao::Banco();
  QSqlQuery inicio(banco_);
  if (!inicio.exec(Dialeto::InicioEscrita(Dialeto::De(banco_)))) {
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
  if (parcial && !fim.exec(QStringLiteral("COMMIT"))) {
    // The server may have written everything and lost the connection before it answered: the
    // operator checks before saving again, which the program never does by itself.
    parcial = ErroBanco::ConexaoPerdida(fim.lastError())
                  ? Resultado::falha(QStringLiteral("A conexão com o servidor do banco de dados foi perdida enquanto a "
                                                    "gravação era confirmada: não há como saber se ela foi feita. "
                                                    "Confira se o registro está gravado antes de gravar de novo; o "
                                                    "Talonix vai se reconectar."),
                                     -1)
                  : ErroBanco::Falha(fim.lastError());
  }
  // A failure ends the transaction at once: the server refuses every statement of a transaction
  // that failed, even the release of the failed one, until it is rolled back.
  if (!parcial)
    fim.exec(QStringLiteral("ROLLBACK"));
  aberta_ = false;
  return parcial;
}
