#pragma once

#include "reports/engine/NoFormula.h"

#include <QString>
#include <QVariant>

#include <optional>

/// Where a formula being evaluated finds its values: the current record, the parameters, the
/// other formula fields and the amount in words.
class FonteValores {
public:
  virtual ~FonteValores() = default;
  /// The current record's value of a column, typed (numbers, amounts in reais, dates, text).
  virtual QVariant campo(int coluna) const = 0;
  virtual QVariant parametro(const QString& nome) const = 0;
  virtual QVariant formula(const QString& nome) const = 0;
  virtual std::optional<QString> extenso(double valor, int casas) const = 0;
  /// The total of a numeric column over the records the object being shown covers.
  virtual QVariant soma(int /*coluna*/) const { return {}; }
};

/// Evaluates formula fields for the page. The functions a layout may call:
///   Extenso(valor [, casas])          the amount in words (Verbalor), 2 decimal places by default
///   Formatar(valor, formato)          a number or date in a pattern ("#,##0.00", "dd/MM/yyyy")
///   DataExtenso(data)                 "7 de dezembro de 2026"
///   Documento(numero [, tipoPessoa])  CPF or CNPJ with its mask
///   Juntar(separador, partes...)      the non-blank parts joined
///   FormaPagamento(codigo)            the receipt's phrase for a stored form of payment ("por PIX")
///   Se(condicao, entao, senao)
///   Soma({tabela.campo})              the total of a field over the report, or over the group
///                                     in a group section
///   Maiusculas(texto), Texto(valor)
namespace AvaliadorFormula {

/// The value of `no` (an invalid value where the formula cannot give one, such as a division
/// by zero).
QVariant Avaliar(const NoFormula& no, const FonteValores& fonte);

/// Checks that every function called in `no` exists and gets a number of arguments it takes.
bool VerificarFuncoes(const NoFormula& no, QString& erro, int& posicao);

/// True when `no` calls the amount in words.
bool UsaExtenso(const NoFormula& no);

}  // namespace AvaliadorFormula
