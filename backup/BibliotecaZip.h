#pragma once

#include <QString>

/// libzip, loaded the first time an archive is written or read instead of when the program
/// starts: it brings the crypto library with it, and most starts never touch an archive. The
/// program's calls to libzip go to functions of the same names defined here, each of which passes
/// the call on to the library's own.
namespace BibliotecaZip {

/// Loads libzip if it is not loaded yet. Empty when it is ready; otherwise, in Portuguese, why
/// it could not be loaded. Every path into libzip calls this first.
QString Carregar();

}  // namespace BibliotecaZip
