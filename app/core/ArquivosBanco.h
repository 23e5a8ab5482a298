#pragma once

#include "app/core/Resultado.h"
#include "app/core/modGeral.h"

#include <QString>

/// The database file and the files the program keeps beside it: their names, and the folder
/// where they really lie. `Dados/bdRecibo.mdb` may be a symbolic link to a file in another
/// folder; SQLite follows it (its journal lies beside the file the link points to), and so does
/// everything the program writes beside the database, so that a file renamed into the
/// database's place replaces that file, in its own folder, and leaves the link a link.
namespace ArquivosBanco {

/// The lock that Talonix processes sharing the database respect.
inline const QString Trava = modGeral::NomeArquivoBanco + QStringLiteral(".trava");
/// The compacted copy, before it takes the database's place.
inline const QString Temporario = QStringLiteral("bdRecibo.tmp");
/// The previous database, kept by a restore until the new one is in place (numbered ".1",
/// ".2"... when one is kept already).
inline const QString Anterior = modGeral::NomeArquivoBanco + QStringLiteral(".anterior");
/// The start of the copy an upgrade keeps of a database of an earlier version: the version's
/// number follows.
inline const QString CopiaVersao = modGeral::NomeArquivoBanco + QStringLiteral(".versao");
/// The folder where a restore extracts the archive.
inline const QString PastaRestauracao = QStringLiteral(".restauracao");
/// The start of the name of the folders where backups take their snapshots (each its own).
inline const QString PastaCopia = QStringLiteral(".copia");

/// Whether the program itself writes files named `nome` beside the database (in any case, as a
/// data folder may lie on a disk that does not tell case apart): the database's journal, lock
/// and kept copies, the compacted copy and the work folders. The database's own name is not.
bool NomeReservado(const QString& nome);

/// Where the database really lies.
struct Locais {
  QString banco;  ///< the database file, links followed
  QString pasta;  ///< its folder, ending in "/": where its side files are written

  /// The side file `nome` (one of the names above) of this database.
  QString em(const QString& nome) const { return pasta + nome; }
  /// The rollback journal SQLite keeps beside the file while a transaction is open.
  QString diario() const { return banco + QStringLiteral("-journal"); }
};

/// Follows the links of the database path `caminho` as SQLite does. A path that names no file
/// yet stays as it is; a link that leads nowhere, or to a file named like one of the program's
/// side files, is refused with the reason.
[[nodiscard]] Resultado Resolver(const QString& caminho, Locais& locais);
/// The same for `bdRecibo.mdb` of the data folder.
[[nodiscard]] Resultado Resolver(Locais& locais);

}  // namespace ArquivosBanco
