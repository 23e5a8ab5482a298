#include "controls/lvButtons.h"

#include <QApplication>
#include <QKeyEvent>

lvButtons::lvButtons(const QString& legenda, QWidget* parent) : QPushButton(legenda, parent) {
  setAutoDefault(false);
}

lvButtons::lvButtons(const QString& legenda, const QIcon& icone, const QString& dica, QWidget* parent)
    : lvButtons(legenda, parent) {
  setIcon(icone);
  setToolTip(dica);
}

bool lvButtons::event(QEvent* evento) {
  // The access key first moves the focus to the button, as a click would; a refused move
  // cancels the click.
  if (evento->type() == QEvent::Shortcut && isEnabled() && (focusPolicy() & Qt::TabFocus) &&
      window()->isActiveWindow()) {
    setFocus(Qt::ShortcutFocusReason);
    if (QApplication::focusWidget() != this)
      return true;
  }
  return QPushButton::event(evento);
}

void lvButtons::keyPressEvent(QKeyEvent* evento) {
  if ((evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) && evento->modifiers() == Qt::NoModifier) {
    click();
    return;
  }
  QPushButton::keyPressEvent(evento);
}
