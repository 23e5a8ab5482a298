#pragma once

#include "app/core/Resultado.h"

#include <QString>

#include <functional>

/// Compacting the database: the file, with a valid database on the disk at every instant, or the
/// tables of the office's server.
namespace Compactacao {

/// The steps of a compaction, in order.
enum class Etapa {
  RemoverTemporarioAntigo,
  FecharConexao,
  CopiarCompactado,
  GravarNoDisco,
  VerificarCopia,
  SubstituirBanco,
  AbrirConexao,
};

/// Called before each step; returning false makes that step fail (used to prove that a failure
/// anywhere leaves the database whole).
using Observador = std::function<bool(Etapa)>;

/// Compacts `bdRecibo.mdb` into "bdRecibo.tmp" beside the file it is (or links to) and puts the
/// copy in its place. On failure the copy is removed, the connection is reopened on the
/// database as it was, and the failure's text and number come back. On the office's server, the program's tables are
/// compacted and their statistics renewed in place (the steps above are the file's).
[[nodiscard]] Resultado CompactarBanco(const Observador& observador = {});

}  // namespace Compactacao
