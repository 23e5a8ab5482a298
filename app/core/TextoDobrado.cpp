#include "app/core/TextoDobrado.h"

#include <array>

namespace TextoDobrado {
namespace {

// Base letter of each character from U+00C0 to U+00FF, lower case; 0 keeps the character.
constexpr std::array<char, 64> kLatin1 = {
    'a', 'a', 'a', 'a', 'a', 'a', 0,   'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i',  // C0-CF
    0,   'n', 'o', 'o', 'o', 'o', 'o', 0,   0,   'u', 'u', 'u', 'u', 'y', 0,   0,    // D0-DF
    'a', 'a', 'a', 'a', 'a', 'a', 0,   'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i',  // E0-EF
    0,   'n', 'o', 'o', 'o', 'o', 'o', 0,   0,   'u', 'u', 'u', 'u', 'y', 0,   'y',  // F0-FF
};

}  // namespace

void dobrar(std::string_view utf8, std::string& saida) {
  saida.clear();
  saida.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      saida.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : static_cast<char>(c));
      continue;
    }
    // Two-byte sequences C3 80..BF are U+00C0..U+00FF.
    if (c == 0xC3 && i + 1 < utf8.size()) {
      const auto d = static_cast<unsigned char>(utf8[i + 1]);
      if (d >= 0x80 && d <= 0xBF) {
        const char base = kLatin1[d - 0x80];
        if (base != 0) {
          saida.push_back(base);
        } else {
          // No base letter (Æ, Ð, ×, ß ...): keep it, in lower case where it has one.
          const unsigned char minuscula = (d >= 0x80 && d <= 0x9E && d != 0x97) ? d + 0x20 : d;
          saida.push_back(static_cast<char>(c));
          saida.push_back(static_cast<char>(minuscula));
        }
        ++i;
        continue;
      }
    }
    saida.push_back(static_cast<char>(c));
  }
}

QString dobrar(const QString& texto) {
  const QByteArray utf8 = texto.toUtf8();
  std::string saida;
  dobrar(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), saida);
  return QString::fromUtf8(saida.data(), static_cast<qsizetype>(saida.size()));
}

bool contem(std::string_view texto, std::string_view termo) {
  if (termo.empty())
    return true;
  thread_local std::string textoDobrado;
  thread_local std::string termoDobrado;
  dobrar(texto, textoDobrado);
  dobrar(termo, termoDobrado);
  return textoDobrado.find(termoDobrado) != std::string::npos;
}

}  // namespace TextoDobrado
