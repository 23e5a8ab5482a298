#include "receipts/frmRecibo2.h"

#include "app/core/Conexao.h"
#include "app/core/Mensagens.h"
#include "app/core/Numeracao.h"
#include "app/core/RegistroAlterado.h"
#include "app/core/Relogio.h"
#include "app/core/modGeral.h"
#include "controls/TextoLongo.h"
#include "controls/ValidacaoFoco.h"
#include "controls/lvButtons.h"
#include "controls/uscDateBox.h"
#include "controls/uscSelecionaRegistro.h"
#include "controls/uscTextBox.h"
#include "controls/uscTextValue.h"
#include "receipts/ImpressaoRecibo.h"
#include "receipts/RegistroRecibo.h"
#include "receipts/frmLocalizarReciboComercial.h"
#include "registries/frmLocalizar.h"
#include "reports/engine/Relatorio.h"
#include "reports/preview/frmPreviewRelatorio.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace {

const QString kSecaoIni = QStringLiteral("talonix");
const QString kTitulo = QStringLiteral("Recibo");
const QColor kAzul(Qt::blue);
const QColor kVermelho(Qt::red);
// The number box holds seven digits.
constexpr int kDigitosNumero = 7;
constexpr qint64 kMaiorNumeroProposto = 9999999;

bool emBranco(const QString& texto) {
  return texto.trimmed().isEmpty();
}

// A setting written by this screen as a number; anything else counts as the default 1.
int numeroIni(const QString& chave) {
  bool ok = false;
  const int valor = modGeral::LerIni(kSecaoIni, chave, QStringLiteral("1"), modGeral::ArquivoIni()).toInt(&ok);
  return ok ? valor : 1;
}

}  // namespace

frmRecibo2::frmRecibo2(Contexto contexto, QWidget* parent) : TelaFilha(contexto, parent) {
  setObjectName(QStringLiteral("frmRecibo2"));
  setWindowTitle(QStringLiteral("Recibo comercial"));
  montarTela();
  ligarEventos();
  LerPreferencias();
  for (uscSelecionaRegistro* seletor : {uscRecebi_, uscEmitente_, uscBeneficiario_}) {
    seletor->setConexao(&Conexao::Banco);
    seletor->setSQL(QStringLiteral("SELECT Codigo,Descricao FROM tbPessoa"));
    seletor->setCondicao(QString());
    seletor->setCodigoNumerico(true);
    seletor->setTitulo(QStringLiteral("Pessoa"));
  }
  NovoRecibo();
  // The shell gives the screen the focus when it shows it: it goes to the amount.
  setFocusProxy(txtValor_);
  txtValor_->Focar();
}

bool frmRecibo2::editando() const {
  return !lblEditandoRecibo_->isHidden();
}

void frmRecibo2::ligarEventos() {
  connect(txtNumeroRecibo_, &uscTextBox::valorAlterado, this, &frmRecibo2::aoAlterarNumero);
  connect(txtNumeroRecibo_, &uscTextBox::validar, this, &frmRecibo2::aoValidarNumero);
  connect(txtDataEmissao_, &uscDateBox::validar, this, &frmRecibo2::aoValidarData);
  connect(uscRecebi_, &uscSelecionaRegistro::valorAlterado, this, &frmRecibo2::aoAlterarRecebi);
  connect(uscRecebi_, &uscSelecionaRegistro::focoPerdido, this, [this] { MostrarPessoa(false); });
  connect(uscEmitente_, &uscSelecionaRegistro::valorAlterado, this, &frmRecibo2::aoAlterarEmitente);
  connect(uscEmitente_, &uscSelecionaRegistro::focoRecebido, this, [this] {
    // The payer is not offered as the issuer.
    const QString pagador = uscRecebi_->Text(0).trimmed();
    uscEmitente_->setCondicao(emBranco(pagador) ? QString()
                                                : QStringLiteral("Codigo<>") + QString::number(pagador.toLongLong()));
  });
  connect(uscEmitente_, &uscSelecionaRegistro::focoPerdido, this, [this] {
    uscEmitente_->setCondicao(QString());
    MostrarPessoa(true);
  });
  connect(uscBeneficiario_, &uscSelecionaRegistro::focoPerdido, this, &frmRecibo2::aoSairBeneficiario);
  connect(txtCodigoReferente_, &uscTextBox::valorAlterado, this, &frmRecibo2::aoAlterarCodigoReferente);
  connect(txtCodigoReferente_, &uscTextBox::validar, this, &frmRecibo2::aoValidarCodigoReferente);
  connect(txtReferente_, &QPlainTextEdit::textChanged, this, &frmRecibo2::aoAlterarReferente);
  connect(btnLocalizar_, &lvButtons::clicked, this, &frmRecibo2::Localizar);
  connect(btnReferenteA_, &lvButtons::clicked, this, &frmRecibo2::ReferenteA);
  connect(btnNovo_, &lvButtons::clicked, this, &frmRecibo2::Novo);
  connect(btnGravar_, &lvButtons::clicked, this, &frmRecibo2::Gravar);
  connect(btnCancelar_, &lvButtons::clicked, this, &frmRecibo2::Novo);
  connect(btnExcluir_, &lvButtons::clicked, this, &frmRecibo2::Excluir);
  connect(btnSair_, &lvButtons::clicked, this, &frmRecibo2::Sair);
  txtNumeroRecibo_->focusProxy()->installEventFilter(this);
  txtReferente_->installEventFilter(this);
}

void frmRecibo2::LerPreferencias() {
  cboVias_->clear();
  cboVias_->addItems({QStringLiteral("1"), QStringLiteral("2")});
  const int vias = numeroIni(QStringLiteral("vias"));
  chkImprimirReciboGravar_->setChecked(numeroIni(QStringLiteral("imprimir")) != 0);
  cboVias_->setCurrentIndex(vias == 2 ? 1 : 0);
}

void frmRecibo2::GravarPreferencias() {
  const QString arquivo = modGeral::ArquivoIni();
  modGeral::GravarIni(kSecaoIni, QStringLiteral("vias"), cboVias_->currentText(), arquivo);
  modGeral::GravarIni(kSecaoIni, QStringLiteral("imprimir"),
                      chkImprimirReciboGravar_->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), arquivo);
}

void frmRecibo2::NovoRecibo() {
  carregado_.reset();
  armazenado_.reset();
  MostrarEstado(false);
  LimparCampos();
  txtAnoRecibo_->setText(QString::number(contexto_.relogio->hoje().year()));
  ProximoNumero();
}

void frmRecibo2::MostrarEstado(bool editando) {
  lblEditandoRecibo_->setVisible(editando);
  const QColor cor = editando ? kVermelho : kAzul;
  txtNumeroRecibo_->setBackColor(palette().color(editando ? QPalette::Button : QPalette::Base));
  txtNumeroRecibo_->setForeColor(cor);
  txtNumeroRecibo_->setParadaTabulacao(!editando);
  txtNumeroRecibo_->setLocked(editando);
  // A stored receipt is shown with its whole number, even one longer than the operator types.
  txtNumeroRecibo_->setMaxLength(editando ? 0 : kDigitosNumero);
  txtAnoRecibo_->setForeColor(cor);
  btnExcluir_->setEnabled(editando);
}

void frmRecibo2::LimparCampos() {
  for (uscTextBox* caixa : {txtNumeroRecibo_, txtAnoRecibo_, txtCodigoReferente_})
    caixa->setText(QString());
  txtReferente_->clear();
  txtObservacao_->clear();
  txtValor_->setText(QString());
  txtDataEmissao_->setText(QString());
  uscRecebi_->setText(0, QString());
  uscEmitente_->setText(0, QString());
  uscBeneficiario_->setText(0, QString());
  cboFormaPagamento_->setCurrentIndex(0);
  txtDataEmissao_->setData(contexto_.relogio->hoje());
}

void frmRecibo2::ProximoNumero() {
  qint64 numero = 0;
  const Resultado r = Numeracao::ProximoNumeroRecibo(contexto_.relogio->hoje().year(), numero, kMaiorNumeroProposto);
  if (r.numero == Numeracao::ErroSemProximo) {
    // The box stays empty for a number of the operator's own; emptying it again, or the next
    // new receipt, must not repeat the message.
    if (!avisouSemProximo_)
      contexto_.mensagens->informar(r.erro, kTitulo);
    avisouSemProximo_ = true;
    return;
  }
  if (!r) {
    contexto_.mensagens->falhar(r.erro, r.numero, kTitulo);
    return;
  }
  avisouSemProximo_ = false;
  txtNumeroRecibo_->setText(QString::number(numero));
}

bool frmRecibo2::CarregarRecibo(qint64 numero, int ano) {
  std::optional<Recibo> recibo;
  if (Resultado r = RegistroRecibo::Carregar(numero, ano, recibo); !r) {
    contexto_.mensagens->falhar(r.erro, r.numero, kTitulo);
    return false;
  }
  if (!recibo)
    return false;
  MostrarEstado(true);
  txtNumeroRecibo_->setText(QString::number(numero));
  txtAnoRecibo_->setText(QString::number(ano));
  mostrarCampos(*recibo);
  carregado_ = reciboDaTela();
  armazenado_ = recibo;
  txtValor_->Focar();
  return true;
}

void frmRecibo2::mostrarCampos(const Recibo& recibo) {
  txtValor_->setValorDecimosMilesimos(recibo.valor);
  txtDataEmissao_->setData(recibo.dataEmissao);
  cboVias_->setCurrentIndex(recibo.vias.trimmed() == QLatin1String("2") ? 1 : 0);
  // The payer first: choosing a payer empties the issuer.
  uscRecebi_->setText(0, QString::number(recibo.recebi));
  uscRecebi_->Pesquisar();
  MostrarPessoa(false);
  txtReferente_->setTexto(recibo.referente);
  // The stored issuer is shown whatever the selector offered while it had the focus.
  uscEmitente_->setCondicao(QString());
  uscEmitente_->setText(0, QString::number(recibo.emitente));
  uscEmitente_->Pesquisar();
  MostrarPessoa(true);
  txtObservacao_->setTexto(recibo.observacao);
  // A code this program does not know shows as not informed.
  const int forma = recibo.formaPagamento;
  cboFormaPagamento_->setCurrentIndex(forma > 0 && forma < cboFormaPagamento_->count() ? forma : 0);
  uscBeneficiario_->setText(0, recibo.beneficiario ? QString::number(*recibo.beneficiario) : QString());
}

Recibo frmRecibo2::reciboDaTela() const {
  Recibo recibo;
  recibo.numero = txtNumeroRecibo_->Text().trimmed().toLongLong();
  recibo.ano = txtAnoRecibo_->Text().trimmed().toInt();
  recibo.valor = txtValor_->valorDecimosMilesimos().value_or(0);
  recibo.dataEmissao = txtDataEmissao_->data();
  recibo.vias = cboVias_->currentText();
  recibo.recebi = uscRecebi_->Text(0).trimmed().toLongLong();
  recibo.referente = txtReferente_->toPlainText();
  recibo.emitente = uscEmitente_->Text(0).trimmed().toLongLong();
  recibo.observacao = txtObservacao_->toPlainText();
  recibo.formaPagamento = cboFormaPagamento_->currentIndex();
  if (const QString beneficiario = uscBeneficiario_->Text(0).trimmed(); !beneficiario.isEmpty())
    recibo.beneficiario = beneficiario.toLongLong();
  return recibo;
}

void frmRecibo2::MostrarPessoa(bool emitente) {
  uscSelecionaRegistro* seletor = emitente ? uscEmitente_ : uscRecebi_;
  const QString codigo = seletor->Text(0).trimmed();
  if (codigo.isEmpty())
    return;
  DadosPessoa pessoa;
  if (Resultado r = RegistroRecibo::BuscarPessoa(codigo.toLongLong(), pessoa); !r) {
    contexto_.mensagens->falhar(r.erro, r.numero, kTitulo);
    return;
  }
  const bool juridica = pessoa.tipo != 0;
  (emitente ? lblRotuloDoc1Emitente_ : lblRotuloDoc1_)
      ->setText(juridica ? QStringLiteral("CNPJ:") : QStringLiteral("CPF:"));
  (emitente ? lblRotuloDoc2Emitente_ : lblRotuloDoc2_)
      ->setText(juridica ? QStringLiteral("Insc. Est.:") : QStringLiteral("RG:"));
  (emitente ? lblDoc1Emitente_ : lblDoc1_)->setText(pessoa.documento1);
  (emitente ? lblDoc2Emitente_ : lblDoc2_)->setText(pessoa.documento2);
  if (emitente)
    lblEnderecoEmitente_->setText(pessoa.endereco.trimmed());
}

// ---- Fields --------------------------------------------------------------------------------

void frmRecibo2::aoAlterarNumero() {
  // The number is never left empty: the proposed one comes back, selected.
  if (!emBranco(txtNumeroRecibo_->Text()))
    return;
  ProximoNumero();
  txtNumeroRecibo_->selecionarTudo();
}

void frmRecibo2::aoValidarNumero(bool&) {
  const QString texto = txtNumeroRecibo_->Text().trimmed();
  if (!texto.isEmpty())
    CarregarRecibo(texto.toLongLong(), txtAnoRecibo_->Text().toInt());
}

bool frmRecibo2::VerificarAnoEmissao() {
  const auto recusa = RegrasRecibo::DataNoAno(txtDataEmissao_->data(), txtAnoRecibo_->Text().trimmed().toInt());
  return !recusa || recusar(recusa->mensagem, txtDataEmissao_, recusa->titulo);
}

void frmRecibo2::aoValidarData(bool& cancelar) {
  if (!emBranco(txtDataEmissao_->Text()) && !VerificarAnoEmissao())
    cancelar = true;
}

void frmRecibo2::aoAlterarRecebi() {
  if (!emBranco(lblDoc1_->text()) || !emBranco(lblDoc2_->text())) {
    lblDoc1_->clear();
    lblDoc2_->clear();
    lblRotuloDoc1_->setText(QStringLiteral("CPF:"));
    lblRotuloDoc2_->setText(QStringLiteral("RG:"));
  }
  if (!emBranco(uscEmitente_->Text(0)))
    uscEmitente_->setText(0, QString());
  const bool habilitar = !emBranco(uscRecebi_->Text(0));
  if (uscEmitente_->isEnabled() != habilitar)
    uscEmitente_->setEnabled(habilitar);
}

void frmRecibo2::aoAlterarEmitente() {
  // The address counts too: an issuer registered without documents still showed one.
  if (emBranco(lblDoc1Emitente_->text()) && emBranco(lblDoc2Emitente_->text()) &&
      emBranco(lblEnderecoEmitente_->text()))
    return;
  lblDoc1Emitente_->clear();
  lblDoc2Emitente_->clear();
  lblEnderecoEmitente_->clear();
  lblRotuloDoc1Emitente_->setText(QStringLiteral("CPF:"));
  lblRotuloDoc2Emitente_->setText(QStringLiteral("RG:"));
}

void frmRecibo2::aoSairBeneficiario() {
  // The payer chosen again as the beneficiary means that the payer paid for himself: none.
  const QString beneficiario = uscBeneficiario_->Text(0).trimmed();
  if (!beneficiario.isEmpty() && beneficiario.toLongLong() == uscRecebi_->Text(0).trimmed().toLongLong())
    uscBeneficiario_->setText(0, QString());
}

void frmRecibo2::aoAlterarCodigoReferente() {
  if (emBranco(txtReferente_->toPlainText()))
    return;
  // Emptying the text for a new code must not empty the code being typed.
  limpandoReferente_ = true;
  txtReferente_->clear();
  limpandoReferente_ = false;
}

void frmRecibo2::aoAlterarReferente() {
  if (!limpandoReferente_ && emBranco(txtReferente_->toPlainText()) && !txtCodigoReferente_->Text().isEmpty())
    txtCodigoReferente_->setText(QString());
}

void frmRecibo2::aoValidarCodigoReferente(bool& cancelar) {
  const QString codigo = txtCodigoReferente_->Text().trimmed();
  if (!codigo.isEmpty() && emBranco(txtReferente_->toPlainText()) && !BuscarReferente(codigo.toLongLong()))
    cancelar = true;
}

bool frmRecibo2::BuscarReferente(qint64 codigo) {
  std::optional<QString> descricao;
  if (Resultado r = RegistroRecibo::BuscarReferente(codigo, descricao); !r) {
    contexto_.mensagens->falhar(r.erro, r.numero, kTitulo);
    return false;
  }
  if (!descricao) {
    contexto_.mensagens->informar(QStringLiteral("O código informado do referente não foi localizado."),
                                  QStringLiteral("referente"));
    txtCodigoReferente_->Focar();
    return false;
  }
  txtReferente_->setTexto(*descricao);
  txtReferente_->moveCursor(QTextCursor::End);
  return true;
}

// ---- Actions -------------------------------------------------------------------------------

bool frmRecibo2::recusar(const QString& mensagem, QWidget* campo, const QString& titulo) {
  contexto_.mensagens->informar(mensagem, titulo);
  if (auto* caixa = qobject_cast<CaixaEdicao*>(campo))
    caixa->Focar();
  else if (auto* seletor = qobject_cast<uscSelecionaRegistro*>(campo))
    seletor->Focar();
  else
    campo->setFocus(Qt::OtherFocusReason);
  return false;
}

QWidget* frmRecibo2::campo(RegrasRecibo::Campo campo) const {
  switch (campo) {
  case RegrasRecibo::Campo::Numero:
    return txtNumeroRecibo_;
  case RegrasRecibo::Campo::Valor:
    return txtValor_;
  case RegrasRecibo::Campo::DataEmissao:
    return txtDataEmissao_;
  case RegrasRecibo::Campo::Recebi:
    return uscRecebi_;
  case RegrasRecibo::Campo::Referente:
    return txtReferente_;
  case RegrasRecibo::Campo::Emitente:
    return uscEmitente_;
  case RegrasRecibo::Campo::Beneficiario:
    return uscBeneficiario_;
  }
  return txtNumeroRecibo_;
}

bool frmRecibo2::ValidarRecibo() {
  // The payer chosen again as the beneficiary means that the payer paid for himself.
  aoSairBeneficiario();
  std::optional<RegrasRecibo::Recusa> recusa;
  if (Resultado r = RegistroRecibo::Conferir(reciboDaTela(), !emBranco(txtValor_->Text()), recusa); !r) {
    contexto_.mensagens->falhar(r.erro, r.numero, kTitulo);
    return false;
  }
  return !recusa || recusar(recusa->mensagem, campo(recusa->campo), recusa->titulo);
}

void frmRecibo2::Gravar() {
  if (!ValidarRecibo())
    return;
  const Recibo recibo = reciboDaTela();
  const Resultado r =
      editando() ? RegistroRecibo::Atualizar(armazenado_.value(), recibo) : RegistroRecibo::Inserir(recibo);
  if (!r) {
    // What was typed stays on the screen, whatever the refusal.
    if (r.numero == RegistroRecibo::ErroNumeroExistente && !editando())
      recusar(r.erro, txtNumeroRecibo_);
    else if (r.numero == RegistroAlterado::Erro || r.numero == RegrasRecibo::ErroRegra)
      contexto_.mensagens->informar(r.erro, kTitulo);
    else
      contexto_.mensagens->falhar(r.erro, r.numero, QStringLiteral("Não foi possível gravar o recibo"));
    return;
  }
  const QString numero = txtNumeroRecibo_->Text();
  const int vias = cboVias_->currentText().toInt();
  // The screen is ready for the next receipt before the preview opens, so that the preview
  // stays in front of it.
  Novo();
  if (chkImprimirReciboGravar_->isChecked())
    ImprimirRecibo(numero, recibo.ano, vias);
}

void frmRecibo2::ImprimirRecibo(const QString& numero, int ano, int vias) {
  std::shared_ptr<Relatorio> relatorio;
  if (Resultado r = ImpressaoRecibo::Preparar(numero.trimmed().toLongLong(), ano, vias, relatorio); !r) {
    contexto_.mensagens->mostrar(r.erro, QStringLiteral("Não foi possível imprimir o recibo"), Icone::Critico);
    return;
  }
  frmPreviewRelatorio::Mostrar(this, contexto_, std::move(relatorio), 90, QStringLiteral("Recibo"),
                               ImpressaoRecibo::NomePdf(numero.trimmed().toLongLong(), ano));
}

void frmRecibo2::DuplicarRecibo() {
  // Whatever the screen shows of a receipt goes over, so a field of the receipt is copied as
  // soon as the screen can show and save it.
  Recibo copia = reciboDaTela();
  NovoRecibo();
  copia.dataEmissao = txtDataEmissao_->data();
  mostrarCampos(copia);
  txtValor_->Focar();
}

void frmRecibo2::ReimprimirRecibo() {
  // The layout reads the stored row: what the screen shows must be what is stored.
  const Recibo recibo = reciboDaTela();
  if (recibo != carregado_) {
    contexto_.mensagens->informar(QStringLiteral("Grave as alterações antes de imprimir."), kTitulo);
    return;
  }
  ImprimirRecibo(txtNumeroRecibo_->Text(), recibo.ano, cboVias_->currentText().toInt());
}

void frmRecibo2::Excluir() {
  if (!contexto_.mensagens->perguntar(QStringLiteral("Confirma a exclusão do recibo selecionado ?"),
                                      QStringLiteral("Excluir recibo emitido")))
    return;
  const Resultado r =
      RegistroRecibo::Excluir(txtNumeroRecibo_->Text().trimmed().toLongLong(), txtAnoRecibo_->Text().trimmed().toInt());
  if (!r) {
    contexto_.mensagens->falhar(r.erro, r.numero, QStringLiteral("Não foi possível excluir o recibo"));
    return;
  }
  Novo();
}

void frmRecibo2::Localizar() {
  frmLocalizarReciboComercial dialogo(contexto_, window());
  dialogo.exec();
  if (!dialogo.Cancelado())
    CarregarRecibo(dialogo.NumeroSelecionado(), dialogo.AnoSelecionado());
}

void frmRecibo2::ReferenteA() {
  frmLocalizar dialogo(Numeracao::Cadastro::Referente, contexto_, window());
  dialogo.exec();
  if (dialogo.Cancelado())
    return;
  const QString codigo = dialogo.CodigoSelecionado();
  txtCodigoReferente_->Focar();
  // A code longer than the box is left out of it rather than cut into another referente's.
  txtCodigoReferente_->setText(codigo.size() <= txtCodigoReferente_->MaxLength() ? codigo : QString());
  // As the Tab key would: leaving the code box looks the referente up. The window may not be
  // active again yet, so the lookup is not left to the focus move.
  if (emBranco(txtReferente_->toPlainText()) && !BuscarReferente(codigo.toLongLong()))
    return;
  txtReferente_->setFocus(Qt::TabFocusReason);
}

void frmRecibo2::Novo() {
  NovoRecibo();
  txtValor_->Focar();
}

void frmRecibo2::Sair() {
  GravarPreferencias();
  fecharTela();
}

bool frmRecibo2::teclaPrevia(QKeyEvent* evento) {
  // Ctrl+D (a new receipt like this one) and Ctrl+P (print it) act on a loaded receipt; a text
  // box never sees them, even in the new state.
  if (evento->modifiers() == Qt::ControlModifier && (evento->key() == Qt::Key_D || evento->key() == Qt::Key_P)) {
    if (!editando())
      return true;
    if (evento->key() == Qt::Key_D)
      DuplicarRecibo();
    else
      ReimprimirRecibo();
    return true;
  }
  if (evento->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
    return false;
  const QWidget* controle = ValidacaoFoco::controleDe(QApplication::focusWidget());
  const QString ativo = controle == nullptr ? QString() : controle->objectName().toUpper();
  switch (evento->key()) {
  case Qt::Key_Escape:
    fecharTela();
    return true;
  case Qt::Key_F5:
    Gravar();
    return true;
  case Qt::Key_F6:
    Novo();
    return true;
  case Qt::Key_F7:
    if (btnExcluir_->isEnabled())
      Excluir();
    return true;
  case Qt::Key_F8:
    Localizar();
    return true;
  case Qt::Key_F9:
    if (editando())
      Excluir();
    return true;
  case Qt::Key_F3:
    if (ativo == QLatin1String("USCRECEBI") || ativo == QLatin1String("USCEMITENTE") ||
        ativo == QLatin1String("USCBENEFICIARIO"))
      emit pedirTelaPessoa();
    else if (ativo == QLatin1String("TXTCODIGOREFERENTE"))
      emit pedirTelaReferente();
    return true;
  case Qt::Key_F2:
    if (ativo == QLatin1String("TXTCODIGOREFERENTE")) {
      ReferenteA();
      return true;
    }
    return false;
  default:
    return false;
  }
}

bool frmRecibo2::eventFilter(QObject* alvo, QEvent* evento) {
  if (evento->type() == QEvent::FocusIn) {
    if (alvo == txtNumeroRecibo_->focusProxy())
      // After the click that gave the focus has placed the caret.
      QTimer::singleShot(0, txtNumeroRecibo_, [caixa = txtNumeroRecibo_] { caixa->selecionarTudo(); });
    else if (alvo == txtReferente_)
      txtReferente_->moveCursor(QTextCursor::End);
  }
  return TelaFilha::eventFilter(alvo, evento);
}
