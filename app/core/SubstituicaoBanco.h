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

/// How far a database file is checked before it takes the place of the current one.
enum class Verificacao {
  /// It opens as a database and holds the Talonix tables: enough for a copy that SQLite itself
  /// has just written from the current database.
  Tabelas,
  /// Also every page, row and index: for a file that came from outside the program.
  Integridade,
};

/// Checks that `novo` is a Talonix database, as far as `verificacao` asks.
[[nodiscard]] Resultado Verificar(const QString& novo, Verificacao verificacao);

/// Renames `novo` over `destino` (any file) in one step, replacing it, and flushes the folder.
[[nodiscard]] Resultado Renomear(const QString& novo, const QString& destino);

/// `Renomear` for a database: the connection to `destino` must be closed; a journal left beside
/// it refuses the replacement, since SQLite would roll it into the new file.
[[nodiscard]] Resultado Substituir(const QString& novo, const QString& destino);

}  // namespace SubstituicaoBanco
