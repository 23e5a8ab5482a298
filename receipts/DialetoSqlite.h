#pragma once

#include <QString>

/// The one step between the receipt filter's text, whose dates are `#mm/dd/yyyy#` literals, and
/// SQLite.
namespace DialetoSqlite {

/// Turns every date literal `#mm/dd/yyyy#` of `sql` into the text `'yyyy-mm-dd'` the store
/// keeps dates in; nothing else is touched. Only texts the program built itself pass here.
QString Converter(const QString& sql);

}  // namespace DialetoSqlite
