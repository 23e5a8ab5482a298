#pragma once

#include "app/core/Resultado.h"

class QSqlError;

/// The store's failures as the operator reads them.
namespace ErroBanco {

/// The driver's error text and number.
Resultado Falha(const QSqlError& erro);

}  // namespace ErroBanco
