#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Reads an amount written in words back into numbers, independently of the library that wrote
// it: a check that the words say the amount, not how they were made.
class LeitorExtenso {
public:
  struct Leitura {
    bool negativo = false;
    quint64 inteiro = 0;
    bool temFracao = false;
    quint64 numerador = 0;
    quint64 denominador = 1;  // 10, 100 or 1000 when there is a fraction
  };

  // Nothing when the text is not a well-formed amount in words.
  [[nodiscard]] static std::optional<Leitura> ler(const QString& texto);

private:
  explicit LeitorExtenso(const QString& texto);

  [[nodiscard]] std::optional<Leitura> lerValor();
  [[nodiscard]] std::optional<quint64> lerNumero();
  [[nodiscard]] bool lerFracaoEmPalavras(quint64 numero, Leitura& leitura);
  [[nodiscard]] bool lerFracaoEscrita(Leitura& leitura);
  [[nodiscard]] bool avancarSe(const QString& palavra);
  [[nodiscard]] QString atual() const { return posicao_ < palavras_.size() ? palavras_[posicao_] : QString(); }
  [[nodiscard]] QString seguinte() const;

  QStringList palavras_;
  qsizetype posicao_ = 0;
};
