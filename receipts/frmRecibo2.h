#pragma once

#include "controls/TelaFilha.h"
#include "receipts/Recibo.h"
#include "receipts/RegrasRecibo.h"

#include <QtGlobal>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class TextoLongo;
class lvButtons;
class uscDateBox;
class uscSelecionaRegistro;
class uscTextBox;
class uscTextValue;

/// The receipt screen: issues, corrects, reprints and deletes receipts. It always holds one
/// receipt, either a new one being filled in (its number proposed, editable) or a stored one
/// that was loaded (number locked, "EDITANDO RECIBO SELECIONADO" shown).
class frmRecibo2 : public TelaFilha {
  Q_OBJECT
public:
  explicit frmRecibo2(Contexto contexto, QWidget* parent = nullptr);

  /// Whether a stored receipt is loaded.
  bool editando() const;

signals:
  /// F3 in a person selector: the person registry screen is wanted.
  void pedirTelaPessoa();
  /// F3 in the referente code box: the referente registry screen is wanted.
  void pedirTelaReferente();

protected:
  bool teclaPrevia(QKeyEvent* evento) override;
  bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
  void montarTela();
  void ligarEventos();
  void LerPreferencias();
  void GravarPreferencias();

  void NovoRecibo();
  void LimparCampos();
  void ProximoNumero();
  bool CarregarRecibo(qint64 numero, int ano);
  /// The receipt as the screen shows it, number and year included.
  Recibo reciboDaTela() const;
  /// Shows the fields of `recibo` other than its number and year.
  void mostrarCampos(const Recibo& recibo);
  void MostrarEstado(bool editando);
  void MostrarPessoa(bool emitente);

  bool ValidarRecibo();
  bool recusar(const QString& mensagem, QWidget* campo, const QString& titulo = QStringLiteral("Recibo"));
  bool VerificarAnoEmissao();
  /// The control of `campo`, where a refusal puts the focus.
  QWidget* campo(RegrasRecibo::Campo campo) const;
  void Gravar();
  void ImprimirRecibo(const QString& numero, int ano, int vias);
  /// A new receipt holding what the loaded one shows, dated today under the next number.
  void DuplicarRecibo();
  /// Prints the loaded receipt, unless the screen holds changes not yet saved.
  void ReimprimirRecibo();
  void Excluir();
  void Localizar();
  void ReferenteA();
  void Novo();
  void Sair();

  void aoAlterarNumero();
  void aoValidarNumero(bool& cancelar);
  void aoValidarData(bool& cancelar);
  void aoAlterarRecebi();
  void aoAlterarEmitente();
  void aoAlterarCodigoReferente();
  void aoAlterarReferente();
  void aoValidarCodigoReferente(bool& cancelar);
  /// Puts the referente's text into the receipt; false (after a message) when there is none.
  bool BuscarReferente(qint64 codigo);
  void aoSairBeneficiario();

  uscTextBox* txtNumeroRecibo_ = nullptr;
  uscTextBox* txtAnoRecibo_ = nullptr;
  lvButtons* btnLocalizar_ = nullptr;
  uscTextValue* txtValor_ = nullptr;
  uscDateBox* txtDataEmissao_ = nullptr;
  QComboBox* cboVias_ = nullptr;
  uscSelecionaRegistro* uscRecebi_ = nullptr;
  QLabel* lblRotuloDoc1_ = nullptr;
  QLabel* lblDoc1_ = nullptr;
  QLabel* lblRotuloDoc2_ = nullptr;
  QLabel* lblDoc2_ = nullptr;
  lvButtons* btnReferenteA_ = nullptr;
  uscTextBox* txtCodigoReferente_ = nullptr;
  TextoLongo* txtReferente_ = nullptr;
  uscSelecionaRegistro* uscEmitente_ = nullptr;
  QLabel* lblRotuloDoc1Emitente_ = nullptr;
  QLabel* lblDoc1Emitente_ = nullptr;
  QLabel* lblRotuloDoc2Emitente_ = nullptr;
  QLabel* lblDoc2Emitente_ = nullptr;
  QLabel* lblEnderecoEmitente_ = nullptr;
  TextoLongo* txtObservacao_ = nullptr;
  QCheckBox* chkImprimirReciboGravar_ = nullptr;
  /// Index 0 is "not informed"; index `i` is the form stored as code `i`.
  QComboBox* cboFormaPagamento_ = nullptr;
  uscSelecionaRegistro* uscBeneficiario_ = nullptr;
  QLabel* lblEditandoRecibo_ = nullptr;
  lvButtons* btnNovo_ = nullptr;
  lvButtons* btnGravar_ = nullptr;
  lvButtons* btnCancelar_ = nullptr;
  lvButtons* btnExcluir_ = nullptr;
  lvButtons* btnSair_ = nullptr;
  /// The loaded receipt as the screen showed it once loaded; none in the new state.
  std::optional<Recibo> carregado_;
  /// The loaded receipt as the store held it: a save is refused when the stored one is no longer it.
  std::optional<Recibo> armazenado_;
  bool limpandoReferente_ = false;
  bool avisouSemProximo_ = false;
};
