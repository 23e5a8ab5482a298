#include "reports/TelaListagem.h"

#include "app/core/Mensagens.h"
#include "app/core/Relogio.h"
#include "controls/lvButtons.h"
#include "controls/uscLinhaSeparadora.h"
#include "reports/engine/Relatorio.h"
#include "reports/preview/frmPreviewRelatorio.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

TelaListagem::TelaListagem(Contexto contexto, QWidget* parent) : TelaFilha(contexto, parent) {}

void TelaListagem::montar(QLayout* campos, lvButtons* botao) {
  // Made after the fields, so that Tab reaches the buttons last.
  btnVisualizar_ = new lvButtons(QStringLiteral("&Visualizar"), this);
  btnVisualizar_->setObjectName(QStringLiteral("btnVisualizar"));
  btnVisualizar_->setEnabled(false);
  btnCancelar_ = new lvButtons(QStringLiteral("&Cancelar"), this);
  btnCancelar_->setObjectName(QStringLiteral("btnCancelar"));
  connect(btnCancelar_, &lvButtons::clicked, this, &TelaFilha::fecharTela);

  auto* linha = new uscLinhaSeparadora(this);
  linha->setObjectName(QStringLiteral("uscLinhaSeparadora1"));
  auto* botoes = new QHBoxLayout;
  botoes->addStretch(1);
  botoes->addWidget(btnVisualizar_);
  if (botao != nullptr) {
    botoes->addWidget(botao);
    setTabOrder(btnVisualizar_, botao);
    setTabOrder(botao, btnCancelar_);
  }
  botoes->addWidget(btnCancelar_);
  auto* coluna = new QVBoxLayout(this);
  coluna->addLayout(campos);
  coluna->addWidget(linha);
  coluna->addLayout(botoes);
}

QGroupBox* TelaListagem::grupoOpcoes(const QString& nome, const QString& legenda, const QString& prefixo,
                                     const QString (&textos)[2], QRadioButton* (&botoes)[2]) {
  auto* quadro = new QGroupBox(legenda, this);
  quadro->setObjectName(nome);
  auto* linha = new QHBoxLayout(quadro);
  for (int i = 0; i < 2; ++i) {
    botoes[i] = new QRadioButton(textos[i], quadro);
    botoes[i]->setObjectName(prefixo + QString::number(i));
    linha->addWidget(botoes[i]);
  }
  botoes[0]->setChecked(true);
  return quadro;
}

QGridLayout* TelaListagem::gradeCodigos(QWidget* inicial, QWidget* final, bool estender) {
  auto* grade = new QGridLayout;
  grade->addWidget(new QLabel(QStringLiteral("Código inicial:"), this), 0, 0);
  grade->addWidget(inicial, 0, 1);
  grade->addWidget(new QLabel(QStringLiteral("Código final:"), this), 1, 0);
  grade->addWidget(final, 1, 1);
  grade->setColumnStretch(estender ? 1 : 2, 1);
  return grade;
}

bool TelaListagem::teclaPrevia(QKeyEvent* evento) {
  if (evento->key() != Qt::Key_Escape)
    return false;
  fecharTela();
  return true;
}

void TelaListagem::visualizar(const QString& modelo, const QString& selecao, const QList<QPoint>& ordem,
                              const QString& titulo, const Formulas& formulas) {
  auto relatorio = std::make_shared<Relatorio>();
  Resultado r = relatorio->AbrirModelo(modelo);
  if (r)
    relatorio->DescartarDadosSalvos();
  for (const auto& [nome, texto] : formulas)
    if (r)
      r = relatorio->DefinirFormula(nome, texto);
  if (r)
    r = relatorio->DefinirFormulaSelecao(selecao);
  for (const QPoint& campo : ordem)
    if (r)
      r = relatorio->AdicionarOrdem(campo.x(), campo.y());
  if (!r) {
    contexto_.mensagens->mostrar(r.erro, QStringLiteral("Não foi possível visualizar o relatório"), Icone::Critico);
    return;
  }
  const QDate hoje = contexto_.relogio != nullptr ? contexto_.relogio->hoje() : QDate::currentDate();
  if (contexto_.relogio != nullptr)
    relatorio->DefinirMomentoImpressao(contexto_.relogio->agora());
  // The date in the name sorts the files of one listing by the day they were made.
  frmPreviewRelatorio::Mostrar(this, contexto_, std::move(relatorio), 130, titulo,
                               titulo + QLatin1Char(' ') + hoje.toString(Qt::ISODate));
}
