#include "reports/frmRelReferenteCadastrado.h"

#include "app/core/Mensagens.h"
#include "controls/lvButtons.h"
#include "controls/uscTextBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include <limits>

namespace {

const QString kTituloReferente = QStringLiteral("Referente");

// The code of a box, when it fits 32 bits.
std::optional<qint32> codigo(const uscTextBox* caixa) {
  bool ok = false;
  const qlonglong valor = caixa->Text().trimmed().toLongLong(&ok);
  if (!ok || valor > std::numeric_limits<qint32>::max())
    return std::nullopt;
  return static_cast<qint32>(valor);
}

}  // namespace

frmRelReferenteCadastrado::frmRelReferenteCadastrado(Contexto contexto, QWidget* parent)
    : TelaListagem(contexto, parent) {
  setObjectName(QStringLiteral("frmRelReferenteCadastrado"));
  setWindowTitle(QStringLiteral("Referentes cadastrados"));

  txtCodigoInicial_ = new uscTextBox(this);
  txtCodigoInicial_->setObjectName(QStringLiteral("txtCodigoInicial"));
  txtCodigoFinal_ = new uscTextBox(this);
  txtCodigoFinal_->setObjectName(QStringLiteral("txtCodigoFinal"));
  for (uscTextBox* caixa : {txtCodigoInicial_, txtCodigoFinal_}) {
    caixa->setTipoCaracter(uscTextBox::Digitos);
    caixa->setMaxLength(10);
    caixa->setAlinhamento(Qt::AlignRight);
  }
  txtCodigoFinal_->setEnabled(false);
  // The screen opens with the cursor in the initial code.
  setFocusProxy(txtCodigoInicial_);

  const QString ordens[2] = {QStringLiteral("Código"), QStringLiteral("Descrição")};
  QGroupBox* fraOrdenar = grupoOpcoes(QStringLiteral("fraOrdenar"), QStringLiteral("Ordenar por:"),
                                      QStringLiteral("optOrdenacao_"), ordens, optOrdenacao_);

  auto* campos = new QVBoxLayout;
  campos->addLayout(gradeCodigos(txtCodigoInicial_, txtCodigoFinal_, false));
  campos->addWidget(fraOrdenar);
  montar(campos);
  setMinimumWidth(360);

  connect(txtCodigoInicial_, &uscTextBox::valorAlterado, this, &frmRelReferenteCadastrado::txtCodigoInicial_Change);
  connect(txtCodigoInicial_, &uscTextBox::validar, this, &frmRelReferenteCadastrado::txtCodigoInicial_Validate);
  connect(txtCodigoFinal_, &uscTextBox::valorAlterado, this, &frmRelReferenteCadastrado::txtCodigoFinal_Change);
  connect(txtCodigoFinal_, &uscTextBox::validar, this, &frmRelReferenteCadastrado::txtCodigoFinal_Validate);
  connect(btnVisualizar_, &lvButtons::clicked, this, &frmRelReferenteCadastrado::btnVisualizar_Click);
}

void frmRelReferenteCadastrado::recusar(const QString& texto, bool& cancelar) {
  contexto_.mensagens->informar(texto, kTituloReferente);
  cancelar = true;
}

bool frmRelReferenteCadastrado::codigoCabe(uscTextBox* caixa, bool& cancelar) {
  if (codigo(caixa))
    return true;
  recusar(QStringLiteral("O código referente deve ser um número de 0 a %1.").arg(std::numeric_limits<qint32>::max()),
          cancelar);
  return false;
}

void frmRelReferenteCadastrado::txtCodigoInicial_Change() {
  if (txtCodigoInicial_->Text().trimmed().isEmpty()) {
    txtCodigoFinal_->setText(QString());
    txtCodigoFinal_->setEnabled(false);
  } else {
    txtCodigoFinal_->setEnabled(true);
  }
}

void frmRelReferenteCadastrado::txtCodigoInicial_Validate(bool& cancelar) {
  if (txtCodigoInicial_->Text().trimmed().isEmpty() || !codigoCabe(txtCodigoInicial_, cancelar))
    return;
  if (txtCodigoFinal_->Text().trimmed().isEmpty())
    txtCodigoFinal_->setText(txtCodigoInicial_->Text());
  else if (const auto final = codigo(txtCodigoFinal_); final && *codigo(txtCodigoInicial_) > *final)
    recusar(QStringLiteral("O código referente inicial não pode ser maior que o código referente final."), cancelar);
}

void frmRelReferenteCadastrado::txtCodigoFinal_Change() {
  btnVisualizar_->setEnabled(!txtCodigoFinal_->Text().trimmed().isEmpty());
}

void frmRelReferenteCadastrado::txtCodigoFinal_Validate(bool& cancelar) {
  if (txtCodigoFinal_->Text().trimmed().isEmpty() || !codigoCabe(txtCodigoFinal_, cancelar))
    return;
  if (const auto inicial = codigo(txtCodigoInicial_); inicial && *codigo(txtCodigoFinal_) < *inicial)
    recusar(QStringLiteral("O código referente final não pode ser menor que o código referente inicial."), cancelar);
}

void frmRelReferenteCadastrado::btnVisualizar_Click() {
  visualizar(QStringLiteral("referente.rpt"),
             QStringLiteral("{tbReferente.Codigo} in ") + txtCodigoInicial_->Text() + QStringLiteral(" to ") +
                 txtCodigoFinal_->Text(),
             {QPoint(1, optOrdenacao_[0]->isChecked() ? 1 : 2)}, QStringLiteral("Relatório de referentes cadastrados"));
}
