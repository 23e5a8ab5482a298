#pragma once

#include <QProxyStyle>

/// The program's style: the platform's own, with the icons of message boxes and dialog buttons
/// taken from the freedesktop icon theme. Where the theme lacks one there is none, rather than
/// the style's built-in drawing. On Fusion, the bevel of the main window's top tool bars is drawn
/// with opaque colours (see drawControl).
class EstiloTalonix : public QProxyStyle {
  Q_OBJECT
public:
  /// The icon theme the program asks for.
  static inline const QString TemaIcones = QStringLiteral("breeze");

  /// Names the icon theme, looks for themes in the system's data folders whatever the platform,
  /// and installs the style on the application.
  static void Instalar();

  /// The theme's name for a message-box or dialog-button icon; empty for any other.
  static QString nomeNoTema(StandardPixmap figura);

  explicit EstiloTalonix(QStyle* base = nullptr);

  QIcon standardIcon(StandardPixmap figura, const QStyleOption* opcao = nullptr,
                     const QWidget* widget = nullptr) const override;
  /// Fusion draws the bevel of a main window's tool bar with two translucent lines across the
  /// window; Qt's raster engine blends such a line in pieces on its thread pool, so the first
  /// paint of the main window started threads and waited for them. The same lines, in the same
  /// places and with their colours composed beforehand over the bar's own, are plain fills.
  void drawControl(ControlElement elemento, const QStyleOption* opcao, QPainter* pintor,
                   const QWidget* widget = nullptr) const override;
  int styleHint(StyleHint dica, const QStyleOption* opcao = nullptr, const QWidget* widget = nullptr,
                QStyleHintReturn* retorno = nullptr) const override;
};
