#pragma once

/// A control of the program's control library as the focus watcher (`ValidacaoFoco`) sees it:
/// one widget that may hold several focusable parts, whose exit can be refused.
class ControleFoco {
public:
  virtual ~ControleFoco() = default;

  /// Runs when the focus is about to leave the control for another control of the same
  /// window; setting `cancelar` keeps the focus in the control.
  virtual void validarSaida(bool& cancelar) = 0;

  /// The focus entered the control from elsewhere in its window (moves between its own parts,
  /// and trips to a message box and back, don't count).
  virtual void focoEntrou() {}
  /// The focus left the control for another place of its window.
  virtual void focoSaiu() {}
};
