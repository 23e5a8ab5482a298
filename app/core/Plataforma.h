#pragma once

#include "app/core/Resultado.h"

#include <QString>

/// The few calls that differ between systems: flushing, replacing and protecting files, file
/// locks between processes, the identity of a file on the disk and the kind of disk it lies on.
namespace Plataforma {

/// Flushes the file `arquivo` to the disk.
[[nodiscard]] Resultado Sincronizar(const QString& arquivo);

/// Renames `novo` over `destino` (any file) in one step, replacing it, and flushes the folder.
[[nodiscard]] Resultado Renomear(const QString& novo, const QString& destino);

/// Gives `destino` the permissions of `origem` and, where the system allows, its group; when the
/// group cannot be kept, the permissions the group would have had are dropped (never widened).
[[nodiscard]] Resultado CopiarPermissoes(const QString& origem, const QString& destino);

/// Creates the empty file `caminho`, readable and writable by its owner alone. Refuses a path
/// where a file already exists.
[[nodiscard]] Resultado CriarArquivoPrivado(const QString& caminho);

/// Where a file lives on the disk: equal identities, same file, whatever its name.
struct Identidade {
  quint64 dispositivo = 0;
  quint64 numero = 0;
  bool operator==(const Identidade&) const = default;
};

/// The identity of the file `caminho`; all zero when it does not exist.
Identidade IdentidadeArquivo(const QString& caminho);

/// An open lock file; -1 when none.
using Descritor = long long;

/// Opens (creating it when missing, with the permissions of `modelo`) the lock file `caminho`.
/// -1 when it can be neither created nor opened.
Descritor AbrirTrava(const QString& caminho, const QString& modelo);

/// Tries once to lock `trava`, shared or exclusively, without waiting. Locks of separate opens
/// exclude each other even within one process.
bool Travar(Descritor trava, bool exclusiva);

/// Replaces the text kept in the lock file (the name of the exclusive operation).
void EscreverTrava(Descritor trava, const QByteArray& texto);

/// The text kept in the lock file.
QByteArray LerTrava(Descritor trava);

/// Releases the lock and closes the file.
void FecharTrava(Descritor trava);

/// Opens the folder `caminho` and locks it exclusively, without waiting, for as long as the
/// descriptor is open (closed with `FecharTrava`). -1 when it is no folder, when another open
/// holds it, or where the system cannot lock folders.
Descritor TravarPasta(const QString& caminho);

/// Linux's table of the mounted file systems of this process.
inline const QString TabelaMontagens = QStringLiteral("/proc/self/mountinfo");

/// The type of the file system that holds `caminho` ("ext4", "nfs4", "fuse.sshfs"...): that of
/// the mount, in the table `tabela` (the format of Linux's mountinfo), whose mount point is the
/// longest one containing the path. Empty when it cannot be told (another system, no table).
QString TipoSistemaArquivos(const QString& caminho, const QString& tabela = TabelaMontagens);

/// Whether a file system of type `tipo` lies on another machine (NFS, SMB/CIFS, sshfs and their
/// kin), where the locks that keep a database file whole cannot be trusted. File systems that only
/// encrypt a local folder (gocryptfs, encfs, ecryptfs) are local.
bool SistemaDeRede(const QString& tipo);

}  // namespace Plataforma
