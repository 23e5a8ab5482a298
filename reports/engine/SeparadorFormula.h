#pragma once

#include <QList>
#include <QString>

/// One token of a formula: a number, a quoted text (unquoted), the inside of a {reference}, a
/// name, or a symbol; the last token of every formula is `Fim`.
struct TokenFormula {
  enum class Tipo { Fim, Inteiro, Decimal, Texto, Chaves, Nome, Simbolo };
  Tipo tipo = Tipo::Fim;
  QString texto;
  int posicao = 1;  ///< character position in the formula, from 1
};

/// Splits formula texts into tokens.
namespace SeparadorFormula {

/// The tokens of `texto` into `tokens`; false with the reason and the position of the first
/// character that does not belong (an unclosed text or reference, a stray character).
bool Separar(const QString& texto, QList<TokenFormula>& tokens, QString& erro, int& posicao);

}  // namespace SeparadorFormula
