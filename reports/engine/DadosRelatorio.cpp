#include "reports/engine/DadosRelatorio.h"

#include "app/core/Conexao.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QVariant tipado(const QVariant& bruto, TipoDado tipo) {
  switch (tipo) {
  case TipoDado::Inteiro:
    return bruto.isNull() ? QVariant() : QVariant(bruto.toLongLong());
  case TipoDado::Decimal:
    return bruto.isNull() ? QVariant() : QVariant(bruto.toDouble());
  case TipoDado::Moeda:
    return bruto.isNull() ? QVariant() : QVariant(static_cast<double>(bruto.toLongLong()) / 10000.0);
  case TipoDado::Data:
    return bruto.isNull() ? QVariant() : QVariant(QDate::fromString(bruto.toString().left(10), Qt::ISODate));
  case TipoDado::Logico:
    return bruto.isNull() ? QVariant() : QVariant(bruto.toLongLong() != 0);
  case TipoDado::Texto:
    return bruto.isNull() ? QString() : bruto.toString();
  }
  return bruto;
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
  QSqlQuery consulta(banco);
  consulta.setForwardOnly(true);
  if (!consulta.prepare(MontarSql(layout, ligacoes, selecao, ordem)))
    return Conexao::Falha(consulta.lastError());
  for (const SelecaoCompilada& ligacao : ligacoes)
    for (const VinculoSelecao& v : ligacao.vinculos)
      consulta.addBindValue(valorVinculado(v, parametros));
  for (const VinculoSelecao& v : selecao.vinculos)
    consulta.addBindValue(valorVinculado(v, parametros));
  if (!consulta.exec())
    return Conexao::Falha(consulta.lastError());
  std::vector<TipoDado> tipos;
  for (int i = 0; i < static_cast<int>(colunas_); ++i)
    tipos.push_back(layout.campoDaColuna(i).tipo);
  while (consulta.next())
    for (std::size_t i = 0; i < colunas_; ++i)
      valores_.push_back(tipado(consulta.value(static_cast<int>(i)), tipos[i]));
  return Resultado::sucesso();
}
