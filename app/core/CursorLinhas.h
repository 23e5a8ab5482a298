#pragma once

#include "app/core/Resultado.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

/// Steps through the rows of one query, for the lists that may hold every row of a large table
/// (the receipt search, the lookup dialogs, the reports). On SQLite it reads the statement itself,
/// without the driver's conversion of every value; on the server, through the driver, one row at
/// a time. The SQL is the program's, in SQLite's words (`Dialeto::Adaptar` runs on it here).
class CursorLinhas {
public:
  explicit CursorLinhas(const QSqlDatabase& banco);
  ~CursorLinhas();
  CursorLinhas(const CursorLinhas&) = delete;
  CursorLinhas& operator=(const CursorLinhas&) = delete;

  /// Prepares `sql`; its placeholders are `?`.
  [[nodiscard]] Resultado Preparar(const QString& sql);
  /// Binds `valor` to the placeholder `indice` (from 0): Null, a whole number (a truth value
  /// counts as 0 or 1), a decimal or a text.
  [[nodiscard]] Resultado Vincular(int indice, const QVariant& valor);
  /// Moves to the next row; false at the end and on failure, which `resultado()` then holds.
  bool Proxima();
  /// Success, or why the query or a step failed.
  const Resultado& resultado() const { return resultado_; }

  bool Nulo(int coluna) const;
  qint64 Inteiro(int coluna) const;
  double Decimal(int coluna) const;
  /// The value as UTF-8 text, valid until the next row; empty for Null.
  std::string_view Texto(int coluna);

private:
  Resultado falhaNativa() const;

  QSqlDatabase banco_;
  sqlite3* nativo_ = nullptr;
  sqlite3_stmt* comando_ = nullptr;
  QSqlQuery consulta_;
  bool executada_ = false;
  std::vector<QByteArray> textos_;
  Resultado resultado_;
};
