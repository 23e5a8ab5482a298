#include "reports/engine/DadosRelatorio.h"

#include "app/core/CursorLinhas.h"
#include "app/core/Moeda.h"

#include <QDate>

namespace {

QVariant tipado(CursorLinhas& cursor, int coluna, TipoDado tipo) {
  if (cursor.Nulo(coluna))
    return tipo == TipoDado::Texto ? QVariant(QString()) : QVariant();
  const auto texto = [&]() {
    const std::string_view t = cursor.Texto(coluna);
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
  };
  switch (tipo) {
  case TipoDado::Inteiro:
    return cursor.Inteiro(coluna);
  case TipoDado::Decimal:
    return cursor.Decimal(coluna);
  case TipoDado::Moeda:
    return QVariant::fromValue(Moeda::Quantia{cursor.Inteiro(coluna)});
  case TipoDado::Data:
    return QDate::fromString(texto().left(10), Qt::ISODate);
  case TipoDado::Logico:
    return cursor.Inteiro(coluna) != 0;
  case TipoDado::Texto:
    return texto();
  }
  return {};
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
                                  const SelecaoCompilada& selecao, const QList<QPoint>& ordem, Dialeto::Tipo dialeto) {
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
      chaves.append(QStringLiteral("talonix_dobra(%1)%2, %1%2").arg(nome, Dialeto::NulosPrimeiro(dialeto)));
    else
      chaves.append(nome + Dialeto::NulosPrimeiro(dialeto));
  }
  // Rows equal in every sort field keep the order in which they were stored.
  chaves.append(Dialeto::OrdemGravacao(dialeto, base.nome, base.apelido));
  return sql + QStringLiteral(" ORDER BY ") + chaves.join(QStringLiteral(", "));
}

Resultado DadosRelatorio::ler(QSqlDatabase banco, const LayoutRelatorio& layout,
                              const QList<SelecaoCompilada>& ligacoes, const SelecaoCompilada& selecao,
                              const QList<QPoint>& ordem, const QHash<QString, QVariant>& parametros) {
  valores_.clear();
  colunas_ = static_cast<std::size_t>(layout.quantasColunas());
  CursorLinhas cursor(banco);
  if (!cursor.Preparar(MontarSql(layout, ligacoes, selecao, ordem, Dialeto::De(banco))))
    return cursor.resultado();
  int indice = 0;
  QList<VinculoSelecao> vinculos;
  for (const SelecaoCompilada& ligacao : ligacoes)
    vinculos += ligacao.vinculos;
  vinculos += selecao.vinculos;
  for (const VinculoSelecao& v : vinculos)
    if (!cursor.Vincular(indice++, valorVinculado(v, parametros)))
      return cursor.resultado();
  std::vector<TipoDado> tipos;
  for (int i = 0; i < static_cast<int>(colunas_); ++i)
    tipos.push_back(layout.campoDaColuna(i).tipo);
  while (cursor.Proxima())
    for (std::size_t i = 0; i < colunas_; ++i)
      valores_.push_back(tipado(cursor, static_cast<int>(i), tipos[i]));
  if (!cursor.resultado())
    valores_.clear();
  return cursor.resultado();
}
