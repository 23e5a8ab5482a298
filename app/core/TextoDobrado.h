#pragma once

#include <QString>

#include <string>
#include <string_view>

/// Text folded for searching: lower case, Portuguese accents removed ("João" → "joao"), so that
/// the operator finds a name however it was typed.
namespace TextoDobrado {

/// Folds UTF-8 text into `saida` (cleared first). Letters of the Latin-1 range lose their
/// accents; other characters are kept as they are.
void dobrar(std::string_view utf8, std::string& saida);

/// The folded form of `texto`.
QString dobrar(const QString& texto);

/// True when `termo`, folded, appears literally inside `texto`, folded. An empty term matches.
bool contem(std::string_view texto, std::string_view termo);

/// `contem` for a term already folded (a search folds it once for all the rows it looks at).
bool contemDobrado(std::string_view texto, std::string_view termoDobrado);

}  // namespace TextoDobrado
