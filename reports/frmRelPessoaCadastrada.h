#pragma once

#include "reports/TelaListagem.h"

class QRadioButton;
class uscSelecionaRegistro;

/// "Pessoas cadastradas": lists the people of a range of codes, short ("Sintético",
/// pessoasin.rpt) or full ("Analítico", pessoaana.rpt), ordered by code or by name.
class frmRelPessoaCadastrada : public TelaListagem {
  Q_OBJECT
public:
  explicit frmRelPessoaCadastrada(Contexto contexto, QWidget* parent = nullptr);

private:
  /// Sets a selector up to offer the people from `condicao` under `titulo`.
  void configurar(uscSelecionaRegistro* seletor, const QString& condicao, const QString& titulo);
  void uscPessoaInicial_Change();
  void uscPessoaFinal_GotFocus();
  void uscPessoaFinal_Validate(bool& cancelar);
  void uscPessoaFinal_Change();
  void btnVisualizar_Click();

  QRadioButton* optTipoDado_[2] = {};
  QRadioButton* optOrdenacao_[2] = {};
  uscSelecionaRegistro* uscPessoaInicial_ = nullptr;
  uscSelecionaRegistro* uscPessoaFinal_ = nullptr;
};
