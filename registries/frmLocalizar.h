#pragma once

#include "app/core/Contexto.h"
#include "app/core/Numeracao.h"
#include "controls/TelaModal.h"

class ListaLocalizar;
class QLineEdit;
class QTreeView;
class lvButtons;

/// The lookup dialogs `frmLocalizarPessoa` and `frmLocalizarReferente`: the operator types part
/// of a description and picks a row. The caller shows it modally, reads `Cancelado` and, when it
/// is false, `CodigoSelecionado`, then destroys it.
class frmLocalizar : public TelaModal {
  Q_OBJECT
public:
  frmLocalizar(Numeracao::Cadastro cadastro, Contexto contexto, QWidget* parent = nullptr);

  /// True after Cancelar or Esc, false after OK (and before either).
  bool Cancelado() const { return cancelado_; }
  /// The code of the selected row as text; empty when no row is selected.
  QString CodigoSelecionado() const;

  void accept() override;
  void reject() override;

protected:
  void showEvent(QShowEvent* evento) override;
  void changeEvent(QEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;
  bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
  void PreencherLista();
  /// Selects the row `passo` rows away from the selected one, when there is one.
  void moverSelecao(int passo);

  Contexto contexto_;
  bool cancelado_ = false;
  bool falhaRelatada_ = false;
  ListaLocalizar* lista_;
  QLineEdit* txtDescricao_;
  QTreeView* lsvLocalizar_;
  lvButtons* cmbOK_;
  lvButtons* cmbFechar_;
};
