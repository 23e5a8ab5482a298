#pragma once

#include <QHash>
#include <QIconEngine>
#include <QList>
#include <QPixmap>

#include <functional>

/// An icon with one square picture per size, each made only when a window system or a screen
/// first asks for that size: a start that shows the icon at one size makes one picture, and a
/// start that never shows it makes none.
class IconeSobDemanda : public QIconEngine {
public:
  /// Makes the picture of one side, in pixels.
  using Fonte = std::function<QPixmap(int lado)>;

  IconeSobDemanda(Fonte fonte, QList<int> lados);

  QPixmap pixmap(const QSize& tamanho, QIcon::Mode modo, QIcon::State estado) override;
  void paint(QPainter* pintor, const QRect& area, QIcon::Mode modo, QIcon::State estado) override;
  QSize actualSize(const QSize& tamanho, QIcon::Mode modo, QIcon::State estado) override;
  QList<QSize> availableSizes(QIcon::Mode modo, QIcon::State estado) override;
  QIconEngine* clone() const override;

private:
  /// The side of the smallest picture that covers `tamanho`, or the largest one.
  int lado(const QSize& tamanho) const;

  Fonte fonte_;
  QList<int> lados_;
  QHash<int, QPixmap> feitas_;
};
