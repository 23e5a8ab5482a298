#pragma once

#include "app/core/Moeda.h"
#include "reports/engine/LayoutRelatorio.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

/// The Brazilian ways of writing values on a report page.
namespace FormatosRelatorio {

/// A number in a pattern such as "#,##0.00", "0000" or "R$ #,##0.00": "." separates thousands
/// and "," decimals on the page; the count of 0/# after the point gives the decimals (rounded
/// half away from zero), the zeros before it the least count of digits.
QString Numero(double valor, const QString& formato);

/// As `Numero`, for a whole `valor` that stands for valor / 10^`casasDoValor` (an amount in
/// ten-thousandths has 4): every digit is exact, however large the value.
QString NumeroExato(qint64 valor, int casasDoValor, const QString& formato);

/// What the page shows in place of a total or a sum of amounts that passes the largest amount
/// the store holds, rather than a wrong number.
inline const QString ValorGrandeDemais = QStringLiteral("[valor grande demais]");

/// A date in a Qt date pattern ("dd/MM/yyyy" when empty), month and day names in Portuguese.
QString Data(const QDate& data, const QString& formato);

/// "7 de dezembro de 2026"; the first day of a month is written "1º".
QString DataPorExtenso(const QDate& data);

/// A CPF (11 characters) as 000.000.000-00 or a CNPJ (14 characters, letters of an
/// alphanumeric CNPJ kept, in capitals) as 00.000.000/0000-00. `tipoPessoa` 0 asks for a CPF,
/// any other value for a CNPJ, -1 decides by length. Anything else comes back as it was.
QString Documento(const QString& documento, int tipoPessoa = -1);

/// The parts that are not blank, trimmed, joined by `separador`.
QString Juntar(const QString& separador, const QStringList& partes);

/// A value as the page shows it: numbers, amounts (`Moeda::Quantia`) and dates in `formato`
/// (amounts default to "#,##0.00", dates to dd/MM/yyyy), True/False as "Sim"/"Não", texts as
/// they are.
QString Valor(const QVariant& valor, const QString& formato);

}  // namespace FormatosRelatorio
