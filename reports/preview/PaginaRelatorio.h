#pragma once

#include <QImage>
#include <QWidget>

#include <memory>

class Relatorio;

/// One page of a report on the screen, drawn when it is shown: the page is rendered once per
/// page and zoom into an image and painted from it until either changes.
class PaginaRelatorio : public QWidget {
  Q_OBJECT
public:
  explicit PaginaRelatorio(QWidget* parent = nullptr);

  void definir(std::shared_ptr<const Relatorio> relatorio, int pagina, double escala);
  int pagina() const { return pagina_; }
  QSize sizeHint() const override;

signals:
  /// A page has just been painted on the screen.
  void paginaDesenhada(int pagina);

protected:
  void paintEvent(QPaintEvent* evento) override;

private:
  QSize tamanhoPagina() const;

  std::shared_ptr<const Relatorio> relatorio_;
  int pagina_ = 0;
  double escala_ = 1;
  QImage imagem_;
};
