#pragma once

#include "app/core/Resultado.h"

#include <QSqlDatabase>
#include <QStringList>

/// The rows of the program's tables carried from one store to another: the office server's
/// backup is a desk's database file, and any backup restores onto the server.
namespace CopiaTabelas {

/// The program's tables.
const QStringList& Tabelas();

/// Copies every row of the program's tables from `origem` into the same, empty tables of
/// `destino` (both of the current schema), in the order they were stored. The caller holds the
/// transactions on both.
[[nodiscard]] Resultado Copiar(const QSqlDatabase& origem, const QSqlDatabase& destino);

}  // namespace CopiaTabelas
