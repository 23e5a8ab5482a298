#include "reports/engine/BibliotecaVerbalor.h"

#include "app/core/modGeral.h"

#include <QFileInfo>

#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// The text comes in Windows-1252: Latin-1 but for 0x80-0x9F.
QString deWindows1252(const char* texto, std::size_t tamanho) {
  static const char16_t faixa80[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                       0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
  QString saida;
  saida.reserve(static_cast<qsizetype>(tamanho));
  for (std::size_t i = 0; i < tamanho; ++i) {
    const auto byte = static_cast<unsigned char>(texto[i]);
    saida += byte >= 0x80 && byte < 0xA0 ? QChar(faixa80[byte - 0x80]) : QChar(byte);
  }
  return saida;
}

}  // namespace

QString BibliotecaVerbalor::NomeArquivo() {
#ifdef _WIN32
  return QStringLiteral("verbalor.dll");
#elif defined(__APPLE__)
  return QStringLiteral("libverbalor.dylib");
#else
  return QStringLiteral("libverbalor.so");
#endif
}

bool BibliotecaVerbalor::carregar(const QString& pasta) {
  if (funcao_ != nullptr)
    return true;
  const QString caminho = modGeral::JuntarCaminho(pasta, NomeArquivo());
  if (!QFileInfo::exists(caminho)) {
    erro_ = QStringLiteral(
                "O valor por extenso não pôde ser escrito: a biblioteca %1 não foi encontrada na "
                "pasta do programa (%2).")
                .arg(NomeArquivo(), pasta);
    return false;
  }
  // By its full path: the library is looked for in the application folder only.
  biblioteca_.setFileName(QFileInfo(caminho).absoluteFilePath());
  if (!biblioteca_.load()) {
    erro_ = QStringLiteral("O valor por extenso não pôde ser escrito: a biblioteca %1 não pôde ser carregada (%2).")
                .arg(NomeArquivo(), biblioteca_.errorString());
    return false;
  }
  funcao_ = reinterpret_cast<Funcao>(biblioteca_.resolve("TranslateNumberToWords"));
  if (funcao_ == nullptr) {
    erro_ = QStringLiteral(
                "O valor por extenso não pôde ser escrito: a biblioteca %1 não tem a função "
                "TranslateNumberToWords.")
                .arg(NomeArquivo());
    biblioteca_.unload();
    return false;
  }
  erro_.clear();
  return true;
}

std::optional<QString> BibliotecaVerbalor::extenso(double valor, int casas) const {
  if (funcao_ == nullptr)
    return std::nullopt;
  void* handle = funcao_(valor, static_cast<qint32>(casas));
  if (handle == nullptr)
    return std::nullopt;
#ifdef _WIN32
  const auto* texto = static_cast<const char*>(GlobalLock(static_cast<HGLOBAL>(handle)));
  const QString resultado = texto == nullptr ? QString() : deWindows1252(texto, std::strlen(texto));
  GlobalUnlock(static_cast<HGLOBAL>(handle));
  GlobalFree(static_cast<HGLOBAL>(handle));
#else
  // Elsewhere the handle is the calloc'd text itself, and the caller frees it.
  const auto* texto = static_cast<const char*>(handle);
  const QString resultado = deWindows1252(texto, std::strlen(texto));
  std::free(handle);
#endif
  return resultado;
}
