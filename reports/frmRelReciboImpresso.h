#pragma once

#include "reports/TelaListagem.h"

class PainelFiltroRecibo;

/// The issued-receipts report: the receipt filter turned into the report's selection, the
/// order chosen, and the layout "reciboimpresso.rpt" shown in a new preview window.
class frmRelReciboImpresso : public TelaListagem {
  Q_OBJECT
public:
  explicit frmRelReciboImpresso(Contexto contexto, QWidget* parent = nullptr);

  /// Builds the report from the filter and shows it (`btnVisualizar`).
  void Visualizar();

private:
  PainelFiltroRecibo* painel_ = nullptr;
};
