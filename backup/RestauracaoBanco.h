#pragma once

#include "app/core/Resultado.h"

#include <QString>

#include <functional>

/// Restoring the database from a backup archive, so that nothing unchecked ever takes the
/// place of `bdRecibo.mdb` and a crash at any instant leaves the old or the new database, whole.
namespace RestauracaoBanco {

/// Besides the database, an archive may carry a few small files (notes, the settings); more
/// entries, or larger ones, make no backup of this program and are refused before anything is
/// written.
inline constexpr int MaisOutrasEntradas = 100;
inline constexpr qint64 MaiorOutroArquivo = qint64(16) * 1024 * 1024;

/// The steps of a restore, in order.
enum class Etapa {
  RemoverRestos,
  Extrair,
  VerificarBanco,
  GravarNoDisco,
  GuardarAnterior,
  SubstituirBanco,
  ColocarDemais,
  Concluir,
};

/// Called before each step; returning false makes that step fail.
using Observador = std::function<bool(Etapa)>;

/// Extracts `arquivoZip` into a folder of its own beside the database file (the one the data
/// folder's `bdRecibo.mdb` is or links to), reading every entry to its end; checks that it holds
/// a whole Talonix database `bdRecibo.mdb`; then puts that file in the place of the database and
/// the archive's other files (without their folders) in the data folder. Names the program keeps
/// beside the database for itself are refused. The connection must be closed. On failure the database is left as it
/// was. On the office's server the checked database's rows (upgraded first when the backup is of an earlier version)
/// replace the server's in one transaction that holds the tables alone; the steps that keep the previous file do not
/// apply there. `limite` caps the bytes the archive may inflate to.
[[nodiscard]] Resultado RestaurarBanco(const QString& arquivoZip, const Observador& observador = {},
                                       qint64 limite = qint64(16) * 1024 * 1024 * 1024);

}  // namespace RestauracaoBanco
