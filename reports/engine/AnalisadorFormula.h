#pragma once

#include "reports/engine/NoFormula.h"

#include <QString>

#include <memory>

/// A formula that parsed, or the reason and the place where it did not.
struct FormulaAnalisada {
  std::unique_ptr<NoFormula> raiz;  ///< null for an empty formula or on error
  QString erro;
  int posicao = 0;  ///< character position of the error, from 1

  bool ok() const { return erro.isEmpty(); }
  /// "Erro na fórmula, posição N: ..." ready for the operator.
  QString mensagem() const;
};

/// Parses the report formula language: field references {tabela.campo}, parameters {?Nome},
/// formula fields {@Nome}, integer, decimal and text literals, DateTime (a,m,d,h,n,s),
/// Date (a,m,d), True and False, comparisons, "x in a to b", And, Or, Not, arithmetic, function
/// calls and parentheses. Keywords and function names ignore case.
namespace AnalisadorFormula {

/// The deepest a formula may nest (parentheses, function calls, operators): the parser and every
/// walk over the tree recurse that deep, so a deeper formula is refused rather than let it
/// exhaust the stack.
constexpr int ProfundidadeMaxima = 200;

/// Parses `texto`; an empty or blank text gives an empty formula without error.
FormulaAnalisada Analisar(const QString& texto);

}  // namespace AnalisadorFormula
