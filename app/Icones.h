#pragma once

#include <QIcon>
#include <QList>

/// The pictures of the main window's toolbar (`imlPrincipal`), drawn by the program so that
/// they are sharp at any screen scale: 1 a person, 2 a receipt, 3 a referente text.
namespace Icones {

QList<QIcon> ListaPrincipal();

/// The program's own icon, the one of its menu entry.
QIcon Programa();

}  // namespace Icones
