#include "reports/engine/FormatosRelatorio.h"

#include <QLocale>

#include <algorithm>

#include <cmath>

namespace FormatosRelatorio {

namespace {

// A number pattern taken apart.
struct Padrao {
  QString prefixo;
  QString sufixo;
  bool agrupar = false;
  int minimoInteiro = 0;
  int casas = 0;
  int casasFixas = 0;
};

Padrao lerPadrao(const QString& formato) {
  const QString padrao = formato.isEmpty() ? QStringLiteral("0.##########") : formato;
  const auto ehDigito = [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('#'); };
  qsizetype inicio = 0;
  while (inicio < padrao.size() && !ehDigito(padrao.at(inicio)) && padrao.at(inicio) != QLatin1Char(',') &&
         padrao.at(inicio) != QLatin1Char('.'))
    ++inicio;
  qsizetype fim = padrao.size();
  while (fim > inicio && !ehDigito(padrao.at(fim - 1)))
    --fim;
  const QString nucleo = padrao.mid(inicio, fim - inicio);
  const qsizetype ponto = nucleo.indexOf(QLatin1Char('.'));
  const QString inteira = ponto < 0 ? nucleo : nucleo.left(ponto);
  const QString fracao = ponto < 0 ? QString() : nucleo.mid(ponto + 1);
  Padrao p;
  p.prefixo = padrao.left(inicio);
  p.sufixo = padrao.mid(fim);
  p.agrupar = inteira.contains(QLatin1Char(','));
  p.minimoInteiro = static_cast<int>(inteira.count(QLatin1Char('0')));
  p.casas = static_cast<int>(fracao.size());
  p.casasFixas = static_cast<int>(fracao.count(QLatin1Char('0')));
  return p;
}

// `digitos` is the magnitude already rounded, with exactly `p.casas` decimals after a ".".
QString montar(const Padrao& p, bool negativo, const QString& digitos) {
  QString parteInteira = p.casas > 0 ? digitos.left(digitos.size() - p.casas - 1) : digitos;
  QString parteFracao = p.casas > 0 ? digitos.right(p.casas) : QString();
  const bool zero = std::all_of(digitos.begin(), digitos.end(),
                                [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('.'); });
  while (parteFracao.size() > p.casasFixas && parteFracao.endsWith(QLatin1Char('0')))
    parteFracao.chop(1);
  if (parteInteira == QLatin1String("0") && p.minimoInteiro == 0 && !parteFracao.isEmpty())
    parteInteira.clear();
  while (parteInteira.size() < p.minimoInteiro)
    parteInteira.prepend(QLatin1Char('0'));
  if (p.agrupar)
    for (qsizetype i = parteInteira.size() - 3; i > 0; i -= 3)
      parteInteira.insert(i, QLatin1Char('.'));
  QString texto = parteInteira;
  if (!parteFracao.isEmpty())
    texto += QLatin1Char(',') + parteFracao;
  return (negativo && !zero ? QStringLiteral("-") : QString()) + p.prefixo + texto + p.sufixo;
}

// The magnitude `m`, which has `origem` implied decimals, rounded half away from zero to
// `casas` decimals in decimal digits, so that no digit is lost to a double.
QString fixoExato(quint64 m, int origem, int casas) {
  QString digitos = QString::number(m).rightJustified(origem + 1, QLatin1Char('0'));
  if (casas >= origem) {
    digitos += QString(casas - origem, QLatin1Char('0'));
  } else {
    const bool sobe = digitos.at(digitos.size() - origem + casas) >= QLatin1Char('5');
    digitos.chop(origem - casas);
    for (qsizetype i = digitos.size() - 1; sobe && i >= 0; --i) {
      const bool nove = digitos.at(i) == QLatin1Char('9');
      digitos[i] = nove ? QLatin1Char('0') : QChar(digitos.at(i).unicode() + 1);
      if (!nove)
        break;
      if (i == 0)
        digitos.prepend(QLatin1Char('1'));
    }
  }
  return casas > 0 ? digitos.left(digitos.size() - casas) + QLatin1Char('.') + digitos.right(casas) : digitos;
}

}  // namespace

QString Numero(double valor, const QString& formato) {
  if (!std::isfinite(valor))
    return {};
  const Padrao p = lerPadrao(formato);
  const double potencia = std::pow(10.0, p.casas);
  const double arredondado = std::round(std::fabs(valor) * potencia) / potencia;
  return montar(p, valor < 0, QString::number(arredondado, 'f', p.casas));
}

QString NumeroExato(qint64 valor, int casasDoValor, const QString& formato) {
  const Padrao p = lerPadrao(formato);
  // The magnitude of the smallest value does not fit a signed integer.
  const quint64 magnitude = valor < 0 ? quint64(0) - quint64(valor) : quint64(valor);
  return montar(p, valor < 0, fixoExato(magnitude, casasDoValor, p.casas));
}

QString Data(const QDate& data, const QString& formato) {
  if (!data.isValid())
    return {};
  static const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
  return brasil.toString(data, formato.isEmpty() ? QStringLiteral("dd/MM/yyyy") : formato);
}

QString DataPorExtenso(const QDate& data) {
  if (!data.isValid())
    return {};
  static const char* const meses[] = {"janeiro", "fevereiro", "março",    "abril",   "maio",     "junho",
                                      "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
  const QString dia = data.day() == 1 ? QStringLiteral("1º") : QString::number(data.day());
  return QStringLiteral("%1 de %2 de %3").arg(dia, QString::fromUtf8(meses[data.month() - 1])).arg(data.year());
}

QString Documento(const QString& documento, int tipoPessoa) {
  const QString d = documento.trimmed().toUpper();
  const bool cpf = d.size() == 11 && (tipoPessoa == 0 || tipoPessoa == -1);
  const bool cnpj = d.size() == 14 && tipoPessoa != 0;
  if (cpf)
    return QStringLiteral("%1.%2.%3-%4").arg(d.mid(0, 3), d.mid(3, 3), d.mid(6, 3), d.mid(9, 2));
  if (cnpj)
    return QStringLiteral("%1.%2.%3/%4-%5").arg(d.mid(0, 2), d.mid(2, 3), d.mid(5, 3), d.mid(8, 4), d.mid(12, 2));
  return documento.trimmed();
}

QString Juntar(const QString& separador, const QStringList& partes) {
  QStringList cheias;
  for (const QString& parte : partes)
    if (!parte.trimmed().isEmpty())
      cheias.append(parte.trimmed());
  return cheias.join(separador);
}

QString Valor(const QVariant& valor, const QString& formato) {
  switch (valor.typeId()) {
  case QMetaType::UnknownType:
    return {};
  case QMetaType::Bool:
    return valor.toBool() ? QStringLiteral("Sim") : QStringLiteral("Não");
  case QMetaType::Int:
  case QMetaType::LongLong:
  case QMetaType::UInt:
  case QMetaType::ULongLong:
    return formato.isEmpty() ? QString::number(valor.toLongLong()) : NumeroExato(valor.toLongLong(), 0, formato);
  case QMetaType::Double:
    return Numero(valor.toDouble(), formato.isEmpty() ? QStringLiteral("#,##0.00") : formato);
  case QMetaType::QDate:
    return Data(valor.toDate(), formato);
  case QMetaType::QDateTime:
    return Data(valor.toDateTime().date(), formato);
  default:
    if (valor.typeId() == qMetaTypeId<Moeda::Quantia>())
      return NumeroExato(valor.value<Moeda::Quantia>().decimosMilesimos, 4,
                         formato.isEmpty() ? QStringLiteral("#,##0.00") : formato);
    return valor.toString();
  }
}

}  // namespace FormatosRelatorio
