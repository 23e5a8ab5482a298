#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

/// The extraction call, on libzip: lists the entries of a zip archive or extracts them.
namespace mUnzip {

/// Default cap on the bytes an extraction may write.
constexpr qint64 LimitePadrao = qint64(16) * 1024 * 1024 * 1024;

/// The options the extraction call receives; every field but the cap starts empty or zero.
struct OpcoesUnzip {
  QString arquivoZip;
  QString pasta;  ///< the folder the entries are extracted into
  int somenteNovos = 0;
  int espacoParaSublinhado = 0;
  int perguntarSobrescrever = 0;
  int nivelMensagem = 0;
  int testar = 0;
  int usarPastas = 0;
  int sobrescrever = 0;
  int crParaCrlf = 0;
  int diferenciarMaiusculas = 0;
  int listar = 0;                             ///< 1: report the entries instead of extracting them
  qint64 limiteDescompactado = LimitePadrao;  ///< cap on the total of bytes one extraction may write
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

/// What the extraction call reports or asks while it runs; an empty callback is not called.
struct EventosUnzip {
  /// A message of the library.
  std::function<void(const QString& texto)> mensagem;
  /// The list mode reports an entry.
  std::function<void(const Entrada& entrada)> entrada;
  /// A file of that name exists and the options ask: set `sobrescrever` to replace it.
  std::function<void(const QString& arquivo, bool& sobrescrever)> sobrescrever;
  /// The password of encrypted entries (left empty: give up).
  std::function<void(QString& senha)> senha;
};

/// Runs the extraction call with the names of `incluir` (every entry when empty): in list mode
/// it reports each entry, otherwise it extracts (or tests) them. Returns 0 on success, else the
/// failure's code.
int RunUnzip(const OpcoesUnzip& opcoes, const QStringList& incluir, const EventosUnzip& eventos);

}  // namespace mUnzip
