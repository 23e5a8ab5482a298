#include "reports/engine/AvaliadorFormula.h"

#include "app/core/FormaPagamento.h"
#include "reports/engine/FormatosRelatorio.h"

#include <QDateTime>

#include <cmath>
#include <optional>

namespace {

struct Funcao {
  const char* nome;
  int minimo;
  int maximo;  // -1: no limit
};

constexpr Funcao kFuncoes[] = {
    {"Extenso", 1, 2}, {"Formatar", 2, 2},   {"DataExtenso", 1, 1}, {"Documento", 1, 2}, {"Juntar", 1, -1},
    {"Se", 3, 3},      {"Maiusculas", 1, 1}, {"Texto", 1, 1},       {"Soma", 1, 1},      {"FormaPagamento", 1, 1}};

bool ehFuncao(const NoFormula& no, const char* nome) {
  return no.texto.compare(QLatin1String(nome), Qt::CaseInsensitive) == 0;
}

bool ehQuantia(const QVariant& v) {
  return v.typeId() == qMetaTypeId<Moeda::Quantia>();
}

bool numerico(const QVariant& v) {
  switch (v.typeId()) {
  case QMetaType::Int:
  case QMetaType::LongLong:
  case QMetaType::UInt:
  case QMetaType::ULongLong:
  case QMetaType::Double:
    return true;
  default:
    return ehQuantia(v);
  }
}

bool inteiro(const QVariant& v) {
  return numerico(v) && v.typeId() != QMetaType::Double && !ehQuantia(v);
}

// A total that passed what the store holds stays so through the rest of the formula.
bool estourado(const QVariant& v) {
  return v.typeId() == QMetaType::QString && v.toString() == FormatosRelatorio::ValorGrandeDemais;
}

// The value as a double, amounts in reais.
double real(const QVariant& v) {
  return ehQuantia(v) ? static_cast<double>(v.value<Moeda::Quantia>().decimosMilesimos) / Moeda::Escala : v.toDouble();
}

// An amount or a whole number in exact ten-thousandths; nothing for a fraction or a whole
// number too large to carry them.
std::optional<qint64> decimosMilesimos(const QVariant& v) {
  if (ehQuantia(v))
    return v.value<Moeda::Quantia>().decimosMilesimos;
  qint64 r = 0;
  if (inteiro(v) && !__builtin_mul_overflow(v.toLongLong(), Moeda::Escala, &r))
    return r;
  return std::nullopt;
}

// Sums, differences and multiples of amounts stay exact; one that passes what the store holds
// is shown as such, never wrapped round into a wrong number.
std::optional<QVariant> contaDeQuantias(NoFormula::Operador op, const QVariant& a, const QVariant& b) {
  using O = NoFormula::Operador;
  qint64 r = 0;
  bool estouro = false;
  if (op == O::Soma || op == O::Subtracao) {
    const std::optional<qint64> x = decimosMilesimos(a);
    const std::optional<qint64> y = decimosMilesimos(b);
    if (!x || !y)
      return std::nullopt;
    estouro = op == O::Soma ? __builtin_add_overflow(*x, *y, &r) : __builtin_sub_overflow(*x, *y, &r);
  } else if (op == O::Multiplicacao && (inteiro(a) || inteiro(b))) {
    const qint64 quantia = (ehQuantia(a) ? a : b).value<Moeda::Quantia>().decimosMilesimos;
    estouro = __builtin_mul_overflow(quantia, (ehQuantia(a) ? b : a).toLongLong(), &r);
  } else {
    return std::nullopt;
  }
  return estouro ? QVariant(FormatosRelatorio::ValorGrandeDemais) : QVariant::fromValue(Moeda::Quantia{r});
}

QDateTime momento(const QVariant& v) {
  return v.typeId() == QMetaType::QDate ? v.toDate().startOfDay() : v.toDateTime();
}

// -1, 0 or 1; nullopt when the two cannot be compared.
std::optional<int> comparar(const QVariant& a, const QVariant& b) {
  const auto sinal = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
  if (numerico(a) && numerico(b)) {
    if (inteiro(a) && inteiro(b))
      return sinal(a.toLongLong(), b.toLongLong());
    const std::optional<qint64> x = decimosMilesimos(a);
    const std::optional<qint64> y = decimosMilesimos(b);
    return x && y ? sinal(*x, *y) : sinal(real(a), real(b));
  }
  const bool dataA = a.typeId() == QMetaType::QDate || a.typeId() == QMetaType::QDateTime;
  const bool dataB = b.typeId() == QMetaType::QDate || b.typeId() == QMetaType::QDateTime;
  if (dataA && dataB)
    return sinal(momento(a), momento(b));
  if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString)
    return sinal(a.toString().compare(b.toString()), 0);
  if (a.typeId() == QMetaType::Bool && b.typeId() == QMetaType::Bool)
    return sinal(a.toBool(), b.toBool());
  return std::nullopt;
}

QVariant conta(NoFormula::Operador op, const QVariant& a, const QVariant& b) {
  using O = NoFormula::Operador;
  if (estourado(a) || estourado(b))
    return FormatosRelatorio::ValorGrandeDemais;
  if (op == O::Soma && (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString))
    return FormatosRelatorio::Valor(a, QString()) + FormatosRelatorio::Valor(b, QString());
  if (!numerico(a) || !numerico(b))
    return {};
  if (ehQuantia(a) || ehQuantia(b)) {
    if (std::optional<QVariant> exata = contaDeQuantias(op, a, b))
      return *exata;
  }
  if (inteiro(a) && inteiro(b) && op != O::Divisao) {
    const qint64 x = a.toLongLong();
    const qint64 y = b.toLongLong();
    qint64 r = 0;
    const bool estouro = op == O::Soma        ? __builtin_add_overflow(x, y, &r)
                         : op == O::Subtracao ? __builtin_sub_overflow(x, y, &r)
                                              : __builtin_mul_overflow(x, y, &r);
    if (!estouro)
      return r;
  }
  const double x = real(a);
  const double y = real(b);
  switch (op) {
  case O::Soma:
    return x + y;
  case O::Subtracao:
    return x - y;
  case O::Multiplicacao:
    return x * y;
  case O::Divisao:
    return y == 0 ? QVariant() : QVariant(x / y);
  default:
    return {};
  }
}

QVariant chamar(const NoFormula& no, const FonteValores& fonte) {
  const auto arg = [&](std::size_t i) { return AvaliadorFormula::Avaliar(*no.filhos.at(i), fonte); };
  const auto texto = [&](std::size_t i) { return FormatosRelatorio::Valor(arg(i), QString()); };
  if (ehFuncao(no, "Se"))
    return arg(0).toBool() ? arg(1) : arg(2);
  if (ehFuncao(no, "Extenso")) {
    const QVariant valor = arg(0);
    if (!numerico(valor))
      return {};
    const int casas = no.filhos.size() > 1 ? arg(1).toInt() : 2;
    // Past the largest amount the screens accept the words library cannot be exact: a note
    // takes the place of wrong words.
    const std::optional<qint64> exato = decimosMilesimos(valor);
    const double magnitude = std::fabs(real(valor));
    if (exato ? (*exato > Moeda::MaximoAceito || *exato < -Moeda::MaximoAceito)
              : !(magnitude <= static_cast<double>(Moeda::MaximoAceito / Moeda::Escala)))
      return QStringLiteral("(valor grande demais para ser escrito por extenso)");
    // Amounts in whole cents reach the library as the double nearest to them.
    const double reais =
        exato && casas == 2 ? static_cast<double>(Moeda::ArredondarCentavos(*exato) / 100) / 100.0 : real(valor);
    return fonte.extenso(reais, casas).value_or(QString());
  }
  if (ehFuncao(no, "Formatar"))
    return FormatosRelatorio::Valor(arg(0), texto(1));
  if (ehFuncao(no, "DataExtenso"))
    return FormatosRelatorio::DataPorExtenso(momento(arg(0)).date());
  if (ehFuncao(no, "Documento"))
    return FormatosRelatorio::Documento(texto(0), no.filhos.size() > 1 ? (arg(1).toInt() == 0 ? 0 : 1) : -1);
  if (ehFuncao(no, "Juntar")) {
    QStringList partes;
    for (std::size_t i = 1; i < no.filhos.size(); ++i)
      partes.append(texto(i));
    return FormatosRelatorio::Juntar(texto(0), partes);
  }
  if (ehFuncao(no, "Soma"))
    return no.filhos.at(0)->coluna < 0 ? QVariant() : fonte.soma(no.filhos.at(0)->coluna);
  if (ehFuncao(no, "FormaPagamento"))
    return FormaPagamento::Frase(arg(0).toInt());
  if (ehFuncao(no, "Maiusculas"))
    return texto(0).toUpper();
  if (ehFuncao(no, "Texto"))
    return texto(0);
  return {};
}

}  // namespace

namespace AvaliadorFormula {

QVariant Avaliar(const NoFormula& no, const FonteValores& fonte) {
  using T = NoFormula::Tipo;
  using O = NoFormula::Operador;
  switch (no.tipo) {
  case T::Inteiro:
    return no.inteiro;
  case T::Decimal:
    return no.decimal;
  case T::Texto:
    return no.texto;
  case T::DataHora:
    return no.dataHora.time() == QTime(0, 0) ? QVariant(no.dataHora.date()) : QVariant(no.dataHora);
  case T::Logico:
    return no.logico;
  case T::Campo:
    return no.coluna < 0 ? QVariant() : fonte.campo(no.coluna);
  case T::Parametro:
    return fonte.parametro(no.texto);
  case T::FormulaNomeada:
    return fonte.formula(no.texto);
  case T::Unario: {
    const QVariant v = Avaliar(*no.filhos.at(0), fonte);
    if (no.operador == O::Nao)
      return v.typeId() == QMetaType::Bool ? QVariant(!v.toBool()) : QVariant();
    if (estourado(v))
      return v;
    if (!numerico(v))
      return {};
    qint64 oposto = 0;
    if (ehQuantia(v))
      return __builtin_sub_overflow(qint64(0), v.value<Moeda::Quantia>().decimosMilesimos, &oposto)
                 ? QVariant(FormatosRelatorio::ValorGrandeDemais)
                 : QVariant::fromValue(Moeda::Quantia{oposto});
    if (inteiro(v) && !__builtin_sub_overflow(qint64(0), v.toLongLong(), &oposto))
      return oposto;
    return -real(v);
  }
  case T::Binario: {
    if (no.operador == O::E || no.operador == O::Ou) {
      const bool a = Avaliar(*no.filhos.at(0), fonte).toBool();
      if (no.operador == O::E ? !a : a)
        return a;
      return Avaliar(*no.filhos.at(1), fonte).toBool();
    }
    const QVariant a = Avaliar(*no.filhos.at(0), fonte);
    const QVariant b = Avaliar(*no.filhos.at(1), fonte);
    if (!no.comparacao())
      return conta(no.operador, a, b);
    const auto c = comparar(a, b);
    if (!c)
      return {};
    switch (no.operador) {
    case O::Igual:
      return *c == 0;
    case O::Diferente:
      return *c != 0;
    case O::Menor:
      return *c < 0;
    case O::MenorIgual:
      return *c <= 0;
    case O::Maior:
      return *c > 0;
    default:
      return *c >= 0;
    }
  }
  case T::Intervalo: {
    const QVariant x = Avaliar(*no.filhos.at(0), fonte);
    const auto depoisInicio = comparar(x, Avaliar(*no.filhos.at(1), fonte));
    const auto antesFim = comparar(x, Avaliar(*no.filhos.at(2), fonte));
    if (!depoisInicio || !antesFim)
      return {};
    return *depoisInicio >= 0 && *antesFim <= 0;
  }
  case T::Funcao:
    return chamar(no, fonte);
  }
  return {};
}

bool VerificarFuncoes(const NoFormula& no, QString& erro, int& posicao) {
  if (no.tipo == NoFormula::Tipo::Funcao) {
    const Funcao* achada = nullptr;
    for (const Funcao& f : kFuncoes)
      if (ehFuncao(no, f.nome))
        achada = &f;
    if (achada == nullptr) {
      erro = QStringLiteral("função desconhecida %1").arg(no.texto);
      posicao = no.posicao;
      return false;
    }
    const auto n = static_cast<int>(no.filhos.size());
    if (n < achada->minimo || (achada->maximo >= 0 && n > achada->maximo)) {
      erro = QStringLiteral("número de argumentos errado para %1").arg(QLatin1String(achada->nome));
      posicao = no.posicao;
      return false;
    }
    if (ehFuncao(no, "Soma") && no.filhos.at(0)->tipo != NoFormula::Tipo::Campo) {
      erro = QStringLiteral("Soma pede um campo");
      posicao = no.posicao;
      return false;
    }
  }
  for (const auto& filho : no.filhos)
    if (!VerificarFuncoes(*filho, erro, posicao))
      return false;
  return true;
}

bool UsaExtenso(const NoFormula& no) {
  if (no.tipo == NoFormula::Tipo::Funcao && ehFuncao(no, "Extenso"))
    return true;
  for (const auto& filho : no.filhos)
    if (UsaExtenso(*filho))
      return true;
  return false;
}

}  // namespace AvaliadorFormula
