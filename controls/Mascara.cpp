#include "controls/Mascara.h"

bool Mascara::marcador(QChar c) {
  return c == u'#' || c == u'?' || c == u'A' || c == u'&';
}

bool Mascara::aceita(QChar marcador, QChar c) {
  const bool digito = c >= u'0' && c <= u'9';
  switch (marcador.unicode()) {
  case u'#':
    return digito;
  case u'?':
    return c.isLetter();
  case u'A':
    return digito || c.isLetter();
  default:
    return !c.isNull();
  }
}

QString Mascara::aplicar(const QString& digitado) const {
  if (vazia())
    return digitado;
  QString texto;
  QString literais;  // literals waiting for a typed character after them
  qsizetype i = 0;
  for (const QChar m : formato_) {
    if (!marcador(m)) {
      literais.append(m);
      if (i < digitado.size() && digitado.at(i) == m)
        ++i;
      continue;
    }
    while (i < digitado.size() && !aceita(m, digitado.at(i)))
      ++i;
    if (i == digitado.size())
      break;
    texto += literais + digitado.at(i++);
    literais.clear();
  }
  return texto;
}
