#include "controls/EstiloTalonix.h"

#include <QApplication>
#include <QIcon>
#include <QMainWindow>
#include <QPainter>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>
#include <iterator>

namespace {

struct NomeNoTema {
  QStyle::StandardPixmap figura;
  const char* nome;
};

// The freedesktop names of the message-box icons and of the dialog buttons' icons, as desktops
// name them (Yes is OK, No is Cancel).
constexpr NomeNoTema kNomesNoTema[] = {
    {QStyle::SP_MessageBoxInformation, "dialog-information"},
    {QStyle::SP_MessageBoxWarning, "dialog-warning"},
    {QStyle::SP_MessageBoxCritical, "dialog-error"},
    {QStyle::SP_MessageBoxQuestion, "dialog-question"},
    {QStyle::SP_DialogOkButton, "dialog-ok"},
    {QStyle::SP_DialogYesButton, "dialog-ok"},
    {QStyle::SP_DialogYesToAllButton, "dialog-ok"},
    {QStyle::SP_DialogCancelButton, "dialog-cancel"},
    {QStyle::SP_DialogNoButton, "dialog-cancel"},
    {QStyle::SP_DialogNoToAllButton, "dialog-cancel"},
    {QStyle::SP_DialogIgnoreButton, "dialog-cancel"},
    {QStyle::SP_DialogHelpButton, "help-contents"},
    {QStyle::SP_DialogOpenButton, "document-open"},
    {QStyle::SP_DialogSaveButton, "document-save"},
    {QStyle::SP_DialogSaveAllButton, "document-save-all"},
    {QStyle::SP_DialogCloseButton, "window-close"},
    {QStyle::SP_DialogApplyButton, "dialog-ok-apply"},
    {QStyle::SP_DialogResetButton, "edit-undo"},
    {QStyle::SP_RestoreDefaultsButton, "document-revert"},
    {QStyle::SP_DialogDiscardButton, "edit-delete"},
    {QStyle::SP_DialogAbortButton, "process-stop"},
    {QStyle::SP_DialogRetryButton, "view-refresh"},
};

// `de` carried a fraction `t` of the way to `para`, channel by channel: the colour of a gradient
// at `t`, or (with `t` the alpha of `para`) `para` laid over `de` as the painter blends it.
QColor misturar(const QColor& de, const QColor& para, double t) {
  const auto canal = [t](float a, float b) { return static_cast<float>(a + (b - a) * t); };
  return QColor::fromRgbF(canal(de.redF(), para.redF()), canal(de.greenF(), para.greenF()),
                          canal(de.blueF(), para.blueF()));
}

// Fusion's bevel of a tool bar in a main window's top area: a light-to-window gradient, a light
// line at the top, and at the bottom a dark line, or the dark and the light line of the last row.
void desenharBarraNoTopo(const QStyleOptionToolBar& barra, QPainter& pintor) {
  const QRect r = barra.rect;
  const QColor janela = barra.palette.window().color();
  const QColor claro = janela.lighter(104);
  QLinearGradient degrade(r.topLeft(), r.bottomLeft());
  degrade.setColorAt(0, claro);
  degrade.setColorAt(1, janela);
  pintor.fillRect(r, degrade);
  // Fusion's shades of light and shadow, over the gradient's colour where each line lies.
  const QColor luz(255, 255, 255, 90);
  const QColor sombra(0, 0, 0, 60);
  const auto linha = [&](int y, const QColor& cor) {
    const double t = r.height() > 1 ? std::clamp((y + 0.5 - r.top()) / (r.height() - 1), 0.0, 1.0) : 1.0;
    pintor.fillRect(QRect(r.left(), y, r.width(), 1), misturar(misturar(claro, janela, t), cor, cor.alphaF()));
  };
  if (barra.positionOfLine == QStyleOptionToolBar::End || barra.positionOfLine == QStyleOptionToolBar::OnlyOne) {
    linha(r.bottom(), luz);
    linha(r.bottom() - 1, sombra);
  } else {
    linha(r.bottom(), sombra);
  }
  linha(r.top(), luz);
}

}  // namespace

EstiloTalonix::EstiloTalonix(QStyle* base) : QProxyStyle(base) {}

void EstiloTalonix::Instalar() {
  // A bare window manager names no theme, and some platform plugins search no system folder.
  QStringList pastas = QIcon::themeSearchPaths();
  for (const QString& pasta : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                        QStandardPaths::LocateDirectory))
    if (!pastas.contains(pasta))
      pastas << pasta;
  QIcon::setThemeSearchPaths(pastas);
  QIcon::setThemeName(TemaIcones);
  QApplication::setStyle(new EstiloTalonix(QStyleFactory::create(QApplication::style()->name())));
}

QString EstiloTalonix::nomeNoTema(StandardPixmap figura) {
  const auto achado = std::find_if(std::cbegin(kNomesNoTema), std::cend(kNomesNoTema),
                                   [figura](const NomeNoTema& n) { return n.figura == figura; });
  return achado == std::cend(kNomesNoTema) ? QString() : QString::fromLatin1(achado->nome);
}

QIcon EstiloTalonix::standardIcon(StandardPixmap figura, const QStyleOption* opcao, const QWidget* widget) const {
  const QString nome = nomeNoTema(figura);
  // Null when the theme lacks it: the button or the box then shows no icon.
  return nome.isEmpty() ? QProxyStyle::standardIcon(figura, opcao, widget) : QIcon::fromTheme(nome);
}

void EstiloTalonix::drawControl(ControlElement elemento, const QStyleOption* opcao, QPainter* pintor,
                                const QWidget* widget) const {
  const auto* barra = qstyleoption_cast<const QStyleOptionToolBar*>(opcao);
  if (elemento == CE_ToolBar && barra && barra->toolBarArea == Qt::TopToolBarArea &&
      (barra->state & State_Horizontal) && baseStyle()->name() == QLatin1String("fusion") &&
      (!widget || qobject_cast<const QMainWindow*>(widget->parentWidget()))) {
    desenharBarraNoTopo(*barra, *pintor);
    return;
  }
  QProxyStyle::drawControl(elemento, opcao, pintor, widget);
}

int EstiloTalonix::styleHint(StyleHint dica, const QStyleOption* opcao, const QWidget* widget,
                             QStyleHintReturn* retorno) const {
  // Dialog buttons carry their icons on every desktop, so the program looks the same everywhere.
  if (dica == SH_DialogButtonBox_ButtonsHaveIcons)
    return 1;
  return QProxyStyle::styleHint(dica, opcao, widget, retorno);
}
