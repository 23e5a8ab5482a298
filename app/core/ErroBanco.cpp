#include "app/core/ErroBanco.h"

#include <QSqlError>

namespace ErroBanco {

Resultado Falha(const QSqlError& erro) {
  QString texto = erro.databaseText();
  if (texto.isEmpty())
    texto = erro.driverText();
  bool numerico = false;
  int numero = erro.nativeErrorCode().toInt(&numerico);
  if (!numerico)
    numero = -1;
  return Resultado::falha(texto, numero);
}

}  // namespace ErroBanco
