#include "registries/frmLocalizar.h"

#include "app/core/Mensagens.h"
#include "controls/Twips.h"
#include "controls/lvButtons.h"
#include "registries/ListaLocalizar.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>

namespace {

constexpr int kLarguraCodigo = Twips::Pixels(1000);
constexpr int kLarguraDescricao = Twips::Pixels(5985);

}  // namespace

frmLocalizar::frmLocalizar(Numeracao::Cadastro cadastro, Contexto contexto, QWidget* parent)
    : TelaModal(parent), contexto_(contexto), lista_(new ListaLocalizar(cadastro, this)) {
  const bool pessoa = cadastro == Numeracao::Cadastro::Pessoa;
  setObjectName(pessoa ? QStringLiteral("frmLocalizarPessoa") : QStringLiteral("frmLocalizarReferente"));
  setWindowTitle(pessoa ? QStringLiteral("Localizar pessoa") : QStringLiteral("Localizar referente"));

  lsvLocalizar_ = new QTreeView(this);
  lsvLocalizar_->setObjectName(QStringLiteral("lsvLocalizar"));
  lsvLocalizar_->setRootIsDecorated(false);
  lsvLocalizar_->setItemsExpandable(false);
  lsvLocalizar_->setUniformRowHeights(true);
  lsvLocalizar_->setAllColumnsShowFocus(true);
  lsvLocalizar_->setSelectionMode(QAbstractItemView::SingleSelection);
  lsvLocalizar_->setSelectionBehavior(QAbstractItemView::SelectRows);
  lsvLocalizar_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lsvLocalizar_->setModel(lista_);
  lsvLocalizar_->setColumnHidden(ListaLocalizar::ColunaChave, true);
  lsvLocalizar_->setColumnWidth(ListaLocalizar::ColunaCodigo, kLarguraCodigo);
  lsvLocalizar_->setColumnWidth(ListaLocalizar::ColunaDescricao, kLarguraDescricao);
  lsvLocalizar_->header()->setStretchLastSection(false);
  lsvLocalizar_->header()->setSectionsMovable(false);

  auto* rotulo = new QLabel(QStringLiteral("Descrição"), this);
  rotulo->setObjectName(QStringLiteral("lblDescricao"));
  txtDescricao_ = new QLineEdit(this);
  txtDescricao_->setObjectName(QStringLiteral("txtDescricao"));
  rotulo->setBuddy(txtDescricao_);
  txtDescricao_->installEventFilter(this);

  cmbOK_ = new lvButtons(QStringLiteral("&OK"), this);
  cmbOK_->setObjectName(QStringLiteral("cmbOK"));
  cmbFechar_ = new lvButtons(QStringLiteral("&Cancelar"), this);
  cmbFechar_->setObjectName(QStringLiteral("cmbFechar"));

  auto* grade = new QGridLayout(this);
  grade->addWidget(lsvLocalizar_, 0, 0, 1, 4);
  grade->addWidget(rotulo, 1, 0);
  grade->addWidget(txtDescricao_, 1, 1);
  grade->addWidget(cmbOK_, 1, 2);
  grade->addWidget(cmbFechar_, 1, 3);
  grade->setColumnStretch(1, 1);
  resize(kLarguraCodigo + kLarguraDescricao + 40, 330);

  setTabOrder(txtDescricao_, lsvLocalizar_);
  setTabOrder(lsvLocalizar_, cmbOK_);
  setTabOrder(cmbOK_, cmbFechar_);
  txtDescricao_->setFocus();

  connect(txtDescricao_, &QLineEdit::textChanged, this, &frmLocalizar::PreencherLista);
  connect(cmbOK_, &lvButtons::clicked, this, &frmLocalizar::accept);
  connect(cmbFechar_, &lvButtons::clicked, this, &frmLocalizar::reject);
}

QString frmLocalizar::CodigoSelecionado() const {
  const QModelIndex atual = lsvLocalizar_->currentIndex();
  return atual.isValid() ? lista_->Chave(atual.row()) : QString();
}

void frmLocalizar::accept() {
  cancelado_ = false;
  QDialog::accept();
}

void frmLocalizar::reject() {
  cancelado_ = true;
  QDialog::reject();
}

void frmLocalizar::showEvent(QShowEvent* evento) {
  TelaModal::showEvent(evento);
  PreencherLista();
}

void frmLocalizar::changeEvent(QEvent* evento) {
  QDialog::changeEvent(evento);
  if (evento->type() == QEvent::ActivationChange && isActiveWindow())
    PreencherLista();
}

void frmLocalizar::closeEvent(QCloseEvent* evento) {
  // The dialog is left through OK, Cancelar or Esc only.
  evento->ignore();
}

bool frmLocalizar::eventFilter(QObject* alvo, QEvent* evento) {
  if (alvo == txtDescricao_ && evento->type() == QEvent::KeyPress && lista_->rowCount() > 0) {
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    if (tecla == Qt::Key_Down || tecla == Qt::Key_Up) {
      moverSelecao(tecla == Qt::Key_Down ? 1 : -1);
      return true;
    }
  }
  return QDialog::eventFilter(alvo, evento);
}

void frmLocalizar::PreencherLista() {
  const Resultado resultado = lista_->Preencher(txtDescricao_->text());
  if (lista_->rowCount() > 0)
    lsvLocalizar_->setCurrentIndex(lista_->index(0, ListaLocalizar::ColunaCodigo));
  cmbOK_->setEnabled(lista_->rowCount() > 0);
  // The list is filled again whenever the dialog comes back to the front, also when the message
  // box closes: a store that keeps failing is reported once, until a fill succeeds again.
  if (!resultado && !falhaRelatada_)
    contexto_.mensagens->falhar(resultado.erro, resultado.numero,
                                QStringLiteral("Não foi possível localizar o registro"));
  falhaRelatada_ = !resultado;
}

void frmLocalizar::moverSelecao(int passo) {
  const int linha = lsvLocalizar_->currentIndex().row() + passo;
  if (linha < 0 || linha >= lista_->rowCount())
    return;
  const QModelIndex destino = lista_->index(linha, ListaLocalizar::ColunaCodigo);
  lsvLocalizar_->setCurrentIndex(destino);
  lsvLocalizar_->scrollTo(destino);
}
