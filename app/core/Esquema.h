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

/// How thoroughly a database file is checked before it takes the place of the current one.
enum class Verificacao {
  Rapida,   ///< every page and row readable (a file the program has just written itself)
  Completa  ///< also every index against its table (a file that came from outside)
};

/// Checks the structure of `banco` as SQLite sees it.
[[nodiscard]] Resultado VerificarIntegridade(QSqlDatabase& banco, Verificacao verificacao);

}  // namespace Esquema
