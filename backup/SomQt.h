#pragma once

#include "backup/Som.h"

/// Plays through `QSoundEffect`, waiting for the end in a local event loop.
class SomQt final : public Som {
public:
  void TocarSom(const QString& arquivo) override;

  /// The length of a PCM wave file in milliseconds, read from its header; -1 when unknown.
  static qint64 DuracaoWave(const QString& arquivo);
};
