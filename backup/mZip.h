#pragma once

#include <QString>
#include <QStringList>

#include <functional>

/// The archive call, on libzip: adds files to a zip archive or removes entries from it.
namespace mZip {

/// The options the archive call receives; every field starts empty or zero.
struct OpcoesZip {
  QString data;
  QString pastaBase;  ///< folder the relative file patterns are taken from
  QString pastaTemporaria;
  int criptografar = 0;
  int sistemaEOcultos = 0;
  int rotuloVolume = 0;
  int semEntradasPasta = 0;  ///< 1: no entries for folders
  int descartarPastas = 0;   ///< 1: entry names without their folders
  int recursao = 0;          ///< non-zero: wildcard patterns reach into subfolders
  int atualizar = 0;
  int renovar = 0;
  int verboso = 0;
  int silencioso = 0;
  int crlfParaLf = 0;
  int lfParaCrlf = 0;
  int comentario = 0;
  int permitirAnexar = 0;
  int excluirEntradas = 0;  ///< 1: remove the matching entries instead of adding files
};

/// Level 6 of deflate: about as small as the slower levels for a database file, in a fraction
/// of their time.
constexpr int NivelCompressao = 6;

/// What the archive call reports or asks while it runs; an empty callback is not called.
struct EventosZip {
  /// Advance (0 to 100) and, unless quiet, a message of the library.
  std::function<void(int quantidade, const QString& mensagem)> progresso;
  /// The password for encrypted entries (left empty: give up).
  std::function<void(QString& senha)> senha;
  /// The archive comment.
  std::function<void(QString& comentario)> comentario;
  /// Set `cancelar` to stop writing.
  std::function<void(bool& cancelar)> cancelar;
};

/// Adds the files matching `especificacoes` to the archive `arquivoZip` (or removes the matching
/// entries when `opcoes` asks for it), reporting through `eventos`. Returns 0 on success, else
/// the failure's code.
int RunZip(const QString& arquivoZip, const QStringList& especificacoes, const OpcoesZip& opcoes,
           const EventosZip& eventos);

}  // namespace mZip
