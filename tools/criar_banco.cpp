// Makes an empty Talonix database from the schema, unless a file is already there.

#include "app/core/Esquema.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char* argv[]) {
  QCoreApplication aplicacao(argc, argv);
  const QStringList argumentos = QCoreApplication::arguments();
  QTextStream erro(stderr);
  if (argumentos.size() != 2) {
    erro << "uso: talonix_criar_banco CAMINHO/bdRecibo.mdb\n";
    return 2;
  }
  const QString caminho = argumentos.at(1);
  if (QFileInfo::exists(caminho))
    return 0;
  const Resultado resultado = Esquema::CriarBanco(caminho);
  if (!resultado) {
    erro << resultado.erro << " (" << resultado.numero << ")\n";
    return 1;
  }
  QTextStream(stdout) << "Banco de dados criado: " << caminho << '\n';
  return 0;
}
