#pragma once

#include <QDate>
#include <QString>

#include <optional>

/// One issued receipt, as `tbRecibo` holds it. It is identified by its year and its number
/// within that year.
struct Recibo {
  qint64 numero = 0;
  int ano = 0;
  QDate dataEmissao;
  /// The amount in ten-thousandths of a real (1.234,50 is 12345000).
  qint64 valor = 0;
  qint64 recebi = 0;    ///< the person the amount was received from
  qint64 emitente = 0;  ///< the person issuing the receipt
  QString referente;
  QString observacao;
  QString vias = QStringLiteral("1");
  /// A code of `FormaPagamento` (0 when not informed).
  int formaPagamento = 0;
  /// The person for whom the payer paid (a dependant, say), when not the payer.
  std::optional<qint64> beneficiario;

  friend bool operator==(const Recibo&, const Recibo&) = default;
};

/// What the receipt screen shows of a person under a selector.
struct DadosPessoa {
  bool existe = false;
  /// 0 a natural person (CPF and RG); anything else a legal entity (CNPJ and state registration).
  int tipo = 0;
  QString documento1;
  QString documento2;
  /// Street and number joined by ", ".
  QString endereco;
};
