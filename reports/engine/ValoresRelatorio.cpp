#include "reports/engine/ValoresRelatorio.h"

#include "reports/engine/BibliotecaVerbalor.h"
#include "reports/engine/FormatosRelatorio.h"

#include <QLocale>

#include <cmath>

namespace {

const QStringList& especiais() {
  static const QStringList nomes = {QStringLiteral("pagina"),         QStringLiteral("total_paginas"),
                                    QStringLiteral("pagina_de"),      QStringLiteral("data_impressao"),
                                    QStringLiteral("hora_impressao"), QStringLiteral("registro"),
                                    QStringLiteral("total_registros")};
  return nomes;
}

}  // namespace

ValoresRelatorio::ValoresRelatorio(const LayoutRelatorio& layout, const DadosRelatorio& dados,
                                   const std::vector<FormulaAnalisada>& formulas,
                                   const QHash<QString, QVariant>& parametros, const BibliotecaVerbalor& verbalor,
                                   const QDateTime& momentoImpressao)
    : layout_(layout),
      dados_(dados),
      formulas_(formulas),
      parametros_(parametros),
      verbalor_(verbalor),
      momento_(momentoImpressao) {
  // One measure per font, shared by the objects that use it.
  for (const SecaoLayout& secao : layout_.secoes) {
    bool cresce = false;
    std::vector<const MedidorTexto*> daSecao;
    for (const ObjetoLayout& o : secao.objetos) {
      cresce = cresce || (o.quebrar && !o.suprimido);
      const EstiloTexto& e = o.estilo;
      const QString chave = QStringLiteral("%1|%2|%3|%4")
                                .arg(e.familias.join(QLatin1Char(',')))
                                .arg(e.tamanho)
                                .arg(e.negrito)
                                .arg(e.italico);
      auto& medidor = medidores_[chave];
      if (!medidor)
        medidor = std::make_shared<MedidorTexto>(e);
      daSecao.push_back(medidor.get());
    }
    secaoCresce_.push_back(cresce);
    medidoresObjetos_.push_back(std::move(daSecao));
  }
}

bool ValoresRelatorio::EspecialConhecido(const QString& nome) {
  return especiais().contains(nome.toLower());
}

QString ValoresRelatorio::texto(const ObjetoLayout& objeto, int registro, int pagina, int totalPaginas) const {
  registro_ = registro;
  nivelGrupo_ = objeto.nivelGrupo;
  switch (objeto.tipo) {
  case TipoObjeto::Texto:
    return objeto.conteudo;
  case TipoObjeto::Campo:
    return objeto.coluna < 0 ? QString() : FormatosRelatorio::Valor(campo(objeto.coluna), objeto.formato);
  case TipoObjeto::Formula:
    return FormatosRelatorio::Valor(formula(objeto.conteudo), objeto.formato);
  case TipoObjeto::Parametro:
    return FormatosRelatorio::Valor(parametro(objeto.conteudo), objeto.formato);
  case TipoObjeto::Especial: {
    const QString nome = objeto.conteudo.toLower();
    if (nome == QLatin1String("pagina"))
      return QString::number(pagina);
    if (nome == QLatin1String("total_paginas"))
      return QString::number(totalPaginas);
    if (nome == QLatin1String("pagina_de"))
      return QStringLiteral("Página %1 de %2").arg(pagina).arg(totalPaginas);
    if (nome == QLatin1String("data_impressao")) {
      static const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
      return brasil.toString(momento_, objeto.formato.isEmpty() ? QStringLiteral("dd/MM/yyyy") : objeto.formato);
    }
    if (nome == QLatin1String("total_registros"))
      return QString::number(dados_.quantos());
    if (nome == QLatin1String("hora_impressao"))
      return momento_.time().toString(objeto.formato.isEmpty() ? QStringLiteral("HH:mm") : objeto.formato);
    return registro < 0 ? QString() : QString::number(registro + 1);
  }
  case TipoObjeto::Soma:
    return FormatosRelatorio::Valor(soma(objeto.coluna), objeto.formato);
  case TipoObjeto::Linha:
  case TipoObjeto::Caixa:
    break;
  }
  return {};
}

int ValoresRelatorio::nivelQuebra(int registro) const {
  const auto niveis = static_cast<int>(layout_.colunasGrupo.size());
  if (registro <= 0)
    return 0;
  for (int n = 0; n < niveis; ++n) {
    const int coluna = layout_.colunasGrupo.at(n);
    if (dados_.valor(registro, coluna) != dados_.valor(registro - 1, coluna))
      return n;
  }
  return niveis;
}

QVariant ValoresRelatorio::soma(int coluna) const {
  int inicio = 0;
  int fim = dados_.quantos();
  if (nivelGrupo_ >= 0 && registro_ >= 0 && registro_ < fim) {
    inicio = registro_;
    while (nivelQuebra(inicio) > nivelGrupo_)
      --inicio;
    fim = registro_ + 1;
    while (fim < dados_.quantos() && nivelQuebra(fim) > nivelGrupo_)
      ++fim;
  }
  const TipoDado tipo = layout_.campoDaColuna(coluna).tipo;
  if (tipo == TipoDado::Decimal) {
    double total = 0;
    for (int r = inicio; r < fim; ++r)
      total += dados_.valor(r, coluna).toDouble();
    return total;
  }
  // Whole numbers and amounts (whole ten-thousandths) are added exactly; a total that passes
  // what the store holds is reported, never wrapped round into a wrong number.
  const bool moeda = tipo == TipoDado::Moeda;
  qint64 total = 0;
  for (int r = inicio; r < fim; ++r) {
    const QVariant valor = dados_.valor(r, coluna);
    const qint64 parcela = moeda ? valor.value<Moeda::Quantia>().decimosMilesimos : valor.toLongLong();
    if (__builtin_add_overflow(total, parcela, &total))
      return FormatosRelatorio::ValorGrandeDemais;
  }
  return moeda ? QVariant::fromValue(Moeda::Quantia{total}) : QVariant(total);
}

QStringList ValoresRelatorio::linhas(int secao, int indice, const QString& texto) const {
  const ObjetoLayout& objeto = layout_.secoes.at(secao).objetos.at(indice);
  const MedidorTexto& m = medidor(secao, indice);
  const double largura = objeto.area.width();
  // A huge text (a restored file may hold megabytes in one field) is cut before it is
  // measured, so that a page is ready at once; the mark shows the cut.
  const bool longo = texto.size() > MaisCaracteres;
  const QString parte = longo ? texto.left(MaisCaracteres) : texto;
  if (!objeto.quebrar)
    return {m.encurtar(QString(parte).replace(QLatin1Char('\n'), QLatin1Char(' ')) + (longo ? MarcaCorte : QString()),
                       largura)};
  QStringList linhas = m.quebrar(parte, largura);
  if (!longo && linhas.size() <= MaisLinhas)
    return linhas;
  linhas.resize(std::min<qsizetype>(linhas.size(), MaisLinhas));
  linhas.last() = m.encurtar(linhas.last(), largura - m.largura(MarcaCorte)) + MarcaCorte;
  return linhas;
}

double ValoresRelatorio::alturaSecao(int secao, int registro) const {
  const SecaoLayout& s = layout_.secoes.at(secao);
  double altura = s.altura;
  if (!secaoCresce_[static_cast<std::size_t>(secao)])
    return altura;
  for (int i = 0; i < s.objetos.size(); ++i) {
    const ObjetoLayout& o = s.objetos.at(i);
    if (!o.quebrar || o.suprimido)
      continue;
    const int n = static_cast<int>(linhas(secao, i, texto(o, registro, 1, 1)).size());
    const double necessaria = n * medidor(secao, i).alturaLinha();
    if (necessaria > o.area.height())
      altura = std::max(altura, s.altura + necessaria - o.area.height());
  }
  return altura;
}

QVariant ValoresRelatorio::campo(int coluna) const {
  if (registro_ < 0 || registro_ >= dados_.quantos())
    return {};
  return dados_.valor(registro_, coluna);
}

QVariant ValoresRelatorio::parametro(const QString& nome) const {
  return parametros_.value(nome.toLower());
}

QVariant ValoresRelatorio::formula(const QString& nome) const {
  const int i = layout_.indiceFormula(nome);
  if (i < 0 || profundidade_ > 16)
    return {};
  const FormulaAnalisada& f = formulas_[static_cast<std::size_t>(i)];
  if (!f.raiz)
    return QString();
  ++profundidade_;
  const int registro = registro_;
  QVariant valor = AvaliadorFormula::Avaliar(*f.raiz, *this);
  registro_ = registro;
  --profundidade_;
  return valor;
}

std::optional<QString> ValoresRelatorio::extenso(double valor, int casas) const {
  return verbalor_.extenso(valor, casas);
}
