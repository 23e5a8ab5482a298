#pragma once

#include "reports/TelaRelatorioAnual.h"

class QRadioButton;

/// "Declaração anual de pagamentos": for an issuer and a year, one page per payer (or for the
/// payer chosen) with every receipt dated in that year, the total in figures and in words, the
/// place, the date and the issuer's signature line, through the layout "declaracaoanual.rpt".
class frmRelDeclaracaoAnual : public TelaRelatorioAnual {
  Q_OBJECT
public:
  explicit frmRelDeclaracaoAnual(Contexto contexto, QWidget* parent = nullptr);

  /// Builds the statement of the choices and shows it (`btnVisualizar`).
  void Visualizar();

private:
  QRadioButton* optPagador_[2] = {};
  uscSelecionaRegistro* uscPagador_ = nullptr;
};
