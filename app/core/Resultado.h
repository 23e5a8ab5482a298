#pragma once

#include <QString>

/// The outcome of a store or file operation: success, or the failure's text and number as the
/// driver or the system gave them, ready to be shown to the operator.
struct Resultado {
  bool ok = true;
  QString erro;
  int numero = 0;

  static Resultado sucesso() { return {}; }
  static Resultado falha(const QString& texto, int numero = 0) { return {false, texto, numero}; }
  explicit operator bool() const { return ok; }
};
