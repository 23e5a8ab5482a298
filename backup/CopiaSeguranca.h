#pragma once

#include "app/core/Resultado.h"

#include <QString>

/// Making a backup archive of the database that restores whole, whatever other Talonix processes
/// write meanwhile.
namespace CopiaSeguranca {

/// Writes `arquivo`, a zip archive holding the one entry `bdRecibo.mdb`: a snapshot of the
/// database taken while no other process may change it, in a work folder of its own inside the
/// data folder, checked before it is archived. The archive gets the database's permissions,
/// and replaces a file of the same name only once whole.
/// On the office's server the entry is a desk database of the current schema holding the
/// server's rows as of one instant, so that every backup restores on a desk as on the server.
[[nodiscard]] Resultado Realizar(const QString& arquivo);

}  // namespace CopiaSeguranca
