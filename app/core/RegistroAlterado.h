#pragma once

#include "app/core/Resultado.h"

/// The refusal of a save whose record was changed by another desk (or another Talonix of this
/// one) after the screen loaded it, or deleted and made again, or taken while the screen was
/// making it: nothing is written, and the operator reopens the record to see what it now holds.
namespace RegistroAlterado {

/// Failure number of the refusal, outside the store's error numbers (all positive).
inline constexpr int Erro = -1003;

inline Resultado Falha() {
  return Resultado::falha(QStringLiteral("Este registro foi alterado em outra estação depois que você o abriu. "
                                         "Suas alterações não foram gravadas; abra-o de novo."),
                          Erro);
}

}  // namespace RegistroAlterado
