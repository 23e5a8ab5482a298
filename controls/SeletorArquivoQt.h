#pragma once

#include "app/core/SeletorArquivo.h"

/// The system's file dialogs (a `QFileDialog` object, so that a default suffix is added).
class SeletorArquivoQt final : public SeletorArquivo {
public:
  QString salvar(const QString& titulo, const QString& sugestao, const QString& filtro, const QString& sufixo) override;
};
