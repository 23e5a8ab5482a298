#pragma once

#include "app/core/Plataforma.h"
#include "app/core/Resultado.h"

#include <QString>

/// The lock that Talonix processes sharing one data folder respect: compaction, restore and the
/// snapshot of a backup hold it exclusively for their whole duration, every write transaction
/// holds it shared. It lives in a file beside the database (beside the file the database links to,
/// which every process reaching it shares), and names the exclusive operation.
class TravaBanco {
public:
  /// Operations that hold the database exclusively, named as the operator reads them.
  inline static const QString Compactacao = QStringLiteral("compactação do banco de dados");
  inline static const QString Restauracao = QStringLiteral("restauração de uma cópia de segurança");
  inline static const QString CopiaSeguranca = QStringLiteral("cópia de segurança");
  inline static const QString Atualizacao = QStringLiteral("atualização do banco de dados para esta versão do Talonix");

  /// Takes the lock shared (an empty `operacao`) or exclusively for `operacao`, waiting a bounded
  /// time for the other processes; `resultado()` tells whether it was taken.
  explicit TravaBanco(const QString& operacao = {});
  ~TravaBanco();
  TravaBanco(const TravaBanco&) = delete;
  TravaBanco& operator=(const TravaBanco&) = delete;

  /// Success when the lock is held, else the Portuguese refusal naming what holds it.
  const Resultado& resultado() const { return resultado_; }

private:
  Plataforma::Descritor trava_ = -1;
  Resultado resultado_;
};
