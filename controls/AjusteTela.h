#pragma once

class QWidget;

/// Keeps the program's dialogs and message boxes where the operator can reach them: on a small
/// screen with a panel, a dialog taller than the free area would hide its buttons below the edge.
namespace AjusteTela {

/// Where a window goes before it is kept inside the area.
enum class Lugar {
  CentroDoPai,  ///< centred on the window of its parent, when it has one
  Atual,        ///< where it was put (a list dropped under its selector)
};

/// Fits the top-level window `janela` into the available area of its screen (panels and the
/// window's own frame left out): shrunk to that area when larger, placed as `lugar` says, and
/// moved inside the area. Called as the window is shown.
void Ajustar(QWidget* janela, Lugar lugar = Lugar::CentroDoPai);

}  // namespace AjusteTela
