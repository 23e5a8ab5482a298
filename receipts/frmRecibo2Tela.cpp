// The controls of the receipt screen and where they stand.

#include "receipts/frmRecibo2.h"

#include "app/core/FormaPagamento.h"
#include "app/core/Mensagens.h"
#include "controls/CabecalhoTela.h"
#include "controls/TextoLongo.h"
#include "controls/lvButtons.h"
#include "controls/uscDateBox.h"
#include "controls/uscLinhaSeparadora.h"
#include "controls/uscSelecionaRegistro.h"
#include "controls/uscTextBox.h"
#include "controls/uscTextValue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace {

template <typename T>
T* nomeado(T* controle, const char* nome) {
  controle->setObjectName(QString::fromLatin1(nome));
  return controle;
}

QLabel* rotulo(const QString& texto, QWidget* pai, QWidget* parceiro = nullptr) {
  auto* r = new QLabel(texto, pai);
  r->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  if (parceiro != nullptr)
    r->setBuddy(parceiro);
  return r;
}

// A read-only text shown like a sunken box, so that an empty one still shows its place.
QLabel* textoFixo(const char* nome, QWidget* pai) {
  auto* t = nomeado(new QLabel(pai), nome);
  t->setFrameShape(QFrame::StyledPanel);
  t->setFrameShadow(QFrame::Sunken);
  t->setTextInteractionFlags(Qt::TextSelectableByMouse);
  t->setMinimumWidth(150);
  return t;
}

TextoLongo* textoLongo(const char* nome, int linhas, QWidget* pai) {
  auto* t = nomeado(new TextoLongo(pai), nome);
  t->setFixedHeight(t->fontMetrics().lineSpacing() * linhas + 12);
  return t;
}

}  // namespace

void frmRecibo2::montarTela() {
  Mensagens& mensagens = *contexto_.mensagens;
  const QStyle* estilo = style();
  auto* coluna = new QVBoxLayout(this);

  coluna->addWidget(new CabecalhoTela(QStringLiteral("Recibo comercial"), QStringLiteral("Talonix"), this));

  // Number and year.
  auto* linhaNumero = new QHBoxLayout;
  txtNumeroRecibo_ = nomeado(new uscTextBox(this), "txtNumeroRecibo");
  txtNumeroRecibo_->setTipoCaracter(uscTextBox::Digitos);
  txtNumeroRecibo_->setMaxLength(7);
  txtNumeroRecibo_->setAlinhamento(Qt::AlignRight | Qt::AlignVCenter);
  txtNumeroRecibo_->setFixedWidth(90);
  txtAnoRecibo_ = nomeado(new uscTextBox(this), "txtAnoRecibo");
  txtAnoRecibo_->setMaxLength(4);
  txtAnoRecibo_->setLocked(true);
  txtAnoRecibo_->setParadaTabulacao(false);
  txtAnoRecibo_->setBackColor(palette().color(QPalette::Button));
  txtAnoRecibo_->setAlinhamento(Qt::AlignCenter);
  txtAnoRecibo_->setFixedWidth(60);
  btnLocalizar_ =
      nomeado(new lvButtons(QStringLiteral("&Localizar"), estilo->standardIcon(QStyle::SP_FileDialogContentsView),
                            QStringLiteral("F8 - Localizar recibo emitido"), this),
              "btnLocalizar");
  lblEditandoRecibo_ = nomeado(new QLabel(QStringLiteral("EDITANDO RECIBO SELECIONADO"), this), "lblEditandoRecibo");
  QFont fonteAviso = lblEditandoRecibo_->font();
  fonteAviso.setBold(true);
  lblEditandoRecibo_->setFont(fonteAviso);
  lblEditandoRecibo_->setStyleSheet(QStringLiteral("color: red;"));
  linhaNumero->addWidget(rotulo(QStringLiteral("&Recibo:"), this, txtNumeroRecibo_));
  linhaNumero->addWidget(txtNumeroRecibo_);
  linhaNumero->addWidget(rotulo(QStringLiteral("Ano:"), this));
  linhaNumero->addWidget(txtAnoRecibo_);
  linhaNumero->addWidget(btnLocalizar_);
  linhaNumero->addStretch(1);
  linhaNumero->addWidget(lblEditandoRecibo_);
  coluna->addLayout(linhaNumero);
  coluna->addWidget(new uscLinhaSeparadora(this));

  auto* grade = new QGridLayout;
  grade->setColumnStretch(1, 1);
  int linha = 0;

  // Amount, date and copies.
  txtValor_ = nomeado(new uscTextValue(mensagens, this), "txtValor");
  txtValor_->setFixedWidth(130);
  txtDataEmissao_ = nomeado(new uscDateBox(mensagens, this), "txtDataEmissao");
  txtDataEmissao_->setFixedWidth(130);
  cboVias_ = nomeado(new QComboBox(this), "cboVias");
  auto* linhaValor = new QHBoxLayout;
  linhaValor->addWidget(txtValor_);
  linhaValor->addSpacing(12);
  linhaValor->addWidget(rotulo(QStringLiteral("Data de emissão:"), this, txtDataEmissao_));
  linhaValor->addWidget(txtDataEmissao_);
  linhaValor->addSpacing(12);
  linhaValor->addWidget(rotulo(QStringLiteral("Vias:"), this, cboVias_));
  linhaValor->addWidget(cboVias_);
  linhaValor->addStretch(1);
  grade->addWidget(rotulo(QStringLiteral("Valor do recibo:"), this, txtValor_), linha, 0);
  grade->addLayout(linhaValor, linha++, 1);

  // A person selector with the person's documents under it.
  const auto pessoa = [&](const QString& legenda, const char* nome, QLabel*& rotulo1, QLabel*& doc1, QLabel*& rotulo2,
                          QLabel*& doc2, const char* nomeDoc1, const char* nomeDoc2) {
    auto* seletor = nomeado(new uscSelecionaRegistro(mensagens, this), nome);
    grade->addWidget(rotulo(legenda, this, seletor), linha, 0);
    grade->addWidget(seletor, linha++, 1);
    auto* documentos = new QHBoxLayout;
    rotulo1 = rotulo(QStringLiteral("CPF:"), this);
    rotulo1->setObjectName(QString::fromLatin1(nomeDoc1) + QStringLiteral("Rotulo"));
    doc1 = textoFixo(nomeDoc1, this);
    rotulo2 = rotulo(QStringLiteral("RG:"), this);
    rotulo2->setObjectName(QString::fromLatin1(nomeDoc2) + QStringLiteral("Rotulo"));
    doc2 = textoFixo(nomeDoc2, this);
    documentos->addWidget(rotulo1);
    documentos->addWidget(doc1, 1);
    documentos->addSpacing(12);
    documentos->addWidget(rotulo2);
    documentos->addWidget(doc2, 1);
    grade->addLayout(documentos, linha++, 1);
    return seletor;
  };

  uscRecebi_ = pessoa(QStringLiteral("Recebi de:"), "uscRecebi", lblRotuloDoc1_, lblDoc1_, lblRotuloDoc2_, lblDoc2_,
                      "lblDoc1", "lblDoc2");

  btnReferenteA_ = nomeado(new lvButtons(QStringLiteral("Referente a:"), QIcon(),
                                         QStringLiteral("Selecionar uma referência para o recibo"), this),
                           "btnReferenteA");
  txtCodigoReferente_ = nomeado(new uscTextBox(this), "txtCodigoReferente");
  txtCodigoReferente_->setTipoCaracter(uscTextBox::Digitos);
  txtCodigoReferente_->setMaxLength(7);
  txtCodigoReferente_->setAlinhamento(Qt::AlignCenter);
  txtCodigoReferente_->setFixedWidth(80);
  txtReferente_ = textoLongo("txtReferente", 3, this);
  auto* linhaReferente = new QHBoxLayout;
  linhaReferente->addWidget(txtCodigoReferente_);
  linhaReferente->addWidget(new QLabel(QStringLiteral("F2 - localizar   F3 - cadastrar"), this));
  linhaReferente->addStretch(1);
  grade->addWidget(btnReferenteA_, linha, 0);
  grade->addLayout(linhaReferente, linha++, 1);
  grade->addWidget(txtReferente_, linha++, 1);

  uscEmitente_ = pessoa(QStringLiteral("Emitente:"), "uscEmitente", lblRotuloDoc1Emitente_, lblDoc1Emitente_,
                        lblRotuloDoc2Emitente_, lblDoc2Emitente_, "lblDoc1Emitente", "lblDoc2Emitente");
  uscEmitente_->setEnabled(false);
  lblEnderecoEmitente_ = textoFixo("lblEnderecoEmitente", this);
  auto* linhaEndereco = new QHBoxLayout;
  linhaEndereco->addWidget(rotulo(QStringLiteral("Endereço:"), this));
  linhaEndereco->addWidget(lblEnderecoEmitente_, 1);
  grade->addLayout(linhaEndereco, linha++, 1);

  txtObservacao_ = textoLongo("txtObservacao", 2, this);
  auto* rotuloObservacao = rotulo(QStringLiteral("Observação:"), this, txtObservacao_);
  rotuloObservacao->setAlignment(Qt::AlignRight | Qt::AlignTop);
  grade->addWidget(rotuloObservacao, linha, 0);
  grade->addWidget(txtObservacao_, linha++, 1);

  // The row of the form of payment and the beneficiary; they are made after the buttons.
  auto* linhaPagamento = new QHBoxLayout;
  const int linhaDoPagamento = linha++;

  chkImprimirReciboGravar_ =
      nomeado(new QCheckBox(QStringLiteral("&Imprimir recibo ao gravar"), this), "chkImprimirReciboGravar");
  grade->addWidget(chkImprimirReciboGravar_, linha++, 1);
  coluna->addLayout(grade);
  coluna->addWidget(new uscLinhaSeparadora(this));

  auto* linhaBotoes = new QHBoxLayout;
  const auto botao = [&](const QString& legenda, QStyle::StandardPixmap figura, const QString& dica, const char* nome) {
    auto* b = nomeado(new lvButtons(legenda, estilo->standardIcon(figura), dica, this), nome);
    linhaBotoes->addWidget(b);
    return b;
  };
  btnNovo_ = botao(QStringLiteral("&Novo"), QStyle::SP_FileIcon, QStringLiteral("F6 - Novo recibo"), "btnNovo");
  btnNovo_->hide();
  btnNovo_->setFocusPolicy(Qt::NoFocus);
  linhaBotoes->addStretch(1);
  btnGravar_ = botao(QStringLiteral("&Gravar"), QStyle::SP_DialogSaveButton,
                     QStringLiteral("F7 - Gravar recibo sem imprimir"), "btnGravar");
  btnCancelar_ = botao(QStringLiteral("&Cancelar"), QStyle::SP_DialogCancelButton, QString(), "btnCancelar");
  btnExcluir_ = botao(QStringLiteral("&Excluir"), QStyle::SP_TrashIcon, QStringLiteral("F9 - Excluir recibo emitido"),
                      "btnExcluir");
  btnSair_ = botao(QStringLiteral("&Sair"), QStyle::SP_DialogCloseButton,
                   QStringLiteral("ESC - Fechar formulário de emissão de recibo"), "btnSair");
  btnExcluir_->setEnabled(false);
  coluna->addLayout(linhaBotoes);

  // What a receipt needs at tax time, both optional. They came after the screen's other fields
  // and follow Sair in the tab order, so the order the operators learnt stays as it was: the
  // controls take the focus in the order they are made.
  cboFormaPagamento_ = nomeado(new QComboBox(this), "cboFormaPagamento");
  cboFormaPagamento_->addItem(QString());
  cboFormaPagamento_->addItems(FormaPagamento::Nomes());
  uscBeneficiario_ = nomeado(new uscSelecionaRegistro(mensagens, this), "uscBeneficiario");
  linhaPagamento->addWidget(cboFormaPagamento_);
  linhaPagamento->addSpacing(12);
  linhaPagamento->addWidget(rotulo(QStringLiteral("Beneficiário:"), this, uscBeneficiario_));
  linhaPagamento->addWidget(uscBeneficiario_, 1);
  grade->addWidget(rotulo(QStringLiteral("Forma de pagamento:"), this, cboFormaPagamento_), linhaDoPagamento, 0);
  grade->addLayout(linhaPagamento, linhaDoPagamento, 1);

  const QList<QWidget*> ordem = {txtNumeroRecibo_, btnLocalizar_, txtValor_,      txtDataEmissao_,
                                 cboVias_,         uscRecebi_,    btnReferenteA_, txtCodigoReferente_,
                                 txtReferente_,    uscEmitente_,  txtObservacao_, chkImprimirReciboGravar_,
                                 btnGravar_,       btnCancelar_,  btnExcluir_,    btnSair_};
  for (qsizetype i = 1; i < ordem.size(); ++i)
    setTabOrder(ordem.at(i - 1), ordem.at(i));
  setMinimumWidth(640);
}
