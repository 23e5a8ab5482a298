#include "app/core/Moeda.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <optional>

namespace Moeda {

namespace {

bool soDigitos(QStringView texto) {
  return std::all_of(texto.begin(), texto.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The integer part with its thousands separators taken out; empty when they are misplaced.
std::optional<QString> parteInteira(const QString& texto) {
  if (!texto.contains(u'.'))
    return soDigitos(texto) ? std::optional(texto) : std::nullopt;
  const QStringList grupos = texto.split(u'.');
  if (grupos.first().isEmpty() || grupos.first().size() > 3)
    return std::nullopt;
  for (const QString& grupo : grupos) {
    if (!soDigitos(grupo) || (&grupo != &grupos.first() && grupo.size() != 3))
      return std::nullopt;
  }
  return grupos.join(QString());
}

}  // namespace

QString Formatar(qint64 decimosMilesimos) {
  const qint64 arredondado = ArredondarCentavos(decimosMilesimos);
  const bool negativo = arredondado < 0;
  // The magnitude of the smallest value does not fit a signed integer.
  const quint64 magnitude = negativo ? quint64(0) - quint64(arredondado) : quint64(arredondado);
  const quint64 centavos = magnitude / 100;
  QString inteiro = QString::number(centavos / 100);
  for (qsizetype i = inteiro.size() - 3; i > 0; i -= 3)
    inteiro.insert(i, u'.');
  return (negativo ? QStringLiteral("-") : QString()) + inteiro + u',' +
         QStringLiteral("%1").arg(centavos % 100, 2, 10, QLatin1Char('0'));
}

qint64 ArredondarCentavos(qint64 decimosMilesimos) {
  const qint64 resto = decimosMilesimos % 100;
  if (resto >= 50)
    return decimosMilesimos - resto + 100;
  if (resto <= -50)
    return decimosMilesimos - resto - 100;
  return decimosMilesimos - resto;
}

Leitura Ler(const QString& texto) {
  QString corpo = texto.trimmed();
  if (corpo.isEmpty())
    return {};
  const bool negativo = corpo.startsWith(u'-');
  if (negativo)
    corpo.remove(0, 1);

  QString inteiro;
  QString decimais;
  const qsizetype virgula = corpo.indexOf(u',');
  if (virgula >= 0) {
    inteiro = corpo.left(virgula);
    decimais = corpo.mid(virgula + 1);
  } else if (const qsizetype ponto = corpo.indexOf(u'.');
             ponto >= 0 && corpo.count(u'.') == 1 && corpo.size() - ponto - 1 <= 2 && corpo.size() - ponto - 1 >= 1) {
    inteiro = corpo.left(ponto);
    decimais = corpo.mid(ponto + 1);
  } else {
    inteiro = corpo;
  }
  const std::optional<QString> digitos = inteiro.isEmpty() ? std::optional(QString()) : parteInteira(inteiro);
  if (!digitos || !soDigitos(decimais) || (digitos->isEmpty() && decimais.isEmpty()))
    return {Leitura::Invalido};

  // Accumulated as a magnitude, checked against the limit of its sign.
  const quint64 limite = negativo ? quint64(Maximo) + 1 : quint64(Maximo);
  quint64 magnitude = 0;
  const QString casas = (decimais + QStringLiteral("0000")).left(4);
  for (const QChar c : *digitos + casas) {
    if (qMulOverflow(magnitude, quint64(10), &magnitude) ||
        qAddOverflow(magnitude, quint64(c.unicode() - u'0'), &magnitude))
      return {Leitura::ForaDoLimite};
  }
  if (decimais.size() > 4 && decimais.at(4) >= u'5' && qAddOverflow(magnitude, quint64(1), &magnitude))
    return {Leitura::ForaDoLimite};
  if (magnitude > limite)
    return {Leitura::ForaDoLimite};
  return {Leitura::Valido, negativo ? qint64(quint64(0) - magnitude) : qint64(magnitude)};
}

}  // namespace Moeda
