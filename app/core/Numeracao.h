#pragma once

#include "app/core/Resultado.h"

#include <QtGlobal>

#include <limits>

/// New codes for people and referentes, new receipt numbers: the current maximum plus one.
namespace Numeracao {

enum class Cadastro { Pessoa, Referente };

/// The failure number when the maximum is already `limite`: there is no next code to propose,
/// and the failure's text says so in Portuguese.
inline constexpr int ErroSemProximo = -1101;

/// The code the next person or referente gets: 1 for an empty table; `ErroSemProximo` when
/// the next code would pass `limite`.
[[nodiscard]] Resultado ProximoCodigo(Cadastro cadastro, qint64& codigo,
                                      qint64 limite = std::numeric_limits<qint64>::max());

/// The number the next receipt of `ano` gets: numbers restart every year, so the maximum is
/// taken within the year; 1 for a year without receipts; `ErroSemProximo` when the next
/// number would pass `limite`.
[[nodiscard]] Resultado ProximoNumeroRecibo(int ano, qint64& numero,
                                            qint64 limite = std::numeric_limits<qint64>::max());

/// The highest receipt number of `ano`, the end of the number range the receipt filter
/// proposes; 1 for a year without receipts, so that an empty year gives the range 1 to 1.
[[nodiscard]] Resultado MaiorNumeroRecibo(int ano, qint64& numero);

}  // namespace Numeracao
