// Writes the success chime: two soft bell notes a fifth apart, as 16-bit mono PCM.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

void escrever16(std::FILE* f, std::uint16_t v) {
  const unsigned char b[2] = {static_cast<unsigned char>(v & 0xff), static_cast<unsigned char>(v >> 8)};
  std::fwrite(b, 1, 2, f);
}

void escrever32(std::FILE* f, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    const auto b = static_cast<unsigned char>((v >> (8 * i)) & 0xff);
    std::fwrite(&b, 1, 1, f);
  }
}

// A bell-like note: the fundamental with two soft partials, a quick attack and a long decay.
void nota(std::vector<double>& amostras, int taxa, double inicio, double frequencia, double duracao) {
  const auto primeira = static_cast<std::size_t>(inicio * taxa);
  const auto total = static_cast<std::size_t>(duracao * taxa);
  for (std::size_t i = 0; i < total && primeira + i < amostras.size(); ++i) {
    const double t = static_cast<double>(i) / taxa;
    const double ataque = std::min(1.0, t / 0.008);
    const double queda = std::exp(-t * 5.0);
    const double w = 2.0 * std::numbers::pi * frequencia * t;
    amostras[primeira + i] += ataque * queda * (std::sin(w) + 0.35 * std::sin(2.0 * w) + 0.12 * std::sin(3.0 * w));
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: talonix_gerar_som SAIDA.wav\n");
    return 2;
  }
  constexpr int kTaxa = 44100;
  std::vector<double> amostras(static_cast<std::size_t>(kTaxa * 0.9), 0.0);
  nota(amostras, kTaxa, 0.00, 880.0, 0.9);    // A5
  nota(amostras, kTaxa, 0.12, 1318.5, 0.78);  // E6

  std::FILE* f = std::fopen(argv[1], "wb");
  if (f == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const auto bytes = static_cast<std::uint32_t>(amostras.size() * 2);
  std::fwrite("RIFF", 1, 4, f);
  escrever32(f, 36 + bytes);
  std::fwrite("WAVEfmt ", 1, 8, f);
  escrever32(f, 16);
  escrever16(f, 1);  // PCM
  escrever16(f, 1);  // mono
  escrever32(f, kTaxa);
  escrever32(f, kTaxa * 2);
  escrever16(f, 2);
  escrever16(f, 16);
  std::fwrite("data", 1, 4, f);
  escrever32(f, bytes);
  for (const double a : amostras) {
    const double limitado = std::clamp(a * 0.28, -1.0, 1.0);
    escrever16(f, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(limitado * 32767.0))));
  }
  return std::fclose(f) == 0 ? 0 : 1;
}
