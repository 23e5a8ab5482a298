#pragma once

#include "controls/CaixaEdicao.h"

#include <functional>
#include <optional>

/// The text box of the screens: free text, digits only, or letters upper-cased, or any rule
/// per position of the character (the CNPJ with letters). Whatever the rule refuses never
/// gets in, typed, pasted or set by the program.
class uscTextBox : public CaixaEdicao {
  Q_OBJECT
public:
  /// The character types of the box.
  enum TipoCaracter {
    Livre = 0,    ///< any character
    Letras = 1,   ///< letters only, upper-cased (the state field)
    Digitos = 4,  ///< the digits 0 to 9 only
  };

  /// Given the position a character would take in the text (from 0) and the character, the
  /// character to put there (changed if need be), or nothing to leave it out.
  using RegraCaractere = std::function<std::optional<QChar>(qsizetype posicao, QChar caractere)>;

  explicit uscTextBox(QWidget* parent = nullptr);

  TipoCaracter tipoCaracter() const { return tipo_; }
  /// Sets one of the standard rules; the text already in the box is filtered again.
  void setTipoCaracter(TipoCaracter tipo);
  /// Sets a rule of the caller's own; the text already in the box is filtered again.
  void setRegraCaractere(RegraCaractere regra);

  /// The rule of a character type.
  static RegraCaractere regraDoTipo(TipoCaracter tipo);

protected:
  QString filtrar(const QString& texto) const override;

private:
  TipoCaracter tipo_ = Livre;
  RegraCaractere regra_;
};
