#pragma once

#include <QByteArray>
#include <QString>

/// A settings file in the private-profile form: "[section]" lines and "key=value" lines.
/// Section and key names match regardless of case; reading never touches the file; writing one
/// key rewrites only that key's line and keeps every other line byte for byte.
class ArquivoIni {
public:
  /// Longest value handed back, as the 255-character buffer of the profile functions allows.
  static constexpr int TamanhoMaximoValor = 254;

  explicit ArquivoIni(QString caminho) : caminho_(std::move(caminho)) {}

  /// The trimmed value of `chave` in `secao`, cut to 254 characters; `padrao` when the file,
  /// the section or the key is missing.
  QString ler(const QString& secao, const QString& chave, const QString& padrao) const;

  /// Creates or replaces `chave` in `secao` (adding the section, or the file, when missing).
  /// The file is replaced as a whole or not at all. Returns false when it could not be written,
  /// and refuses, leaving the file as it was, a section, key or value that holds a carriage
  /// return or a line feed, which would make lines of its own.
  bool gravar(const QString& secao, const QString& chave, const QString& valor) const;

  /// The edit `gravar` makes, on the file's bytes: exposed so the rules can be checked directly.
  static QByteArray comChave(const QByteArray& conteudo, const QString& secao, const QString& chave,
                             const QString& valor);

private:
  QString caminho_;
};
