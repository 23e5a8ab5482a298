#pragma once

#include "app/core/Contexto.h"

#include <QWidget>

#include <memory>

class Relatorio;
class VisualizadorRelatorio;

/// The window in which every report is shown before printing: the viewer `prvRelatorio`
/// filling it, the caller's caption. It closes as a window does: its close box, the viewer's
/// "Fechar", Esc and Ctrl+F4. A new window for each run, so several may be open; closing one
/// releases its report.
class frmPreviewRelatorio : public QWidget {
  Q_OBJECT
public:
  explicit frmPreviewRelatorio(Contexto contexto, QWidget* parent = nullptr);

  VisualizadorRelatorio* prvRelatorio() const { return prvRelatorio_; }

  /// Shows `relatorio` the way every caller does: a new window inside the main window of
  /// `chamador` (or on its own when there is none), the report set and viewed, maximized,
  /// zoomed, captioned and shown modeless. `nomePdf` is the name proposed when the report is
  /// exported to PDF. A report that cannot be read shows a message and no window; returns the
  /// window or null.
  static frmPreviewRelatorio* Mostrar(QWidget* chamador, Contexto contexto, std::shared_ptr<Relatorio> relatorio,
                                      int zoom, const QString& titulo, const QString& nomePdf);

  /// Closes the window (inside the main window, its sub-window).
  void Fechar();

protected:
  bool event(QEvent* evento) override;

private:
  VisualizadorRelatorio* prvRelatorio_ = nullptr;
};
