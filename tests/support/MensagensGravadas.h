#pragma once

#include "app/core/Mensagens.h"

#include <QList>
#include <QQueue>
#include <QString>

/// A message service for tests: records every box and answers from a script (or with the
/// box's default button when the script is empty).
class MensagensGravadas final : public Mensagens {
public:
  struct Caixa {
    QString texto;
    QString titulo;
    Icone icone;
    Botoes botoes;
    Resposta padrao;
  };

  Resposta mostrar(const QString& texto, const QString& titulo, Icone icone, Botoes botoes, Resposta padrao) override;

  /// The answer to give to the next box.
  void responder(Resposta resposta) { respostas_.enqueue(resposta); }

  const QList<Caixa>& caixas() const { return caixas_; }
  int quantas() const { return static_cast<int>(caixas_.size()); }
  const Caixa& ultima() const { return caixas_.last(); }
  void limpar() {
    caixas_.clear();
    respostas_.clear();
  }

private:
  QList<Caixa> caixas_;
  QQueue<Resposta> respostas_;
};
