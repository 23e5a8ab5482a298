#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class ControleFoco;
class QWidget;

/// Watches every focus move of the program and raises "validate" on the control the focus is
/// leaving when it moves to another control of the same window; a refusal puts the focus back
/// (and swallows the click that moved it). A move to or from another window (a message box
/// opening, another window activated) neither validates nor counts as gaining or losing the
/// focus, so a handler that shows a message runs once. Nothing is re-entered: focus moves made
/// while a handler runs are not watched.
class ValidacaoFoco final : public QObject {
  Q_OBJECT
public:
  /// Makes sure the watcher of the running application exists; every control calls it.
  static void ativar();

  /// The control that `widget` is, or is part of (following parents across windows, so a
  /// control's own popup counts as part of it; the outermost when controls are nested); null
  /// when none.
  static QWidget* controleDe(QWidget* widget);

  /// The control that has the input focus (the selector, not its code box), or the focused
  /// widget when it is not part of a control; null when no widget has the focus.
  static QWidget* controleComFoco();

  /// The window a widget validates within: its sub-window in the main window's workspace
  /// (each screen on its own), otherwise its top-level window.
  static QWidget* janelaDe(QWidget* widget);

private:
  explicit ValidacaoFoco(QObject* parent);
  void focoMudou(QWidget* widgetAntes, QWidget* widgetAgora);
  /// Raises "focus gained" and "focus lost" for the focus now in `agora`.
  void anotarFoco(QWidget* agora);
  /// The control `widget` is part of, or `widget` itself. A control's own popup (a calendar,
  /// a list) is part of the control although it is a window: the focus in it is in the
  /// control's window.
  static QWidget* controleOuWidget(QWidget* widget);
  void engolirClique(QWidget* alvo);

  bool ocupado_ = false;
  // The control that last held the focus in each window, so that the focus coming back from a
  // message box into the same control changes nothing.
  QHash<QWidget*, QPointer<QWidget>> controleAtual_;
};
