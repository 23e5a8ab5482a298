#include "tests/support/MensagensGravadas.h"

Resposta MensagensGravadas::mostrar(const QString& texto, const QString& titulo, Icone icone, Botoes botoes,
                                    Resposta padrao) {
  caixas_.append({texto, titulo, icone, botoes, padrao});
  return respostas_.isEmpty() ? padrao : respostas_.dequeue();
}
