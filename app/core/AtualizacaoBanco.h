#pragma once

#include "app/core/Resultado.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

/// Bringing a database written by an earlier Talonix to the current schema version when the
/// program opens it: a safety copy of the old file beside it first, then the upgrade in one
/// transaction, both under the exclusive database lock, so that no other Talonix process writes
/// meanwhile and a crash at any instant leaves the old or the upgraded database, whole.
namespace AtualizacaoBanco {

/// The points of an upgrade a test may stop at.
enum class Etapa {
  Travado,           ///< the lock is held, nothing written yet
  CopiaGravada,      ///< the safety copy is in its place
  AntesDeConfirmar,  ///< the new version is written but not committed
  Confirmado,        ///< the upgrade is committed
};
using Observador = std::function<void(Etapa)>;

/// Upgrades the database open on `conexao` (the file `caminho`) when it is of an earlier
/// version; nothing happens when it is current. The safety copy, "bdRecibo.mdb.versao<N>"
/// (numbered when one is there already, which is kept), lies beside the file `caminho` is or
/// links to. When the safety copy cannot be written nothing is upgraded and the failure says
/// why.
[[nodiscard]] Resultado AtualizarSeAntigo(const QString& conexao, const QString& caminho,
                                          const Observador& observador = {});

}  // namespace AtualizacaoBanco
