#include "reports/engine/CelulaCsv.h"

#include "app/core/Moeda.h"

namespace CelulaCsv {

QString Texto(const QString& texto) {
  // Leading spaces are looked past: a spreadsheet that trims them on opening the file would
  // find the formula right behind them.
  qsizetype inicio = 0;
  while (inicio < texto.size() && texto.at(inicio) == QLatin1Char(' '))
    ++inicio;
  const bool formula = inicio < texto.size() && QStringLiteral("=+-@\t\r").contains(texto.at(inicio));
  const QString celula = formula ? QLatin1Char('\'') + texto : texto;
  if (!celula.contains(QLatin1Char(';')) && !celula.contains(QLatin1Char('"')) && !celula.contains(QLatin1Char('\n')) &&
      !celula.contains(QLatin1Char('\r')))
    return celula;
  return QLatin1Char('"') + QString(celula).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString Valor(qint64 decimosMilesimos) {
  return Moeda::Formatar(decimosMilesimos).remove(QLatin1Char('.'));
}

}  // namespace CelulaCsv
