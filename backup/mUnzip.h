#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class cUnzip;

/// The extraction call behind `cUnzip`, on libzip.
namespace mUnzip {

/// The options the extraction call receives; every field starts empty or zero.
struct OpcoesUnzip {
  QString arquivoZip;  ///< copied from `cUnzip::ZipFile` just before each call
  QString pasta;       ///< copied from `cUnzip::UnzipFolder` just before each call
  int somenteNovos = 0;
  int espacoParaSublinhado = 0;
  int perguntarSobrescrever = 0;
  int nivelMensagem = 0;
  int testar = 0;
  int usarPastas = 0;
  int sobrescrever = 0;
  int crParaCrlf = 0;
  int diferenciarMaiusculas = 0;
  int listar = 0;  ///< 1: report the entries instead of extracting them
};

/// One entry of an archive as the list mode reports it.
struct Entrada {
  QString nome;   ///< file name, without the folder
  QString pasta;  ///< folder inside the archive, without the last "/"; empty for none
  qint64 tamanho = 0;
  qint64 compactado = 0;
  int razao = 0;  ///< percentage saved by the compression
  QDateTime data;
  quint32 crc = 0;
  QString metodo;
  bool criptografado = false;
  bool selecionado = true;
};

/// Runs the extraction call of `unzip` with the names of `incluir` (every entry when empty):
/// in list mode it reports each entry to `unzip`, otherwise it extracts (or tests) them.
/// Returns 0 on success, else the failure's code.
int RunUnzip(cUnzip& unzip, const QStringList& incluir);

}  // namespace mUnzip
