#pragma once

#include "app/core/Resultado.h"

#include <QString>
#include <QStringList>

/// The desktop's own programs that the program hands a file to (the PDF viewer, the mail
/// composer).
namespace ProgramaExterno {

/// Starts `programa`, looked up on the PATH, with `argumentos` passed as they are (no shell
/// reads them, so a name with quotes or spaces stays one argument), and does not wait for it.
/// Fails, with a Portuguese text that names the program, when it is not installed or does not
/// start.
[[nodiscard]] Resultado Iniciar(const QString& programa, const QStringList& argumentos);

}  // namespace ProgramaExterno
