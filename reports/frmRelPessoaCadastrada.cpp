#include "reports/frmRelPessoaCadastrada.h"

#include "app/core/Conexao.h"
#include "controls/lvButtons.h"
#include "controls/uscSelecionaRegistro.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

frmRelPessoaCadastrada::frmRelPessoaCadastrada(Contexto contexto, QWidget* parent) : TelaListagem(contexto, parent) {
  setObjectName(QStringLiteral("frmRelPessoaCadastrada"));
  setWindowTitle(QStringLiteral("Pessoas cadastradas"));

  const QString tipos[2] = {QStringLiteral("Sintético"), QStringLiteral("Analítico")};
  QGroupBox* fraTipoDado = grupoOpcoes(QStringLiteral("fraTipoDado"), QStringLiteral("Exibir dados:"),
                                       QStringLiteral("optTipoDado_"), tipos, optTipoDado_);
  const QString ordens[2] = {QStringLiteral("Código"), QStringLiteral("Descrição")};
  QGroupBox* fraOrdenar = grupoOpcoes(QStringLiteral("fraOrdenar"), QStringLiteral("Ordenar por:"),
                                      QStringLiteral("optOrdenacao_"), ordens, optOrdenacao_);

  uscPessoaInicial_ = new uscSelecionaRegistro(*contexto_.mensagens, this);
  uscPessoaInicial_->setObjectName(QStringLiteral("uscPessoaInicial"));
  uscPessoaFinal_ = new uscSelecionaRegistro(*contexto_.mensagens, this);
  uscPessoaFinal_->setObjectName(QStringLiteral("uscPessoaFinal"));
  uscPessoaFinal_->setCodigoNumerico(true);
  uscPessoaFinal_->setEnabled(false);
  // The screen opens with the cursor in the initial code.
  setFocusProxy(uscPessoaInicial_);
  configurar(uscPessoaInicial_, QString(), QStringLiteral("Pessoa - Código inicial"));

  auto* quadros = new QHBoxLayout;
  quadros->addWidget(fraTipoDado);
  quadros->addWidget(fraOrdenar);
  auto* campos = new QVBoxLayout;
  campos->addLayout(quadros);
  campos->addLayout(gradeCodigos(uscPessoaInicial_, uscPessoaFinal_, true));
  montar(campos);
  setMinimumWidth(520);

  connect(uscPessoaInicial_, &uscSelecionaRegistro::valorAlterado, this,
          &frmRelPessoaCadastrada::uscPessoaInicial_Change);
  connect(uscPessoaFinal_, &uscSelecionaRegistro::focoRecebido, this, &frmRelPessoaCadastrada::uscPessoaFinal_GotFocus);
  connect(uscPessoaFinal_, &uscSelecionaRegistro::validar, this, &frmRelPessoaCadastrada::uscPessoaFinal_Validate);
  connect(uscPessoaFinal_, &uscSelecionaRegistro::valorAlterado, this, &frmRelPessoaCadastrada::uscPessoaFinal_Change);
  connect(btnVisualizar_, &lvButtons::clicked, this, &frmRelPessoaCadastrada::btnVisualizar_Click);
}

void frmRelPessoaCadastrada::configurar(uscSelecionaRegistro* seletor, const QString& condicao, const QString& titulo) {
  seletor->setConexao(&Conexao::Banco);
  seletor->setSQL(QStringLiteral("SELECT Codigo,Descricao FROM tbPessoa"));
  seletor->setCondicao(condicao);
  seletor->setCodigoNumerico(true);
  seletor->setTitulo(titulo);
  seletor->LarguraColuna(0, 1000);
  seletor->LarguraColuna(1, 5985);
}

void frmRelPessoaCadastrada::uscPessoaInicial_Change() {
  if (!uscPessoaFinal_->Text(0).trimmed().isEmpty())
    uscPessoaFinal_->setText(0, QString());
  uscPessoaFinal_->setEnabled(!uscPessoaInicial_->Text(0).trimmed().isEmpty());
}

void frmRelPessoaCadastrada::uscPessoaFinal_GotFocus() {
  if (!uscPessoaFinal_->Text(0).trimmed().isEmpty())
    return;
  // Only people from the initial code upwards are offered; the code is digits only.
  configurar(uscPessoaFinal_, QStringLiteral("Codigo>=") + uscPessoaInicial_->Text(0),
             QStringLiteral("Pessoa - Código final"));
  uscPessoaFinal_->setText(0, uscPessoaInicial_->Text(0));
  uscPessoaFinal_->Pesquisar();
}

void frmRelPessoaCadastrada::uscPessoaFinal_Validate(bool&) {
  if (!uscPessoaFinal_->Text(0).trimmed().isEmpty())
    return;
  uscPessoaFinal_->setText(0, uscPessoaInicial_->Text(0));
  uscPessoaFinal_->Pesquisar();
}

void frmRelPessoaCadastrada::uscPessoaFinal_Change() {
  btnVisualizar_->setEnabled(!uscPessoaFinal_->Text(0).trimmed().isEmpty());
}

void frmRelPessoaCadastrada::btnVisualizar_Click() {
  visualizar(optTipoDado_[0]->isChecked() ? QStringLiteral("pessoasin.rpt") : QStringLiteral("pessoaana.rpt"),
             QStringLiteral("{tbPessoa.Codigo} in ") + uscPessoaInicial_->Text(0) + QStringLiteral(" to ") +
                 uscPessoaFinal_->Text(0),
             {QPoint(1, optOrdenacao_[0]->isChecked() ? 1 : 2)}, QStringLiteral("Relatório de pessoas cadastradas"));
}
