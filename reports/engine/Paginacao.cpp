#include "reports/engine/Paginacao.h"

#include "reports/engine/ValoresRelatorio.h"

#include <algorithm>

namespace {

std::vector<int> secoesDoTipo(const LayoutRelatorio& layout, TipoSecao tipo) {
  std::vector<int> lista;
  for (int i = 0; i < layout.secoes.size(); ++i)
    if (layout.secoes.at(i).tipo == tipo && !layout.secoes.at(i).suprimida)
      lista.push_back(i);
  return lista;
}

}  // namespace

void Paginacao::paginar(const LayoutRelatorio& layout, const ValoresRelatorio& valores, int registros) {
  faixas_.clear();
  inicios_.clear();
  const std::vector<int> cabecalhoRelatorio = secoesDoTipo(layout, TipoSecao::CabecalhoRelatorio);
  const std::vector<int> cabecalhoPagina = secoesDoTipo(layout, TipoSecao::CabecalhoPagina);
  const std::vector<int> cabecalhoGrupo = secoesDoTipo(layout, TipoSecao::CabecalhoGrupo);
  const std::vector<int> detalhe = secoesDoTipo(layout, TipoSecao::Detalhe);
  // Footers close the innermost group first.
  std::vector<int> rodapeGrupo = secoesDoTipo(layout, TipoSecao::RodapeGrupo);
  std::stable_sort(rodapeGrupo.begin(), rodapeGrupo.end(),
                   [&](int a, int b) { return layout.secoes.at(a).nivel > layout.secoes.at(b).nivel; });
  const std::vector<int> rodapeRelatorio = secoesDoTipo(layout, TipoSecao::RodapeRelatorio);
  const std::vector<int> rodapePagina = secoesDoTipo(layout, TipoSecao::RodapePagina);

  // Page footers keep their own height: they are placed before the page's last record is known.
  double alturaRodape = 0;
  for (int s : rodapePagina)
    alturaRodape += layout.secoes.at(s).altura;
  const double topo = layout.margens.top();
  const double alturaPagina = layout.tamanhoPagina().height();
  const double limite = alturaPagina - layout.margens.bottom() - alturaRodape;

  double y = topo;
  double inicioCorpo = topo;
  int ultimoRegistro = -1;
  const auto colocar = [&](int secao, int registro, double altura) {
    faixas_.push_back({secao, registro, y, altura});
    y += altura;
  };
  const auto abrirPagina = [&](int registro) {
    inicios_.push_back(faixas_.size());
    y = topo;
    if (inicios_.size() == 1)
      for (int s : cabecalhoRelatorio)
        colocar(s, registro, valores.alturaSecao(s, registro));
    for (int s : cabecalhoPagina)
      colocar(s, registro, valores.alturaSecao(s, registro));
    inicioCorpo = y;
  };
  const auto fecharPagina = [&]() {
    y = alturaPagina - layout.margens.bottom() - alturaRodape;
    for (int s : rodapePagina)
      colocar(s, ultimoRegistro, layout.secoes.at(s).altura);
  };
  // A block that does not fit goes to a new page, unless the page holds nothing yet (a block
  // taller than a whole page is then cut at the bottom rather than paged forever).
  const auto caber = [&](double altura, int proximoRegistro) {
    if (y + altura > limite + 1e-6 && y > inicioCorpo + 1e-6) {
      fecharPagina();
      abrirPagina(proximoRegistro);
    }
  };

  const auto fecharGrupos = [&](int nivel, int registro) {
    for (int s : rodapeGrupo) {
      if (layout.secoes.at(s).nivel < nivel)
        continue;
      const double altura = valores.alturaSecao(s, registro);
      caber(altura, registro);
      colocar(s, registro, altura);
    }
  };

  abrirPagina(registros > 0 ? 0 : -1);
  std::vector<double> alturas(detalhe.size());
  for (int r = 0; r < registros; ++r) {
    const int quebra = valores.nivelQuebra(r);
    if (r > 0)
      fecharGrupos(quebra, r - 1);
    // The headers of the groups the record opens stay on the page of its details.
    double cabecalhos = 0;
    bool novaPagina = false;
    for (int s : cabecalhoGrupo) {
      if (layout.secoes.at(s).nivel >= quebra) {
        cabecalhos += valores.alturaSecao(s, r);
        novaPagina = novaPagina || layout.secoes.at(s).novaPagina;
      }
    }
    if (novaPagina && y > inicioCorpo + 1e-6) {
      fecharPagina();
      abrirPagina(r);
    }
    double bloco = 0;
    for (std::size_t i = 0; i < detalhe.size(); ++i)
      bloco += alturas[i] = valores.alturaSecao(detalhe[i], r);
    caber(cabecalhos + bloco, r);
    for (int s : cabecalhoGrupo)
      if (layout.secoes.at(s).nivel >= quebra)
        colocar(s, r, valores.alturaSecao(s, r));
    // A record taller than the page is broken between its sections rather than cut at the
    // bottom: each group of sections kept together goes to a new page when it does not fit.
    const bool dividir = y + bloco > limite + 1e-6;
    for (std::size_t i = 0; i < detalhe.size();) {
      std::size_t fim = i + 1;
      double grupo = alturas[i];
      while (fim < detalhe.size() && layout.secoes.at(detalhe[fim - 1]).manterComSeguinte)
        grupo += alturas[fim++];
      if (dividir)
        caber(grupo, r);
      for (; i < fim; ++i)
        colocar(detalhe[i], r, alturas[i]);
    }
    ultimoRegistro = r;
  }
  if (registros > 0)
    fecharGrupos(0, ultimoRegistro);
  for (int s : rodapeRelatorio) {
    const double altura = valores.alturaSecao(s, ultimoRegistro);
    caber(altura, ultimoRegistro);
    colocar(s, ultimoRegistro, altura);
  }
  fecharPagina();
}

std::span<const FaixaPagina> Paginacao::pagina(int pagina) const {
  const auto i = static_cast<std::size_t>(pagina);
  const std::size_t fim = i + 1 < inicios_.size() ? inicios_[i + 1] : faixas_.size();
  return {faixas_.data() + inicios_[i], fim - inicios_[i]};
}
