#include "reports/engine/LayoutRelatorio.h"

QSizeF LayoutRelatorio::tamanhoPagina() const {
  const QSizeF mm = papel.size(QPageSize::Millimeter);
  const QSizeF unidades(mm.width() * kUnidadesPorMm, mm.height() * kUnidadesPorMm);
  return paisagem ? unidades.transposed() : unidades;
}

int LayoutRelatorio::coluna(const QString& tabela, const QString& campo) const {
  int base = 0;
  for (const TabelaLayout& t : tabelas) {
    if (t.apelido.compare(tabela, Qt::CaseInsensitive) == 0) {
      for (int i = 0; i < t.campos.size(); ++i)
        if (t.campos.at(i).nome.compare(campo, Qt::CaseInsensitive) == 0)
          return base + i;
      return -1;
    }
    base += static_cast<int>(t.campos.size());
  }
  return -1;
}

const CampoLayout& LayoutRelatorio::campoDaColuna(int coluna) const {
  for (const TabelaLayout& t : tabelas) {
    if (coluna < t.campos.size())
      return t.campos.at(coluna);
    coluna -= static_cast<int>(t.campos.size());
  }
  Q_ASSERT_X(false, "LayoutRelatorio", "column out of range");
  return tabelas.first().campos.first();
}

QString LayoutRelatorio::sqlColuna(int coluna) const {
  for (const TabelaLayout& t : tabelas) {
    if (coluna < t.campos.size())
      return QStringLiteral("\"%1\".\"%2\"").arg(t.apelido, t.campos.at(coluna).nome);
    coluna -= static_cast<int>(t.campos.size());
  }
  return {};
}

int LayoutRelatorio::quantasColunas() const {
  int total = 0;
  for (const TabelaLayout& t : tabelas)
    total += static_cast<int>(t.campos.size());
  return total;
}

int LayoutRelatorio::indiceFormula(const QString& nome) const {
  for (int i = 0; i < formulas.size(); ++i)
    if (formulas.at(i).nome.compare(nome, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

int LayoutRelatorio::indiceParametro(const QString& nome) const {
  for (int i = 0; i < parametros.size(); ++i)
    if (parametros.at(i).nome.compare(nome, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

int LayoutRelatorio::tabelaPrincipal() const {
  for (int i = 0; i < tabelas.size(); ++i)
    if (tabelas.at(i).ligacao.trimmed().isEmpty())
      return i;
  return 0;
}
