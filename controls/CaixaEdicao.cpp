#include "controls/CaixaEdicao.h"

#include "controls/ValidacaoFoco.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include <memory>

namespace {

// A box with no limit of its own holds as much as a line edit can.
constexpr int kSemLimite = 32767;

// Passes whatever is typed or pasted through the box's filter, keeping the caret after the
// characters that were before it.
class FiltroDigitado final : public QValidator {
public:
  explicit FiltroDigitado(std::function<QString(const QString&)> filtro, QObject* parent)
      : QValidator(parent), filtro_(std::move(filtro)) {}

  State validate(QString& texto, int& posicao) const override {
    const QString antes = filtro_(texto.left(posicao));
    texto = filtro_(texto);
    posicao = static_cast<int>(std::min(antes.size(), texto.size()));
    return Acceptable;
  }

private:
  std::function<QString(const QString&)> filtro_;
};

}  // namespace

CaixaEdicao::CaixaEdicao(QWidget* parent) : QWidget(parent), editor_(new QLineEdit(this)) {
  ValidacaoFoco::ativar();
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(editor_);
  setFocusProxy(editor_);
  setSizePolicy(editor_->sizePolicy());
  editor_->setValidator(new FiltroDigitado([this](const QString& t) { return filtrar(t); }, editor_));
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
  editor_->setText(escrito(texto));
}

void CaixaEdicao::refiltrar() {
  editor_->setText(filtrar(Text()));
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

int CaixaEdicao::MaxLength() const {
  return editor_->maxLength() == kSemLimite ? 0 : editor_->maxLength();
}
void CaixaEdicao::setMaxLength(int tamanho) {
  editor_->setMaxLength(tamanho <= 0 ? kSemLimite : tamanho);
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

// Keys sent to the box itself (rather than to its line, which holds the focus) are passed to
// the line as if typed there, through every filter on the way; a key the line leaves unused
// comes back up here and goes on to the box's parents once.
void CaixaEdicao::reenviar(QKeyEvent* evento) {
  if (reenviando_) {
    evento->ignore();
    return;
  }
  reenviando_ = true;
  const std::unique_ptr<QEvent> copia(evento->clone());
  QCoreApplication::sendEvent(editor_, copia.get());
  reenviando_ = false;
}

void CaixaEdicao::keyPressEvent(QKeyEvent* evento) {
  reenviar(evento);
}
void CaixaEdicao::keyReleaseEvent(QKeyEvent* evento) {
  reenviar(evento);
}
