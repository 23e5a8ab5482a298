#pragma once

#include "controls/TelaFilha.h"

class lvButtons;
class PainelFiltroRecibo;

/// The issued-receipts report: the receipt filter turned into the report's selection, the
/// order chosen, and the layout "reciboimpresso.rpt" shown in a new preview window.
class frmRelReciboImpresso : public TelaFilha {
  Q_OBJECT
public:
  explicit frmRelReciboImpresso(Contexto contexto, QWidget* parent = nullptr);

  /// Builds the report from the filter and shows it (`btnVisualizar`).
  void Visualizar();

protected:
  bool teclaPrevia(QKeyEvent* evento) override;

private:
  PainelFiltroRecibo* painel_ = nullptr;
  lvButtons* btnVisualizar_ = nullptr;
  lvButtons* btnCancelar_ = nullptr;
};
