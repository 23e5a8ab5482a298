#include "reports/engine/DesenhoPagina.h"

#include "reports/engine/ValoresRelatorio.h"

#include <QPainter>

namespace {

void desenharTexto(QPainter& pintor, const ValoresRelatorio& valores, const ObjetoLayout& o, int secao, int indice,
                   const QString& texto, QPointF origem, const MedidorTexto*& fonteAtual) {
  const MedidorTexto& m = valores.medidor(secao, indice);
  const QStringList linhas = valores.linhas(secao, indice, texto);
  const double bloco = static_cast<double>(linhas.size()) * m.alturaLinha();
  const double altura = std::max(o.area.height(), bloco);
  if (o.fundo.isValid())
    pintor.fillRect(QRectF(origem + o.area.topLeft(), QSizeF(o.area.width(), altura)), o.fundo);
  if (texto.isEmpty())
    return;
  if (fonteAtual != &m) {
    pintor.setFont(m.fonte());
    fonteAtual = &m;
  }
  pintor.setPen(o.estilo.cor);
  // The lines sit in the middle of the object's height; a grown object is filled from the top.
  double base = origem.y() + o.area.y() + (altura - bloco) / 2 + m.ascendente();
  for (const QString& linha : linhas) {
    double x = origem.x() + o.area.x();
    if (o.alinhamento != Alinhamento::Esquerda) {
      const double sobra = o.area.width() - m.largura(linha);
      x += o.alinhamento == Alinhamento::Direita ? sobra : sobra / 2;
    }
    pintor.drawText(QPointF(x, base), linha);
    base += m.alturaLinha();
  }
}

}  // namespace

namespace DesenhoPagina {

void Desenhar(QPainter& pintor, const LayoutRelatorio& layout, const ValoresRelatorio& valores,
              std::span<const FaixaPagina> faixas, int pagina, int totalPaginas) {
  const MedidorTexto* fonteAtual = nullptr;
  for (const FaixaPagina& faixa : faixas) {
    const SecaoLayout& secao = layout.secoes.at(faixa.secao);
    const QPointF origem(layout.margens.left(), faixa.y);
    if (secao.fundoAlternado.isValid() && faixa.registro % 2 == 1)
      pintor.fillRect(QRectF(origem, QSizeF(layout.larguraUtil(), faixa.altura)), secao.fundoAlternado);
    for (int i = 0; i < secao.objetos.size(); ++i) {
      const ObjetoLayout& o = secao.objetos.at(i);
      if (o.suprimido)
        continue;
      const QRectF area = o.area.translated(origem);
      if (o.tipo == TipoObjeto::Linha) {
        pintor.setPen(QPen(o.cor, o.espessura, Qt::SolidLine, Qt::FlatCap));
        pintor.drawLine(area.topLeft(), area.bottomRight());
      } else if (o.tipo == TipoObjeto::Caixa) {
        if (o.fundo.isValid())
          pintor.fillRect(area, o.fundo);
        if (o.espessura > 0) {
          pintor.setPen(QPen(o.cor, o.espessura));
          pintor.setBrush(Qt::NoBrush);
          pintor.drawRect(area);
        }
      } else {
        desenharTexto(pintor, valores, o, faixa.secao, i, valores.texto(o, faixa.registro, pagina, totalPaginas),
                      origem, fonteAtual);
      }
    }
  }
}

}  // namespace DesenhoPagina
