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
  // Folding never lengthens the text: it is written in place of a buffer of the input's size.
  saida.resize(utf8.size());
  char* escrita = saida.data();
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      *escrita++ = c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : static_cast<char>(c);
      continue;
    }
    // Two-byte sequences C3 80..BF are U+00C0..U+00FF.
    if (c == 0xC3 && i + 1 < utf8.size()) {
      const auto d = static_cast<unsigned char>(utf8[i + 1]);
      if (d >= 0x80 && d <= 0xBF) {
        const char base = kLatin1[d - 0x80];
        if (base != 0) {
          *escrita++ = base;
        } else {
          // No base letter (Æ, Ð, ×, ß ...): keep it, in lower case where it has one.
          const unsigned char minuscula = (d >= 0x80 && d <= 0x9E && d != 0x97) ? d + 0x20 : d;
          *escrita++ = static_cast<char>(c);
          *escrita++ = static_cast<char>(minuscula);
        }
        ++i;
        continue;
      }
    }
    *escrita++ = static_cast<char>(c);
  }
  saida.resize(static_cast<std::size_t>(escrita - saida.data()));
}

QString dobrar(const QString& texto) {
  const QByteArray utf8 = texto.toUtf8();
  std::string saida;
  dobrar(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), saida);
  return QString::fromUtf8(saida.data(), static_cast<qsizetype>(saida.size()));
}

bool contem(std::string_view texto, std::string_view termo) {
  thread_local std::string termoDobrado;
  dobrar(termo, termoDobrado);
  return contemDobrado(texto, termoDobrado);
}

bool contemDobrado(std::string_view texto, std::string_view termoDobrado) {
  if (termoDobrado.empty())
    return true;
  thread_local std::string textoDobrado;
  dobrar(texto, textoDobrado);
  return textoDobrado.find(termoDobrado) != std::string::npos;
}

}  // namespace TextoDobrado
