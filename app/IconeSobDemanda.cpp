#include "app/IconeSobDemanda.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <utility>

IconeSobDemanda::IconeSobDemanda(Fonte fonte, QList<int> lados) : fonte_(std::move(fonte)), lados_(std::move(lados)) {
  std::sort(lados_.begin(), lados_.end());
}

int IconeSobDemanda::lado(const QSize& tamanho) const {
  const int pedido = std::max(tamanho.width(), tamanho.height());
  const auto cobre = std::find_if(lados_.cbegin(), lados_.cend(), [pedido](int l) { return l >= pedido; });
  return cobre != lados_.cend() ? *cobre : lados_.last();
}

QPixmap IconeSobDemanda::pixmap(const QSize& tamanho, QIcon::Mode modo, QIcon::State) {
  if (lados_.isEmpty() || tamanho.isEmpty())
    return {};
  const int l = lado(tamanho);
  auto feita = feitas_.find(l);
  if (feita == feitas_.end())
    feita = feitas_.insert(l, fonte_(l));
  QPixmap imagem = *feita;
  if (imagem.width() > tamanho.width() || imagem.height() > tamanho.height())
    imagem = imagem.scaled(tamanho, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  if (modo != QIcon::Normal && !imagem.isNull()) {
    QStyleOption opcao;
    opcao.palette = QApplication::palette();
    imagem = QApplication::style()->generatedIconPixmap(modo, imagem, &opcao);
  }
  return imagem;
}

void IconeSobDemanda::paint(QPainter* pintor, const QRect& area, QIcon::Mode modo, QIcon::State estado) {
  const QPixmap imagem = pixmap(area.size(), modo, estado);
  const QRect alvo(QPoint(), imagem.size());
  pintor->drawPixmap(alvo.translated(area.center() - alvo.center()), imagem);
}

QSize IconeSobDemanda::actualSize(const QSize& tamanho, QIcon::Mode, QIcon::State) {
  if (lados_.isEmpty())
    return {};
  const int l = std::min({lado(tamanho), tamanho.width(), tamanho.height()});
  return {l, l};
}

QList<QSize> IconeSobDemanda::availableSizes(QIcon::Mode, QIcon::State) {
  QList<QSize> tamanhos;
  for (const int l : lados_)
    tamanhos.append(QSize(l, l));
  return tamanhos;
}

QIconEngine* IconeSobDemanda::clone() const {
  return new IconeSobDemanda(*this);
}
