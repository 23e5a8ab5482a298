#pragma once

#include "controls/CaixaEdicao.h"

#include <optional>

class Mensagens;

/// The amount box: an amount typed and shown with Brazilian separators in the form
/// "#,##0.00", right-aligned. The text is formatted when the focus leaves the box or when the
/// program writes it; text that is not an amount, or beyond `Moeda::MaximoAceito` (where the
/// amount could no longer be written out in words exactly), is refused on leaving with a
/// message. An amount the program writes is shown whatever its size. An empty box reads as
/// empty.
class uscTextValue : public CaixaEdicao {
  Q_OBJECT
public:
  explicit uscTextValue(Mensagens& mensagens, QWidget* parent = nullptr);

  /// The amount in ten-thousandths of a real, rounded to the cent as the box shows it; nothing
  /// when the box is empty or does not hold an amount it accepts.
  std::optional<qint64> valorDecimosMilesimos() const;
  /// Shows the amount, formatted.
  void setValorDecimosMilesimos(qint64 valor);

  /// Title of the box's own refusals.
  static inline const QString TituloMensagem = QStringLiteral("Valor inválido");

protected:
  QString filtrar(const QString& texto) const override;
  QString escrito(const QString& texto) const override;
  bool conferirSaida() override;

private:
  Mensagens& mensagens_;
};
