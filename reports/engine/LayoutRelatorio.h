#pragma once

#include <QColor>
#include <QList>
#include <QMarginsF>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>

/// Layout coordinates are in tenths of a point (1/720 inch): fonts get whole pixel sizes in
/// them and the same layout draws alike on the screen, a printer and a PDF file.
inline constexpr double kUnidadesPorPolegada = 720.0;
inline constexpr double kUnidadesPorMm = kUnidadesPorPolegada / 25.4;

/// What a data field or a parameter holds. Amounts (`Moeda`) are stored as whole
/// ten-thousandths and read as reais; dates are stored as yyyy-mm-dd text.
enum class TipoDado { Inteiro, Decimal, Moeda, Texto, Data, Logico };

struct CampoLayout {
  QString nome;
  TipoDado tipo = TipoDado::Texto;
};

/// A data table of the report. One table, the main one, has no link; each other one is joined
/// to it by `ligacao`, a formula such as {tbPessoaRecebi.Codigo} = {tbRecibo.Recebi}.
struct TabelaLayout {
  QString nome;
  QString apelido;  ///< the name formulas use; the table's own name when not given
  QString ligacao;
  QList<CampoLayout> campos;
};

struct FormulaLayout {
  QString nome;
  QString texto;
  int linhaArquivo = 0;  ///< the line of its text in the layout file (0: set by the caller)
};

struct ParametroLayout {
  QString nome;
  TipoDado tipo = TipoDado::Inteiro;
  QVariant valor;
};

enum class TipoSecao {
  CabecalhoRelatorio,
  CabecalhoPagina,
  CabecalhoGrupo,
  Detalhe,
  RodapeGrupo,
  RodapeRelatorio,
  RodapePagina
};
/// `Soma` is the total of a numeric field over every record of the report.
enum class TipoObjeto { Texto, Campo, Formula, Parametro, Especial, Linha, Caixa, Soma };
enum class Alinhamento { Esquerda, Centro, Direita };

struct EstiloTexto {
  QStringList familias;
  double tamanho = 9;  ///< points
  bool negrito = false;
  bool italico = false;
  QColor cor = Qt::black;
};

struct ObjetoLayout {
  TipoObjeto tipo = TipoObjeto::Texto;
  QRectF area;  ///< layout units, relative to the section's top left corner (inside the margins)
  /// The text of a text object; "tabela.campo" of a field or of a total; the name of a formula,
  /// parameter or special field.
  QString conteudo;
  EstiloTexto estilo;
  Alinhamento alinhamento = Alinhamento::Esquerda;
  bool quebrar = false;  ///< long text wraps and the section grows to hold it
  QString formato;
  bool suprimido = false;
  double espessura = 0;  ///< lines and box borders, layout units
  QColor cor = Qt::black;
  QColor fundo;  ///< boxes; invalid for none
  int linhaArquivo = 0;
  int coluna = -1;      ///< the column of a field or total object, found when the report is opened
  int nivelGrupo = -1;  ///< in a group section, the group's level: its totals add up that group only
};

struct SecaoLayout {
  TipoSecao tipo = TipoSecao::Detalhe;
  double altura = 0;  ///< layout units
  bool suprimida = false;
  QColor fundoAlternado;  ///< details: background of every second record; invalid for none
  /// Details: kept on the same page as the next detail section when a record taller than a
  /// page is broken between its sections.
  bool manterComSeguinte = false;
  /// Group headers and footers: the field "tabela.campo" whose change of value closes a group.
  QString grupo;
  /// Group headers: each group starts on a new page.
  bool novaPagina = false;
  /// Group headers and footers: the group's level, 0 the outermost (found when the report is opened).
  int nivel = -1;
  QList<ObjetoLayout> objetos;
};

/// A report layout as read from its file.
struct LayoutRelatorio {
  QString arquivo;
  QString titulo;
  QPageSize papel{QPageSize::A4};
  bool paisagem = false;
  QMarginsF margens;  ///< layout units
  EstiloTexto estilo;
  QList<TabelaLayout> tabelas;
  QList<FormulaLayout> formulas;
  QList<ParametroLayout> parametros;
  QString selecao;
  QList<QPoint> ordem;  ///< (table, field position), both from 1
  QList<SecaoLayout> secoes;
  /// The column of each group's field, outermost first (found when the report is opened).
  QList<int> colunasGrupo;

  /// Page size in layout units, turned for landscape.
  QSizeF tamanhoPagina() const;
  /// Width between the side margins.
  double larguraUtil() const { return tamanhoPagina().width() - margens.left() - margens.right(); }

  /// The column of {tabela.campo} among all fields of all tables, in their order; -1 when the
  /// layout has no such field. Names ignore case.
  int coluna(const QString& tabela, const QString& campo) const;
  /// The field behind a column.
  const CampoLayout& campoDaColuna(int coluna) const;
  /// The "apelido"."campo" SQL text of a column.
  QString sqlColuna(int coluna) const;
  int quantasColunas() const;

  /// The table the others are joined to: the one without a link.
  int tabelaPrincipal() const;

  int indiceFormula(const QString& nome) const;
  int indiceParametro(const QString& nome) const;
};
