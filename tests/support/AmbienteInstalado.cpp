#include "tests/support/AmbienteInstalado.h"

#include <QDebug>
#include <QFile>

AmbienteInstalado::AmbienteInstalado(const QString& pastaAplicacao)
    : marcador_(pastaAplicacao + QStringLiteral("/instalado")),
      xdgAntes_(qgetenv("XDG_DATA_HOME")),
      tinhaXdg_(qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
  QFile marcador(marcador_);
  if (!marcador.open(QIODevice::WriteOnly))
    qWarning() << "could not write the installed marker" << marcador_;
  qputenv("XDG_DATA_HOME", QFile::encodeName(xdg_.path()));
}

AmbienteInstalado::~AmbienteInstalado() {
  QFile::remove(marcador_);
  if (tinhaXdg_)
    qputenv("XDG_DATA_HOME", xdgAntes_);
  else
    qunsetenv("XDG_DATA_HOME");
}
