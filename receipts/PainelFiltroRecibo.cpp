#include "receipts/PainelFiltroRecibo.h"

#include "app/core/Conexao.h"
#include "app/core/Mensagens.h"
#include "app/core/Numeracao.h"
#include "app/core/Relogio.h"
#include "controls/uscSelecionaRegistro.h"
#include "controls/uscTextBox.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

using Campo = FiltroRecibo::Campo;

namespace {

// One button of an option set. Each set has a group of its own: Qt's own exclusiveness
// would otherwise span the sets nested in one another's frames.
QRadioButton* opcao(const QString& texto, const char* nome, int indice, QButtonGroup* grupo, QBoxLayout* linha) {
  auto* botao = new QRadioButton(texto, qobject_cast<QWidget*>(grupo->parent()));
  botao->setObjectName(QString::fromLatin1(nome) + QLatin1Char('_') + QString::number(indice));
  grupo->addButton(botao, indice);
  linha->addWidget(botao);
  return botao;
}

QDateEdit* seletorData(const char* nome, QWidget* pai) {
  auto* data = new QDateEdit(pai);
  data->setObjectName(QString::fromLatin1(nome));
  data->setCalendarPopup(true);
  data->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  return data;
}

}  // namespace

PainelFiltroRecibo::PainelFiltroRecibo(Contexto contexto, QWidget* parent) : QWidget(parent), contexto_(contexto) {
  setObjectName(QStringLiteral("PainelFiltroRecibo"));
  auto* coluna = new QVBoxLayout(this);
  coluna->setContentsMargins(0, 0, 0, 0);

  auto* fraDataEmissao = new QGroupBox(QStringLiteral("&Data de emissão"), this);
  fraDataEmissao->setObjectName(QStringLiteral("fraDataEmissao"));
  auto* grade = new QVBoxLayout(fraDataEmissao);
  auto* opcoesData = new QHBoxLayout;
  const QString tiposData[] = {QStringLiteral("Não utilizar"), QStringLiteral("Diário"), QStringLiteral("Semanal"),
                               QStringLiteral("Mensal"), QStringLiteral("Anual")};
  auto* grupoData = new QButtonGroup(fraDataEmissao);
  for (int i = 0; i < 5; ++i)
    optTipoData_[i] = opcao(tiposData[i], "optTipoData", i, grupoData, opcoesData);
  connect(grupoData, &QButtonGroup::idClicked, this, &PainelFiltroRecibo::tipoDataClicado);
  opcoesData->addStretch();
  grade->addLayout(opcoesData);
  auto* datas = new QHBoxLayout;
  dtpInicial_ = seletorData("dtpInicial", fraDataEmissao);
  dtpFinal_ = seletorData("dtpFinal", fraDataEmissao);
  datas->addWidget(new QLabel(QStringLiteral("Data inicial:"), fraDataEmissao));
  datas->addWidget(dtpInicial_);
  datas->addSpacing(16);
  datas->addWidget(new QLabel(QStringLiteral("Data final:"), fraDataEmissao));
  datas->addWidget(dtpFinal_);
  datas->addStretch();
  grade->addLayout(datas);
  coluna->addWidget(fraDataEmissao);

  // The filter types sit on the screen itself: every frame but the period and the order is
  // disabled when the type changes, and these buttons must stay usable.
  auto* opcoesFiltro = new QHBoxLayout;
  opcoesFiltro->setContentsMargins(6, 4, 6, 0);
  const QString tiposFiltro[] = {QStringLiteral("Não utilizar mais filtros"), QStringLiteral("&Número do recibo"),
                                 QStringLiteral("&Recebi de"), QStringLiteral("&Emitente")};
  auto* grupoFiltro = new QButtonGroup(this);
  for (int i = 0; i < 4; ++i)
    optTipoFiltro_[i] = opcao(tiposFiltro[i], "optTipoFiltro", i, grupoFiltro, opcoesFiltro);
  connect(grupoFiltro, &QButtonGroup::idClicked, this, &PainelFiltroRecibo::aplicarTipoFiltro);
  opcoesFiltro->addStretch();
  coluna->addLayout(opcoesFiltro);

  fraFiltroCodigoEmpenho_ = new QGroupBox(QStringLiteral("Faixa de números"), this);
  fraFiltroCodigoEmpenho_->setObjectName(QStringLiteral("fraFiltroCodigoEmpenho"));
  auto* faixa = new QGridLayout(fraFiltroCodigoEmpenho_);
  txtCodigoEmpenhoInicial_ = criarCaixa("txtCodigoEmpenhoInicial", 0, Campo::CodigoInicial);
  txtAnoEmpenhoInicial_ = criarCaixa("txtAnoEmpenhoInicial", 4, Campo::AnoInicial);
  txtCodigoEmpenhoFinal_ = criarCaixa("txtCodigoEmpenhoFinal", 0, Campo::CodigoFinal);
  txtAnoEmpenhoFinal_ = criarCaixa("txtAnoEmpenhoFinal", 4, Campo::AnoFinal);
  const auto barra = [this] { return new QLabel(QStringLiteral("/"), fraFiltroCodigoEmpenho_); };
  faixa->addWidget(new QLabel(QStringLiteral("Código inicial:"), fraFiltroCodigoEmpenho_), 0, 0);
  faixa->addWidget(txtCodigoEmpenhoInicial_, 0, 1);
  faixa->addWidget(barra(), 0, 2);
  faixa->addWidget(txtAnoEmpenhoInicial_, 0, 3);
  faixa->addWidget(new QLabel(QStringLiteral("Código final:"), fraFiltroCodigoEmpenho_), 0, 4);
  faixa->addWidget(txtCodigoEmpenhoFinal_, 0, 5);
  faixa->addWidget(barra(), 0, 6);
  faixa->addWidget(txtAnoEmpenhoFinal_, 0, 7);
  faixa->setColumnStretch(8, 1);
  coluna->addWidget(fraFiltroCodigoEmpenho_);

  fraPrestador_ = new QGroupBox(QStringLiteral("Recebi de"), this);
  fraPrestador_->setObjectName(QStringLiteral("fraPrestador"));
  uscRecebi_ = criarSeletor("uscRecebi", QStringLiteral("Pessoa - Prestador de serviço"), fraPrestador_);
  (new QHBoxLayout(fraPrestador_))->addWidget(uscRecebi_);
  coluna->addWidget(fraPrestador_);

  fraEmitente_ = new QGroupBox(QStringLiteral("Emitente"), this);
  fraEmitente_->setObjectName(QStringLiteral("fraEmitente"));
  uscEmitente_ = criarSeletor("uscEmitente", QStringLiteral("Pessoa - Emitente"), fraEmitente_);
  (new QHBoxLayout(fraEmitente_))->addWidget(uscEmitente_);
  coluna->addWidget(fraEmitente_);

  auto* fraOrdenacao = new QGroupBox(QStringLiteral("&Ordenar registros por"), this);
  fraOrdenacao->setObjectName(QStringLiteral("fraOrdenacao"));
  auto* opcoesOrdem = new QHBoxLayout(fraOrdenacao);
  const QString ordens[] = {QStringLiteral("Número do recibo"), QStringLiteral("Data de emissão"),
                            QStringLiteral("Valor")};
  auto* grupoOrdem = new QButtonGroup(fraOrdenacao);
  for (int i = 0; i < 3; ++i)
    optOrdenarPor_[i] = opcao(ordens[i], "optOrdenarPor", i, grupoOrdem, opcoesOrdem);
  opcoesOrdem->addStretch();
  coluna->addWidget(fraOrdenacao);

  optTipoData_[FiltroRecibo::Diario]->setChecked(true);
  setFocusProxy(optTipoData_[FiltroRecibo::Diario]);
  optTipoFiltro_[FiltroRecibo::SemFiltro]->setChecked(true);
  optOrdenarPor_[FiltroRecibo::OrdemNumero]->setChecked(true);
  const QDate hoje = contexto_.relogio->hoje();
  dtpInicial_->setDate(hoje);
  dtpFinal_->setDate(hoje);
  tipoDataClicado(FiltroRecibo::NaoUtilizar);
  aplicarTipoFiltro();
}

uscTextBox* PainelFiltroRecibo::criarCaixa(const char* nome, int tamanhoMaximo, Campo campo) {
  auto* caixa = new uscTextBox(fraFiltroCodigoEmpenho_);
  caixa->setObjectName(QString::fromLatin1(nome));
  caixa->setTipoCaracter(uscTextBox::Digitos);
  caixa->setMaxLength(tamanhoMaximo);
  caixa->setAlinhamento(Qt::AlignRight | Qt::AlignVCenter);
  caixa->setMaximumWidth(caixa->fontMetrics().horizontalAdvance(QStringLiteral("000000000000")));
  connect(caixa, &uscTextBox::valorAlterado, this, [this, caixa] { caixaAlterada(caixa); });
  connect(caixa, &uscTextBox::validar, this, [this, campo](bool& cancelar) { validarCaixa(campo, cancelar); });
  return caixa;
}

uscSelecionaRegistro* PainelFiltroRecibo::criarSeletor(const char* nome, const QString& titulo, QWidget* pai) {
  auto* seletor = new uscSelecionaRegistro(*contexto_.mensagens, pai);
  seletor->setObjectName(QString::fromLatin1(nome));
  seletor->setConexao(&Conexao::Banco);
  seletor->ListarPessoas(titulo);
  return seletor;
}

FiltroRecibo PainelFiltroRecibo::filtro() const {
  FiltroRecibo f;
  for (int i = 0; i < 5; ++i)
    if (optTipoData_[i]->isChecked())
      f.tipoData = static_cast<FiltroRecibo::TipoData>(i);
  f.dataInicial = dtpInicial_->date();
  f.dataFinal = dtpFinal_->date();
  for (int i = 0; i < 4; ++i)
    if (optTipoFiltro_[i]->isChecked())
      f.tipoFiltro = static_cast<FiltroRecibo::TipoFiltro>(i);
  f.codigoInicial = txtCodigoEmpenhoInicial_->Text();
  f.anoInicial = txtAnoEmpenhoInicial_->Text();
  f.codigoFinal = txtCodigoEmpenhoFinal_->Text();
  f.anoFinal = txtAnoEmpenhoFinal_->Text();
  f.recebi = uscRecebi_->Text(0);
  f.emitente = uscEmitente_->Text(0);
  for (int i = 0; i < 3; ++i)
    if (optOrdenarPor_[i]->isChecked())
      f.ordem = static_cast<FiltroRecibo::Ordem>(i);
  return f;
}

bool PainelFiltroRecibo::conferir() {
  const auto recusa = filtro().ConferirSelecao();
  if (recusa)
    mostrar(*recusa);
  return !recusa;
}

void PainelFiltroRecibo::tipoDataClicado(int indice) {
  QDate inicial, final;
  if (!FiltroRecibo::Periodo(static_cast<FiltroRecibo::TipoData>(indice), *contexto_.relogio, inicial, final))
    return;
  dtpInicial_->setDate(inicial);
  dtpFinal_->setDate(final);
}

void PainelFiltroRecibo::aplicarTipoFiltro() {
  // Clearing the boxes is not the operator emptying them: nothing is filled in meanwhile.
  aplicandoTipo_ = true;
  for (QGroupBox* frame : {fraFiltroCodigoEmpenho_, fraPrestador_, fraEmitente_})
    frame->setEnabled(false);
  for (uscTextBox* caixa :
       {txtCodigoEmpenhoInicial_, txtAnoEmpenhoInicial_, txtCodigoEmpenhoFinal_, txtAnoEmpenhoFinal_})
    caixa->setText(QString());
  for (uscSelecionaRegistro* seletor : {uscRecebi_, uscEmitente_})
    seletor->setText(0, QString());
  aplicandoTipo_ = false;

  if (optTipoFiltro_[FiltroRecibo::PorNumero]->isChecked()) {
    fraFiltroCodigoEmpenho_->setEnabled(true);
    const QString ano = anoAtual();
    txtCodigoEmpenhoInicial_->setText(QStringLiteral("1"));
    txtAnoEmpenhoInicial_->setText(ano);
    txtCodigoEmpenhoFinal_->setText(maiorNumero(ano));
    txtAnoEmpenhoFinal_->setText(ano);
  } else if (optTipoFiltro_[FiltroRecibo::PorRecebi]->isChecked()) {
    fraPrestador_->setEnabled(true);
  } else if (optTipoFiltro_[FiltroRecibo::PorEmitente]->isChecked()) {
    fraEmitente_->setEnabled(true);
  }
}

void PainelFiltroRecibo::caixaAlterada(uscTextBox* caixa) {
  if (aplicandoTipo_ || !optTipoFiltro_[FiltroRecibo::PorNumero]->isChecked() || !caixa->Text().trimmed().isEmpty())
    return;
  QString texto;
  if (caixa == txtCodigoEmpenhoInicial_ && !txtAnoEmpenhoInicial_->Text().isEmpty())
    texto = QStringLiteral("1");
  else if (caixa == txtCodigoEmpenhoFinal_ && !txtAnoEmpenhoFinal_->Text().isEmpty())
    texto = maiorNumero(txtAnoEmpenhoFinal_->Text());
  else if (caixa == txtAnoEmpenhoInicial_ || caixa == txtAnoEmpenhoFinal_)
    texto = anoAtual();
  if (texto.isEmpty())
    return;
  caixa->setText(texto);
  caixa->Focar();
}

void PainelFiltroRecibo::validarCaixa(Campo campo, bool& cancelar) {
  const auto recusa = filtro().ValidarSaida(campo);
  if (!recusa)
    return;
  contexto_.mensagens->informar(recusa->texto, recusa->titulo);
  cancelar = true;
}

void PainelFiltroRecibo::mostrar(const FiltroRecibo::Recusa& recusa) {
  contexto_.mensagens->informar(recusa.texto, recusa.titulo);
  if (QWidget* controle = controleDo(recusa.campo))
    controle->setFocus();
}

QWidget* PainelFiltroRecibo::controleDo(Campo campo) const {
  switch (campo) {
  case Campo::CodigoInicial:
    return txtCodigoEmpenhoInicial_;
  case Campo::AnoInicial:
    return txtAnoEmpenhoInicial_;
  case Campo::CodigoFinal:
    return txtCodigoEmpenhoFinal_;
  case Campo::AnoFinal:
    return txtAnoEmpenhoFinal_;
  case Campo::Recebi:
    return uscRecebi_;
  case Campo::Emitente:
    return uscEmitente_;
  }
  return nullptr;
}

QString PainelFiltroRecibo::anoAtual() const {
  return QString::number(contexto_.relogio->hoje().year());
}

QString PainelFiltroRecibo::maiorNumero(const QString& ano) const {
  // A year the store cannot be asked about proposes 1, as an empty year does, after saying why.
  qint64 numero = 1;
  if (const Resultado r = Numeracao::MaiorNumeroRecibo(ano.trimmed().toInt(), numero); !r) {
    contexto_.mensagens->falhar(r.erro, r.numero, QStringLiteral("Não foi possível consultar o número do recibo"));
    numero = 1;
  }
  return QString::number(numero);
}
