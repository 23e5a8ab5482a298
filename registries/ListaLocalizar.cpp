#include "registries/ListaLocalizar.h"

#include "app/core/Conexao.h"
#include "app/core/CursorLinhas.h"

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
  codigos_.clear();
  inicios_.assign(1, 0);
  descricoes_.clear();
  CursorLinhas cursor(Conexao::Banco());
  const QString sql =
      cadastro_ == Numeracao::Cadastro::Pessoa
          ? QStringLiteral("SELECT Codigo, Descricao FROM tbPessoa WHERE talonix_contem(Descricao, ?) ORDER BY Codigo")
          : QStringLiteral(
                "SELECT Codigo, Descricao FROM tbReferente WHERE talonix_contem(Descricao, ?) ORDER BY Codigo");
  if (cursor.Preparar(sql) && cursor.Vincular(0, termo)) {
    while (cursor.Proxima()) {
      codigos_.push_back(cursor.Inteiro(0));
      descricoes_.append(cursor.Texto(1));
      inicios_.push_back(descricoes_.size());
    }
  }
  if (!cursor.resultado()) {
    codigos_.clear();
    inicios_.assign(1, 0);
    descricoes_.clear();
  }
  endResetModel();
  return cursor.resultado();
}

QString ListaLocalizar::Chave(int linha) const {
  return QString::number(codigos_.at(static_cast<std::size_t>(linha)));
}

QString ListaLocalizar::descricao(int linha) const {
  const auto i = static_cast<std::size_t>(linha);
  return QString::fromUtf8(descricoes_.data() + inicios_[i], static_cast<qsizetype>(inicios_[i + 1] - inicios_[i]));
}

int ListaLocalizar::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(codigos_.size());
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
  if (index.column() == ColunaDescricao)
    return cadastro_ == Numeracao::Cadastro::Referente ? numaLinha(descricao(index.row())) : descricao(index.row());
  return Chave(index.row());
}

QVariant ListaLocalizar::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return {};
  return section == ColunaDescricao ? QStringLiteral("Descrição") : QStringLiteral("Código");
}
