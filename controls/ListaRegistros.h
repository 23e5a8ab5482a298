#pragma once

#include <QDialog>

class ModeloRegistros;
class QLineEdit;
class QSqlQuery;
class QTreeView;

/// The list a record selector drops: its rows under the selector's title, narrowed as the
/// operator types in the search box above them (ignoring case and accents). Up and Down move
/// in the list while typing, Enter or a double click picks the row, Esc cancels.
class ListaRegistros : public QDialog {
  Q_OBJECT
public:
  explicit ListaRegistros(const QString& titulo, QWidget* parent = nullptr);

  /// Fills the list from `consulta` (already run) and puts the row of `codigoAtual` (or the
  /// first) current.
  void carregar(QSqlQuery& consulta, const QString& codigoAtual);
  /// Sizes the list for the rows loaded and places it under `seletor`: each column at least
  /// `minimas` (pixels; 0 for none) and as wide as its widest text, the window at least as wide
  /// as `seletor` and no wider than its screen, the description taking whatever room is left.
  void ajustar(const QList<int>& minimas, const QWidget* seletor);

  /// The code of the row picked.
  QString codigoEscolhido() const;

protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

private:
  /// Each column's width: at least `minimas` (pixels) and its widest text.
  QList<int> largurasDoConteudo(const QList<int>& minimas) const;
  void escolher();
  void filtrar(const QString& termo);

  ModeloRegistros* modelo_;
  QLineEdit* filtro_;
  QTreeView* lista_;
};
