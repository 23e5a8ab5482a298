#include "receipts/frmLocalizarReciboComercial.h"

#include "app/core/Mensagens.h"
#include "controls/Twips.h"
#include "controls/lvButtons.h"
#include "controls/uscLinhaSeparadora.h"
#include "receipts/ModeloRecibos.h"
#include "receipts/PainelFiltroRecibo.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Widths of the list's columns, in twips; the first column is hidden.
constexpr int kLarguras[] = {0, 1124, 824, 1244, 1665, 4754, 4754};

}  // namespace

frmLocalizarReciboComercial::frmLocalizarReciboComercial(Contexto contexto, QWidget* parent)
    : TelaModal(parent), contexto_(contexto) {
  setObjectName(QStringLiteral("frmLocalizarReciboComercial"));
  setWindowTitle(QStringLiteral("Localizar recibo comercial"));
  auto* coluna = new QVBoxLayout(this);

  painel_ = new PainelFiltroRecibo(contexto_, this);
  coluna->addWidget(painel_);

  auto* linhaBusca = new QHBoxLayout;
  lblRegistros_ = new QLabel(this);
  lblRegistros_->setObjectName(QStringLiteral("lblRegistros"));
  btnSelecionaRegistrps_ = new lvButtons(QStringLiteral("&Selecionar registros"), this);
  btnSelecionaRegistrps_->setObjectName(QStringLiteral("btnSelecionaRegistrps"));
  linhaBusca->addWidget(lblRegistros_, 1);
  linhaBusca->addWidget(btnSelecionaRegistrps_);
  coluna->addLayout(linhaBusca);

  modelo_ = new ModeloRecibos(this);
  lsvRecibo_ = new QTreeView(this);
  lsvRecibo_->setObjectName(QStringLiteral("lsvRecibo"));
  lsvRecibo_->setModel(modelo_);
  lsvRecibo_->setRootIsDecorated(false);
  lsvRecibo_->setItemsExpandable(false);
  lsvRecibo_->setUniformRowHeights(true);
  lsvRecibo_->setAlternatingRowColors(true);
  lsvRecibo_->setAllColumnsShowFocus(true);
  lsvRecibo_->setSelectionMode(QAbstractItemView::SingleSelection);
  lsvRecibo_->setSelectionBehavior(QAbstractItemView::SelectRows);
  lsvRecibo_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lsvRecibo_->header()->setStretchLastSection(false);
  lsvRecibo_->header()->setSectionsMovable(false);
  for (int c = 0; c < ModeloRecibos::NumColunas; ++c)
    lsvRecibo_->setColumnWidth(c, Twips::Pixels(kLarguras[c]));
  lsvRecibo_->setColumnHidden(ModeloRecibos::ColChave, true);
  lsvRecibo_->setMinimumHeight(150);
  coluna->addWidget(lsvRecibo_, 1);

  auto* uscLinhaSeparadora1 = new uscLinhaSeparadora(this);
  uscLinhaSeparadora1->setObjectName(QStringLiteral("uscLinhaSeparadora1"));
  coluna->addWidget(uscLinhaSeparadora1);

  auto* botoes = new QHBoxLayout;
  btnOK_ = new lvButtons(QStringLiteral("&OK"), this);
  btnOK_->setObjectName(QStringLiteral("btnOK"));
  btnOK_->setEnabled(false);
  btnCancelar_ = new lvButtons(QStringLiteral("&Cancelar"), this);
  btnCancelar_->setObjectName(QStringLiteral("btnCancelar"));
  botoes->addStretch();
  botoes->addWidget(btnOK_);
  botoes->addWidget(btnCancelar_);
  coluna->addLayout(botoes);

  // Enter in the filter does not press a button by itself; the search runs from its button.
  for (lvButtons* botao : {btnSelecionaRegistrps_, btnOK_, btnCancelar_})
    botao->setAutoDefault(false);

  connect(btnSelecionaRegistrps_, &lvButtons::clicked, this, &frmLocalizarReciboComercial::SelecionarRegistros);
  connect(btnOK_, &lvButtons::clicked, this, &frmLocalizarReciboComercial::confirmar);
  connect(btnCancelar_, &lvButtons::clicked, this, &frmLocalizarReciboComercial::reject);
  resize(900, 720);
}

void frmLocalizarReciboComercial::SelecionarRegistros() {
  if (!painel_->conferir())
    return;
  const Resultado resultado = modelo_->carregar(ModeloRecibos::TextoConsulta(painel_->filtro()));
  if (!resultado)
    contexto_.mensagens->falhar(resultado.erro, resultado.numero,
                                QStringLiteral("Não foi possível localizar os recibos"));
  const int n = modelo_->rowCount();
  if (n > 1)
    lblRegistros_->setText(QStringLiteral("Foram localizados %1 registros.").arg(n));
  else if (n == 1)
    lblRegistros_->setText(QStringLiteral("Foi localizado 1 registro."));
  else
    lblRegistros_->setText(QStringLiteral("Não foi localizado nenhum registro."));
  if (n == 0) {
    btnOK_->setEnabled(false);
    return;
  }
  // The first receipt found is the one selected.
  lsvRecibo_->setCurrentIndex(modelo_->index(0, ModeloRecibos::ColRecibo));
  lsvRecibo_->scrollToTop();
  focusNextChild();
  btnOK_->setEnabled(true);
}

void frmLocalizarReciboComercial::confirmar() {
  if (linhaSelecionada() < 0) {
    contexto_.mensagens->informar(QStringLiteral("Selecione um registro."),
                                  QStringLiteral("Localizar recibo impresso"));
    lsvRecibo_->setFocus();
    return;
  }
  cancelado_ = false;
  done(Accepted);
}

void frmLocalizarReciboComercial::reject() {
  cancelado_ = true;
  done(Rejected);
}

void frmLocalizarReciboComercial::closeEvent(QCloseEvent* evento) {
  // The window's close box does nothing: the dialog is left through OK, Cancelar or Esc.
  evento->ignore();
}

int frmLocalizarReciboComercial::linhaSelecionada() const {
  const QModelIndexList linhas = lsvRecibo_->selectionModel()->selectedRows();
  return linhas.isEmpty() ? -1 : linhas.first().row();
}

qint32 frmLocalizarReciboComercial::NumeroSelecionado() const {
  const int linha = linhaSelecionada();
  return linha < 0 ? 0 : modelo_->linha(linha).codigo;
}

qint16 frmLocalizarReciboComercial::AnoSelecionado() const {
  const int linha = linhaSelecionada();
  return linha < 0 ? 0 : modelo_->linha(linha).ano;
}
