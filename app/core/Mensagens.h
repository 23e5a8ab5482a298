#pragma once

#include <QString>

/// The icon of a message box.
enum class Icone { Nenhum, Informacao, Exclamacao, Pergunta, Critico };

/// The buttons a message box offers. `AbrirEnviarFechar`: "Abrir", "Enviar por e-mail" and
/// "Fechar", for a file just written.
enum class Botoes { Ok, OkCancelar, SimNao, SimNaoCancelar, AbrirEnviarFechar };

/// The button the operator pressed (or the default one, for a box closed without a choice).
enum class Resposta { Ok, Cancelar, Sim, Nao, Abrir, Enviar, Fechar };

/// Every message box of the program goes through this service. The real one shows a dialog;
/// tests install one that records each box and returns scripted answers.
class Mensagens {
public:
  virtual ~Mensagens() = default;

  /// Shows `texto` under `titulo` with the icon and buttons given; returns the answer.
  /// Line breaks inside `texto` are single carriage returns.
  virtual Resposta mostrar(const QString& texto, const QString& titulo, Icone icone, Botoes botoes = Botoes::Ok,
                           Resposta padrao = Resposta::Ok) = 0;

  /// A question with Yes and No, No being the default.
  bool perguntar(const QString& texto, const QString& titulo) {
    return mostrar(texto, titulo, Icone::Pergunta, Botoes::SimNao, Resposta::Nao) == Resposta::Sim;
  }
  void informar(const QString& texto, const QString& titulo) { mostrar(texto, titulo, Icone::Informacao); }
  /// A trapped failure of the store: its text, a carriage return and its number.
  void falhar(const QString& erro, int numero, const QString& titulo) {
    mostrar(erro + QLatin1Char('\r') + QString::number(numero), titulo, Icone::Critico);
  }
};
