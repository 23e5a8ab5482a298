#pragma once

// What every benchmark on the generated database starts with: a copy of it as the database of a
// temporary application folder, the program's connection open on it; and the median of a run.

#include "app/core/Conexao.h"
#include "app/core/modGeral.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace CopiaBanco {

/// Copies `origem` to `pasta`/Dados/bdRecibo.mdb, points the program there and opens the
/// connection; the copy's path, or an empty text on failure.
inline QString Abrir(const QTemporaryDir& pasta, const QString& origem) {
  QDir(pasta.path()).mkpath(QStringLiteral("Dados"));
  const QString banco = pasta.path() + QStringLiteral("/Dados/bdRecibo.mdb");
  if (!QFile::copy(origem, banco))
    return QString();
  modGeral::DefinirPastaAplicacao(pasta.path());
  return Conexao::AbrirConexao() ? banco : QString();
}

inline double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace CopiaBanco
