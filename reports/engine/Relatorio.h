#pragma once

#include "app/core/Resultado.h"
#include "reports/engine/AnalisadorFormula.h"
#include "reports/engine/BibliotecaVerbalor.h"
#include "reports/engine/CompiladorSelecao.h"
#include "reports/engine/DadosRelatorio.h"
#include "reports/engine/LayoutRelatorio.h"
#include "reports/engine/Paginacao.h"

#include <QDateTime>
#include <QHash>
#include <QPageLayout>
#include <QStringList>

#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class ValoresRelatorio;

/// One run of a report: a layout opened from its file, the caller's selection, sort fields,
/// formula texts, parameter values and hidden parts, then the rows read from the database,
/// paginated and drawn on any paged device (the preview, a printer, a PDF file).
///
/// Callers use it in this order: `Abrir`, `DescartarDadosSalvos`, then any of the settings,
/// then `Preparar` (the preview does it), then pages are drawn or exported.
class Relatorio {
public:
  Relatorio();
  ~Relatorio();
  Relatorio(const Relatorio&) = delete;
  Relatorio& operator=(const Relatorio&) = delete;

  /// Opens the layout file at `caminho` and checks every formula, field and object of it.
  [[nodiscard]] Resultado Abrir(const QString& caminho);
  /// Opens layout `nomeArquivo` of the application folder's "relatorio" folder.
  [[nodiscard]] Resultado AbrirModelo(const QString& nomeArquivo);

  /// Forgets rows read before: the next preparation reads the database as it is then.
  void DescartarDadosSalvos();

  /// Replaces the layout's selection formula (empty: every row). A formula that does not
  /// compile fails with its position, and the report then refuses to prepare: it is never
  /// shown unfiltered.
  [[nodiscard]] Resultado DefinirFormulaSelecao(const QString& formula);
  /// Appends field `posicao` of data table `tabela` (both from 1) to the sort, ascending.
  [[nodiscard]] Resultado AdicionarOrdem(int tabela, int posicao);
  /// Replaces the text of formula field `nome` (a formula, such as a quoted text).
  [[nodiscard]] Resultado DefinirFormula(const QString& nome, const QString& texto);
  /// Gives parameter `nome` its current value.
  [[nodiscard]] Resultado DefinirParametro(const QString& nome, const QVariant& valor);
  /// Hides section `secao` (from 1, in the layout's order).
  [[nodiscard]] Resultado SuprimirSecao(int secao);
  /// Hides object `objeto` (from 1) of section `secao` (from 1).
  [[nodiscard]] Resultado SuprimirObjeto(int secao, int objeto);

  /// The moment printed as the print date (now, unless set).
  void DefinirMomentoImpressao(const QDateTime& momento) { momento_ = momento; }

  /// Reads the rows from the program's connection and breaks them into pages.
  [[nodiscard]] Resultado Preparar();
  bool preparado() const { return valores_ != nullptr; }

  const QString& titulo() const { return layout_.titulo; }
  /// The layout's file name.
  const QString& arquivo() const { return layout_.arquivo; }
  /// The selection formula in force, as it was given.
  const QString& formulaSelecao() const { return textoSelecao_; }
  /// The sort fields in force, (table, position), in their order.
  const QList<QPoint>& ordem() const { return ordem_; }
  /// Warnings for the operator found while preparing (an amount in words that cannot be
  /// written); the rest of the report is shown all the same.
  const QStringList& avisos() const { return avisos_; }
  int quantosRegistros() const { return dados_.quantos(); }
  /// The rows read by the last preparation.
  const DadosRelatorio& dados() const { return dados_; }
  int quantasPaginas() const { return paginacao_.quantasPaginas(); }
  /// The page in layout units (1/720 inch).
  QSizeF tamanhoPagina() const { return layout_.tamanhoPagina(); }
  QPageLayout layoutPagina() const;

  /// Draws page `pagina` (from 0) with a painter in layout units.
  void desenharPagina(QPainter& pintor, int pagina) const;
  /// Draws pages `primeira` to `ultima` (from 0) on a paged device that starts on a blank page.
  [[nodiscard]] Resultado Imprimir(QPagedPaintDevice& dispositivo, int primeira, int ultima) const;
  /// Writes every page to a PDF file, replacing it only once the whole file is written.
  [[nodiscard]] Resultado ExportarPdf(const QString& caminho) const;

  /// The SELECT the report runs on the program's store (for diagnosis and tests).
  QString sql() const;

private:
  [[nodiscard]] Resultado verificarLayout();
  [[nodiscard]] Resultado verificarGrupos();
  [[nodiscard]] Resultado analisarFormula(int indice);
  void descartarPreparo();
  bool usaExtenso() const;

  LayoutRelatorio layout_;
  bool aberto_ = false;
  std::vector<FormulaAnalisada> formulas_;
  QList<SelecaoCompilada> ligacoes_;
  SelecaoCompilada selecao_;
  QString textoSelecao_;
  QString falhaSelecao_;
  QList<QPoint> ordem_;
  QHash<QString, QVariant> parametros_;
  QDateTime momento_;
  BibliotecaVerbalor verbalor_;
  DadosRelatorio dados_;
  Paginacao paginacao_;
  QStringList avisos_;
  std::unique_ptr<ValoresRelatorio> valores_;
};
