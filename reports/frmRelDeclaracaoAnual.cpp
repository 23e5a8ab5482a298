#include "reports/frmRelDeclaracaoAnual.h"

#include "controls/lvButtons.h"
#include "controls/uscSelecionaRegistro.h"

#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

frmRelDeclaracaoAnual::frmRelDeclaracaoAnual(Contexto contexto, QWidget* parent)
    : TelaRelatorioAnual(contexto, QStringLiteral("Declaração anual de pagamentos"), parent) {
  setObjectName(QStringLiteral("frmRelDeclaracaoAnual"));
  const QString opcoes[2] = {QStringLiteral("&Todos os pagadores"), QStringLiteral("&Um pagador")};
  QGroupBox* fraPagador = grupoOpcoes(QStringLiteral("fraPagador"), QStringLiteral("Pagadores:"),
                                      QStringLiteral("optPagador_"), opcoes, optPagador_);
  uscPagador_ = seletorPessoa(QStringLiteral("uscPagador"), QStringLiteral("Pagador"));
  uscPagador_->setEnabled(false);
  fraPagador->layout()->addWidget(uscPagador_);
  static_cast<QHBoxLayout*>(fraPagador->layout())->setStretch(2, 1);
  connect(optPagador_[1], &QRadioButton::toggled, uscPagador_, &QWidget::setEnabled);

  auto* campos = new QVBoxLayout;
  campos->addLayout(grade());
  campos->addWidget(fraPagador);
  montar(campos);
  btnVisualizar_->setEnabled(true);
  connect(btnVisualizar_, &lvButtons::clicked, this, &frmRelDeclaracaoAnual::Visualizar);
}

void frmRelDeclaracaoAnual::Visualizar() {
  const auto escolha = conferir();
  if (!escolha)
    return;
  int pagador = 0;
  if (optPagador_[1]->isChecked()) {
    pagador = codigoEscolhido(uscPagador_, QStringLiteral("Por favor, selecione o pagador."));
    if (pagador == 0)
      return;
  }
  if (!haRecibos(*escolha, pagador))
    return;
  QString selecao =
      QStringLiteral("{tbRecibo.Emitente} = %1 AND {tbRecibo.DataEmissao} in Date (%2,1,1) to Date (%2,12,31)")
          .arg(escolha->emitente)
          .arg(escolha->ano);
  if (pagador != 0)
    selecao += QStringLiteral(" AND {tbRecibo.Recebi} = %1").arg(pagador);
  const QDate data = hoje();
  visualizar(QStringLiteral("declaracaoanual.rpt"), selecao, {}, QStringLiteral("Declaração anual de pagamentos"),
             {{QStringLiteral("DataDeclaracao"),
               QStringLiteral("Date (%1,%2,%3)").arg(data.year()).arg(data.month()).arg(data.day())}});
}
