#pragma once

#include "app/core/EscolhaArquivo.h"

#include <QStringList>

class QFileDialog;

/// The chooser on `QFileDialog`, with its default suffix and its question before overwriting.
class EscolhaArquivoQt final : public EscolhaArquivo {
public:
  QString EscolherArquivo(QWidget* dono, ModoArquivo modo, const QString& titulo, const QString& nomeInicial,
                          const QString& filtro, const QString& pastaInicial, const QString& extensaoPadrao) override;

  /// The dialog's name filters for a "description|pattern|..." filter: "*.*" stands for every
  /// file, as it does on Windows.
  static QStringList FiltrosDialogo(const QString& filtro);

  /// Sets `dialogo` up for one choice: mode, title, filters, folder, suggested name and ending.
  static void Configurar(QFileDialog& dialogo, ModoArquivo modo, const QString& titulo, const QString& nomeInicial,
                         const QString& filtro, const QString& pastaInicial, const QString& extensaoPadrao);
};
