// Stands in for Verbalor in the engine's tests: the same export and the same memory contract
// (a calloc'd Windows-1252 text that the caller frees), with a text that shows the arguments.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" __attribute__((visibility("default"))) void* TranslateNumberToWords(double valor, std::int32_t casas) {
  char* texto = static_cast<char*>(std::calloc(64, 1));
  if (texto != nullptr)
    std::snprintf(texto, 64,
                  "extenso de %.2f com %d casas: cinq\xFC"
                  "enta",
                  valor, static_cast<int>(casas));
  return texto;
}
