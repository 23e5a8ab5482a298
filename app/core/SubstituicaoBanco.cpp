#include "app/core/SubstituicaoBanco.h"

#include "app/core/Conexao.h"
#include "app/core/Esquema.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace SubstituicaoBanco {
namespace {

Resultado falhaSistema(const QString& oque, int erro) {
  return Resultado::falha(oque + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(erro)), erro);
}

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
  const int fd = ::open(QFile::encodeName(caminho).constData(), (pasta ? O_RDONLY | O_DIRECTORY : O_RDWR) | O_CLOEXEC);
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

QString ArquivoDiario(const QString& banco) {
  return banco + QStringLiteral("-journal");
}

Resultado Sincronizar(const QString& arquivo) {
  return sincronizarCaminho(arquivo, false);
}

Resultado Verificar(const QString& novo, Verificacao verificacao) {
  const QString nome = QStringLiteral("talonix_verificacao");
  // Opening checks the tables.
  Resultado resultado = Conexao::AbrirArquivo(nome, novo);
  if (resultado) {
    QSqlDatabase banco = QSqlDatabase::database(nome, false);
    resultado = Esquema::VerificarObjetos(banco);
    if (resultado && verificacao == Verificacao::Integridade)
      resultado = Esquema::VerificarIntegridade(banco);
  }
  Conexao::Descartar(nome);
  return resultado;
}

Resultado Substituir(const QString& novo, const QString& destino) {
  if (QFileInfo::exists(ArquivoDiario(destino)))
    return Resultado::falha(QStringLiteral("Há uma transação inacabada no banco de dados (") + ArquivoDiario(destino) +
                                QStringLiteral("); o arquivo não foi substituído."),
                            -1);
  return Renomear(novo, destino);
}

Resultado Renomear(const QString& novo, const QString& destino) {
#ifdef _WIN32
  if (!MoveFileExW(reinterpret_cast<LPCWSTR>(novo.utf16()), reinterpret_cast<LPCWSTR>(destino.utf16()),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return Resultado::falha(QStringLiteral("Não foi possível substituir ") + destino, static_cast<int>(GetLastError()));
  return Resultado::sucesso();
#else
  std::error_code erro;
  std::filesystem::rename(QFile::encodeName(novo).toStdString(), QFile::encodeName(destino).toStdString(), erro);
  if (erro)
    return falhaSistema(QStringLiteral("Não foi possível substituir ") + destino, erro.value());
  return sincronizarCaminho(QFileInfo(destino).absolutePath(), true);
#endif
}

}  // namespace SubstituicaoBanco
