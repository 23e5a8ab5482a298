#include "reports/engine/DadosRelatorio.h"

#include "app/core/Moeda.h"

#include <QDate>
#include <QSqlDriver>

#include <sqlite3.h>

namespace {

QVariant tipado(sqlite3_stmt* comando, int coluna, TipoDado tipo) {
  const bool nulo = sqlite3_column_type(comando, coluna) == SQLITE_NULL;
  const auto texto = [&]() {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(comando, coluna)),
                             sqlite3_column_bytes(comando, coluna));
  };
  if (nulo)
    return tipo == TipoDado::Texto ? QVariant(QString()) : QVariant();
  switch (tipo) {
  case TipoDado::Inteiro:
    return static_cast<qint64>(sqlite3_column_int64(comando, coluna));
  case TipoDado::Decimal:
    return sqlite3_column_double(comando, coluna);
  case TipoDado::Moeda:
    return QVariant::fromValue(Moeda::Quantia{sqlite3_column_int64(comando, coluna)});
  case TipoDado::Data:
    return QDate::fromString(texto().left(10), Qt::ISODate);
  case TipoDado::Logico:
    return sqlite3_column_int64(comando, coluna) != 0;
  case TipoDado::Texto:
    return texto();
  }
  return {};
}

int vincular(sqlite3_stmt* comando, int indice, const QVariant& valor) {
  switch (valor.typeId()) {
  case QMetaType::UnknownType:
    return sqlite3_bind_null(comando, indice);
  case QMetaType::Int:
  case QMetaType::LongLong:
  case QMetaType::Bool:
    return sqlite3_bind_int64(comando, indice, valor.toLongLong());
  case QMetaType::Double:
    return sqlite3_bind_double(comando, indice, valor.toDouble());
  default: {
    const QByteArray texto = valor.toString().toUtf8();
    return sqlite3_bind_text(comando, indice, texto.constData(), static_cast<int>(texto.size()), SQLITE_TRANSIENT);
  }
  }
}

QVariant valorVinculado(const VinculoSelecao& v, const QHash<QString, QVariant>& parametros) {
  QVariant valor = v.parametro.isEmpty() ? v.constante : parametros.value(v.parametro.toLower());
  if (valor.typeId() == QMetaType::QDate)
    return valor.toDate().toString(Qt::ISODate);
  if (v.escala == 1)
    return valor;
  if (valor.typeId() == QMetaType::Double)
    return valor.toDouble() * static_cast<double>(v.escala);
  return valor.toLongLong() * v.escala;
}

}  // namespace

QString DadosRelatorio::MontarSql(const LayoutRelatorio& layout, const QList<SelecaoCompilada>& ligacoes,
                                  const SelecaoCompilada& selecao, const QList<QPoint>& ordem) {
  QStringList colunas;
  for (int i = 0; i < layout.quantasColunas(); ++i)
    colunas.append(layout.sqlColuna(i));
  // The main table is the one without a link; the others are joined to it in their order, so
  // that a main row is listed even when a linked row is missing.
  const int principal = layout.tabelaPrincipal();
  const TabelaLayout& base = layout.tabelas.at(principal);
  QString sql = QStringLiteral("SELECT %1 FROM \"%2\" AS \"%3\"")
                    .arg(colunas.join(QStringLiteral(", ")), base.nome, base.apelido);
  for (int i = 0, ligacao = 0; i < layout.tabelas.size(); ++i) {
    if (i == principal)
      continue;
    const TabelaLayout& t = layout.tabelas.at(i);
    sql += QStringLiteral(" LEFT JOIN \"%1\" AS \"%2\" ON %3").arg(t.nome, t.apelido, ligacoes.value(ligacao++).sql);
  }
  if (!selecao.sql.isEmpty())
    sql += QStringLiteral(" WHERE ") + selecao.sql;
  QStringList chaves;
  for (const QPoint& campo : ordem) {
    int coluna = campo.y() - 1;
    for (int t = 0; t < campo.x() - 1; ++t)
      coluna += static_cast<int>(layout.tabelas.at(t).campos.size());
    const QString nome = layout.sqlColuna(coluna);
    if (layout.campoDaColuna(coluna).tipo == TipoDado::Texto)
      chaves.append(QStringLiteral("talonix_dobra(%1), %1").arg(nome));
    else
      chaves.append(nome);
  }
  // Rows equal in every sort field keep the order in which they were stored.
  chaves.append(QStringLiteral("\"%1\".rowid").arg(base.apelido));
  return sql + QStringLiteral(" ORDER BY ") + chaves.join(QStringLiteral(", "));
}

Resultado DadosRelatorio::ler(QSqlDatabase banco, const LayoutRelatorio& layout,
                              const QList<SelecaoCompilada>& ligacoes, const SelecaoCompilada& selecao,
                              const QList<QPoint>& ordem, const QHash<QString, QVariant>& parametros) {
  valores_.clear();
  colunas_ = static_cast<std::size_t>(layout.quantasColunas());
  // Straight through SQLite: a listing of 100,000 rows is read several times faster than
  // through QSqlQuery's values.
  const QVariant handle = banco.isOpen() ? banco.driver()->handle() : QVariant();
  if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
    return Resultado::falha(QStringLiteral("A conexão com o banco de dados não está aberta."), -1);
  sqlite3* sqlite = *static_cast<sqlite3* const*>(handle.constData());
  sqlite3_stmt* comando = nullptr;
  const QByteArray sql = MontarSql(layout, ligacoes, selecao, ordem).toUtf8();
  const auto falha = [&]() {
    const Resultado r = Resultado::falha(QString::fromUtf8(sqlite3_errmsg(sqlite)), sqlite3_errcode(sqlite));
    sqlite3_finalize(comando);
    return r;
  };
  if (sqlite3_prepare_v2(sqlite, sql.constData(), static_cast<int>(sql.size()), &comando, nullptr) != SQLITE_OK)
    return falha();
  int indice = 0;
  QList<VinculoSelecao> vinculos;
  for (const SelecaoCompilada& ligacao : ligacoes)
    vinculos += ligacao.vinculos;
  vinculos += selecao.vinculos;
  for (const VinculoSelecao& v : vinculos)
    if (vincular(comando, ++indice, valorVinculado(v, parametros)) != SQLITE_OK)
      return falha();
  std::vector<TipoDado> tipos;
  for (int i = 0; i < static_cast<int>(colunas_); ++i)
    tipos.push_back(layout.campoDaColuna(i).tipo);
  int passo = SQLITE_ROW;
  while ((passo = sqlite3_step(comando)) == SQLITE_ROW)
    for (std::size_t i = 0; i < colunas_; ++i)
      valores_.push_back(tipado(comando, static_cast<int>(i), tipos[i]));
  if (passo != SQLITE_DONE)
    return falha();
  sqlite3_finalize(comando);
  return Resultado::sucesso();
}
