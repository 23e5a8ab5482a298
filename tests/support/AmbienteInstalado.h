#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

/// Makes the application folder `pastaAplicacao` look installed (the marker beside the
/// executable) and points $XDG_DATA_HOME at a temporary folder, where the data folder is
/// "Talonix" and does not exist yet. Puts the marker and the environment back as they were.
class AmbienteInstalado {
public:
  explicit AmbienteInstalado(const QString& pastaAplicacao);
  ~AmbienteInstalado();
  AmbienteInstalado(const AmbienteInstalado&) = delete;
  AmbienteInstalado& operator=(const AmbienteInstalado&) = delete;

  /// $XDG_DATA_HOME during the test.
  QString xdg() const { return xdg_.path(); }
  /// The data folder the program should use.
  QString pastaDados() const { return xdg_.path() + QStringLiteral("/Talonix"); }

private:
  QString marcador_;
  QTemporaryDir xdg_;
  QByteArray xdgAntes_;
  bool tinhaXdg_;
};
