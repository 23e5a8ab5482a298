#pragma once

#include "reports/engine/LayoutRelatorio.h"
#include "reports/engine/Paginacao.h"

#include <span>

class QPainter;
class ValoresRelatorio;

/// Draws one page of a prepared report with a painter whose coordinates are layout units
/// (the caller scales it to its device), the page's top left corner at the origin.
namespace DesenhoPagina {

void Desenhar(QPainter& pintor, const LayoutRelatorio& layout, const ValoresRelatorio& valores,
              std::span<const FaixaPagina> faixas, int pagina, int totalPaginas);

}  // namespace DesenhoPagina
