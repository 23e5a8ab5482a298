#pragma once

#include <QHash>
#include <QIconEngine>
#include <QList>
#include <QPixmap>
#include <QString>

/// An icon whose pictures are PNG resources rendered at build time, one per size
/// ("<prefixo><lado>.png"), each decoded only when a window system or a screen first asks for
/// it: a start that never shows the icon decodes none.
class IconeRecursos : public QIconEngine {
public:
  IconeRecursos(QString prefixo, QList<int> lados);

  QPixmap pixmap(const QSize& tamanho, QIcon::Mode modo, QIcon::State estado) override;
  void paint(QPainter* pintor, const QRect& area, QIcon::Mode modo, QIcon::State estado) override;
  QSize actualSize(const QSize& tamanho, QIcon::Mode modo, QIcon::State estado) override;
  QList<QSize> availableSizes(QIcon::Mode modo, QIcon::State estado) override;
  QIconEngine* clone() const override;

private:
  /// The side of the smallest picture that covers `tamanho`, or the largest one.
  int lado(const QSize& tamanho) const;

  QString prefixo_;
  QList<int> lados_;
  QHash<int, QPixmap> lidas_;
};
