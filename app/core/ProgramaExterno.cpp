#include "app/core/ProgramaExterno.h"

#include <QProcess>
#include <QStandardPaths>

namespace ProgramaExterno {

Resultado Iniciar(const QString& programa, const QStringList& argumentos) {
  const QString caminho = QStandardPaths::findExecutable(programa);
  if (caminho.isEmpty())
    return Resultado::falha(QStringLiteral("o programa %1 não está instalado.").arg(programa));
  if (!QProcess::startDetached(caminho, argumentos))
    return Resultado::falha(QStringLiteral("o programa %1 não pôde ser iniciado.").arg(programa));
  return Resultado::sucesso();
}

}  // namespace ProgramaExterno
