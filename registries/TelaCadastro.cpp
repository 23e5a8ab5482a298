#include "registries/TelaCadastro.h"

#include "app/core/Mensagens.h"
#include "app/core/RegistroAlterado.h"
#include "controls/CabecalhoTela.h"
#include "controls/lvButtons.h"
#include "controls/uscLinhaSeparadora.h"
#include "controls/uscTextBox.h"
#include "registries/frmLocalizar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSqlRecord>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Codes are long integers.
constexpr qint64 kMaiorCodigo = 2147483647;

// The largest code the code box can show whole: a proposed code is never cut by the box.
qint64 maiorCodigoDaCaixa(int digitos) {
  qint64 maior = 1;
  for (int i = 0; i < digitos && maior <= kMaiorCodigo; ++i)
    maior *= 10;
  return digitos > 0 ? std::min(maior - 1, kMaiorCodigo) : kMaiorCodigo;
}

}  // namespace

TelaCadastro::TelaCadastro(Configuracao configuracao, Contexto contexto, QWidget* parent)
    : TelaFilha(contexto, parent), configuracao_(std::move(configuracao)), tabela_(configuracao_.cadastro) {
  setObjectName(configuracao_.nomeTela);
  setWindowTitle(configuracao_.legenda);
  auto* coluna = new QVBoxLayout(this);

  coluna->addWidget(new CabecalhoTela(configuracao_.cabecalho, configuracao_.subtitulo, this));

  auto* linhaCodigo = new QHBoxLayout;
  auto* rotuloCodigo = new QLabel(QStringLiteral("Código:"), this);
  rotuloCodigo->setObjectName(QStringLiteral("lblCodigo"));
  txtCodigo_ = new uscTextBox(this);
  txtCodigo_->setObjectName(configuracao_.nomeCaixaCodigo);
  txtCodigo_->setTipoCaracter(uscTextBox::Digitos);
  txtCodigo_->setAlinhamento(Qt::AlignRight | Qt::AlignVCenter);
  txtCodigo_->setMaxLength(configuracao_.digitosCodigo);
  txtCodigo_->setFixedWidth(90);
  rotuloCodigo->setBuddy(txtCodigo_);
  const QStyle* estilo = style();
  btnNovo_ = new lvButtons(QStringLiteral("&Novo"), estilo->standardIcon(QStyle::SP_FileIcon),
                           QStringLiteral("F5 - Novo registro"), this);
  btnNovo_->setObjectName(QStringLiteral("btnNovo"));
  btnLocalizar_ = new lvButtons(QStringLiteral("&Localizar"), estilo->standardIcon(QStyle::SP_FileDialogContentsView),
                                QStringLiteral("F2 - Localizar registro"), this);
  btnLocalizar_->setObjectName(QStringLiteral("btnLocalizar"));
  linhaCodigo->addWidget(rotuloCodigo);
  linhaCodigo->addWidget(txtCodigo_);
  linhaCodigo->addWidget(btnNovo_);
  linhaCodigo->addWidget(btnLocalizar_);
  linhaCodigo->addStretch();
  coluna->addLayout(linhaCodigo);
  coluna->addWidget(new uscLinhaSeparadora(this));

  areaCampos_ = new QVBoxLayout;
  coluna->addLayout(areaCampos_);
  coluna->addWidget(new uscLinhaSeparadora(this));

  auto* linhaBotoes = new QHBoxLayout;
  linhaBotoes->addStretch();
  const auto botao = [&](const QString& legenda, QStyle::StandardPixmap figura, const char* nome) {
    auto* b = new lvButtons(legenda, estilo->standardIcon(figura), QString(), this);
    b->setObjectName(QString::fromLatin1(nome));
    linhaBotoes->addWidget(b);
    return b;
  };
  btnGravar_ = botao(QStringLiteral("&Gravar"), QStyle::SP_DialogSaveButton, "btnGravar");
  btnCancelar_ = botao(QStringLiteral("&Cancelar"), QStyle::SP_DialogCancelButton, "btnCancelar");
  btnExcluir_ = botao(QStringLiteral("&Excluir"), QStyle::SP_TrashIcon, "btnExcluir");
  btnSair_ = botao(QStringLiteral("&Sair"), QStyle::SP_DialogCloseButton, "btnSair");
  coluna->addLayout(linhaBotoes);
  for (lvButtons* b : {btnGravar_, btnCancelar_, btnExcluir_})
    b->setEnabled(false);

  auto* status = new QStatusBar(this);
  status->setObjectName(configuracao_.nomeStatus);
  status->setSizeGripEnabled(false);
  painelModo_ = new QLabel(status);
  painelModo_->setObjectName(configuracao_.nomeStatus + QStringLiteral("_1"));
  painelModo_->setMinimumWidth(120);
  painelRegistros_ = new QLabel(status);
  painelRegistros_->setObjectName(configuracao_.nomeStatus + QStringLiteral("_2"));
  status->addWidget(painelModo_);
  status->addWidget(painelRegistros_, 1);
  coluna->addWidget(status);

  connect(txtCodigo_, &uscTextBox::valorAlterado, this, &TelaCadastro::aoAlterarCodigo);
  connect(txtCodigo_, &uscTextBox::validar, this, &TelaCadastro::aoValidarCodigo);
  connect(btnNovo_, &lvButtons::clicked, this, &TelaCadastro::Novo);
  connect(btnLocalizar_, &lvButtons::clicked, this, &TelaCadastro::Localizar);
  connect(btnGravar_, &lvButtons::clicked, this, &TelaCadastro::Gravar);
  connect(btnCancelar_, &lvButtons::clicked, this, &TelaCadastro::Cancelar);
  connect(btnExcluir_, &lvButtons::clicked, this, &TelaCadastro::Excluir);
  connect(btnSair_, &lvButtons::clicked, this, &TelaCadastro::fecharTela);
}

void TelaCadastro::concluirMontagem(const QList<QWidget*>& campos) {
  QList<QWidget*> ordem{txtCodigo_, btnNovo_, btnLocalizar_};
  ordem << campos << QList<QWidget*>{btnGravar_, btnCancelar_, btnExcluir_, btnSair_};
  for (qsizetype i = 1; i < ordem.size(); ++i)
    setTabOrder(ordem.at(i - 1), ordem.at(i));
  // The shell gives the focus to the screen; it goes to the code box.
  setFocusProxy(txtCodigo_);
  BloquearCampos(true);
  AtualizarStatus();
}

void TelaCadastro::BloquearCampos(bool bloquear) {
  habilitarCampos(!bloquear);
  camposBloqueados_ = bloquear;
  txtCodigo_->setEnabled(true);
}

void TelaCadastro::LimparRegistro() {
  txtCodigo_->setText(QString());
  limparCampos();
  painelModo_->clear();
}

void TelaCadastro::ConfigurarBotoes(bool ocioso) {
  btnGravar_->setEnabled(!ocioso);
  btnCancelar_->setEnabled(!ocioso);
  btnExcluir_->setEnabled(false);
  // Leaving the code box with Tab passes Sair, disabled here: the focus goes on to the first
  // field, not to the fields that follow Sair in the tab order.
  if (!ocioso && btnSair_->hasFocus())
    focarPrimeiroCampo();
  btnSair_->setEnabled(ocioso);
}

void TelaCadastro::AtualizarStatus() {
  painelModo_->clear();
  qint64 registros = 0;
  const Resultado resultado = tabela_.Contar(registros);
  if (!resultado) {
    relatarFalha(resultado, QStringLiteral("contar os registros"));
    return;
  }
  painelRegistros_->setText(QStringLiteral("Registros: ") + QString::number(registros));
}

bool TelaCadastro::ProximoCodigo(qint64& codigo) {
  const Resultado resultado =
      Numeracao::ProximoCodigo(configuracao_.cadastro, codigo, maiorCodigoDaCaixa(configuracao_.digitosCodigo));
  if (resultado.numero == Numeracao::ErroSemProximo) {
    // Nothing is proposed: the operator types a free code into the box.
    contexto_.mensagens->informar(resultado.erro, configuracao_.topico);
    txtCodigo_->Focar();
  } else if (!resultado) {
    relatarFalha(resultado, QStringLiteral("obter o próximo código"));
  }
  return resultado.ok;
}

void TelaCadastro::Novo() {
  qint64 codigo = 0;
  if (!ProximoCodigo(codigo))
    return;
  txtCodigo_->setText(QString::number(codigo));
  if (ConfirmarCodigo())
    focarPrimeiroCampo();
}

void TelaCadastro::Localizar() {
  frmLocalizar dialogo(configuracao_.cadastro, contexto_, this);
  dialogo.exec();
  if (dialogo.Cancelado())
    return;
  // As if the chosen code were typed into the code box and the box left: the record is loaded
  // and the focus goes on to the first field.
  txtCodigo_->Focar();
  // A stored code is shown whole, even one longer than the operator types; the box's own limit
  // comes back when it is emptied.
  txtCodigo_->setMaxLength(0);
  txtCodigo_->setText(dialogo.CodigoSelecionado());
  if (ConfirmarCodigo())
    focarPrimeiroCampo();
}

void TelaCadastro::Gravar() {
  if (!conferirCampos())
    return;
  const Resultado resultado = modo_ == Modo::Inserindo ? tabela_.Incluir(codigoAtual_, colunasGravadas())
                                                       : tabela_.Alterar(carregado_, colunasGravadas());
  if (!resultado) {
    // What was typed stays on the screen, whatever the refusal.
    if (resultado.numero == RegistroAlterado::Erro)
      contexto_.mensagens->informar(resultado.erro, configuracao_.topico);
    else
      contexto_.mensagens->falhar(
          resultado.erro, resultado.numero,
          QStringLiteral("[%1] - Não foi possível gravar o registro").arg(configuracao_.topico));
    return;
  }
  AtualizarStatus();
  txtCodigo_->setText(QString());
}

void TelaCadastro::Excluir() {
  if (!contexto_.mensagens->perguntar(QStringLiteral("Confirma a exclusão do registro selecionado ?"),
                                      configuracao_.tituloExclusao))
    return;
  const Resultado resultado = tabela_.Excluir(codigoAtual_);
  if (resultado.numero == TabelaCadastro::ErroPessoaEmRecibos) {
    contexto_.mensagens->informar(resultado.erro, configuracao_.topico);
    return;
  }
  if (!resultado) {
    relatarFalha(resultado, QStringLiteral("excluir o registro"));
    return;
  }
  AtualizarStatus();
  txtCodigo_->setText(QString());
}

void TelaCadastro::Cancelar() {
  txtCodigo_->setText(QString());
}

void TelaCadastro::aoAlterarCodigo() {
  if (txtCodigo_->Text().trimmed().isEmpty()) {
    voltarAoOcioso();
    return;
  }
  if (camposBloqueados_)
    BloquearCampos(false);
  btnNovo_->setParadaTabulacao(false);
  btnLocalizar_->setParadaTabulacao(false);
}

void TelaCadastro::aoValidarCodigo(bool& cancelar) {
  if (txtCodigo_->Text().trimmed().isEmpty())
    return;
  if (!ConfirmarCodigo())
    cancelar = true;
}

bool TelaCadastro::ConfirmarCodigo() {
  bool numero = false;
  const qint64 codigo = txtCodigo_->Text().trimmed().toLongLong(&numero);
  if (!numero || codigo > kMaiorCodigo) {
    contexto_.mensagens->informar(
        QStringLiteral("O código informado é grande demais: o maior código possível é %1.").arg(kMaiorCodigo),
        configuracao_.topico);
    return false;
  }
  bool encontrado = false;
  QSqlRecord registro;
  const Resultado resultado = tabela_.Localizar(codigo, encontrado, registro);
  if (!resultado) {
    relatarFalha(resultado, QStringLiteral("localizar o registro"));
    return false;
  }

  ConfigurarBotoes(false);
  codigoAtual_ = codigo;
  if (encontrado) {
    btnExcluir_->setEnabled(true);
    modo_ = Modo::Editando;
    painelModo_->setText(QStringLiteral("EDITANDO"));
    carregado_ = registro;
    carregarCampos(registro);
  } else {
    modo_ = Modo::Inserindo;
    painelModo_->setText(QStringLiteral("INSERINDO"));
  }
  for (lvButtons* b : {btnNovo_, btnLocalizar_}) {
    b->setEnabled(false);
    b->setParadaTabulacao(false);
  }
  fixarCodigo(true);
  return true;
}

void TelaCadastro::voltarAoOcioso() {
  LimparRegistro();
  BloquearCampos(true);
  ConfigurarBotoes(true);
  for (lvButtons* b : {btnNovo_, btnLocalizar_}) {
    b->setEnabled(true);
    b->setParadaTabulacao(true);
  }
  fixarCodigo(false);
  modo_ = Modo::Ocioso;
  // The tab stops are counted from the code box, wherever the focus was in the screen (its field
  // or button has just been disabled).
  if (!txtCodigo_->isAncestorOf(focusWidget()))
    txtCodigo_->Focar();
  enfileirarTab(configuracao_.tabsAoVoltar);
}

void TelaCadastro::fixarCodigo(bool fixo) {
  if (!fixo)
    txtCodigo_->setMaxLength(configuracao_.digitosCodigo);
  txtCodigo_->setLocked(fixo);
  txtCodigo_->setParadaTabulacao(!fixo);
  txtCodigo_->setBackColor(palette().color(fixo ? QPalette::Button : QPalette::Base));
}

void TelaCadastro::enfileirarTab(int vezes) {
  QTimer::singleShot(0, this, [this, vezes] {
    // The screen's own focus child: the main window may not have the activation back yet from
    // a message box that has just closed.
    for (int i = 0; i < vezes; ++i) {
      QWidget* foco = focusWidget();
      if (foco == nullptr)
        return;
      QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
      QApplication::sendEvent(foco, &tab);
    }
  });
}

void TelaCadastro::relatarFalha(const Resultado& resultado, const QString& operacao) {
  contexto_.mensagens->falhar(resultado.erro, resultado.numero,
                              QStringLiteral("[%1] - Não foi possível %2").arg(configuracao_.topico, operacao));
}

bool TelaCadastro::teclaPrevia(QKeyEvent* evento) {
  switch (evento->key()) {
  case Qt::Key_Escape:
    if (btnGravar_->isEnabled())
      return false;
    fecharTela();
    return true;
  case Qt::Key_F5:
    if (btnGravar_->isEnabled())
      Gravar();
    else
      Novo();
    return true;
  case Qt::Key_F6:
    if (!btnCancelar_->isEnabled())
      return false;
    Cancelar();
    return true;
  case Qt::Key_F7:
    if (!btnExcluir_->isEnabled())
      return false;
    Excluir();
    enfileirarTab(1);
    return true;
  case Qt::Key_F2: {
    QWidget* foco = QApplication::focusWidget();
    const bool naCaixaCodigo = foco != nullptr && (foco == txtCodigo_ || txtCodigo_->isAncestorOf(foco));
    if (!naCaixaCodigo || !btnLocalizar_->isEnabled())
      return false;
    Localizar();
    return true;
  }
  default:
    return false;
  }
}
