#include "receipts/ModeloRecibos.h"

#include "app/core/Conexao.h"
#include "receipts/DialetoSqlite.h"
#include "receipts/FiltroRecibo.h"

#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// The store keeps dates as yyyy-mm-dd text.
QDate lerData(const QString& texto) {
  if (texto.size() != 10)
    return {};
  const auto parte = [&texto](int inicio, int tamanho) { return QStringView(texto).mid(inicio, tamanho).toInt(); };
  return QDate(parte(0, 4), parte(5, 2), parte(8, 2));
}

QString formatarValor(qint64 decimosMilesimos) {
  static const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
  return brasil.toString(static_cast<double>(decimosMilesimos) / 10000.0, 'f', 2);
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
  const QString w = f.trimmed().isEmpty() ? QString() : QStringLiteral("WHERE ") + DialetoSqlite::Converter(f);
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
  QSqlQuery consulta(Conexao::Banco());
  consulta.setForwardOnly(true);
  Resultado resultado;
  if (consulta.exec(sql)) {
    while (consulta.next()) {
      linhas_.push_back({static_cast<qint32>(consulta.value(0).toInt()), static_cast<qint16>(consulta.value(1).toInt()),
                         lerData(consulta.value(2).toString()), consulta.value(3).toLongLong(),
                         consulta.value(4).toString(), consulta.value(5).toString()});
    }
  }
  if (consulta.lastError().isValid()) {
    resultado = Conexao::Falha(consulta.lastError());
    linhas_.clear();
  }
  endResetModel();
  return resultado;
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
    return l.emissao.toString(QStringLiteral("dd/MM/yyyy"));
  case ColValor:
    return formatarValor(l.valor);
  case ColRecebi:
    return l.recebi;
  case ColEmitente:
    return l.emitente;
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
