#pragma once

#include <QString>

class cZip;

/// The archive call behind `cZip`, on libzip.
namespace mZip {

/// The options the archive call receives. Every field starts empty or zero; `cZip` sets the
/// three that its creation fixes.
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

/// Adds the files of `zip`'s file patterns to its archive (or removes the matching entries
/// when the record asks for it), raising `zip`'s events on the way. Returns 0 on success, else
/// the failure's code.
int RunZip(cZip& zip);

}  // namespace mZip
