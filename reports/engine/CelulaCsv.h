#pragma once

#include <QString>
#include <QtGlobal>

/// The cells of the spreadsheet files the program writes (";" between fields, decimal comma),
/// so that every such file follows the same rules.
namespace CelulaCsv {

/// A text cell. A text that a spreadsheet would take for a formula (its first character, after
/// any spaces, one of = + - @, a tab or a carriage return) gets an apostrophe before it, so that
/// it shows as the text it is and never runs; a cell that holds ";", a quote or a line break is
/// then put between quotes, its quotes doubled.
QString Texto(const QString& texto);

/// An amount cell, "-1234,50": decimal comma and no thousands separator, so that every
/// spreadsheet reads it as a number, a negative one included.
QString Valor(qint64 decimosMilesimos);

}  // namespace CelulaCsv
