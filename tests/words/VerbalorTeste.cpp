#include "tests/words/VerbalorTeste.h"

#include <QStringDecoder>
#include <cstdlib>

VerbalorTeste::VerbalorTeste() : biblioteca_(QStringLiteral(VERBALOR_ARQUIVO)) {
  if (biblioteca_.load()) {
    traduzir_ = reinterpret_cast<Traduzir>(biblioteca_.resolve("TranslateNumberToWords"));
  }
}

QByteArray VerbalorTeste::bytes(double valor, qint32 casas) const {
  void* bloco = traduzir_(valor, casas);
  if (bloco == nullptr) {
    return {};
  }
  QByteArray texto(static_cast<const char*>(bloco));
  std::free(bloco);
  return texto;
}

QString VerbalorTeste::extenso(double valor, qint32 casas) const {
  QStringDecoder windows1252("windows-1252");
  return windows1252.decode(bytes(valor, casas));
}
