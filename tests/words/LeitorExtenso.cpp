#include "tests/words/LeitorExtenso.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// Where a word stands inside a group of three digits (2 hundreds, 1 tens, 0 units; the teens
// fill the tens and the units), what it adds, and below which place the next word must stand.
struct Palavra {
  int ordem;
  quint64 valor;
  int livreDepois;
};

const QHash<QString, Palavra>& palavrasDeGrupo() {
  static const QHash<QString, Palavra> palavras = [] {
    QHash<QString, Palavra> p;
    const char* unidades[] = {"um",     "dois",      "três",      "quatro",  "cinco",   "seis",  "sete",
                              "oito",   "nove",      "dez",       "onze",    "doze",    "treze", "catorze",
                              "quinze", "dezesseis", "dezessete", "dezoito", "dezenove"};
    for (int i = 0; i < 19; ++i) {
      p.insert(QString::fromUtf8(unidades[i]), {i < 9 ? 0 : 1, quint64(i + 1), 0});
    }
    const char* dezenas[] = {"vinte", "trinta", "quarenta", "cinqüenta", "sessenta", "setenta", "oitenta", "noventa"};
    for (int i = 0; i < 8; ++i) {
      p.insert(QString::fromUtf8(dezenas[i]), {1, quint64(20 + 10 * i), 1});
    }
    const char* centenas[] = {"cento",      "duzentos",   "trezentos",  "quatrocentos", "quinhentos",
                              "seiscentos", "setecentos", "oitocentos", "novecentos"};
    for (int i = 0; i < 9; ++i) {
      p.insert(QString::fromUtf8(centenas[i]), {2, quint64(100 * (i + 1)), 2});
    }
    p.insert(QStringLiteral("cem"), {2, 100, 0});
    return p;
  }();
  return palavras;
}

// Scale words up to the quintillions (what fits in 64 bits): power of a thousand, singular or not.
struct Escala {
  int potencia;
  bool singular;
};

std::optional<Escala> escala(const QString& palavra) {
  if (palavra == QLatin1String("mil")) {
    return Escala{1, true};
  }
  const char* raizes[] = {"milh", "bilh", "trilh", "quadrilh", "quintilh"};
  for (int i = 0; i < 5; ++i) {
    const QString raiz = QString::fromUtf8(raizes[i]);
    if (palavra == raiz + QString::fromUtf8("ão")) {
      return Escala{i + 2, true};
    }
    if (palavra == raiz + QString::fromUtf8("ões")) {
      return Escala{i + 2, false};
    }
  }
  return std::nullopt;
}

quint64 potenciaDeMil(int potencia) {
  quint64 valor = 1;
  for (int i = 0; i < potencia; ++i) {
    valor *= 1000;
  }
  return valor;
}

}  // namespace

LeitorExtenso::LeitorExtenso(const QString& texto) : palavras_(texto.split(QLatin1Char(' '))) {}

std::optional<LeitorExtenso::Leitura> LeitorExtenso::ler(const QString& texto) {
  LeitorExtenso leitor(texto);
  auto leitura = leitor.lerValor();
  if (leitura && leitor.posicao_ != leitor.palavras_.size()) {
    return std::nullopt;
  }
  return leitura;
}

QString LeitorExtenso::seguinte() const {
  return posicao_ + 1 < palavras_.size() ? palavras_[posicao_ + 1] : QString();
}

std::optional<LeitorExtenso::Leitura> LeitorExtenso::lerValor() {
  Leitura leitura;
  if (atual() == QLatin1String("menos")) {
    leitura.negativo = true;
    ++posicao_;
  }
  if (atual() == QLatin1String("zero")) {
    ++posicao_;
    return avancarSe(QStringLiteral("reais")) ? std::optional(leitura) : std::nullopt;
  }
  if (lerFracaoEscrita(leitura)) {
    return leitura;
  }
  // A number followed by a unit of fraction is the whole text, with no integral part.
  auto numero = lerNumero();
  if (numero && lerFracaoEmPalavras(*numero, leitura)) {
    return leitura;
  }
  if (!numero || !avancarSe(QLatin1String(*numero == 1 ? "real" : "reais"))) {
    return std::nullopt;
  }
  leitura.inteiro = *numero;
  if (posicao_ == palavras_.size()) {
    return leitura;
  }
  if (!avancarSe(QStringLiteral("e"))) {
    return std::nullopt;
  }
  if (lerFracaoEscrita(leitura)) {
    return leitura;
  }
  numero = lerNumero();
  return numero && lerFracaoEmPalavras(*numero, leitura) ? std::optional(leitura) : std::nullopt;
}

bool LeitorExtenso::avancarSe(const QString& palavra) {
  if (atual() != palavra) {
    return false;
  }
  ++posicao_;
  return true;
}

// A number in words: groups of up to three words joined by "e", each but the lowest followed by
// a scale word that agrees in number, the scales falling.
std::optional<quint64> LeitorExtenso::lerNumero() {
  quint64 total = 0;
  quint64 grupo = 0;
  int ordemLivre = 3;  // the next word must stand below this place; 3 starts a group
  int escalaAnterior = 99;
  bool algumaPalavra = false;
  bool ultimaFoiCento = false;  // "cento" never ends its group
  for (;;) {
    const bool comE = atual() == QLatin1String("e");
    if (comE && !algumaPalavra) {
      break;
    }
    const QString palavra = comE ? seguinte() : atual();
    const bool novoGrupo = ordemLivre == 3;
    const auto p = palavrasDeGrupo().constFind(palavra);
    const auto e = escala(palavra);
    if (p != palavrasDeGrupo().constEnd() && p->ordem < ordemLivre && (novoGrupo || comE)) {
      grupo += p->valor;
      ordemLivre = p->livreDepois;
      ultimaFoiCento = palavra == QLatin1String("cento");
    } else if (e && !comE && grupo > 0 && !ultimaFoiCento && e->potencia < escalaAnterior &&
               (e->potencia == 1 || e->singular == (grupo == 1))) {
      total += grupo * potenciaDeMil(e->potencia);
      grupo = 0;
      ordemLivre = 3;
      escalaAnterior = e->potencia;
    } else {
      break;
    }
    algumaPalavra = true;
    posicao_ += comE ? 2 : 1;
  }
  return algumaPalavra && !ultimaFoiCento ? std::optional(total + grupo) : std::nullopt;
}

// A fraction of one group in words, with its unit agreeing in number: centavos or milésimos.
bool LeitorExtenso::lerFracaoEmPalavras(quint64 numero, Leitura& leitura) {
  if (numero == 0 || numero > 999) {
    return false;
  }
  const QString plural = numero == 1 ? QString() : QStringLiteral("s");
  if (avancarSe(QStringLiteral("centavo") + plural)) {
    leitura.denominador = 100;
  } else if (avancarSe(QString::fromUtf8("milésimo") + plural)) {
    leitura.denominador = 1000;
  } else {
    return false;
  }
  leitura.temFracao = true;
  leitura.numerador = numero;
  return true;
}

// The written form of a fraction: the numerator (or letters "x" for none), "/" and its power of ten.
bool LeitorExtenso::lerFracaoEscrita(Leitura& leitura) {
  static const QRegularExpression numerador(QStringLiteral("^([0-9]+|x+)$"));
  static const QRegularExpression denominador(QStringLiteral("^10+$"));
  const QString texto = atual();
  if (!numerador.match(texto).hasMatch() || seguinte() != QLatin1String("/") || posicao_ + 2 >= palavras_.size()) {
    return false;
  }
  const QString potencia = palavras_[posicao_ + 2];
  if (!denominador.match(potencia).hasMatch() || potencia.size() != texto.size() + 1) {
    return false;
  }
  leitura.temFracao = true;
  leitura.numerador = texto.startsWith(QLatin1Char('x')) ? 0 : texto.toULongLong();
  leitura.denominador = potencia.toULongLong();
  posicao_ += 3;
  return true;
}
