#pragma once

#include "app/core/Resultado.h"
#include "receipts/Recibo.h"
#include "receipts/RegrasRecibo.h"

#include <optional>

/// Reading and writing receipts and what the receipt screen shows beside them, always through
/// the program's current connection.
namespace RegistroRecibo {

// The program's own failure numbers lie outside the store's error numbers (all positive), so that
// a failure of the store is never taken for one of them.

/// Failure number of an insert whose number already exists in its year.
inline constexpr int ErroNumeroExistente = -1001;
/// Failure number of an update or deletion that found no receipt to change.
inline constexpr int ErroReciboInexistente = -1002;

/// The receipt `numero` of `ano`, or nothing when there is none.
[[nodiscard]] Resultado Carregar(qint64 numero, int ano, std::optional<Recibo>& recibo);

/// Whether the receipt `numero` of `ano` exists.
[[nodiscard]] Resultado Existe(qint64 numero, int ano, bool& existe);

/// The first of the receipt's rules that `recibo` breaks, its people looked up on the program's
/// connection (`RegrasRecibo::Conferir`; `valorInformado` false for an amount left blank); none
/// when it keeps them all.
[[nodiscard]] Resultado Conferir(const Recibo& recibo, bool valorInformado,
                                 std::optional<RegrasRecibo::Recusa>& recusa);

/// Writes a new receipt. A number already used in the year is refused, and so is a receipt that
/// breaks a rule of `RegrasRecibo` (failure `RegrasRecibo::ErroRegra`, its message the rule's),
/// checked again inside the writing transaction: nothing is written.
[[nodiscard]] Resultado Inserir(const Recibo& recibo);

/// Rewrites the stored receipt `carregado` (as `Carregar` gave it) as `recibo`, same year and
/// number. When the stored receipt is no longer `carregado` (another desk saved it, or deleted it
/// and saved another under its number) nothing is written and the refusal is
/// `RegistroAlterado`'s; a receipt deleted meanwhile is a failure, not a silent success; the
/// rules as for `Inserir`.
[[nodiscard]] Resultado Atualizar(const Recibo& carregado, const Recibo& recibo);

/// Deletes one receipt inside a transaction, rolled back on failure.
[[nodiscard]] Resultado Excluir(qint64 numero, int ano);

/// The kind, documents and address of person `codigo`; empty values for a code with no person.
[[nodiscard]] Resultado BuscarPessoa(qint64 codigo, DadosPessoa& pessoa);

/// The description of referente `codigo`, or nothing when there is none.
[[nodiscard]] Resultado BuscarReferente(qint64 codigo, std::optional<QString>& descricao);

}  // namespace RegistroRecibo
