#pragma once

#include "app/core/Resultado.h"

#include <QString>
#include <QtGlobal>

#include <memory>

class Relatorio;

/// The receipt layout "recibo01.rpt" made ready for one stored receipt.
namespace ImpressaoRecibo {

/// Opens the receipt layout for receipt `numero` of `ano`; with fewer than two `vias` the
/// second copy (the cut line and the sections under it) and the first copy's mark "1ª via" are
/// hidden. The report reads the
/// receipt and its people from the database when it is prepared.
[[nodiscard]] Resultado Preparar(qint64 numero, int ano, int vias, std::shared_ptr<Relatorio>& relatorio);

/// The name proposed for a PDF of receipt `numero` of `ano`: "Recibo", the number as printed
/// (six digits at least), the year and the payer ("Recibo 000001-2026 Maria da Silva"); without
/// the payer when the receipt or its payer cannot be read.
QString NomePdf(qint64 numero, int ano);

}  // namespace ImpressaoRecibo
