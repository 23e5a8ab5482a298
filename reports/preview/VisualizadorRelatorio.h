#pragma once

#include "app/core/Contexto.h"
#include "app/core/Resultado.h"

#include <QWidget>

#include <memory>

class PaginaRelatorio;
class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolButton;
class Relatorio;

/// The report viewer: one page at a time, drawn when it is shown, with first/previous/next/
/// last page, a page number box, zoom as a percentage (in, out, page width, whole page), print
/// through the system's print dialog, export to PDF and a button that closes its window.
class VisualizadorRelatorio : public QWidget {
  Q_OBJECT
public:
  explicit VisualizadorRelatorio(Contexto contexto, QWidget* parent = nullptr);
  ~VisualizadorRelatorio() override;

  /// The report to show; the viewer keeps it alive.
  void DefinirRelatorio(std::shared_ptr<Relatorio> relatorio);
  /// Prepares the report (reads its rows, makes its pages) and shows the first page.
  [[nodiscard]] Resultado VerRelatorio();
  /// The name (without folder or extension) proposed when the report is exported to PDF.
  void DefinirNomePdf(const QString& nome) { nomePdf_ = nome; }
  const QString& nomePdf() const { return nomePdf_; }
  /// Sets the zoom as a percentage of the real size.
  void Zoom(int percentual);

  int paginaAtual() const { return pagina_; }  ///< from 1
  int quantasPaginas() const;
  int zoom() const { return zoom_; }
  const Relatorio* relatorio() const { return relatorio_.get(); }

  void PrimeiraPagina();
  void PaginaAnterior();
  void ProximaPagina();
  void UltimaPagina();
  /// Shows page `pagina` (from 1), kept inside the report's pages.
  void IrParaPagina(int pagina);
  void AumentarZoom();
  void DiminuirZoom();
  /// Zooms so that the page's width fills the view.
  void AjustarLargura();
  /// Zooms so that the whole page fits the view.
  void AjustarPagina();

  /// Asks the system's print dialog for a printer and pages, then prints.
  void Imprimir();
  /// Prints every page on `impressora` without a dialog.
  [[nodiscard]] Resultado ImprimirEm(QPrinter& impressora);
  /// Asks for a file name and writes the report there as PDF.
  void ExportarPdf();

signals:
  /// A page has just been drawn on the screen.
  void paginaMostrada(int pagina);
  /// The operator pressed "Fechar": the window holding the viewer closes.
  void fecharPedido();

protected:
  void keyPressEvent(QKeyEvent* evento) override;
  void resizeEvent(QResizeEvent* evento) override;

private:
  enum class Ajuste { Nenhum, Largura, Pagina };
  void criarBarra();
  void atualizar();
  void aplicarZoomDigitado();
  double escala() const;
  QToolButton* botao(const char* nome, const QString& dica, const QIcon& icone, void (VisualizadorRelatorio::*acao)());

  Contexto contexto_;
  std::shared_ptr<Relatorio> relatorio_;
  QString nomePdf_;
  int pagina_ = 1;
  int zoom_ = 100;
  Ajuste ajuste_ = Ajuste::Nenhum;
  QWidget* barra_ = nullptr;
  QSpinBox* txtPagina_ = nullptr;
  QLabel* lblTotal_ = nullptr;
  QComboBox* cboZoom_ = nullptr;
  QLabel* lblAviso_ = nullptr;
  QScrollArea* rolagem_ = nullptr;
  PaginaRelatorio* folha_ = nullptr;
};
