#pragma once

#include "app/core/Resultado.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QString>

#include <vector>

class FiltroRecibo;

/// The rows of the receipt search: one per receipt the filter selects, with the payer's and
/// the issuer's names. The rows are kept compact and turned into text only when a cell is
/// shown, so that a list of tens of thousands of receipts fills and scrolls at once.
class ModeloRecibos final : public QAbstractTableModel {
  Q_OBJECT
public:
  /// The columns of the list; the first is hidden and holds the number as the row's own text.
  enum Coluna { ColChave, ColRecibo, ColAno, ColEmissao, ColValor, ColRecebi, ColEmitente, NumColunas };

  struct Linha {
    qint32 codigo = 0;
    qint16 ano = 0;
    QDate emissao;
    qint64 valor = 0;  ///< ten-thousandths of a real
    QString recebi;    ///< empty when the payer no longer exists
    QString emitente;  ///< empty when the issuer no longer exists
  };

  explicit ModeloRecibos(QObject* parent = nullptr);

  /// The query of the list for `filtro`, in SQLite's dialect: every receipt the filter
  /// selects, also those whose payer or issuer is gone, in the order the filter names.
  static QString TextoConsulta(const FiltroRecibo& filtro);

  /// Replaces the rows by those of `sql` (a query shaped as `TextoConsulta` makes it), read
  /// through the program's connection. On failure the list is left empty.
  [[nodiscard]] Resultado carregar(const QString& sql);

  const Linha& linha(int indice) const { return linhas_[static_cast<std::size_t>(indice)]; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
  QVariant headerData(int secao, Qt::Orientation orientacao, int papel = Qt::DisplayRole) const override;

private:
  std::vector<Linha> linhas_;
};
