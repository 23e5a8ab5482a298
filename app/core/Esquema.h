#pragma once

#include "app/core/Resultado.h"

#include <QSqlDatabase>
#include <QString>

/// The tables of a Talonix database.
namespace Esquema {

/// The schema's SQL text.
QString TextoEsquema();

/// Makes a new, empty database at `caminho`. Refuses a path where a file already exists.
[[nodiscard]] Resultado CriarBanco(const QString& caminho);

/// Checks that `banco` holds `tbPessoa`, `tbReferente` and `tbRecibo` with their columns.
[[nodiscard]] Resultado VerificarTabelas(QSqlDatabase& banco);

/// Checks that `banco` holds exactly the objects the schema creates: the tables as tables, the
/// schema's indexes as written and SQLite's own indexes for their keys, and nothing else (no
/// trigger, no view, no other table or index), so that a file from outside cannot act behind
/// the program's back.
[[nodiscard]] Resultado VerificarObjetos(QSqlDatabase& banco);

/// Checks every page, row and index of `banco` ("PRAGMA integrity_check").
[[nodiscard]] Resultado VerificarIntegridade(QSqlDatabase& banco);

}  // namespace Esquema
