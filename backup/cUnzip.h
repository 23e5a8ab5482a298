#pragma once

#include "backup/mUnzip.h"

#include <QList>
#include <QObject>
#include <QString>

/// Reads a zip archive: lists its entries (`Directory`) and extracts the selected ones into a
/// folder (`Unzip`). Nothing leaves the folder: names that climb out of it, links, entries
/// that are neither files nor folders, and archives that inflate past `LimiteDescompactado`
/// are refused before anything is written; each file is read to its end, so that its CRC is
/// checked, before it takes the place of a file of the same name.
class cUnzip : public QObject {
  Q_OBJECT
public:
  /// Default cap on the bytes an extraction may write.
  static constexpr qint64 LimitePadrao = mUnzip::LimitePadrao;

  explicit cUnzip(QObject* parent = nullptr);

  QString ZipFile() const { return zipFile_; }
  void setZipFile(const QString& caminho) { zipFile_ = caminho; }
  QString UnzipFolder() const { return unzipFolder_; }
  void setUnzipFolder(const QString& pasta) { unzipFolder_ = pasta; }

  bool ExtractOnlyNewer() const { return opcoes_.somenteNovos != 0; }
  void setExtractOnlyNewer(bool v) { opcoes_.somenteNovos = v ? 1 : 0; }
  bool SpaceToUnderScore() const { return opcoes_.espacoParaSublinhado != 0; }
  void setSpaceToUnderScore(bool v) { opcoes_.espacoParaSublinhado = v ? 1 : 0; }
  bool PromptToOverwrite() const { return opcoes_.perguntarSobrescrever != 0; }
  void setPromptToOverwrite(bool v) { opcoes_.perguntarSobrescrever = v ? 1 : 0; }
  int MessageLevel() const { return opcoes_.nivelMensagem; }
  void setMessageLevel(int nivel) { opcoes_.nivelMensagem = nivel; }
  bool TestZip() const { return opcoes_.testar != 0; }
  void setTestZip(bool v) { opcoes_.testar = v ? 1 : 0; }
  bool UseFolderNames() const { return opcoes_.usarPastas != 0; }
  void setUseFolderNames(bool v) { opcoes_.usarPastas = v ? 1 : 0; }
  bool OverwriteExisting() const { return opcoes_.sobrescrever != 0; }
  void setOverwriteExisting(bool v) { opcoes_.sobrescrever = v ? 1 : 0; }
  bool ConvertCRToCRLF() const { return opcoes_.crParaCrlf != 0; }
  void setConvertCRToCRLF(bool v) { opcoes_.crParaCrlf = v ? 1 : 0; }
  bool CaseSensitiveFileNames() const { return opcoes_.diferenciarMaiusculas != 0; }
  void setCaseSensitiveFileNames(bool v) { opcoes_.diferenciarMaiusculas = v ? 1 : 0; }

  /// Cap on the total of bytes one `Unzip` may write.
  qint64 LimiteDescompactado() const { return opcoes_.limiteDescompactado; }
  void setLimiteDescompactado(qint64 bytes) { opcoes_.limiteDescompactado = bytes; }

  /// The options record as the last call received it.
  const mUnzip::OpcoesUnzip& Opcoes() const { return opcoes_; }

  /// Reads the archive's list of entries into the entry list, every entry selected. False
  /// when the archive cannot be read.
  bool Directory();

  int FileCount() const { return static_cast<int>(entradas_.size()); }
  /// Entry data, for an index counted from 1.
  QString Filename(int indice) const { return entrada(indice).nome; }
  QString FileDirectory(int indice) const { return entrada(indice).pasta; }
  qint64 FileSize(int indice) const { return entrada(indice).tamanho; }
  qint64 FilePackedSize(int indice) const { return entrada(indice).compactado; }
  int FileCompressionRatio(int indice) const { return entrada(indice).razao; }
  QDateTime FileDate(int indice) const { return entrada(indice).data; }
  quint32 FileCRC(int indice) const { return entrada(indice).crc; }
  QString FileCompressionMethod(int indice) const { return entrada(indice).metodo; }
  bool FileEncrypted(int indice) const { return entrada(indice).criptografado; }
  bool FileSelected(int indice) const { return entrada(indice).selecionado; }
  void setFileSelected(int indice, bool selecionado);

  /// The names handed to the extraction: the selected entries' "folder/name", or none when
  /// every entry is selected (the call then takes them all).
  QStringList ListaInclusao() const;

  /// Extracts the selected entries. True means failure; an empty `ZipFile` is no failure and
  /// extracts nothing.
  bool Unzip();

  /// The version of the archive library; empty when it cannot be loaded.
  static QString GetVersion();

signals:
  /// A message of the library.
  void Mensagem(const QString& texto);
  /// A file of that name exists and `PromptToOverwrite` is set: set `sobrescrever` to replace it.
  void OverwritePrompt(const QString& arquivo, bool& sobrescrever);
  /// An encrypted entry needs the password (empty: skip the archive).
  void PasswordRequest(QString& senha);

private:
  const mUnzip::Entrada& entrada(int indice) const;
  /// Runs the extraction call with this object's options, raising its signals.
  int executar(const QStringList& incluir);

  QString zipFile_;
  QString unzipFolder_;
  mUnzip::OpcoesUnzip opcoes_;
  QList<mUnzip::Entrada> entradas_;
};
