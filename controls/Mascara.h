#pragma once

#include <QString>

/// An input mask such as "#####-###" or "##/##/####", without prompt characters. The
/// placeholders are `#` (a digit), `?` (a letter), `A` (a letter or a digit) and `&` (any
/// character); every other character of the mask is a literal that the box writes itself.
class Mascara {
public:
  explicit Mascara(QString formato = QString()) : formato_(std::move(formato)) {}

  const QString& formato() const { return formato_; }
  bool vazia() const { return formato_.isEmpty(); }

  /// The text for what was typed: each placeholder takes the next typed character it accepts
  /// (the others are left out), a typed literal in its place is taken as it is, and literals
  /// appear only where the operator reached them, that is with a typed character after them.
  /// Nothing typed gives an empty text.
  QString aplicar(const QString& digitado) const;

  /// Whether `texto` fills every position of the mask.
  bool completo(const QString& texto) const { return aplicar(texto).size() == formato_.size(); }

private:
  static bool marcador(QChar c);
  static bool aceita(QChar marcador, QChar c);

  QString formato_;
};
