#pragma once

#include <QByteArray>
#include <QLibrary>
#include <QString>

// Verbalor for the tests, as the report engine sees it: loaded at run time by file name, the function found by
// its exported name, the block read as Windows-1252 text and released.
class VerbalorTeste {
public:
  VerbalorTeste();

  [[nodiscard]] bool carregada() const { return traduzir_ != nullptr; }
  [[nodiscard]] QString erro() const { return biblioteca_.errorString(); }

  // The bytes of the returned block up to its terminating zero.
  [[nodiscard]] QByteArray bytes(double valor, qint32 casas) const;
  [[nodiscard]] QString extenso(double valor, qint32 casas) const;

private:
  using Traduzir = void* (*)(double, qint32);
  QLibrary biblioteca_;
  Traduzir traduzir_ = nullptr;
};
