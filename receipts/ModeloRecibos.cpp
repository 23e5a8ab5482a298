#include "receipts/ModeloRecibos.h"

#include "app/core/Conexao.h"
#include "app/core/CursorLinhas.h"
#include "app/core/Dialeto.h"
#include "app/core/Moeda.h"
#include "receipts/FiltroRecibo.h"

namespace {

// The store keeps dates as yyyy-mm-dd text; the list keeps them as the number yyyymmdd.
qint32 lerData(std::string_view texto) {
  if (texto.size() != 10)
    return 0;
  qint32 numero = 0;
  for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
    numero = numero * 10 + (texto[i] - '0');
  return numero;
}

QString formatarData(qint32 aaaammdd) {
  if (aaaammdd == 0)
    return {};
  return QStringLiteral("%1/%2/%3")
      .arg(aaaammdd % 100, 2, 10, QLatin1Char('0'))
      .arg(aaaammdd / 100 % 100, 2, 10, QLatin1Char('0'))
      .arg(aaaammdd / 10000, 4, 10, QLatin1Char('0'));
}

QVariant alinhamento(int coluna) {
  switch (coluna) {
  case ModeloRecibos::ColRecibo:
  case ModeloRecibos::ColValor:
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  case ModeloRecibos::ColAno:
  case ModeloRecibos::ColEmissao:
    return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignVCenter);
  default:
    return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  }
}

}  // namespace

ModeloRecibos::ModeloRecibos(QObject* parent) : QAbstractTableModel(parent) {}

QString ModeloRecibos::TextoConsulta(const FiltroRecibo& filtro) {
  const QString f = filtro.TextoFiltro();
  const QString w = f.trimmed().isEmpty() ? QString() : QStringLiteral("WHERE ") + Dialeto::ConverterDatas(f);
  QString o = QStringLiteral("tbRecibo.Ano, tbRecibo.Codigo");
  if (filtro.ordem == FiltroRecibo::OrdemDataEmissao)
    o += QStringLiteral(", tbRecibo.DataEmissao");
  else if (filtro.ordem == FiltroRecibo::OrdemValor)
    o += QStringLiteral(", tbRecibo.Valor");
  // Joined from the receipt outwards: every receipt is kept, a missing person gives a Null
  // name, and SQLite plans it from the indexes of tbRecibo.
  return QStringLiteral(
             "SELECT tbRecibo.Codigo, tbRecibo.Ano, tbRecibo.DataEmissao, tbRecibo.Valor, "
             "tbPessoaRecebi.Descricao AS Recebi, tbPessoaEmitente.Descricao AS Emitente "
             "FROM tbRecibo LEFT JOIN tbPessoa AS tbPessoaRecebi ON tbPessoaRecebi.Codigo = tbRecibo.Recebi "
             "LEFT JOIN tbPessoa AS tbPessoaEmitente ON tbPessoaEmitente.Codigo = tbRecibo.Emitente ") +
         w + QStringLiteral(" ORDER BY ") + o;
}

Resultado ModeloRecibos::carregar(const QString& sql) {
  beginResetModel();
  linhas_.clear();
  nomes_.clear();
  CursorLinhas cursor(Conexao::Banco());
  const auto guardarNome = [this, &cursor](int coluna, quint32& inicio, quint32& tamanho) {
    const std::string_view nome = cursor.Texto(coluna);
    inicio = static_cast<quint32>(nomes_.size());
    tamanho = static_cast<quint32>(nome.size());
    nomes_.append(nome);
  };
  if (cursor.Preparar(sql)) {
    while (cursor.Proxima()) {
      Linha& l = linhas_.emplace_back();
      l.codigo = static_cast<qint32>(cursor.Inteiro(0));
      l.ano = static_cast<qint16>(cursor.Inteiro(1));
      l.emissao = lerData(cursor.Texto(2));
      l.valor = cursor.Inteiro(3);
      guardarNome(4, l.inicioRecebi, l.tamanhoRecebi);
      guardarNome(5, l.inicioEmitente, l.tamanhoEmitente);
    }
  }
  if (!cursor.resultado()) {
    linhas_.clear();
    nomes_.clear();
  }
  endResetModel();
  return cursor.resultado();
}

QString ModeloRecibos::nome(quint32 inicio, quint32 tamanho) const {
  return QString::fromUtf8(nomes_.data() + inicio, static_cast<qsizetype>(tamanho));
}

int ModeloRecibos::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(linhas_.size());
}

int ModeloRecibos::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : NumColunas;
}

QVariant ModeloRecibos::data(const QModelIndex& indice, int papel) const {
  if (!checkIndex(indice, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
    return {};
  if (papel == Qt::TextAlignmentRole)
    return alinhamento(indice.column());
  if (papel != Qt::DisplayRole)
    return {};
  const Linha& l = linha(indice.row());
  switch (indice.column()) {
  case ColChave:
  case ColRecibo:
    return QString::number(l.codigo);
  case ColAno:
    return QString::number(l.ano);
  case ColEmissao:
    return formatarData(l.emissao);
  case ColValor:
    return Moeda::Formatar(l.valor);
  case ColRecebi:
    return nome(l.inicioRecebi, l.tamanhoRecebi);
  case ColEmitente:
    return nome(l.inicioEmitente, l.tamanhoEmitente);
  default:
    return {};
  }
}

QVariant ModeloRecibos::headerData(int secao, Qt::Orientation orientacao, int papel) const {
  if (orientacao != Qt::Horizontal || secao < 0 || secao >= NumColunas)
    return {};
  if (papel == Qt::TextAlignmentRole)
    return alinhamento(secao);
  if (papel != Qt::DisplayRole)
    return {};
  static const char* const titulos[] = {"Recibo", "Recibo", "Ano", "Emissão", "Valor", "Recebi de", "Emitente"};
  return QString::fromUtf8(titulos[secao]);
}
