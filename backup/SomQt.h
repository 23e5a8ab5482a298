#pragma once

#include "backup/Som.h"

#include <QLibrary>

/// Plays through `QSoundEffect`, waiting for the end in a local event loop. The player is the
/// module `talonix_som` of the application folder, loaded the first time a sound is played, so
/// that the multimedia libraries stay out of the program's start.
class SomQt final : public Som {
public:
  void TocarSom(const QString& arquivo) override;

  /// The length of a PCM wave file in milliseconds, read from its header; -1 when unknown.
  static qint64 DuracaoWave(const QString& arquivo);

  /// The player module's path in the application folder, without the platform's prefix and suffix.
  static QString ArquivoTocador();

private:
  QLibrary tocador_;
};
