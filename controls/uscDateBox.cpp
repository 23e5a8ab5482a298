#include "controls/uscDateBox.h"

#include "app/core/Mensagens.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <QVBoxLayout>

uscDateBox::uscDateBox(Mensagens& mensagens, QWidget* parent)
    : CaixaEdicao(parent), mensagens_(mensagens), botao_(new QToolButton(this)) {
  setMaxLength(static_cast<int>(mascara_.formato().size()));
  botao_->setArrowType(Qt::DownArrow);
  botao_->setFocusPolicy(Qt::NoFocus);
  botao_->setToolTip(QStringLiteral("Calendário (F4)"));
  layout()->addWidget(botao_);
  connect(botao_, &QToolButton::clicked, this, &uscDateBox::abrirCalendario);
  editor()->installEventFilter(this);
}

QDate uscDateBox::data() const {
  return QDate::fromString(Text(), Formato);
}

void uscDateBox::setData(const QDate& data) {
  setText(data.isValid() ? data.toString(Formato) : QString());
}

void uscDateBox::abrirCalendario() {
  if (!isEnabled() || Locked())
    return;
  if (popup_ == nullptr) {
    // A popup window that belongs to the box, so picking in it is not leaving the box.
    popup_ = new QWidget(this, Qt::Popup);
    calendario_ = new QCalendarWidget(popup_);
    calendario_->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    calendario_->setGridVisible(true);
    auto* layout = new QVBoxLayout(popup_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(calendario_);
    connect(calendario_, &QCalendarWidget::activated, this, [this](QDate escolhida) {
      setData(escolhida);
      popup_->hide();
      Focar();
    });
  }
  const QDate atual = data();
  calendario_->setSelectedDate(atual.isValid() ? atual : QDate::currentDate());
  popup_->adjustSize();
  popup_->move(mapToGlobal(QPoint(0, height())));
  popup_->show();
  calendario_->setFocus(Qt::PopupFocusReason);
}

bool uscDateBox::conferirSaida() {
  if (Text().isEmpty() || data().isValid())
    return true;
  mensagens_.informar(QStringLiteral("A data informada não é válida. Informe dia, mês e ano, como 31/12/2026."),
                      TituloMensagem);
  Focar();
  return false;
}

bool uscDateBox::eventFilter(QObject* alvo, QEvent* evento) {
  if (alvo == editor() && evento->type() == QEvent::KeyPress) {
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    if (tecla->key() == Qt::Key_F4 || (tecla->key() == Qt::Key_Down && tecla->modifiers() & Qt::AltModifier)) {
      abrirCalendario();
      return true;
    }
  }
  return CaixaEdicao::eventFilter(alvo, evento);
}
