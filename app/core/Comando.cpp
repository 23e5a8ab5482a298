#include "app/core/Comando.h"

#include <QSqlQuery>
#include <QVariant>

namespace Comando {

bool Executar(QSqlQuery& consulta, const QString& sql, const QVariantList& valores) {
  if (!consulta.prepare(sql))
    return false;
  for (const QVariant& valor : valores)
    consulta.addBindValue(valor);
  return consulta.exec();
}

}  // namespace Comando
