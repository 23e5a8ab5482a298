#pragma once

#include <QLibrary>
#include <QString>

#include <optional>

/// Verbalor, the library that writes amounts in Portuguese words, loaded at run time from the
/// application folder by its file name. Talonix never links it: a missing library only leaves
/// the amounts in words blank, with a message saying why.
class BibliotecaVerbalor {
public:
  /// The library's file name on this system.
  static QString NomeArquivo();

  /// Loads the library from `pasta` (once; later calls reuse it). False when it is missing or
  /// lacks the function; `erro()` then says why, in Portuguese.
  bool carregar(const QString& pasta);
  bool carregada() const { return funcao_ != nullptr; }
  const QString& erro() const { return erro_; }

  /// The amount in words with `casas` decimal places; nothing when the library is not loaded
  /// or gave no text.
  std::optional<QString> extenso(double valor, int casas) const;

private:
  using Funcao = void* (*)(double, qint32);
  QLibrary biblioteca_;
  Funcao funcao_ = nullptr;
  QString erro_;
};
