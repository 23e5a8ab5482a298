#pragma once

#include <QPushButton>

/// The push button of the screens: a caption with its access key ("&Gravar"), an icon and a
/// tool tip; Enter pressed on it clicks it. When the move of the focus to the button is
/// refused (the control being left kept it), the button is not clicked, whether by the mouse
/// or by its access key.
class lvButtons : public QPushButton {
  Q_OBJECT
public:
  explicit lvButtons(const QString& legenda = QString(), QWidget* parent = nullptr);
  lvButtons(const QString& legenda, const QIcon& icone, const QString& dica, QWidget* parent = nullptr);

  /// Whether Tab stops on the button.
  bool paradaTabulacao() const { return focusPolicy() == Qt::StrongFocus; }
  void setParadaTabulacao(bool parada) { setFocusPolicy(parada ? Qt::StrongFocus : Qt::ClickFocus); }

protected:
  bool event(QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
};
