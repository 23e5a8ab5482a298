#pragma once

#include "app/core/Resultado.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

/// The monthly income of an issuer in one year, as the accountant wants it: per month, one line
/// per payer with the total received in exact ten-thousandths, individuals (CPF, what is declared
/// in the Carnê-Leão) apart from companies (CNPJ). The lines are kept in the connection's
/// temporary table tmpRendimentoMensal, which the layout "rendimentosmensais.rpt" reads.
namespace RendimentosMensais {

/// Fills tmpRendimentoMensal of `banco` with the lines of issuer `emitente` in `ano` (by date of
/// issue), replacing what an earlier run left there.
[[nodiscard]] Resultado Preparar(QSqlDatabase banco, int emitente, int ano);

/// How many lines the last preparation made.
[[nodiscard]] Resultado Contar(QSqlDatabase banco, int& linhas);

/// The lines of the last preparation as a spreadsheet file that LibreOffice and Excel open in
/// Brazil: UTF-8 with a byte-order mark, ";" between fields, decimal comma, CRLF line ends, a
/// header line, then one line per month and payer in the report's order. A name or document that
/// a spreadsheet would run as a formula is written after an apostrophe (`CelulaCsv::Texto`).
[[nodiscard]] Resultado Csv(QSqlDatabase banco, QByteArray& csv);

}  // namespace RendimentosMensais
