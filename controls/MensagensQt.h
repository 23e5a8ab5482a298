#pragma once

#include "app/core/Mensagens.h"

class QWidget;

/// Message boxes shown to the operator as dialogs.
class MensagensQt final : public Mensagens {
public:
  Resposta mostrar(const QString& texto, const QString& titulo, Icone icone, Botoes botoes, Resposta padrao) override;
};
