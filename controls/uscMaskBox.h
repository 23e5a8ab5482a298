#pragma once

#include "controls/CaixaEdicao.h"
#include "controls/Mascara.h"

/// The masked box: the operator types only what the mask's placeholders accept and the box
/// writes the literals ("#####-###" for the postal code). `Text` is what was typed with the
/// mask's literals where the operator reached them; an untouched box reads as empty.
class uscMaskBox : public CaixaEdicao {
  Q_OBJECT
public:
  explicit uscMaskBox(QWidget* parent = nullptr);

  QString mascara() const { return mascara_.formato(); }
  /// Sets the mask (and the length it allows); the text already in the box is filtered again.
  void setMascara(const QString& formato);

protected:
  QString filtrar(const QString& texto) const override { return mascara_.aplicar(texto); }

private:
  Mascara mascara_;
};
