#pragma once

#include <QDialog>

class ModeloRegistros;
class QLineEdit;
class QSqlQuery;
class QTreeView;

/// The list a record selector drops: its rows under the selector's title, narrowed as the
/// operator types (ignoring case and accents). Up and Down move in the list while typing,
/// Enter or a double click picks the row, Esc cancels.
class ListaRegistros : public QDialog {
  Q_OBJECT
public:
  explicit ListaRegistros(const QString& titulo, QWidget* parent = nullptr);

  /// Fills the list from `consulta` (already run) and puts the row of `codigoAtual` (or the
  /// first) current.
  void carregar(QSqlQuery& consulta, const QString& codigoAtual);
  /// Widths of the columns in pixels (0 or less leaves a column as it is).
  void setLarguras(const QList<int>& larguras);

  /// The code of the row picked.
  QString codigoEscolhido() const;

protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

private:
  void escolher();
  void filtrar(const QString& termo);

  ModeloRegistros* modelo_;
  QLineEdit* filtro_;
  QTreeView* lista_;
};
