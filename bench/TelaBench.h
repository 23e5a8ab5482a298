#pragma once

// What the benchmarks that drive a real screen share: a message service that ends the run at the
// first box (a search that asks anything has failed), and the screen's controls found by name.

#include "app/core/Mensagens.h"

#include <QString>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace TelaBench {

class MensagensFalham final : public Mensagens {
public:
  Resposta mostrar(const QString& texto, const QString&, Icone, Botoes, Resposta padrao) override {
    std::fprintf(stderr, "mensagem inesperada: %s\n", qPrintable(texto));
    std::exit(1);
    return padrao;
  }
};

/// The control `nome` of `tela`; a missing one ends the run.
template <typename T>
T* Controle(QWidget* tela, const QString& nome) {
  T* c = tela->findChild<T*>(nome);
  if (c == nullptr) {
    std::fprintf(stderr, "controle ausente: %s\n", qPrintable(nome));
    std::exit(1);
  }
  return c;
}

}  // namespace TelaBench
