#include "registries/ValidacaoDocumento.h"

#include "app/core/Mensagens.h"

#include <array>

namespace ValidacaoDocumento {
namespace {

constexpr int kTamanhoCpf = 11;
constexpr int kTamanhoCnpj = 14;
constexpr int kTamanhoRaiz = 8;
constexpr int kCorpoCnpj = 12;

bool ehDigito(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A character that is not a digit counts as 0 in the classic checks.
int valorDigito(QChar c) {
  return ehDigito(c) ? c.unicode() - '0' : 0;
}

// The alphanumeric CNPJ counts every character as its code minus 48.
int valorAlfanumerico(QChar c) {
  return c.unicode() - '0';
}

using Valores = std::array<int, kTamanhoCnpj>;

Valores valoresDe(const QString& texto, int (*valor)(QChar)) {
  Valores valores{};
  for (qsizetype i = 0; i < texto.size() && i < kTamanhoCnpj; ++i)
    valores[static_cast<std::size_t>(i)] = valor(texto.at(i));
  return valores;
}

// A CPF check digit over the first `n` positions, weights n + 1 down to 2.
int digitoCpf(const Valores& d, int n) {
  int soma = 0;
  for (int i = 0; i < n; ++i)
    soma += d[static_cast<std::size_t>(i)] * (n + 1 - i);
  const int r = 11 - soma % 11;
  return r >= 10 ? 0 : r;
}

// A CNPJ check digit over the first `n` positions (12 or 13): the weight starts at n - 7, goes
// down to 2 and starts again at 9.
int digitoCnpj(const Valores& d, int n) {
  int soma = 0;
  int peso = n - 7;
  for (int i = 0; i < n; ++i) {
    soma += d[static_cast<std::size_t>(i)] * peso;
    peso = peso > 2 ? peso - 1 : 9;
  }
  const int r = soma % 11;
  return r > 1 ? 11 - r : 0;
}

bool digitosCnpjConferem(const Valores& d) {
  return d[12] == digitoCnpj(d, 12) && d[13] == digitoCnpj(d, 13);
}

// The root of a CNPJ: the eighth digit checks the first seven, modulus 10, the odd positions
// doubled and their two digits added.
bool raizCnpjValida(const Valores& d) {
  int soma = 0;
  for (int i = 0; i < 7; ++i) {
    const int p = i % 2 == 0 ? 2 * d[static_cast<std::size_t>(i)] : d[static_cast<std::size_t>(i)];
    soma += p > 9 ? p / 10 + p % 10 : p;
  }
  const int digito = soma % 10 != 0 ? 10 - soma % 10 : 0;
  return d[7] == digito;
}

// The number the text begins with is greater than zero: its leading run of digits holds a digit
// other than 0.
bool comecaComNumeroPositivo(const QString& texto) {
  for (const QChar c : texto) {
    if (!ehDigito(c))
      return false;
    if (c != QLatin1Char('0'))
      return true;
  }
  return false;
}

bool temLetra(const QString& texto) {
  for (const QChar c : texto)
    if (c.isLetter())
      return true;
  return false;
}

bool ehLetraOuDigitoDeCnpj(QChar c) {
  return ehDigito(c) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool cnpjAlfanumericoValido(const QString& texto) {
  if (texto.size() != kTamanhoCnpj)
    return false;
  for (qsizetype i = 0; i < kTamanhoCnpj; ++i) {
    const QChar c = texto.at(i);
    if (i < kCorpoCnpj ? !ehLetraOuDigitoDeCnpj(c) : !ehDigito(c))
      return false;
  }
  return digitosCnpjConferem(valoresDe(texto, valorAlfanumerico));
}

}  // namespace

bool CpfValido(const QString& texto) {
  if (texto.size() != kTamanhoCpf)
    return false;
  // Eleven equal digits would pass the check digits.
  if (texto == QString(kTamanhoCpf, texto.at(0)))
    return false;
  const Valores d = valoresDe(texto, valorDigito);
  return d[9] == digitoCpf(d, 9) && d[10] == digitoCpf(d, 10);
}

bool CnpjValido(const QString& texto) {
  if (temLetra(texto))
    return cnpjAlfanumericoValido(texto);
  if (!comecaComNumeroPositivo(texto))
    return false;
  const Valores d = valoresDe(texto, valorDigito);
  if (texto.size() == kTamanhoRaiz)
    return raizCnpjValida(d);
  if (texto.size() == kTamanhoCnpj)
    return digitosCnpjConferem(d);
  return false;
}

}  // namespace ValidacaoDocumento

bool ValidarCPF(const QString& texto, Mensagens& mensagens) {
  if (ValidacaoDocumento::CpfValido(texto))
    return true;
  mensagens.informar(QStringLiteral("O código do CPF informado é inválido."), QStringLiteral("CPF"));
  return false;
}

bool ValidarCNPJ(const QString& texto, Mensagens& mensagens) {
  if (ValidacaoDocumento::CnpjValido(texto))
    return true;
  mensagens.informar(QStringLiteral("O código do CNPJ informado é inválido."), QStringLiteral("CNPJ"));
  return false;
}
