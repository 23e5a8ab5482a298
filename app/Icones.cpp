#include "app/Icones.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace Icones {
namespace {

const QColor kAzul(0x1f, 0x5f, 0x99);
const QColor kVerde(0x2e, 0x7d, 0x32);
const QColor kPapel(0xfb, 0xfb, 0xf7);
const QColor kTraco(0x44, 0x44, 0x44);

using Desenho = void (*)(QPainter&);

QIcon desenhar(Desenho desenho) {
  QIcon icone;
  for (const int lado : {16, 24, 32, 48}) {
    QPixmap imagem(lado, lado);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.scale(lado / 32.0, lado / 32.0);
    desenho(pintor);
    icone.addPixmap(imagem);
  }
  return icone;
}

void folha(QPainter& p) {
  p.setPen(QPen(kTraco, 1.5));
  p.setBrush(kPapel);
  QPainterPath borda;
  borda.moveTo(7, 3);
  borda.lineTo(21, 3);
  borda.lineTo(27, 9);
  borda.lineTo(27, 29);
  borda.lineTo(7, 29);
  borda.closeSubpath();
  p.drawPath(borda);
  p.drawLine(QPointF(21, 3), QPointF(21, 9));
  p.drawLine(QPointF(21, 9), QPointF(27, 9));
}

void pessoa(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kAzul);
  p.drawEllipse(QPointF(16, 10), 6, 6);
  QPainterPath corpo;
  corpo.moveTo(4, 30);
  corpo.cubicTo(4, 18, 28, 18, 28, 30);
  corpo.closeSubpath();
  p.drawPath(corpo);
}

void recibo(QPainter& p) {
  folha(p);
  p.setPen(QPen(kVerde, 1));
  QFont fonte(QStringLiteral("Sans"));
  fonte.setPixelSize(10);
  fonte.setBold(true);
  p.setFont(fonte);
  p.drawText(QRectF(7, 10, 20, 11), Qt::AlignCenter, QStringLiteral("R$"));
  p.setPen(QPen(kTraco, 1.2));
  p.drawLine(QPointF(10, 24), QPointF(24, 24));
}

void referente(QPainter& p) {
  folha(p);
  p.setPen(QPen(kAzul, 1.6));
  for (const int y : {12, 16, 20, 24})
    p.drawLine(QPointF(10, y), QPointF(y == 24 ? 18 : 24, y));
}

}  // namespace

QList<QIcon> ListaPrincipal() {
  return {desenhar(pessoa), desenhar(recibo), desenhar(referente)};
}

QIcon Programa() {
  return desenhar(recibo);
}

}  // namespace Icones
