#include "reports/preview/PaginaRelatorio.h"

#include "reports/engine/Relatorio.h"

#include <QPainter>

namespace {
constexpr int kSombra = 4;
}

PaginaRelatorio::PaginaRelatorio(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PaginaRelatorio::definir(std::shared_ptr<const Relatorio> relatorio, int pagina, double escala) {
  if (relatorio == relatorio_ && pagina == pagina_ && escala == escala_)
    return;
  relatorio_ = std::move(relatorio);
  pagina_ = pagina;
  escala_ = escala;
  imagem_ = QImage();
  setFixedSize(sizeHint());
  update();
}

QSize PaginaRelatorio::tamanhoPagina() const {
  if (!relatorio_)
    return {};
  const QSizeF pagina = relatorio_->tamanhoPagina() * escala_;
  return {qRound(pagina.width()), qRound(pagina.height())};
}

QSize PaginaRelatorio::sizeHint() const {
  return tamanhoPagina() + QSize(kSombra, kSombra);
}

void PaginaRelatorio::paintEvent(QPaintEvent*) {
  if (!relatorio_)
    return;
  const QSize tamanho = tamanhoPagina();
  const double razao = devicePixelRatioF();
  if (imagem_.isNull()) {
    imagem_ = QImage(tamanho * razao, QImage::Format_RGB32);
    imagem_.setDevicePixelRatio(razao);
    imagem_.fill(Qt::white);
    QPainter pintor(&imagem_);
    pintor.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    pintor.scale(escala_, escala_);
    relatorio_->desenharPagina(pintor, pagina_);
  }
  QPainter pintor(this);
  pintor.fillRect(QRect(QPoint(kSombra, kSombra), tamanho), QColor(0, 0, 0, 70));
  pintor.drawImage(QPoint(0, 0), imagem_);
  emit paginaDesenhada(pagina_);
}
