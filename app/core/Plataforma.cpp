#include "app/core/Plataforma.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Plataforma {
namespace {

Resultado falhaSistema(const QString& oque, int erro) {
  return Resultado::falha(oque + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(erro)), erro);
}

#ifndef _WIN32
QByteArray nativo(const QString& caminho) {
  return QFile::encodeName(caminho);
}
#endif

Resultado sincronizarCaminho(const QString& caminho, bool pasta) {
#ifdef _WIN32
  if (pasta)
    return Resultado::sucesso();  // NTFS flushes the folder entry with MOVEFILE_WRITE_THROUGH
  HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(caminho.utf16()), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE)
    return Resultado::falha(QStringLiteral("Não foi possível abrir ") + caminho, static_cast<int>(GetLastError()));
  const bool ok = FlushFileBuffers(h) != 0;
  const int erro = static_cast<int>(GetLastError());
  CloseHandle(h);
  return ok ? Resultado::sucesso() : Resultado::falha(QStringLiteral("Não foi possível gravar ") + caminho, erro);
#else
  const int fd = ::open(nativo(caminho).constData(), (pasta ? O_RDONLY | O_DIRECTORY : O_RDWR) | O_CLOEXEC);
  if (fd < 0)
    return falhaSistema(QStringLiteral("Não foi possível abrir ") + caminho, errno);
  const int ok = ::fsync(fd);
  const int erro = errno;
  ::close(fd);
  if (ok != 0)
    return falhaSistema(QStringLiteral("Não foi possível gravar ") + caminho, erro);
  return Resultado::sucesso();
#endif
}

}  // namespace

Resultado Sincronizar(const QString& arquivo) {
  return sincronizarCaminho(arquivo, false);
}

Resultado Renomear(const QString& novo, const QString& destino) {
#ifdef _WIN32
  if (!MoveFileExW(reinterpret_cast<LPCWSTR>(novo.utf16()), reinterpret_cast<LPCWSTR>(destino.utf16()),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return Resultado::falha(QStringLiteral("Não foi possível substituir ") + destino, static_cast<int>(GetLastError()));
  return Resultado::sucesso();
#else
  std::error_code erro;
  std::filesystem::rename(nativo(novo).toStdString(), nativo(destino).toStdString(), erro);
  if (erro)
    return falhaSistema(QStringLiteral("Não foi possível substituir ") + destino, erro.value());
  return sincronizarCaminho(QFileInfo(destino).absolutePath(), true);
#endif
}

Resultado CopiarPermissoes(const QString& origem, const QString& destino) {
#ifdef _WIN32
  // The new file takes the folder's access list, as the one it replaces did.
  Q_UNUSED(origem);
  Q_UNUSED(destino);
  return Resultado::sucesso();
#else
  struct stat modelo {};
  struct stat atual {};
  if (::stat(nativo(origem).constData(), &modelo) != 0 || ::stat(nativo(destino).constData(), &atual) != 0)
    return falhaSistema(QStringLiteral("Não foi possível ler as permissões de ") + origem, errno);
  mode_t modo = modelo.st_mode & 07777;
  // Only the owner or the administrator may give a file away to another group: when that is not
  // possible, the members of the old group lose nothing they could not read before.
  if (atual.st_gid != modelo.st_gid && ::chown(nativo(destino).constData(), static_cast<uid_t>(-1), modelo.st_gid) != 0)
    modo &= ~static_cast<mode_t>(S_IRWXG);
  if (::chmod(nativo(destino).constData(), modo) != 0)
    return falhaSistema(QStringLiteral("Não foi possível ajustar as permissões de ") + destino, errno);
  return Resultado::sucesso();
#endif
}

Resultado CriarArquivoPrivado(const QString& caminho) {
#ifdef _WIN32
  QFile arquivo(caminho);
  if (QFileInfo::exists(caminho) || !arquivo.open(QIODevice::NewOnly))
    return Resultado::falha(QStringLiteral("Não foi possível criar ") + caminho, -1);
  return Resultado::sucesso();
#else
  const int fd = ::open(nativo(caminho).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
  if (fd < 0)
    return falhaSistema(QStringLiteral("Não foi possível criar ") + caminho, errno);
  // The creation mask may only have narrowed it; the mode asked for is exact.
  const int ok = ::fchmod(fd, S_IRUSR | S_IWUSR);
  const int erro = errno;
  ::close(fd);
  return ok == 0 ? Resultado::sucesso() : falhaSistema(QStringLiteral("Não foi possível proteger ") + caminho, erro);
#endif
}

Identidade IdentidadeArquivo(const QString& caminho) {
#ifdef _WIN32
  HANDLE h =
      CreateFileW(reinterpret_cast<LPCWSTR>(caminho.utf16()), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE)
    return {};
  BY_HANDLE_FILE_INFORMATION info{};
  const bool ok = GetFileInformationByHandle(h, &info) != 0;
  CloseHandle(h);
  if (!ok)
    return {};
  return {info.dwVolumeSerialNumber, (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
#else
  struct stat dados {};
  if (::stat(nativo(caminho).constData(), &dados) != 0)
    return {};
  return {static_cast<quint64>(dados.st_dev), static_cast<quint64>(dados.st_ino)};
#endif
}

Descritor AbrirTrava(const QString& caminho, const QString& modelo) {
#ifdef _WIN32
  Q_UNUSED(modelo);
  HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(caminho.utf16()), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<Descritor>(h);
#else
  int fd = ::open(nativo(caminho).constData(), O_RDWR | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) {
    fd = ::open(nativo(caminho).constData(), O_RDWR | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd >= 0)
      (void)CopiarPermissoes(modelo, caminho);
  }
  // Whoever may only read the folder still takes part in the locking.
  if (fd < 0)
    fd = ::open(nativo(caminho).constData(), O_RDONLY | O_CLOEXEC);
  return fd;
#endif
}

bool Travar(Descritor trava, bool exclusiva) {
#ifdef _WIN32
  OVERLAPPED posicao{};
  const DWORD modo = LOCKFILE_FAIL_IMMEDIATELY | (exclusiva ? LOCKFILE_EXCLUSIVE_LOCK : 0);
  return LockFileEx(reinterpret_cast<HANDLE>(trava), modo, 0, MAXDWORD, MAXDWORD, &posicao) != 0;
#else
  // flock locks belong to the open file, so they never mix with SQLite's own fcntl locks on the
  // database and two opens in one process exclude each other as two processes do.
  return ::flock(static_cast<int>(trava), (exclusiva ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0;
#endif
}

void EscreverTrava(Descritor trava, const QByteArray& texto) {
#ifdef _WIN32
  HANDLE h = reinterpret_cast<HANDLE>(trava);
  SetFilePointer(h, 0, nullptr, FILE_BEGIN);
  DWORD escritos = 0;
  WriteFile(h, texto.constData(), static_cast<DWORD>(texto.size()), &escritos, nullptr);
  SetEndOfFile(h);
#else
  const int fd = static_cast<int>(trava);
  if (::ftruncate(fd, 0) == 0)
    (void)!::pwrite(fd, texto.constData(), static_cast<size_t>(texto.size()), 0);
#endif
}

QByteArray LerTrava(Descritor trava) {
  QByteArray texto(256, '\0');
#ifdef _WIN32
  HANDLE h = reinterpret_cast<HANDLE>(trava);
  SetFilePointer(h, 0, nullptr, FILE_BEGIN);
  DWORD lidos = 0;
  if (!ReadFile(h, texto.data(), static_cast<DWORD>(texto.size()), &lidos, nullptr))
    lidos = 0;
  texto.truncate(static_cast<int>(lidos));
#else
  const ssize_t lidos = ::pread(static_cast<int>(trava), texto.data(), static_cast<size_t>(texto.size()), 0);
  texto.truncate(lidos > 0 ? static_cast<int>(lidos) : 0);
#endif
  return texto;
}

void FecharTrava(Descritor trava) {
  if (trava < 0)
    return;
#ifdef _WIN32
  CloseHandle(reinterpret_cast<HANDLE>(trava));
#else
  ::close(static_cast<int>(trava));
#endif
}

Descritor TravarPasta(const QString& caminho) {
#ifdef _WIN32
  Q_UNUSED(caminho);
  return -1;
#else
  const int fd = ::open(nativo(caminho).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
#endif
}

namespace {

// Mount points write a blank, a tab, a line break and a backslash as octal escapes.
QString semEscapes(const QByteArray& campo) {
  QByteArray saida;
  for (qsizetype i = 0; i < campo.size(); ++i) {
    if (campo.at(i) == '\\' && i + 3 < campo.size()) {
      bool ok = false;
      const int codigo = campo.mid(i + 1, 3).toInt(&ok, 8);
      if (ok) {
        saida.append(static_cast<char>(codigo));
        i += 3;
        continue;
      }
    }
    saida.append(campo.at(i));
  }
  return QFile::decodeName(saida);
}

bool contem(const QString& pasta, const QString& caminho) {
  if (pasta == QLatin1String("/"))
    return true;
  return caminho == pasta || caminho.startsWith(pasta + QLatin1Char('/'));
}

}  // namespace

QString TipoSistemaArquivos(const QString& caminho, const QString& tabela) {
  QFile montagens(tabela);
  if (!montagens.open(QIODevice::ReadOnly))
    return {};
  // Links are followed: what counts is where the file really lies.
  const QFileInfo info(caminho);
  QString absoluto = info.canonicalFilePath();
  if (absoluto.isEmpty()) {
    const QString pasta = QFileInfo(info.absolutePath()).canonicalFilePath();
    absoluto = pasta.isEmpty() ? info.absoluteFilePath() : pasta + QLatin1Char('/') + info.fileName();
  }
  QString tipo;
  qsizetype maisLongo = -1;
  // "36 35 98:0 /raiz /ponto opções [campos opcionais] - tipo origem opções"
  for (const QByteArray& linha : montagens.readAll().split('\n')) {
    const QList<QByteArray> campos = linha.split(' ');
    const qsizetype separador = campos.indexOf("-");
    if (campos.size() < 5 || separador < 0 || separador + 1 >= campos.size())
      continue;
    const QString ponto = semEscapes(campos.at(4));
    if (ponto.size() > maisLongo && contem(ponto, absoluto)) {
      maisLongo = ponto.size();
      tipo = QString::fromUtf8(campos.at(separador + 1));
    }
  }
  return tipo;
}

bool SistemaDeRede(const QString& tipo) {
  static const QStringList rede = {QStringLiteral("nfs"),
                                   QStringLiteral("nfs4"),
                                   QStringLiteral("cifs"),
                                   QStringLiteral("smb"),
                                   QStringLiteral("smb2"),
                                   QStringLiteral("smb3"),
                                   QStringLiteral("smbfs"),
                                   QStringLiteral("ncpfs"),
                                   QStringLiteral("afs"),
                                   QStringLiteral("coda"),
                                   QStringLiteral("9p"),
                                   QStringLiteral("ceph"),
                                   QStringLiteral("lustre"),
                                   QStringLiteral("glusterfs"),
                                   QStringLiteral("davfs"),
                                   QStringLiteral("sshfs"),
                                   QStringLiteral("fuse.sshfs"),
                                   QStringLiteral("fuse.davfs2"),
                                   QStringLiteral("fuse.glusterfs"),
                                   QStringLiteral("fuse.rclone"),
                                   QStringLiteral("fuse.s3fs"),
                                   QStringLiteral("fuse.cephfs"),
                                   QStringLiteral("fuse.smbnetfs")};
  return rede.contains(tipo.toLower());
}

}  // namespace Plataforma
