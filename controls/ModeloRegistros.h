#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QSqlQuery;

/// The rows a record selector offers in its list: a code and a description each, shown on
/// one line, filtered by a text that may appear in either, ignoring case and accents.
class ModeloRegistros : public QAbstractTableModel {
  Q_OBJECT
public:
  explicit ModeloRegistros(QObject* parent = nullptr);

  /// Replaces the rows with those of `consulta` (already run): its first column is the code,
  /// its second the description. Every row is shown until `filtrar` is called.
  void carregar(QSqlQuery& consulta);

  /// Shows only the rows whose code or description holds `termo`; an empty term shows all.
  void filtrar(const QString& termo);

  void setCabecalhos(const QStringList& cabecalhos) { cabecalhos_ = cabecalhos; }

  /// The code of a shown row.
  QString codigo(int linha) const;
  /// The shown row holding `codigo`, or -1.
  int linhaDoCodigo(const QString& codigo) const;
  /// The shown rows whose text in `coluna` is widest by `largura`, at most `quantas`, widest first.
  std::vector<int> linhasMaisLargas(int coluna, std::size_t quantas,
                                    const std::function<int(const QString&)>& largura) const;

  int rowCount(const QModelIndex& pai = {}) const override;
  int columnCount(const QModelIndex& pai = {}) const override;
  QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
  QVariant headerData(int secao, Qt::Orientation orientacao, int papel = Qt::DisplayRole) const override;

private:
  struct Registro {
    QString codigo;
    QString descricao;    // on one line
    std::string dobrado;  // code and description folded, for the filter
  };

  const Registro& registro(int linha) const;

  std::vector<Registro> registros_;
  std::vector<int> visiveis_;  // indexes into registros_, in their order
  QStringList cabecalhos_;
};
