#include "receipts/DialetoSqlite.h"

#include <QRegularExpression>

namespace DialetoSqlite {

QString Converter(const QString& sql) {
  static const QRegularExpression data(QStringLiteral("#(\\d{2})/(\\d{2})/(\\d{4})#"));
  QString convertido = sql;
  return convertido.replace(data, QStringLiteral("'\\3-\\1-\\2'"));
}

}  // namespace DialetoSqlite
