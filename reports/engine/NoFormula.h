#pragma once

#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

/// One node of a parsed formula: a literal, a reference, an operation or a function call.
struct NoFormula {
  enum class Tipo {
    Inteiro,
    Decimal,
    Texto,
    DataHora,
    Logico,
    Campo,           ///< {tabela.campo}
    Parametro,       ///< {?Nome}
    FormulaNomeada,  ///< {@Nome}
    Unario,
    Binario,
    Intervalo,  ///< x in a to b: filhos x, a, b
    Funcao,     ///< nome(argumentos...)
  };
  enum class Operador {
    Nenhum,
    Igual,
    Diferente,
    Menor,
    MenorIgual,
    Maior,
    MaiorIgual,
    E,
    Ou,
    Nao,
    Soma,
    Subtracao,
    Multiplicacao,
    Divisao,
    Negativo,
  };

  Tipo tipo = Tipo::Inteiro;
  /// Where the node starts in the formula text, counting characters from 1.
  int posicao = 1;
  Operador operador = Operador::Nenhum;
  qint64 inteiro = 0;
  double decimal = 0;
  bool logico = false;
  QDateTime dataHora;
  /// The text of a literal; the name of a parameter, formula or function; the table of a field.
  QString texto;
  QString campo;
  std::vector<std::unique_ptr<NoFormula>> filhos;
  /// Levels of the tree from this node down, itself included.
  int altura = 1;
  /// For a field, its column among the report's data once the formula has been checked.
  int coluna = -1;

  bool comparacao() const { return operador >= Operador::Igual && operador <= Operador::MaiorIgual; }
};
