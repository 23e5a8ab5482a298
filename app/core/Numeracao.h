#pragma once

#include "app/core/Resultado.h"

#include <QtGlobal>

/// New codes for people and referentes, new receipt numbers: the current maximum plus one.
namespace Numeracao {

enum class Cadastro { Pessoa, Referente };

/// The code the next person or referente gets: 1 for an empty table.
[[nodiscard]] Resultado ProximoCodigo(Cadastro cadastro, qint64& codigo);

/// The number the next receipt of `ano` gets: numbers restart every year, so the maximum is
/// taken within the year; 1 for a year without receipts.
[[nodiscard]] Resultado ProximoNumeroRecibo(int ano, qint64& numero);

/// The highest receipt number of `ano`, the end of the number range the receipt filter
/// proposes; 1 for a year without receipts, so that an empty year gives the range 1 to 1.
[[nodiscard]] Resultado MaiorNumeroRecibo(int ano, qint64& numero);

}  // namespace Numeracao
