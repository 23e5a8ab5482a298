#include "controls/ModeloRegistros.h"

#include "app/core/TextoDobrado.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <numeric>

ModeloRegistros::ModeloRegistros(QObject* parent)
    : QAbstractTableModel(parent), cabecalhos_{QStringLiteral("Código"), QStringLiteral("Descrição")} {}

void ModeloRegistros::carregar(QSqlQuery& consulta) {
  beginResetModel();
  registros_.clear();
  while (consulta.next()) {
    Registro registro;
    registro.codigo = consulta.value(0).toString();
    // A description of several lines is listed on one.
    registro.descricao = consulta.value(1).toString().simplified();
    TextoDobrado::dobrar((registro.codigo + u' ' + registro.descricao).toStdString(), registro.dobrado);
    registros_.push_back(std::move(registro));
  }
  visiveis_.resize(registros_.size());
  std::iota(visiveis_.begin(), visiveis_.end(), 0);
  endResetModel();
}

void ModeloRegistros::filtrar(const QString& termo) {
  std::string dobrado;
  TextoDobrado::dobrar(termo.toStdString(), dobrado);
  beginResetModel();
  visiveis_.clear();
  for (std::size_t i = 0; i < registros_.size(); ++i) {
    if (registros_[i].dobrado.find(dobrado) != std::string::npos)
      visiveis_.push_back(static_cast<int>(i));
  }
  endResetModel();
}

const ModeloRegistros::Registro& ModeloRegistros::registro(int linha) const {
  return registros_[static_cast<std::size_t>(visiveis_[static_cast<std::size_t>(linha)])];
}

QString ModeloRegistros::codigo(int linha) const {
  if (linha < 0 || linha >= rowCount())
    return {};
  return registro(linha).codigo;
}

std::vector<int> ModeloRegistros::linhasMaisLargas(int coluna, std::size_t quantas,
                                                   const std::function<int(const QString&)>& largura) const {
  std::vector<std::pair<int, int>> medidas;  // (width, row)
  medidas.reserve(visiveis_.size());
  for (int linha = 0; linha < rowCount(); ++linha) {
    const Registro& r = registro(linha);
    medidas.emplace_back(largura(coluna == 0 ? r.codigo : r.descricao), linha);
  }
  const auto fim = medidas.begin() + static_cast<std::ptrdiff_t>(std::min(quantas, medidas.size()));
  std::partial_sort(medidas.begin(), fim, medidas.end(), std::greater<>());
  std::vector<int> linhas;
  for (auto it = medidas.begin(); it != fim; ++it)
    linhas.push_back(it->second);
  return linhas;
}

int ModeloRegistros::linhaDoCodigo(const QString& codigo) const {
  for (int linha = 0; linha < rowCount(); ++linha) {
    if (this->codigo(linha) == codigo)
      return linha;
  }
  return -1;
}

int ModeloRegistros::rowCount(const QModelIndex& pai) const {
  return pai.isValid() ? 0 : static_cast<int>(visiveis_.size());
}

int ModeloRegistros::columnCount(const QModelIndex& pai) const {
  return pai.isValid() ? 0 : 2;
}

QVariant ModeloRegistros::data(const QModelIndex& indice, int papel) const {
  if (!checkIndex(indice, CheckIndexOption::IndexIsValid))
    return {};
  const Registro& registro = this->registro(indice.row());
  if (papel == Qt::DisplayRole)
    return indice.column() == 0 ? registro.codigo : registro.descricao;
  if (papel == Qt::TextAlignmentRole && indice.column() == 0)
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant ModeloRegistros::headerData(int secao, Qt::Orientation orientacao, int papel) const {
  if (orientacao == Qt::Horizontal && papel == Qt::DisplayRole && secao >= 0 && secao < cabecalhos_.size())
    return cabecalhos_.at(secao);
  return QAbstractTableModel::headerData(secao, orientacao, papel);
}
