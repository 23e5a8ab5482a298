#include "reports/frmRelReciboImpresso.h"

#include "app/core/Mensagens.h"
#include "controls/lvButtons.h"
#include "controls/uscLinhaSeparadora.h"
#include "receipts/PainelFiltroRecibo.h"
#include "reports/engine/Relatorio.h"
#include "reports/engine/frmPreviewRelatorio.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <memory>

namespace {

// The receipts of the layout are its second data table.
constexpr int kTabelaRecibo = 2;

}  // namespace

frmRelReciboImpresso::frmRelReciboImpresso(Contexto contexto, QWidget* parent) : TelaFilha(contexto, parent) {
  setObjectName(QStringLiteral("frmRelReciboImpresso"));
  setWindowTitle(QStringLiteral("Recibos comerciais impressos"));
  auto* coluna = new QVBoxLayout(this);
  painel_ = new PainelFiltroRecibo(contexto_, this);
  coluna->addWidget(painel_);

  auto* uscLinhaSeparadora1 = new uscLinhaSeparadora(this);
  uscLinhaSeparadora1->setObjectName(QStringLiteral("uscLinhaSeparadora1"));
  coluna->addWidget(uscLinhaSeparadora1);

  auto* botoes = new QHBoxLayout;
  btnVisualizar_ = new lvButtons(QStringLiteral("&Visualizar"), this);
  btnVisualizar_->setObjectName(QStringLiteral("btnVisualizar"));
  btnCancelar_ = new lvButtons(QStringLiteral("&Cancelar"), this);
  btnCancelar_->setObjectName(QStringLiteral("btnCancelar"));
  botoes->addStretch();
  botoes->addWidget(btnVisualizar_);
  botoes->addWidget(btnCancelar_);
  coluna->addLayout(botoes);

  connect(btnVisualizar_, &lvButtons::clicked, this, &frmRelReciboImpresso::Visualizar);
  connect(btnCancelar_, &lvButtons::clicked, this, &TelaFilha::fecharTela);
}

bool frmRelReciboImpresso::teclaPrevia(QKeyEvent* evento) {
  if (evento->key() != Qt::Key_Escape || evento->modifiers() != Qt::NoModifier)
    return false;
  fecharTela();
  return true;
}

void frmRelReciboImpresso::Visualizar() {
  if (!painel_->conferir())
    return;
  const FiltroRecibo filtro = painel_->filtro();
  auto relatorio = std::make_shared<Relatorio>();
  Resultado r = relatorio->AbrirModelo(QStringLiteral("reciboimpresso.rpt"));
  if (r) {
    relatorio->DescartarDadosSalvos();
    r = relatorio->DefinirFormula(QStringLiteral("PeriodoSelecionado"), filtro.PeriodoSelecionado());
  }
  if (r)
    r = relatorio->DefinirFormulaSelecao(filtro.FormulaSelecao());
  for (const int posicao : filtro.PosicoesOrdenacao())
    if (r)
      r = relatorio->AdicionarOrdem(kTabelaRecibo, posicao);
  if (!r) {
    contexto_.mensagens->mostrar(r.erro, QStringLiteral("Não foi possível preparar o relatório"), Icone::Critico);
    return;
  }
  frmPreviewRelatorio::Mostrar(this, contexto_, std::move(relatorio), 130,
                               QStringLiteral("Relatório de recibos emitidos"));
}
