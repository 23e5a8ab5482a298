#pragma once

class QKeyEvent;
class QWidget;

/// Passes the keys sent to a control made of parts (a test typing into the control itself)
/// to the part that takes them when the control has the focus, through every filter on the
/// way, as if typed there. A key the part leaves unused comes back up to the control, which
/// must then ignore it (`repassar` does) so that it goes on to the control's parents once.
class RepasseTeclas {
public:
  /// Called from the control's key handlers.
  void repassar(QKeyEvent* evento, QWidget* destino);

private:
  bool repassando_ = false;
};
