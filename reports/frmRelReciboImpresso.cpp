#include "reports/frmRelReciboImpresso.h"

#include "controls/lvButtons.h"
#include "receipts/PainelFiltroRecibo.h"

#include <QVBoxLayout>

namespace {

// The receipts of the layout are its second data table.
constexpr int kTabelaRecibo = 2;

}  // namespace

frmRelReciboImpresso::frmRelReciboImpresso(Contexto contexto, QWidget* parent) : TelaListagem(contexto, parent) {
  setObjectName(QStringLiteral("frmRelReciboImpresso"));
  setWindowTitle(QStringLiteral("Recibos comerciais impressos"));
  painel_ = new PainelFiltroRecibo(contexto_, this);
  auto* campos = new QVBoxLayout;
  campos->addWidget(painel_);
  montar(campos);
  setFocusProxy(painel_);
  btnVisualizar_->setEnabled(true);
  connect(btnVisualizar_, &lvButtons::clicked, this, &frmRelReciboImpresso::Visualizar);
}

void frmRelReciboImpresso::Visualizar() {
  if (!painel_->conferir())
    return;
  const FiltroRecibo filtro = painel_->filtro();
  QList<QPoint> ordem;
  for (const int posicao : filtro.PosicoesOrdenacao())
    ordem << QPoint(kTabelaRecibo, posicao);
  visualizar(QStringLiteral("reciboimpresso.rpt"), filtro.FormulaSelecao(), ordem,
             QStringLiteral("Relatório de recibos emitidos"),
             {{QStringLiteral("PeriodoSelecionado"), filtro.PeriodoSelecionado()}});
}
