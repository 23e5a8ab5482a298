#pragma once

#include "receipts/Recibo.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

class QSqlQuery;

/// The stored fields of a receipt, described once: every statement that reads or writes
/// `tbRecibo` and the reading of its rows are made from this list. A new stored field is a member
/// of `Recibo`, one line here and the schema step that adds its column.
namespace TabelaRecibo {

/// How a field is kept in the store.
enum class Tipo {
  Inteiro,  ///< a whole number (a code, a count)
  Moeda,    ///< an amount, as whole ten-thousandths of a real
  Data,     ///< a date, as "yyyy-MM-dd" text
  Texto,    ///< text, written trimmed
};

struct Campo {
  QString coluna;
  Tipo tipo;
  /// The schema version that added the column (0: the first one).
  int versao;
  /// Part of the key (year and number): never changed by an update.
  bool chave;
  /// The value written for `recibo`; a null value writes Null.
  std::function<QVariant(const Recibo&)> valor;
  /// Sets the field of `recibo` from the value read, Null included.
  std::function<void(Recibo&, const QVariant&)> ler;
};

/// The fields, in the order of the table's columns.
const QList<Campo>& Campos();

/// "SELECT <every column> FROM tbRecibo WHERE Codigo=? AND Ano=?": one receipt by number and year.
QString SelecaoPorChave();
/// "INSERT INTO tbRecibo (<every column>) VALUES (?, ...)", the values as `ValoresInsercao` gives them.
QString Insercao();
/// "UPDATE tbRecibo SET <every column but the key>=? ... WHERE Codigo=? AND Ano=?", the values as
/// `ValoresAtualizacao` gives them.
QString Atualizacao();

QVariantList ValoresInsercao(const Recibo& recibo);
QVariantList ValoresAtualizacao(const Recibo& recibo);

/// The receipt of the current row of `consulta`, whose columns are `Campos()` in order.
Recibo Ler(const QSqlQuery& consulta);

}  // namespace TabelaRecibo
