#include "registries/frmReferente.h"

#include "app/core/Mensagens.h"
#include "controls/TextoLongo.h"

#include <QGridLayout>
#include <QLabel>
#include <QSqlRecord>
#include <QTextCursor>

namespace {

// A code of at most seven digits.
constexpr int kDigitosCodigo = 7;

// Blanks at the start and at the end of the whole text go; line breaks are not blanks and stay.
QString semBrancosNasPontas(const QString& texto) {
  qsizetype inicio = 0;
  qsizetype fim = texto.size();
  while (inicio < fim && texto.at(inicio) == QLatin1Char(' '))
    ++inicio;
  while (fim > inicio && texto.at(fim - 1) == QLatin1Char(' '))
    --fim;
  return texto.mid(inicio, fim - inicio);
}

}  // namespace

frmReferente::frmReferente(Contexto contexto, QWidget* parent)
    : TelaCadastro({Numeracao::Cadastro::Referente, QStringLiteral("frmReferente"), QStringLiteral("Referente"),
                    QStringLiteral("Referente"), QStringLiteral("Cadastro de referentes"), QStringLiteral("txtCodigo"),
                    QStringLiteral("stbReferente"), QStringLiteral("Referente"), QStringLiteral("Excluir referente"),
                    kDigitosCodigo, 2},
                   contexto, parent) {
  txtDescricao_ = new TextoLongo(this);
  txtDescricao_->setObjectName(QStringLiteral("txtDescricao"));
  txtDescricao_->setMinimumHeight(txtDescricao_->fontMetrics().lineSpacing() * 6);
  auto* rotulo = new QLabel(QStringLiteral("Descrição:"), this);
  rotulo->setObjectName(QStringLiteral("lblDescricao"));
  rotulo->setBuddy(txtDescricao_);
  auto* grade = new QGridLayout;
  grade->addWidget(rotulo, 0, 0, Qt::AlignTop);
  grade->addWidget(txtDescricao_, 0, 1);
  grade->setColumnStretch(1, 1);
  areaCampos()->addLayout(grade);
  setMinimumWidth(520);
  concluirMontagem({txtDescricao_});
}

void frmReferente::habilitarCampos(bool habilitar) {
  txtDescricao_->setEnabled(habilitar);
}

void frmReferente::limparCampos() {
  txtDescricao_->clear();
}

void frmReferente::carregarCampos(const QSqlRecord& registro) {
  txtDescricao_->setTexto(registro.value(QStringLiteral("Descricao")).toString());
  caretNoFim();
}

bool frmReferente::conferirCampos() {
  if (!txtDescricao_->toPlainText().trimmed().isEmpty())
    return true;
  contexto_.mensagens->informar(QStringLiteral("Por favor, entre com a descrição."), QStringLiteral("Referente"));
  focarDescricao();
  return false;
}

QList<TabelaCadastro::Coluna> frmReferente::colunasGravadas() const {
  return {{QStringLiteral("Descricao"), semBrancosNasPontas(txtDescricao_->toPlainText())}};
}

void frmReferente::focarPrimeiroCampo() {
  focarDescricao();
}

void frmReferente::focarDescricao() {
  txtDescricao_->setFocus(Qt::OtherFocusReason);
  caretNoFim();
}

void frmReferente::caretNoFim() {
  txtDescricao_->moveCursor(QTextCursor::End);
}
