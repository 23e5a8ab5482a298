#pragma once

#include <QString>

class Mensagens;

/// Whether a Brazilian taxpayer number typed on the person screen is well formed. Only the
/// length and the check digits are looked at; nothing is looked up.
namespace ValidacaoDocumento {

/// An 11-character CPF with both check digits right, not one character repeated.
bool CpfValido(const QString& texto);

/// A 14-character CNPJ with both check digits right, or the 8-character root of one whose last
/// digit checks the first seven. Since July 2026 the first twelve characters of a full CNPJ may
/// also be upper-case letters (each character counting as its code minus 48: `A` 17 … `Z` 42);
/// the two check digits stay digits.
bool CnpjValido(const QString& texto);

}  // namespace ValidacaoDocumento

/// Checks a CPF as typed; a refusal shows "O código do CPF informado é inválido." once.
bool ValidarCPF(const QString& texto, Mensagens& mensagens);

/// Checks a CNPJ (or its root) as typed; a refusal shows "O código do CNPJ informado é
/// inválido." once.
bool ValidarCNPJ(const QString& texto, Mensagens& mensagens);
