#pragma once

#include "app/core/Resultado.h"
#include "app/core/modGeral.h"

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

/// The program's one database connection, to `bdRecibo.mdb` in the data folder. Screens reach
/// it through `Banco()` at every operation, so they find the new connection after a compaction
/// or a restore has closed and reopened it.
namespace Conexao {

using modGeral::NomeArquivoBanco;

/// Opens the connection to the existing database of the data folder. A missing file is never
/// created; a file that is not a Talonix database is refused.
[[nodiscard]] Resultado AbrirConexao();

/// Closes the connection (nothing happens when it is not open).
void FecharConexao();

/// The current connection; not open between `FecharConexao` and `AbrirConexao`. When another
/// process has put a new file in the place of the one it opened, it is reopened on the new one.
QSqlDatabase Banco();

/// The SQLite handle under `banco`, for the few hot paths that step through many rows without
/// the driver's per-value conversions; null when `banco` is not an open SQLite connection.
sqlite3* Nativo(const QSqlDatabase& banco);

/// Opens an existing database file on a connection of its own (`nome`), with the program's
/// settings and search functions, and checks that it holds the Talonix tables.
[[nodiscard]] Resultado AbrirArquivo(const QString& nome, const QString& caminho);

/// Closes and forgets a connection opened by `AbrirArquivo`.
void Descartar(const QString& nome);

}  // namespace Conexao
