#pragma once

#include <QMetaType>
#include <QString>
#include <QtGlobal>

#include <limits>

/// Amounts of money: whole ten-thousandths of a real (the store's fixed-point currency), shown
/// and typed with Brazilian separators ("1.234,50").
namespace Moeda {

/// Ten-thousandths in one real.
inline constexpr qint64 Escala = 10000;

/// The largest amount the currency holds, 922.337.203.685.477,5807 (the smallest is one
/// ten-thousandth below its negative).
inline constexpr qint64 Maximo = std::numeric_limits<qint64>::max();

/// The largest amount the screens accept, 9.999.999.999.999,99: up to it the figures and the
/// words of a receipt are both exact (the words library takes a double, whose cents stay exact
/// well past it).
inline constexpr qint64 MaximoAceito = 99999999999999900;

/// An amount as the report engine carries it between fields, formulas and totals: exact
/// ten-thousandths, never rounded through a double.
struct Quantia {
  qint64 decimosMilesimos = 0;
};

/// The amount in the form "#,##0.00" with "." for thousands and "," for decimals, rounded to
/// the cent half away from zero: 12345000 → "1.234,50".
QString Formatar(qint64 decimosMilesimos);

/// The amount rounded to the cent (half away from zero).
qint64 ArredondarCentavos(qint64 decimosMilesimos);

/// What a text read as an amount gave.
struct Leitura {
  enum Estado { Vazio, Valido, Invalido, ForaDoLimite };
  Estado estado = Vazio;
  qint64 valor = 0;  ///< ten-thousandths, when `Valido`
};

/// Reads an amount typed or pasted by the operator: "," is the decimal separator and "." the
/// thousands separator, in groups of three ("1.234" is one thousand two hundred and
/// thirty-four); only a text without "," whose single "." is followed by one or two digits
/// ("1234.50") reads "." as the decimal separator. A leading "-" makes it negative; blanks
/// around it are ignored; decimals past the fourth are rounded half away from zero.
Leitura Ler(const QString& texto);

}  // namespace Moeda

Q_DECLARE_METATYPE(Moeda::Quantia)
