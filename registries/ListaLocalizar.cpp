#include "registries/ListaLocalizar.h"

#include "app/core/Conexao.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// A referente may span several lines; the list shows it on one, each line break a blank.
QString numaLinha(QString texto) {
  texto.replace(QLatin1String("\r\n"), QLatin1String(" "));
  texto.replace(QLatin1Char('\r'), QLatin1Char(' '));
  texto.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return texto;
}

}  // namespace

ListaLocalizar::ListaLocalizar(Numeracao::Cadastro cadastro, QObject* parent)
    : QAbstractTableModel(parent), cadastro_(cadastro) {}

Resultado ListaLocalizar::Preencher(const QString& termo) {
  beginResetModel();
  linhas_.clear();
  QSqlQuery consulta(Conexao::Banco());
  consulta.setForwardOnly(true);
  const bool preparada = consulta.prepare(
      cadastro_ == Numeracao::Cadastro::Pessoa
          ? QStringLiteral("SELECT Codigo, Descricao FROM tbPessoa WHERE talonix_contem(Descricao, ?) ORDER BY Codigo")
          : QStringLiteral(
                "SELECT Codigo, Descricao FROM tbReferente WHERE talonix_contem(Descricao, ?) ORDER BY Codigo"));
  // A null text would be a null parameter and match nothing; the empty search lists every row.
  consulta.addBindValue(termo.isNull() ? QStringLiteral("") : termo);
  Resultado resultado = Resultado::sucesso();
  if (preparada && consulta.exec()) {
    while (consulta.next())
      linhas_.push_back({consulta.value(0).toLongLong(), consulta.value(1).toString()});
  }
  if (consulta.lastError().isValid())
    resultado = Conexao::Falha(consulta.lastError());
  if (!resultado)
    linhas_.clear();
  endResetModel();
  return resultado;
}

QString ListaLocalizar::Chave(int linha) const {
  return QString::number(linhas_.at(static_cast<std::size_t>(linha)).codigo);
}

int ListaLocalizar::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(linhas_.size());
}

int ListaLocalizar::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : NumeroColunas;
}

QVariant ListaLocalizar::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid))
    return {};
  if (role == Qt::TextAlignmentRole)
    return index.column() == ColunaCodigo ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                          : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  if (role != Qt::DisplayRole)
    return {};
  const Linha& linha = linhas_.at(static_cast<std::size_t>(index.row()));
  if (index.column() == ColunaDescricao)
    return cadastro_ == Numeracao::Cadastro::Referente ? numaLinha(linha.descricao) : linha.descricao;
  return QString::number(linha.codigo);
}

QVariant ListaLocalizar::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return {};
  return section == ColunaDescricao ? QStringLiteral("Descrição") : QStringLiteral("Código");
}
