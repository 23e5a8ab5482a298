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
  // A payer has a handful of receipts in a year, an issuer up to hundreds of thousands; without
  // statistics SQLite weighs two equalities alike, so with a payer chosen the issuer goes as a
  // range, which it weighs as wider, and the payer's index is the one used.
  QString selecao = pagador != 0 ? QStringLiteral("{tbRecibo.Recebi} = %1 AND {tbRecibo.Emitente} in %2 to %2")
                                       .arg(pagador)
                                       .arg(escolha->emitente)
                                 : QStringLiteral("{tbRecibo.Emitente} = %1").arg(escolha->emitente);
  selecao += QStringLiteral(" AND {tbRecibo.DataEmissao} in Date (%1,1,1) to Date (%1,12,31)").arg(escolha->ano);
  const QDate data = hoje();
  visualizar(QStringLiteral("declaracaoanual.rpt"), selecao, {}, QStringLiteral("Declaração anual de pagamentos"),
             {{QStringLiteral("DataDeclaracao"),
               QStringLiteral("Date (%1,%2,%3)").arg(data.year()).arg(data.month()).arg(data.day())}});
}
