#pragma once

class QWidget;

/// Keeps the program's dialogs and message boxes where the operator can reach them: on a small
/// screen with a panel, a dialog taller than the free area would hide its buttons below the edge.
namespace AjusteTela {

/// Fits the top-level window `janela` into the available area of its screen (panels and the
/// window's own frame left out): shrunk to that area when larger, centred on the window of its
/// parent when it has one, and moved inside the area. Called as the window is shown.
void Ajustar(QWidget* janela);

}  // namespace AjusteTela
