#pragma once

#include "reports/engine/LayoutRelatorio.h"

#include <span>
#include <vector>

class ValoresRelatorio;

/// One section placed on a page: which section (from 0), for which record (-1: none), where.
struct FaixaPagina {
  int secao = 0;
  int registro = -1;
  double y = 0;
  double altura = 0;
};

/// Breaks a report into pages. The report header opens the first page; every page starts with
/// the page headers and ends with the page footers at the bottom margin; a record's detail
/// sections are never split across pages; a group's header is printed before its first record
/// (on a new page when it asks for one) and its footer after its last; the report footer
/// follows the last record.
class Paginacao {
public:
  void paginar(const LayoutRelatorio& layout, const ValoresRelatorio& valores, int registros);

  int quantasPaginas() const { return static_cast<int>(inicios_.size()); }
  /// The sections of page `pagina` (from 0), top to bottom.
  std::span<const FaixaPagina> pagina(int pagina) const;

private:
  std::vector<FaixaPagina> faixas_;
  std::vector<std::size_t> inicios_;
};
