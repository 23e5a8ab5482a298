#pragma once

#include "app/core/Resultado.h"

#include <QString>

/// Putting a new database file in the place of the current one, so that a crash at any instant
/// leaves either the old or the new database, whole.
namespace SubstituicaoBanco {

/// The hot-journal file SQLite keeps beside `banco` while a transaction is open.
QString ArquivoDiario(const QString& banco);

/// Flushes `arquivo` to the disk.
[[nodiscard]] Resultado Sincronizar(const QString& arquivo);

/// Checks that `novo` is a whole Talonix database: readable, structurally sound (as thoroughly
/// as `completa` asks) and holding the three tables.
[[nodiscard]] Resultado Verificar(const QString& novo, bool completa);

/// Renames `novo` over `destino` in one step and flushes the folder. The connection to
/// `destino` must be closed; a journal left beside it refuses the replacement, since SQLite
/// would roll it into the new file.
[[nodiscard]] Resultado Substituir(const QString& novo, const QString& destino);

}  // namespace SubstituicaoBanco
