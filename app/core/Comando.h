#pragma once

#include <QString>
#include <QVariantList>

class QSqlQuery;

/// Running one statement of the program's SQL with the values it takes.
namespace Comando {

/// Prepares `sql` on `consulta`, binds `valores` to its placeholders in order and runs it. False
/// when either the preparing or the running fails (a statement refused while being prepared, by a
/// lock that did not come in time, is never run); `consulta.lastError()` then says why.
[[nodiscard]] bool Executar(QSqlQuery& consulta, const QString& sql, const QVariantList& valores = {});

}  // namespace Comando
