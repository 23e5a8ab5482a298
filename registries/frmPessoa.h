#pragma once

#include "registries/TelaCadastro.h"

#include <QList>

class CaixaEdicao;
class QLabel;
class QRadioButton;
class uscMaskBox;

/// The register of people who pay or issue receipts (`tbPessoa`): name, natural person (CPF and
/// RG) or legal entity (CNPJ and state registration), address and contacts. The CPF or CNPJ is
/// checked when the focus leaves it.
class frmPessoa : public TelaCadastro {
  Q_OBJECT
public:
  explicit frmPessoa(Contexto contexto, QWidget* parent = nullptr);

protected:
  void habilitarCampos(bool habilitar) override;
  void limparCampos() override;
  void carregarCampos(const QSqlRecord& registro) override;
  bool conferirCampos() override;
  QList<TabelaCadastro::Coluna> colunasGravadas() const override;
  void focarPrimeiroCampo() override;

private:
  /// A box of the screen and the column of `tbPessoa` it shows.
  struct CampoTexto {
    CaixaEdicao* caixa;
    QString coluna;
  };

  bool juridica() const;
  /// Selects "Física" (0) or "Jurídica" (1) and applies it, also when it was selected already.
  void selecionarTipo(int tipo);
  /// The document fields follow the kind of person: the labels, and the length and characters
  /// of the first document, which is emptied.
  void aplicarTipo();
  void aoValidarDocumento(bool& cancelar);

  uscTextBox* txtNome_;
  QRadioButton* optTipoPessoa_[2];
  uscTextBox* txtDoc1_;
  uscMaskBox* txtCep_;
  QLabel* lblDoc1_;
  QLabel* lblDoc2_;
  /// The boxes after the kind of person, in the order their columns are loaded and written.
  QList<CampoTexto> campos_;
};
