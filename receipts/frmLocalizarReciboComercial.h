#pragma once

#include "app/core/Contexto.h"
#include "controls/TelaModal.h"

class lvButtons;
class ModeloRecibos;
class PainelFiltroRecibo;
class QLabel;
class QTreeView;

/// The modal dialog in which the receipt screen finds an issued receipt: the receipt filter,
/// the search, the list of the receipts found and OK or Cancel. It only reads; it hides itself
/// on OK and on Cancel, and the caller reads `Cancelado` and the chosen number and year.
class frmLocalizarReciboComercial : public TelaModal {
  Q_OBJECT
public:
  explicit frmLocalizarReciboComercial(Contexto contexto, QWidget* parent = nullptr);

  /// Whether the operator left without choosing.
  bool Cancelado() const { return cancelado_; }
  /// The number of the receipt chosen (the selected row); 0 with no selected row.
  qint32 NumeroSelecionado() const;
  /// The year of the receipt chosen (the selected row); 0 with no selected row.
  qint16 AnoSelecionado() const;

  /// Runs the search (`btnSelecionaRegistrps`).
  void SelecionarRegistros();

  void reject() override;

protected:
  void closeEvent(QCloseEvent* evento) override;

private:
  void confirmar();
  int linhaSelecionada() const;

  Contexto contexto_;
  bool cancelado_ = false;
  PainelFiltroRecibo* painel_ = nullptr;
  ModeloRecibos* modelo_ = nullptr;
  QTreeView* lsvRecibo_ = nullptr;
  QLabel* lblRegistros_ = nullptr;
  lvButtons* btnSelecionaRegistrps_ = nullptr;
  lvButtons* btnOK_ = nullptr;
  lvButtons* btnCancelar_ = nullptr;
};
