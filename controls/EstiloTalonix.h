#pragma once

#include <QProxyStyle>

/// The program's style: the platform's own, with the icons of message boxes and dialog buttons
/// taken from the freedesktop icon theme. Where the theme lacks one there is none, rather than
/// the style's built-in drawing.
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
  int styleHint(StyleHint dica, const QStyleOption* opcao = nullptr, const QWidget* widget = nullptr,
                QStyleHintReturn* retorno = nullptr) const override;
};
