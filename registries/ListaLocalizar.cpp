#include "registries/ListaLocalizar.h"

#include "app/core/Conexao.h"

#include <sqlite3.h>

namespace {

// A referente may span several lines; the list shows it on one, each line break a blank.
QString numaLinha(QString texto) {
  texto.replace(QLatin1String("\r\n"), QLatin1String(" "));
  texto.replace(QLatin1Char('\r'), QLatin1Char(' '));
  texto.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return texto;
}

Resultado falhaNativa(sqlite3* banco) {
  return Resultado::falha(QString::fromUtf8(sqlite3_errmsg(banco)), sqlite3_errcode(banco));
}

}  // namespace

ListaLocalizar::ListaLocalizar(Numeracao::Cadastro cadastro, QObject* parent)
    : QAbstractTableModel(parent), cadastro_(cadastro) {}

Resultado ListaLocalizar::Preencher(const QString& termo) {
  beginResetModel();
  codigos_.clear();
  inicios_.assign(1, 0);
  descricoes_.clear();
  Resultado resultado = Resultado::sucesso();
  sqlite3* banco = Conexao::Nativo(Conexao::Banco());
  sqlite3_stmt* consulta = nullptr;
  const char* sql =
      cadastro_ == Numeracao::Cadastro::Pessoa
          ? "SELECT Codigo, Descricao FROM tbPessoa WHERE talonix_contem(Descricao, ?) ORDER BY Codigo"
          : "SELECT Codigo, Descricao FROM tbReferente WHERE talonix_contem(Descricao, ?) ORDER BY Codigo";
  const QByteArray termoUtf8 = termo.toUtf8();
  if (banco == nullptr) {
    resultado = Resultado::falha(QStringLiteral("A conexão com o banco de dados não está aberta."), -1);
  } else if (sqlite3_prepare_v2(banco, sql, -1, &consulta, nullptr) == SQLITE_OK &&
             sqlite3_bind_text(consulta, 1, termoUtf8.constData(), static_cast<int>(termoUtf8.size()), SQLITE_STATIC) ==
                 SQLITE_OK) {
    int passo = SQLITE_ROW;
    while ((passo = sqlite3_step(consulta)) == SQLITE_ROW) {
      codigos_.push_back(sqlite3_column_int64(consulta, 0));
      const auto* texto = reinterpret_cast<const char*>(sqlite3_column_text(consulta, 1));
      if (texto != nullptr)
        descricoes_.append(texto, static_cast<std::size_t>(sqlite3_column_bytes(consulta, 1)));
      inicios_.push_back(descricoes_.size());
    }
    if (passo != SQLITE_DONE)
      resultado = falhaNativa(banco);
  } else {
    resultado = falhaNativa(banco);
  }
  sqlite3_finalize(consulta);
  if (!resultado) {
    codigos_.clear();
    inicios_.assign(1, 0);
    descricoes_.clear();
  }
  endResetModel();
  return resultado;
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
