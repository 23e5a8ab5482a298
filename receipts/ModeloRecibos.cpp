#include "receipts/ModeloRecibos.h"

#include "app/core/Conexao.h"
#include "app/core/Moeda.h"
#include "receipts/DialetoSqlite.h"
#include "receipts/FiltroRecibo.h"

#include <sqlite3.h>

namespace {

// The store keeps dates as yyyy-mm-dd text; the list keeps them as the number yyyymmdd.
qint32 lerData(const unsigned char* texto, int tamanho) {
  if (texto == nullptr || tamanho != 10)
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
  nomes_.clear();
  Resultado resultado;
  sqlite3* banco = Conexao::Nativo(Conexao::Banco());
  sqlite3_stmt* comando = nullptr;
  const QByteArray texto = sql.toUtf8();
  if (banco == nullptr) {
    resultado = Resultado::falha(QStringLiteral("A conexão com o banco de dados não está aberta."), -1);
  } else if (sqlite3_prepare_v2(banco, texto.constData(), static_cast<int>(texto.size()), &comando, nullptr) !=
             SQLITE_OK) {
    resultado = Resultado::falha(QString::fromUtf8(sqlite3_errmsg(banco)), sqlite3_errcode(banco));
  } else {
    const auto guardarNome = [this](sqlite3_stmt* c, int coluna, quint32& inicio, quint32& tamanho) {
      const auto* nome = reinterpret_cast<const char*>(sqlite3_column_text(c, coluna));
      inicio = static_cast<quint32>(nomes_.size());
      tamanho = static_cast<quint32>(sqlite3_column_bytes(c, coluna));
      if (nome != nullptr)
        nomes_.append(nome, tamanho);
    };
    int passo = SQLITE_ROW;
    while ((passo = sqlite3_step(comando)) == SQLITE_ROW) {
      Linha& l = linhas_.emplace_back();
      l.codigo = sqlite3_column_int(comando, 0);
      l.ano = static_cast<qint16>(sqlite3_column_int(comando, 1));
      l.emissao = lerData(sqlite3_column_text(comando, 2), sqlite3_column_bytes(comando, 2));
      l.valor = sqlite3_column_int64(comando, 3);
      guardarNome(comando, 4, l.inicioRecebi, l.tamanhoRecebi);
      guardarNome(comando, 5, l.inicioEmitente, l.tamanhoEmitente);
    }
    if (passo != SQLITE_DONE) {
      resultado = Resultado::falha(QString::fromUtf8(sqlite3_errmsg(banco)), sqlite3_errcode(banco));
      linhas_.clear();
      nomes_.clear();
    }
  }
  sqlite3_finalize(comando);
  endResetModel();
  return resultado;
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
