#include "controls/ValidacaoFoco.h"

#include "controls/ControleFoco.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QMouseEvent>

namespace {

ControleFoco* comoControle(QWidget* widget) {
  return dynamic_cast<ControleFoco*>(widget);
}

// Eats the mouse press that moved the focus into a widget whose move was refused, and the
// release that follows it, so a refused move does not also click a button.
class EngoleClique final : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override {
    switch (evento->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (QGuiApplication::mouseButtons() == Qt::NoButton)
        terminar(alvo);  // the release went elsewhere (a message box was open)
      return true;
    case QEvent::MouseButtonRelease:
      terminar(alvo);
      return true;
    default:
      return QObject::eventFilter(alvo, evento);
    }
  }

private:
  void terminar(QObject* alvo) {
    alvo->removeEventFilter(this);
    deleteLater();
  }
};

// Sets a flag for the lifetime of the guard.
class Ocupado {
public:
  explicit Ocupado(bool& flag) : flag_(flag) { flag_ = true; }
  ~Ocupado() { flag_ = false; }
  Ocupado(const Ocupado&) = delete;
  Ocupado& operator=(const Ocupado&) = delete;

private:
  bool& flag_;
};

}  // namespace

ValidacaoFoco::ValidacaoFoco(QObject* parent) : QObject(parent) {
  connect(qApp, &QApplication::focusChanged, this, &ValidacaoFoco::focoMudou);
}

void ValidacaoFoco::ativar() {
  static QPointer<ValidacaoFoco> vigia;
  if (vigia == nullptr && qApp != nullptr)
    vigia = new ValidacaoFoco(qApp);
}

QWidget* ValidacaoFoco::controleDe(QWidget* widget) {
  // The outermost one: a control may be built of others (the selector's code box).
  QWidget* controle = nullptr;
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget())
    if (comoControle(w) != nullptr)
      controle = w;
  return controle;
}

QWidget* ValidacaoFoco::controleComFoco() {
  return controleOuWidget(QApplication::focusWidget());
}

QWidget* ValidacaoFoco::janelaDe(QWidget* widget) {
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget())
    if (w->isWindow() || qobject_cast<QMdiSubWindow*>(w) != nullptr)
      return w;
  return nullptr;
}

void ValidacaoFoco::focoMudou(QWidget* widgetAntes, QWidget* widgetAgora) {
  if (ocupado_ || widgetAgora == nullptr)
    return;  // a handler is running, or the focus left for no widget (window deactivated)
  // A handler may delete widgets or move the focus itself.
  const QPointer<QWidget> antes = widgetAntes;
  QPointer<QWidget> agora = widgetAgora;

  QWidget* de = controleDe(antes);
  if (de != nullptr && de != controleDe(agora) && janelaDe(de) == janelaDe(controleOuWidget(agora))) {
    bool cancelar = false;
    Ocupado guarda(ocupado_);
    comoControle(de)->validarSaida(cancelar);
    if (cancelar) {
      (antes != nullptr && janelaDe(antes) == janelaDe(de) ? antes.data() : de)->setFocus(Qt::OtherFocusReason);
      if (agora != nullptr && QGuiApplication::mouseButtons() != Qt::NoButton)
        engolirClique(agora);
      return;
    }
    agora = QApplication::focusWidget();  // where the handler left it
    if (agora == nullptr)
      return;
  }
  anotarFoco(agora);
}

void ValidacaoFoco::anotarFoco(QWidget* agora) {
  QWidget* para = controleDe(agora);
  QWidget* janela = janelaDe(controleOuWidget(agora));
  QPointer<QWidget>& atual = controleAtual_[janela];
  if (atual == para)
    return;
  const QPointer<QWidget> saindo = atual;
  atual = para;
  Ocupado guarda(ocupado_);
  if (saindo != nullptr && janelaDe(saindo) == janela)
    comoControle(saindo)->focoSaiu();
  if (para != nullptr)
    comoControle(para)->focoEntrou();
  controleAtual_.removeIf([](const auto& par) { return par.value() == nullptr; });
}

QWidget* ValidacaoFoco::controleOuWidget(QWidget* widget) {
  QWidget* controle = controleDe(widget);
  return controle != nullptr ? controle : widget;
}

void ValidacaoFoco::engolirClique(QWidget* alvo) {
  alvo->installEventFilter(new EngoleClique(alvo));
}
