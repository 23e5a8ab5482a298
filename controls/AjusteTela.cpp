#include "controls/AjusteTela.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace AjusteTela {

namespace {

// Before the window manager has framed a window its frame is unknown; room is kept for a
// common title bar and border.
constexpr QMargins kMolduraPresumida(4, 32, 4, 4);

QMargins moldura(const QWidget* janela) {
  const QRect quadro = janela->frameGeometry();
  const QRect interior = janela->geometry();
  if (quadro == interior)
    return kMolduraPresumida;
  return {interior.left() - quadro.left(), interior.top() - quadro.top(), quadro.right() - interior.right(),
          quadro.bottom() - interior.bottom()};
}

}  // namespace

void Ajustar(QWidget* janela, Lugar lugar) {
  const QScreen* tela = janela->screen() != nullptr ? janela->screen() : QGuiApplication::primaryScreen();
  if (tela == nullptr)
    return;
  const QRect area = tela->availableGeometry();
  const QMargins margens = moldura(janela);
  const QSize livre = area.size().shrunkBy(margens);
  if (janela->width() > livre.width() || janela->height() > livre.height())
    janela->resize(janela->size().boundedTo(livre).expandedTo(janela->minimumSize()));

  QRect quadro(janela->pos(), janela->size().grownBy(margens));
  if (const QWidget* pai = janela->parentWidget();
      lugar == Lugar::CentroDoPai && pai != nullptr && pai->window()->isVisible())
    quadro.moveCenter(pai->window()->frameGeometry().center());
  // Inside the area; a window larger than the area (its minimum size) keeps its top left there.
  quadro.moveRight(std::min(quadro.right(), area.right()));
  quadro.moveBottom(std::min(quadro.bottom(), area.bottom()));
  quadro.moveLeft(std::max(quadro.left(), area.left()));
  quadro.moveTop(std::max(quadro.top(), area.top()));
  janela->move(quadro.topLeft());
}

}  // namespace AjusteTela
