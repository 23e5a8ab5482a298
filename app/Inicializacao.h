#pragma once

#include "app/core/Contexto.h"

#include <memory>

class QApplication;
class mdiPrincipal;

/// The program's start: the date-format check, the installed program's data folder, the backup
/// folder and its setting, the sound folder, the database connection and the main window, in
/// that order.
namespace Inicializacao {

/// Has the system's font configuration read on another core while the application object is
/// made, and Qt's list of fonts built there once it is (`Iniciar` says so): the first
/// window would do both on the main thread, a good part of the time to its first paint. Call once,
/// first thing in main; `Iniciar` opens the database meanwhile and waits for the fonts before it
/// makes the window.
void LerFontesAoLado();

/// What the application is before any window: its name and the name of its menu entry (which
/// desktops match its windows with), Qt's own texts (buttons, file, print and calendar dialogs)
/// in Brazilian Portuguese with the Brazilian number and date conventions, and the program's style.
void PrepararAplicacao(QApplication& aplicacao);

/// Runs the start-up (asking for the server's password when the server wants one that the user's
/// password file does not hold). Returns the main window, shown; or null after a message box saying why
/// the program cannot start (no main window is made then).
std::unique_ptr<mdiPrincipal> Iniciar(Contexto contexto);

}  // namespace Inicializacao
