#pragma once

#include "app/core/Resultado.h"
#include "app/core/modGeral.h"

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

/// The program's one database connection: to `bdRecibo.mdb` in the data folder, or, in office
/// mode (section [banco] of the settings file), to the office's PostgreSQL server. Screens reach
/// it through `Banco()` at every operation, so they find the new connection after a compaction
/// or a restore has closed and reopened it.
namespace Conexao {

using modGeral::NomeArquivoBanco;

/// Failure number of a server that asks for a password when the user's password file holds none
/// and none was given (`DefinirSenha`).
inline constexpr int ErroSenhaAusente = -1201;

/// Failure number of a database file on a network file system.
inline constexpr int ErroPastaRede = -1202;

/// Refuses the database file `caminho` when its file system (of type `tipoSistema`) lies on
/// another machine, unless the user accepted the risk (`permitir_rede=1`): the file of one desk is
/// never shared over a network; several desks use the office's server.
[[nodiscard]] Resultado ConferirDiscoLocal(const QString& caminho, const QString& tipoSistema, bool permitirRede);

/// Opens the connection to the store the settings file names. A missing database file is never
/// created; a file that is not a Talonix database is refused. On the server, a database without
/// any of Talonix's tables gets the schema; one holding only some of them is refused.
[[nodiscard]] Resultado AbrirConexao();

/// Opens a connection of its own (`nome`) to the office's server, for work that runs beside the
/// program's connection (a backup's snapshot, a restore); closed with `Descartar`.
[[nodiscard]] Resultado AbrirAuxiliar(const QString& nome);

/// The password the operator typed for the server, used by this and every later connection of the
/// program; kept in memory only.
void DefinirSenha(const QString& senha);

/// Whether the program's store is the office's server (as of the last `AbrirConexao`).
bool Servidor();

/// Closes the connection (nothing happens when it is not open).
void FecharConexao();

/// The current connection; not open between `FecharConexao` and `AbrirConexao`. When another
/// process has put a new file in the place of the one it opened, it is reopened on the new one;
/// a connection to the server that an earlier operation found lost is opened again.
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
