#pragma once

#include "app/core/ArquivosBanco.h"
#include "app/core/Resultado.h"

#include <QString>

/// Putting a new database file in the place of the current one, so that a crash at any instant
/// leaves either the old or the new database, whole.
namespace SubstituicaoBanco {

/// How far a database file is checked before it takes the place of the current one.
enum class Verificacao {
  /// It opens as a database and holds the Talonix tables: enough for a copy that SQLite itself
  /// has just written from the current database.
  Tabelas,
  /// Also every page and row ("quick_check"): for a snapshot taken for a backup.
  Rapida,
  /// Also every index against its table: for a file that came from outside the program.
  Integridade,
};

/// Checks that `novo` is a Talonix database, as far as `verificacao` asks.
[[nodiscard]] Resultado Verificar(const QString& novo, Verificacao verificacao);

/// Renames `novo` (written in the folder of `destino`, so that the rename is one step) over the
/// database file `destino`, giving it the permissions of the file it replaces; a link to the
/// database stays a link. The connection to `destino` must be closed. A hot journal beside it
/// is first rolled back by SQLite; one that is still hot refuses the replacement (it would be
/// rolled into the new file), a dead one left by a crash is removed.
[[nodiscard]] Resultado Substituir(const QString& novo, const ArquivosBanco::Locais& destino);

}  // namespace SubstituicaoBanco
