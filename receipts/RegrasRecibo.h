#pragma once

#include "receipts/Recibo.h"

#include <QSet>
#include <QString>

#include <optional>

/// The rules a receipt must keep to be written, whatever writes it: the receipt screen, Ctrl+D's
/// copy, and every other path that issues or imports receipts. They need no widget and no store:
/// what they need of the store (which of the receipt's people are registered) is handed in.
namespace RegrasRecibo {

/// The field a refusal is about, where the receipt screen puts the focus.
enum class Campo { Numero, Valor, DataEmissao, Recebi, Referente, Emitente, Beneficiario };

/// The first rule a receipt breaks: the field, and the message and title the operator reads.
struct Recusa {
  Campo campo;
  QString mensagem;
  QString titulo;
  friend bool operator==(const Recusa&, const Recusa&) = default;
};

/// Failure number of a write refused by these rules, outside the store's error numbers.
inline constexpr int ErroRegra = -1006;

/// The refusal of a date outside the receipt's year `ano`, or nothing for a date inside it.
std::optional<Recusa> DataNoAno(const QDate& data, int ano);

/// The first rule `recibo` breaks, in this order: a number; an amount (`valorInformado` false
/// for one left blank), above zero and at most `Moeda::MaximoAceito`; a valid date within the
/// receipt's year; a payer, registered; a referente text; an issuer, registered, not the payer;
/// a beneficiary, when there is one, not the issuer and registered. `cadastradas` holds the
/// codes of the receipt's people that are registered. Nothing when the receipt keeps them all.
std::optional<Recusa> Conferir(const Recibo& recibo, const QSet<qint64>& cadastradas, bool valorInformado = true);

}  // namespace RegrasRecibo
