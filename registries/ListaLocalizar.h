#pragma once

#include "app/core/Numeracao.h"
#include "app/core/Resultado.h"

#include <QAbstractTableModel>
#include <QString>

#include <string>
#include <vector>

/// The rows of a lookup dialog: every person (or referente) whose description contains the
/// search text, ignoring case and accents, in code order. Columns: the code as each row's own
/// text (hidden, what callers read), the code shown, the description on one line.
class ListaLocalizar : public QAbstractTableModel {
  Q_OBJECT
public:
  enum Coluna { ColunaChave, ColunaCodigo, ColunaDescricao, NumeroColunas };

  explicit ListaLocalizar(Numeracao::Cadastro cadastro, QObject* parent = nullptr);

  /// Replaces the rows with those matching `termo`, taken literally (an apostrophe, `%` and `_`
  /// are searched for as typed). On failure the list is left empty.
  [[nodiscard]] Resultado Preencher(const QString& termo);

  /// The code of `linha` as text.
  QString Chave(int linha) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
  QString descricao(int linha) const;

  Numeracao::Cadastro cadastro_;
  // Each keystroke may list every row of a large table: the descriptions are kept as the store
  // hands them out, one after the other, and become text only when a row is shown.
  std::vector<qint64> codigos_;
  std::vector<std::size_t> inicios_{0};  ///< where each description starts in `descricoes_`, plus the end
  std::string descricoes_;
};
