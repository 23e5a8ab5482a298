#pragma once

#include "reports/TelaListagem.h"

class QRadioButton;
class uscTextBox;

/// "Referentes cadastrados": lists the referentes of a range of codes, ordered by code or by
/// description, through the layout "referente.rpt".
class frmRelReferenteCadastrado : public TelaListagem {
  Q_OBJECT
public:
  explicit frmRelReferenteCadastrado(Contexto contexto, QWidget* parent = nullptr);

private:
  void txtCodigoInicial_Change();
  void txtCodigoInicial_Validate(bool& cancelar);
  void txtCodigoFinal_Change();
  void txtCodigoFinal_Validate(bool& cancelar);
  void btnVisualizar_Click();
  /// Refuses a code that does not fit the 32-bit codes the comparisons use.
  bool codigoCabe(uscTextBox* caixa, bool& cancelar);
  void recusar(const QString& texto, bool& cancelar);

  uscTextBox* txtCodigoInicial_ = nullptr;
  uscTextBox* txtCodigoFinal_ = nullptr;
  QRadioButton* optOrdenacao_[2] = {};
};
