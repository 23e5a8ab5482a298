#include "reports/engine/FormatosRelatorio.h"

#include <QLocale>

#include <cmath>

namespace FormatosRelatorio {

QString Numero(double valor, const QString& formato) {
  if (!std::isfinite(valor))
    return {};
  const QString padrao = formato.isEmpty() ? QStringLiteral("0.##########") : formato;
  const auto ehDigito = [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('#'); };
  qsizetype inicio = 0;
  while (inicio < padrao.size() && !ehDigito(padrao.at(inicio)) && padrao.at(inicio) != QLatin1Char(',') &&
         padrao.at(inicio) != QLatin1Char('.'))
    ++inicio;
  qsizetype fim = padrao.size();
  while (fim > inicio && !ehDigito(padrao.at(fim - 1)))
    --fim;
  const QString prefixo = padrao.left(inicio);
  const QString sufixo = padrao.mid(fim);
  const QString nucleo = padrao.mid(inicio, fim - inicio);
  const qsizetype ponto = nucleo.indexOf(QLatin1Char('.'));
  const QString inteira = ponto < 0 ? nucleo : nucleo.left(ponto);
  const QString fracao = ponto < 0 ? QString() : nucleo.mid(ponto + 1);
  const bool agrupar = inteira.contains(QLatin1Char(','));
  const int minimoInteiro = static_cast<int>(inteira.count(QLatin1Char('0')));
  const int casas = static_cast<int>(fracao.size());
  const int casasFixas = static_cast<int>(fracao.count(QLatin1Char('0')));

  const double potencia = std::pow(10.0, casas);
  const double arredondado = std::round(std::fabs(valor) * potencia) / potencia;
  QString digitos = QString::number(arredondado, 'f', casas);
  QString parteInteira = casas > 0 ? digitos.left(digitos.size() - casas - 1) : digitos;
  QString parteFracao = casas > 0 ? digitos.right(casas) : QString();
  while (parteFracao.size() > casasFixas && parteFracao.endsWith(QLatin1Char('0')))
    parteFracao.chop(1);
  if (parteInteira == QLatin1String("0") && minimoInteiro == 0 && !parteFracao.isEmpty())
    parteInteira.clear();
  while (parteInteira.size() < minimoInteiro)
    parteInteira.prepend(QLatin1Char('0'));
  if (agrupar)
    for (qsizetype i = parteInteira.size() - 3; i > 0; i -= 3)
      parteInteira.insert(i, QLatin1Char('.'));
  QString texto = parteInteira;
  if (!parteFracao.isEmpty())
    texto += QLatin1Char(',') + parteFracao;
  const bool zero = arredondado == 0;
  return (valor < 0 && !zero ? QStringLiteral("-") : QString()) + prefixo + texto + sufixo;
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
    return formato.isEmpty() ? QString::number(valor.toLongLong()) : Numero(valor.toDouble(), formato);
  case QMetaType::Double:
    return Numero(valor.toDouble(), formato.isEmpty() ? QStringLiteral("#,##0.00") : formato);
  case QMetaType::QDate:
    return Data(valor.toDate(), formato);
  case QMetaType::QDateTime:
    return Data(valor.toDateTime().date(), formato);
  default:
    return valor.toString();
  }
}

}  // namespace FormatosRelatorio
