#pragma once

#include "app/core/Resultado.h"

#include <QString>
#include <QVariantList>

class QSqlError;
class QSqlQuery;

/// The store's failures as the operator reads them.
namespace ErroBanco {

/// The driver's error text and number; never an empty text.
Resultado Falha(const QSqlError& erro);

/// Whether `erro` is the loss of the connection to the server (it restarted, or the network
/// failed): the next operation reconnects.
bool ConexaoPerdida(const QSqlError& erro);

/// Prepares `sql` on `consulta`, binds `valores` to its placeholders in order and runs it. A
/// statement the store refused to prepare (a table another desk holds, a lost connection) is
/// never run: its failure is the one given.
[[nodiscard]] Resultado Executar(QSqlQuery& consulta, const QString& sql, const QVariantList& valores = {});

}  // namespace ErroBanco
