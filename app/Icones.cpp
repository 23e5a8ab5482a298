#include "app/Icones.h"

#include "app/IconeSobDemanda.h"

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

// Drawn on a 32-pixel grid, at the size a toolbar asks for.
QIcon desenhar(Desenho desenho) {
  return QIcon(new IconeSobDemanda(
      [desenho](int lado) {
        QPixmap imagem(lado, lado);
        imagem.fill(Qt::transparent);
        QPainter pintor(&imagem);
        pintor.setRenderHint(QPainter::Antialiasing);
        pintor.scale(lado / 32.0, lado / 32.0);
        desenho(pintor);
        return imagem;
      },
      {16, 24, 32, 48}));
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

// A green coin with the dollar sign, drawn as strokes: no font is loaded for a toolbar picture.
void moeda(QPainter& p, QPointF centro, double raio) {
  p.save();
  p.translate(centro);
  p.scale(raio / 13, raio / 13);
  p.setPen(QPen(kPapel, 2));
  p.setBrush(kVerde);
  p.drawEllipse(QPointF(0, 0), 13, 13);
  QPainterPath cifrao;
  cifrao.moveTo(5.5, -5.5);
  cifrao.cubicTo(3.5, -8.2, -4.8, -8.4, -4.8, -3.8);
  cifrao.cubicTo(-4.8, 0.8, 5.3, -1, 5.3, 4);
  cifrao.cubicTo(5.3, 8.4, -3.2, 8.5, -5.5, 5.6);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, 2.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(cifrao);
  p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(0.2, -10.5), QPointF(0.2, 10.5));
  p.restore();
}

void recibo(QPainter& p) {
  folha(p);
  p.setPen(QPen(kAzul, 1.6));
  for (const int y : {12, 16})
    p.drawLine(QPointF(10, y), QPointF(24, y));
  moeda(p, QPointF(20, 22), 7);
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
  // The sizes the program carries of the icon's drawing, rendered at build time.
  return QIcon(
      new IconeSobDemanda([](int lado) { return QPixmap(QStringLiteral(":/imagens/talonix-%1.png").arg(lado), "PNG"); },
                          {16, 24, 32, 48, 64, 128}));
}

}  // namespace Icones
