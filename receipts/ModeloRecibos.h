#pragma once

#include "app/core/Resultado.h"

#include <QAbstractTableModel>
#include <QString>

#include <string>
#include <vector>

class FiltroRecibo;

/// The rows of the receipt search: one per receipt the filter selects, with the payer's and
/// the issuer's names. The rows are read straight from SQLite, kept compact and turned into
/// text only when a cell is shown, so that a list of a hundred thousand receipts fills at the
/// pace of the query itself and scrolls at once.
class ModeloRecibos final : public QAbstractTableModel {
  Q_OBJECT
public:
  /// The columns of the list; the first is hidden and holds the number as the row's own text.
  enum Coluna { ColChave, ColRecibo, ColAno, ColEmissao, ColValor, ColRecebi, ColEmitente, NumColunas };

  /// One receipt of the list. The names live in one shared buffer of UTF-8 text.
  struct Linha {
    qint32 codigo = 0;
    qint16 ano = 0;
    qint32 emissao = 0;                               ///< the date of issue as the number yyyymmdd
    qint64 valor = 0;                                 ///< ten-thousandths of a real
    quint32 inicioRecebi = 0, tamanhoRecebi = 0;      ///< empty when the payer no longer exists
    quint32 inicioEmitente = 0, tamanhoEmitente = 0;  ///< empty when the issuer no longer exists
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
  QString nome(quint32 inicio, quint32 tamanho) const;

  std::vector<Linha> linhas_;
  std::string nomes_;
};
