#include "controls/CaixaEdicao.h"

#include "controls/ValidacaoFoco.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace {

// Passes whatever is typed or pasted through the box's filter, keeping the caret after the
// characters that were before it. The length is checked on the filtered text, so a document
// pasted with its dots and dashes fits; an edit that would still be too long is refused.
class FiltroDigitado final : public QValidator {
public:
  FiltroDigitado(std::function<int()> limite, std::function<QString(const QString&)> filtro, QObject* parent)
      : QValidator(parent), limite_(std::move(limite)), filtro_(std::move(filtro)) {}

  State validate(QString& texto, int& posicao) const override {
    const QString filtrado = filtro_(texto);
    if (filtrado.size() > limite_())
      return Invalid;
    posicao = static_cast<int>(std::min(filtro_(texto.left(posicao)).size(), filtrado.size()));
    texto = filtrado;
    return Acceptable;
  }

private:
  std::function<int()> limite_;
  std::function<QString(const QString&)> filtro_;
};

}  // namespace

CaixaEdicao::CaixaEdicao(QWidget* parent) : QWidget(parent), editor_(new QLineEdit(this)) {
  ValidacaoFoco::ativar();
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(editor_);
  setFocusProxy(editor_);
  setSizePolicy(editor_->sizePolicy());
  editor_->setValidator(
      new FiltroDigitado([this] { return limite(); }, [this](const QString& t) { return filtrar(t); }, editor_));
  // The line may report a change when a refused character left its text as it was.
  connect(editor_, &QLineEdit::textChanged, this, [this](const QString& texto) {
    if (texto == ultimoTexto_)
      return;
    ultimoTexto_ = texto;
    emit valorAlterado();
  });
}

CaixaEdicao::~CaixaEdicao() = default;

QString CaixaEdicao::Text() const {
  return editor_->text();
}

void CaixaEdicao::setText(const QString& texto) {
  editor_->setText(cortar(escrito(texto)));
}

void CaixaEdicao::refiltrar() {
  editor_->setText(cortar(filtrar(Text())));
}

QString CaixaEdicao::cortar(const QString& texto) const {
  return texto.left(limite());
}

bool CaixaEdicao::Locked() const {
  return editor_->isReadOnly();
}
void CaixaEdicao::setLocked(bool travado) {
  editor_->setReadOnly(travado);
}

QColor CaixaEdicao::BackColor() const {
  return editor_->palette().color(QPalette::Base);
}
void CaixaEdicao::setBackColor(const QColor& cor) {
  QPalette paleta = editor_->palette();
  paleta.setColor(QPalette::Base, cor);
  editor_->setPalette(paleta);
}

QColor CaixaEdicao::ForeColor() const {
  return editor_->palette().color(QPalette::Text);
}
void CaixaEdicao::setForeColor(const QColor& cor) {
  QPalette paleta = editor_->palette();
  paleta.setColor(QPalette::Text, cor);
  editor_->setPalette(paleta);
}

void CaixaEdicao::setMaxLength(int tamanho) {
  maxLength_ = std::max(tamanho, 0);
  refiltrar();
}

Qt::Alignment CaixaEdicao::alinhamento() const {
  return editor_->alignment();
}
void CaixaEdicao::setAlinhamento(Qt::Alignment alinhamento) {
  editor_->setAlignment(alinhamento);
}

bool CaixaEdicao::paradaTabulacao() const {
  return editor_->focusPolicy() == Qt::StrongFocus;
}
void CaixaEdicao::setParadaTabulacao(bool parada) {
  editor_->setFocusPolicy(parada ? Qt::StrongFocus : Qt::ClickFocus);
}

void CaixaEdicao::Focar() {
  editor_->setFocus(Qt::OtherFocusReason);
}
void CaixaEdicao::selecionarTudo() {
  editor_->selectAll();
}

void CaixaEdicao::validarSaida(bool& cancelar) {
  if (!conferirSaida()) {
    cancelar = true;
    return;
  }
  emit validar(cancelar);
}

void CaixaEdicao::keyPressEvent(QKeyEvent* evento) {
  repasse_.repassar(evento, editor_);
}
void CaixaEdicao::keyReleaseEvent(QKeyEvent* evento) {
  repasse_.repassar(evento, editor_);
}
