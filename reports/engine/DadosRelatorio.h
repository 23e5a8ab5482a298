#pragma once

#include "app/core/Dialeto.h"
#include "app/core/Resultado.h"
#include "reports/engine/CompiladorSelecao.h"
#include "reports/engine/LayoutRelatorio.h"

#include <QHash>
#include <QSqlDatabase>
#include <QVariant>

#include <vector>

/// The rows of one run of a report, read from the database when the report is prepared, each
/// value already in its type (amounts in reais, dates as dates, texts never null).
class DadosRelatorio {
public:
  /// The SELECT of a layout: every field of every table, the tables joined by their links,
  /// the selection as WHERE, and ORDER BY the sort fields in the order given (texts ignoring
  /// case and accents), in the words of the store `dialeto`.
  static QString MontarSql(const LayoutRelatorio& layout, const QList<SelecaoCompilada>& ligacoes,
                           const SelecaoCompilada& selecao, const QList<QPoint>& ordem, Dialeto::Tipo dialeto);

  /// Runs the SELECT on `banco` with the bound values (`parametros` keyed by lower-case
  /// name) and keeps the rows.
  [[nodiscard]] Resultado ler(QSqlDatabase banco, const LayoutRelatorio& layout,
                              const QList<SelecaoCompilada>& ligacoes, const SelecaoCompilada& selecao,
                              const QList<QPoint>& ordem, const QHash<QString, QVariant>& parametros);

  int quantos() const { return colunas_ == 0 ? 0 : static_cast<int>(valores_.size() / colunas_); }
  const QVariant& valor(int registro, int coluna) const {
    return valores_[static_cast<std::size_t>(registro) * colunas_ + static_cast<std::size_t>(coluna)];
  }

private:
  std::size_t colunas_ = 0;
  std::vector<QVariant> valores_;
};
