#pragma once

#include "backup/Som.h"

#include <QStringList>

/// A sound player for tests: records the files it was asked to play.
class SomGravado final : public Som {
public:
  void TocarSom(const QString& arquivo) override { tocados.append(arquivo); }

  QStringList tocados;
};
