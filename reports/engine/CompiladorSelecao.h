#pragma once

#include "reports/engine/LayoutRelatorio.h"
#include "reports/engine/NoFormula.h"

#include <QList>
#include <QString>
#include <QVariant>

/// A value bound to one "?" of a compiled selection: a constant of the formula or the current
/// value of a parameter, multiplied by `escala` (amounts are stored in ten-thousandths).
struct VinculoSelecao {
  QVariant constante;
  QString parametro;
  qint64 escala = 1;
};

/// A selection formula turned into the text of an SQL WHERE clause and its bound values.
struct SelecaoCompilada {
  QString sql;  ///< empty: every row
  QList<VinculoSelecao> vinculos;
};

/// Compiles parsed formulas into parameterised SQL over a layout's data tables: field
/// references become the layout's own column names, every literal and parameter a bound
/// value, so no text of the formula is ever pasted into the SQL.
namespace CompiladorSelecao {

/// Compiles `raiz` (null for an empty formula) into `saida`. On failure returns false and
/// fills `erro` and `posicao` (the character where the fault lies).
bool Compilar(NoFormula* raiz, const LayoutRelatorio& layout, SelecaoCompilada& saida, QString& erro, int& posicao);

/// Checks every field reference of `no` against the layout and records its column.
bool ResolverCampos(NoFormula& no, const LayoutRelatorio& layout, QString& erro, int& posicao);

}  // namespace CompiladorSelecao
