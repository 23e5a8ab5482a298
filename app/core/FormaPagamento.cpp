#include "app/core/FormaPagamento.h"

#include <array>
#include <utility>

namespace FormaPagamento {
namespace {

// Code 1 first; a new form is added at the end so that stored codes keep their meaning.
const std::array<std::pair<const char*, const char*>, 7> kFormas{{
    {"Dinheiro", "em dinheiro"},
    {"PIX", "por PIX"},
    {"Transferência", "por transferência"},
    {"Boleto", "por boleto"},
    {"Cartão de débito", "com cartão de débito"},
    {"Cartão de crédito", "com cartão de crédito"},
    {"Cheque", "em cheque"},
}};

}  // namespace

QStringList Nomes() {
  QStringList nomes;
  for (const auto& [nome, frase] : kFormas)
    nomes.append(QString::fromUtf8(nome));
  return nomes;
}

QString Frase(int codigo) {
  if (codigo < 1 || codigo > static_cast<int>(kFormas.size()))
    return QString();
  return QString::fromUtf8(kFormas[static_cast<std::size_t>(codigo - 1)].second);
}

}  // namespace FormaPagamento
