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

/// Checks every page, row and index of `banco` ("PRAGMA integrity_check"); `rapida` leaves out
/// the comparison of each index with its table ("PRAGMA quick_check"), a fraction of the time.
[[nodiscard]] Resultado VerificarIntegridade(QSqlDatabase& banco, bool rapida = false);

}  // namespace Esquema
