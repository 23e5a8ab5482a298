#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class QSqlError;

/// What differs between the two stores the program runs on: SQLite, the file of one desk, and
/// PostgreSQL, the server of an office with several desks. The program's SQL is written once, in
/// SQLite's words; what the server says otherwise is said here and nowhere else.
namespace Dialeto {

enum class Tipo { Sqlite, Postgresql };

/// The store `banco` talks to, by its driver.
Tipo De(const QSqlDatabase& banco);

/// The Qt driver of `tipo`.
QString Driver(Tipo tipo);

/// Turns every date literal `#mm/dd/yyyy#` of `sql` into the text `'yyyy-mm-dd'` the stores keep
/// dates in; nothing else is touched. Only texts the program built itself pass here.
QString ConverterDatas(const QString& sql);

/// A statement the program wrote as `sql`, as the store of `tipo` takes it. SQLite takes it as it
/// is; the server gets quoted names in lower case (it keeps unquoted names so), whole numbers as
/// BIGINT (SQLite's integers are 64 bits) and SQLite's "temp." schema by its own name.
QString Adaptar(Tipo tipo, const QString& sql);

/// A CREATE or ALTER statement of the program's tables as `tipo` takes it: `Adaptar`, and on the
/// server every text column compared and sorted byte by byte, as SQLite does, whatever the
/// language the server's database was made with.
QString AdaptarDefinicao(Tipo tipo, const QString& sql);

/// The statement that begins a write transaction. SQLite's takes the write lock at once, so that
/// two writers never deadlock halfway; the server locks row by row as the statements go.
QString InicioEscrita(Tipo tipo);

/// What a row read inside a write transaction is kept from until the transaction ends.
enum class Bloqueio {
  Alteracao,   ///< any other change or deletion: the row is about to be changed or deleted
  Referencia,  ///< its deletion: the row is about to be referred to by another
};

/// What follows a SELECT of rows inside a write transaction so that they are kept as `bloqueio`
/// says. Nothing on SQLite, whose write transaction already holds the whole file.
QString BloqueioLinhas(Tipo tipo, Bloqueio bloqueio);

/// How long a statement on the server waits for a lock (a table another desk holds whole while it
/// restores a backup) before it is refused.
inline constexpr int EsperaTravaMs = 5000;

/// The statement run on every new connection to the server: waits for locks are bounded.
QString AjusteSessaoServidor();

/// The last ORDER BY key of a report: rows equal in every sort field keep their stored order.
/// SQLite's rowid; the server has none, so its key columns (or the order rows were written in,
/// for the program's temporary tables).
QString OrdemGravacao(Tipo tipo, const QString& tabela, const QString& apelido);

/// What follows an ascending sort key so that Nulls come first, where SQLite puts them.
QString NulosPrimeiro(Tipo tipo);

/// The statements that make the search functions `talonix_dobra(texto)` and
/// `talonix_contem(texto, termo)` on the server: the same folding as `TextoDobrado`, the table of
/// letters taken from it.
QStringList FuncoesServidor();

/// The query that gives the schema version of a database, one row.
QString LeituraVersao(Tipo tipo);

/// The statement that records `versao` as the schema version.
QString GravacaoVersao(Tipo tipo, int versao);

/// The server's table holding the schema version, one row (SQLite keeps it in the file's header).
inline const QString TabelaVersao = QStringLiteral("talonix_versao");

/// The query that lists, in lower case, which of the program's tables the server has in the
/// schemas of the search path, each with the name of its schema.
QString ConsultaTabelasServidor();

/// The statement that makes concurrent desks change the server's schema one after the other,
/// for the rest of the transaction.
QString TravaEsquemaServidor();

/// The statement that compacts the server's `tabelas` and renews their statistics.
QString CompactacaoServidor(const QStringList& tabelas);

/// The statement that begins a read of the server as of one instant, whatever the desks write
/// meanwhile.
QString InicioInstantaneoServidor();

/// The statement that makes the server's `tabelas` this transaction's alone until it ends: the
/// other desks wait for it (at most `EsperaTravaMs`, then they are told).
QString TravaTabelasServidor(const QStringList& tabelas);

/// Whether `erro` is the store's refusal of a statement on a table it does not have.
bool TabelaAusente(const QSqlError& erro);

/// Whether `erro` is the store's refusal of a duplicate key.
bool ChaveDuplicada(const QSqlError& erro);

}  // namespace Dialeto
