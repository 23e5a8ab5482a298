#pragma once

#include "app/core/Contexto.h"
#include "receipts/FiltroRecibo.h"

#include <QWidget>

class QDateEdit;
class QGroupBox;
class QRadioButton;
class uscSelecionaRegistro;
class uscTextBox;

/// The receipt filter as the operator sets it, shared by the receipt search and the
/// issued-receipts report: the period of the date of issue with its presets, the filter type
/// (number range, payer or issuer) with the frame each one enables, and the order. The number
/// range proposes its defaults, fills a box the operator empties and refuses a range that does
/// not hold together when the focus leaves a box.
class PainelFiltroRecibo : public QWidget {
  Q_OBJECT
public:
  explicit PainelFiltroRecibo(Contexto contexto, QWidget* parent = nullptr);

  /// What the controls hold now.
  FiltroRecibo filtro() const;

  /// The checks made before a search or a report: a refusal is shown, the focus goes to the
  /// box at fault, and false comes back.
  bool conferir();

private:
  void tipoDataClicado(int indice);
  void aplicarTipoFiltro();
  void caixaAlterada(uscTextBox* caixa);
  void validarCaixa(FiltroRecibo::Campo campo, bool& cancelar);
  void mostrar(const FiltroRecibo::Recusa& recusa);
  QWidget* controleDo(FiltroRecibo::Campo campo) const;
  QString anoAtual() const;
  QString maiorNumero(const QString& ano) const;

  uscTextBox* criarCaixa(const char* nome, int tamanhoMaximo, FiltroRecibo::Campo campo);
  uscSelecionaRegistro* criarSeletor(const char* nome, const QString& titulo, QWidget* pai);

  Contexto contexto_;
  QRadioButton* optTipoData_[5] = {};
  QDateEdit* dtpInicial_ = nullptr;
  QDateEdit* dtpFinal_ = nullptr;
  QRadioButton* optTipoFiltro_[4] = {};
  QGroupBox* fraFiltroCodigoEmpenho_ = nullptr;
  QGroupBox* fraPrestador_ = nullptr;
  QGroupBox* fraEmitente_ = nullptr;
  uscTextBox* txtCodigoEmpenhoInicial_ = nullptr;
  uscTextBox* txtAnoEmpenhoInicial_ = nullptr;
  uscTextBox* txtCodigoEmpenhoFinal_ = nullptr;
  uscTextBox* txtAnoEmpenhoFinal_ = nullptr;
  uscSelecionaRegistro* uscRecebi_ = nullptr;
  uscSelecionaRegistro* uscEmitente_ = nullptr;
  QRadioButton* optOrdenarPor_[3] = {};
  bool aplicandoTipo_ = false;
};
