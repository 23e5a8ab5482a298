#include "reports/engine/MedidorTexto.h"

#include <cmath>

namespace {
constexpr char16_t kLimiteTabela = 0x0250;  // Latin letters with their accents
}

QFont MedidorTexto::fonteDoEstilo(const EstiloTexto& estilo) {
  QFont fonte;
  fonte.setFamilies(estilo.familias);
  // Point sizes in tenths of a point: whole pixel sizes in layout units.
  fonte.setPixelSize(std::max(1, static_cast<int>(std::lround(estilo.tamanho * 10))));
  fonte.setBold(estilo.negrito);
  fonte.setItalic(estilo.italico);
  // Unhinted, unkerned advances scale linearly, so the measure holds on every device.
  fonte.setHintingPreference(QFont::PreferNoHinting);
  fonte.setKerning(false);
  return fonte;
}

MedidorTexto::MedidorTexto(const EstiloTexto& estilo)
    : fonte_(fonteDoEstilo(estilo)), metricas_(fonte_), tabela_(kLimiteTabela, -1.0) {
  // A little leading between wrapped lines keeps long texts readable.
  alturaLinha_ = (metricas_.ascent() + metricas_.descent()) * 1.12;
  ascendente_ = metricas_.ascent();
}

double MedidorTexto::larguraCaractere(QChar c) const {
  if (c.unicode() >= kLimiteTabela)
    return metricas_.horizontalAdvance(c);
  double& largura = tabela_[c.unicode()];
  if (largura < 0)
    largura = metricas_.horizontalAdvance(c);
  return largura;
}

double MedidorTexto::largura(QStringView texto) const {
  double total = 0;
  for (const QChar c : texto)
    total += larguraCaractere(c);
  return total;
}

QStringList MedidorTexto::quebrar(const QString& texto, double largura) const {
  if (!texto.contains(QLatin1Char('\n')) && this->largura(texto) <= largura)
    return {texto};
  QStringList linhas;
  for (const QString& paragrafo : texto.split(QLatin1Char('\n'))) {
    QString linha;
    double larguraLinha = 0;
    const double espaco = larguraCaractere(QLatin1Char(' '));
    for (const QString& palavra : paragrafo.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      double larguraPalavra = this->largura(palavra);
      if (!linha.isEmpty() && larguraLinha + espaco + larguraPalavra <= largura) {
        linha += QLatin1Char(' ') + palavra;
        larguraLinha += espaco + larguraPalavra;
        continue;
      }
      if (!linha.isEmpty())
        linhas.append(linha);
      linha.clear();
      larguraLinha = 0;
      // A word wider than the line is cut where it reaches the edge.
      QString resto = palavra;
      while (larguraPalavra > largura && resto.size() > 1) {
        double acumulada = 0;
        qsizetype corte = 0;
        while (corte < resto.size() && acumulada + larguraCaractere(resto.at(corte)) <= largura)
          acumulada += larguraCaractere(resto.at(corte++));
        corte = std::max<qsizetype>(corte, 1);
        linhas.append(resto.left(corte));
        resto = resto.mid(corte);
        larguraPalavra = this->largura(resto);
      }
      linha = resto;
      larguraLinha = larguraPalavra;
    }
    linhas.append(linha);
  }
  return linhas;
}

QString MedidorTexto::encurtar(const QString& texto, double largura) const {
  if (this->largura(texto) <= largura)
    return texto;
  const QChar reticencias(0x2026);
  double disponivel = largura - larguraCaractere(reticencias);
  qsizetype n = 0;
  while (n < texto.size() && disponivel - larguraCaractere(texto.at(n)) >= 0)
    disponivel -= larguraCaractere(texto.at(n++));
  return texto.left(n).trimmed() + reticencias;
}
