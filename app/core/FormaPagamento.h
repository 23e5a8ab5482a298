#pragma once

#include <QString>
#include <QStringList>

/// How a receipt's amount was paid. The codes are stored in `tbRecibo.FormaPagamento` and never
/// change meaning: 0 is "not informed", 1 to 7 the forms in the order the receipt screen lists
/// them.
namespace FormaPagamento {

/// The stored code of "not informed".
inline constexpr int NaoInformada = 0;

/// The names of the forms as the operator chooses them; the name at index `i` is code `i + 1`.
QStringList Nomes();

/// The phrase the printed receipt's sentence gets for `codigo` ("por PIX", "em dinheiro"), or
/// empty text for "not informed" and for any code this program does not know.
QString Frase(int codigo);

}  // namespace FormaPagamento
