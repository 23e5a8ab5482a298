#pragma once

#include "app/core/Resultado.h"

/// The installed program's data folder, made on its first start.
namespace PastaDadosUsuario {

/// For an installed program whose data folder does not exist at all, makes it with an empty
/// database from the schema in "Dados", whole or not at all. A folder that exists is left as it
/// is, even without its database; a portable program has nothing to make.
[[nodiscard]] Resultado Preparar();

}  // namespace PastaDadosUsuario
