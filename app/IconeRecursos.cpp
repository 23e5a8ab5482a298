#include "app/IconeRecursos.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <utility>

IconeRecursos::IconeRecursos(QString prefixo, QList<int> lados)
    : prefixo_(std::move(prefixo)), lados_(std::move(lados)) {
  std::sort(lados_.begin(), lados_.end());
}

int IconeRecursos::lado(const QSize& tamanho) const {
  const int pedido = std::max(tamanho.width(), tamanho.height());
  const auto cobre = std::find_if(lados_.cbegin(), lados_.cend(), [pedido](int l) { return l >= pedido; });
  return cobre != lados_.cend() ? *cobre : lados_.last();
}

QPixmap IconeRecursos::pixmap(const QSize& tamanho, QIcon::Mode modo, QIcon::State) {
  if (lados_.isEmpty() || tamanho.isEmpty())
    return {};
  const int l = lado(tamanho);
  auto lida = lidas_.find(l);
  if (lida == lidas_.end())
    lida = lidas_.insert(l, QPixmap(prefixo_ + QString::number(l) + QStringLiteral(".png"), "PNG"));
  QPixmap imagem = *lida;
  if (imagem.width() > tamanho.width() || imagem.height() > tamanho.height())
    imagem = imagem.scaled(tamanho, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  if (modo != QIcon::Normal && !imagem.isNull()) {
    QStyleOption opcao;
    opcao.palette = QApplication::palette();
    imagem = QApplication::style()->generatedIconPixmap(modo, imagem, &opcao);
  }
  return imagem;
}

void IconeRecursos::paint(QPainter* pintor, const QRect& area, QIcon::Mode modo, QIcon::State estado) {
  const QPixmap imagem = pixmap(area.size(), modo, estado);
  const QRect alvo(QPoint(), imagem.size());
  pintor->drawPixmap(alvo.translated(area.center() - alvo.center()), imagem);
}

QSize IconeRecursos::actualSize(const QSize& tamanho, QIcon::Mode, QIcon::State) {
  if (lados_.isEmpty())
    return {};
  const int l = std::min({lado(tamanho), tamanho.width(), tamanho.height()});
  return {l, l};
}

QList<QSize> IconeRecursos::availableSizes(QIcon::Mode, QIcon::State) {
  QList<QSize> tamanhos;
  for (const int l : lados_)
    tamanhos.append(QSize(l, l));
  return tamanhos;
}

QIconEngine* IconeRecursos::clone() const {
  return new IconeRecursos(*this);
}
