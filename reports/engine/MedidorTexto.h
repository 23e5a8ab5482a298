#pragma once

#include "reports/engine/LayoutRelatorio.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

#include <vector>

/// Measures and breaks text in one font, in layout units. The same measure decides where the
/// paginator breaks lines and where the page draws them, so a text never spills out of the
/// height that was reserved for it. Widths of the common letters are kept in a table: a
/// 100,000-row listing is measured in milliseconds.
class MedidorTexto {
public:
  explicit MedidorTexto(const EstiloTexto& estilo);

  const QFont& fonte() const { return fonte_; }
  double alturaLinha() const { return alturaLinha_; }
  double ascendente() const { return ascendente_; }

  double largura(QStringView texto) const;

  /// The lines of `texto` in `largura`: its own line breaks kept, words moved to the next line
  /// when they do not fit, a word wider than the whole line cut.
  QStringList quebrar(const QString& texto, double largura) const;

  /// `texto` on one line, shortened with "…" when it does not fit.
  QString encurtar(const QString& texto, double largura) const;

  /// The font of a text style at layout scale.
  static QFont fonteDoEstilo(const EstiloTexto& estilo);

private:
  double larguraCaractere(QChar c) const;

  QFont fonte_;
  QFontMetricsF metricas_;
  double alturaLinha_ = 0;
  double ascendente_ = 0;
  mutable std::vector<double> tabela_;
};
