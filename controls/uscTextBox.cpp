#include "controls/uscTextBox.h"

uscTextBox::uscTextBox(QWidget* parent) : CaixaEdicao(parent) {}

uscTextBox::RegraCaractere uscTextBox::regraDoTipo(TipoCaracter tipo) {
  switch (tipo) {
  case Letras:
    return [](qsizetype, QChar c) { return c.isLetter() ? std::optional(c.toUpper()) : std::nullopt; };
  case Digitos:
    return [](qsizetype, QChar c) { return c >= u'0' && c <= u'9' ? std::optional(c) : std::nullopt; };
  case Livre:
    break;
  }
  return {};
}

void uscTextBox::setTipoCaracter(TipoCaracter tipo) {
  tipo_ = tipo;
  regra_ = regraDoTipo(tipo);
  refiltrar();
}

void uscTextBox::setRegraCaractere(RegraCaractere regra) {
  tipo_ = Livre;
  regra_ = std::move(regra);
  refiltrar();
}

QString uscTextBox::filtrar(const QString& texto) const {
  if (!regra_)
    return texto;
  QString aceito;
  aceito.reserve(texto.size());
  for (const QChar c : texto) {
    if (const std::optional<QChar> r = regra_(aceito.size(), c))
      aceito.append(*r);
  }
  return aceito;
}
