#pragma once

#include <QString>

/// The program's sounds. The real one plays through the sound device; tests record the calls.
class Som {
public:
  virtual ~Som() = default;

  /// Plays the wave file and returns when it has ended; a missing file or device is skipped
  /// without a word.
  virtual void TocarSom(const QString& arquivo) = 0;
};
