#pragma once

#include "app/core/Contexto.h"

#include <memory>

class QApplication;
class mdiPrincipal;

/// The program's start: the date-format check, the installed program's data folder, the backup
/// folder and its setting, the sound folder, the database connection and the main window, in
/// that order.
namespace Inicializacao {

/// Qt's own texts (buttons, file, print and calendar dialogs) in Brazilian Portuguese, and the
/// Brazilian number and date conventions.
void InstalarIdioma(QApplication& aplicacao);

/// Runs the start-up (asking for the server's password when the server wants one that the user's
/// password file does not hold). Returns the main window, shown; or null after a message box saying why
/// the program cannot start (no main window is made then).
std::unique_ptr<mdiPrincipal> Iniciar(Contexto contexto);

}  // namespace Inicializacao
