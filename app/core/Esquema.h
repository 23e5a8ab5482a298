#pragma once

#include "app/core/Resultado.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

/// The tables of a Talonix database and the versions of their schema. A database carries its
/// version (SQLite's `user_version`, a one-row table on the server; 0 for the files every earlier
/// Talonix made); a file of an
/// earlier version is checked against that version's schema and upgraded, one of a newer version
/// is refused.
namespace Esquema {

/// The version of the schema this program writes.
inline constexpr int VersaoAtual = 1;

/// The failure number of a database written by a newer Talonix.
inline constexpr int ErroVersaoNova = -20;

/// The SQL text of version 0 of the schema; later versions add to it.
QString TextoEsquema();

/// The tables of version `versao` (one this program knows) with their columns, in order.
QList<std::pair<QString, QStringList>> Colunas(int versao);

/// Makes a new, empty database of `versao` (the current one unless said) at `caminho`. Refuses a
/// path where a file already exists.
[[nodiscard]] Resultado CriarBanco(const QString& caminho, int versao = VersaoAtual);

/// The schema version `banco` carries.
[[nodiscard]] Resultado LerVersao(QSqlDatabase& banco, int& versao);

/// The columns of the program's table `tabela` in `banco`, with their types. Any failure of the
/// store (a table another desk holds, a lost connection) is given with its reason, never as a
/// table without columns; a table the store does not have is refused as not Talonix's.
[[nodiscard]] Resultado LerColunas(const QSqlDatabase& banco, const QString& tabela, QSqlRecord& registro);

/// Checks that `banco` is of a version this program knows and holds the tables of that version
/// with their columns.
[[nodiscard]] Resultado VerificarTabelas(QSqlDatabase& banco);

/// Checks that `banco` holds exactly the objects the schema of its version creates: the tables as
/// tables, the schema's indexes as written and SQLite's own indexes for their keys, and nothing
/// else (no trigger, no view, no other table or index), so that a file from outside cannot act
/// behind the program's back.
[[nodiscard]] Resultado VerificarObjetos(QSqlDatabase& banco);

/// Upgrades `banco` to the current version in one transaction (nothing happens when it is
/// current already); a failure leaves it as it was. `antesDeConfirmar` runs when everything is
/// written but not yet committed.
[[nodiscard]] Resultado Atualizar(QSqlDatabase& banco, const std::function<void()>& antesDeConfirmar = {});

/// Readies a database of the office's server on the connection `banco`: one without any of the
/// Talonix tables gets the current schema, one of an earlier version is upgraded, one holding only
/// some of the tables or of a newer version is refused untouched; then its tables are checked.
/// Desks starting together do this one after the other.
[[nodiscard]] Resultado PrepararServidor(QSqlDatabase& banco);

/// Checks every page, row and index of `banco` ("PRAGMA integrity_check"); `rapida` leaves out
/// the comparison of each index with its table ("PRAGMA quick_check"), a fraction of the time.
[[nodiscard]] Resultado VerificarIntegridade(QSqlDatabase& banco, bool rapida = false);

}  // namespace Esquema
