#pragma once

#include "backup/mZip.h"

#include <QObject>
#include <QString>
#include <QStringList>

/// Writes a zip archive: collects the options and the list of file patterns, then
/// archives them (`Zip`) or removes the matching entries from the archive (`Delete`).
class cZip : public QObject {
  Q_OBJECT
public:
  explicit cZip(QObject* parent = nullptr);

  QString ZipFile() const { return zipFile_; }
  void setZipFile(const QString& caminho) { zipFile_ = caminho; }

  QString BasePath() const { return opcoes_.pastaBase; }
  void setBasePath(const QString& pasta) { opcoes_.pastaBase = pasta; }

  bool Encrypt() const { return opcoes_.criptografar != 0; }
  void setEncrypt(bool v) { opcoes_.criptografar = v ? 1 : 0; }
  bool AddComment() const { return opcoes_.comentario != 0; }
  void setAddComment(bool v) { opcoes_.comentario = v ? 1 : 0; }
  bool IncludeSystemAndHiddenFiles() const { return opcoes_.sistemaEOcultos != 0; }
  void setIncludeSystemAndHiddenFiles(bool v) { opcoes_.sistemaEOcultos = v ? 1 : 0; }
  bool StoreVolumeLabel() const { return opcoes_.rotuloVolume != 0; }
  void setStoreVolumeLabel(bool v) { opcoes_.rotuloVolume = v ? 1 : 0; }
  /// The record keeps the opposite flag: no directory entries.
  bool StoreDirectories() const { return opcoes_.semEntradasPasta == 0; }
  void setStoreDirectories(bool v) { opcoes_.semEntradasPasta = v ? 0 : 1; }
  /// The record keeps the opposite flag: folder names dropped from the entry names.
  bool StoreFolderNames() const { return opcoes_.descartarPastas == 0; }
  void setStoreFolderNames(bool v) { opcoes_.descartarPastas = v ? 0 : 1; }
  bool RecurseSubDirs() const { return opcoes_.recursao != 0; }
  void setRecurseSubDirs(bool v) { opcoes_.recursao = v ? 2 : 0; }
  bool UpdateOnlyIfNewer() const { return opcoes_.atualizar != 0; }
  void setUpdateOnlyIfNewer(bool v) { opcoes_.atualizar = v ? 1 : 0; }
  bool FreshenFiles() const { return opcoes_.renovar != 0; }
  void setFreshenFiles(bool v) { opcoes_.renovar = v ? 1 : 0; }
  /// 0 verbose, 1 quiet, 2 normal; any other value leaves the level as it was.
  int MessageLevel() const;
  void setMessageLevel(int nivel);
  bool ConvertCRLFToLF() const { return opcoes_.crlfParaLf != 0; }
  void setConvertCRLFToLF(bool v) { opcoes_.crlfParaLf = v ? 1 : 0; }
  bool ConvertLFToCRLF() const { return opcoes_.lfParaCrlf != 0; }
  void setConvertLFToCRLF(bool v) { opcoes_.lfParaCrlf = v ? 1 : 0; }
  bool AllowAppend() const { return opcoes_.permitirAnexar == 1; }
  void setAllowAppend(bool v) { opcoes_.permitirAnexar = v ? 1 : 0; }

  /// The options record as the archive call receives it.
  const mZip::OpcoesZip& Opcoes() const { return opcoes_; }

  void ClearFileSpecs() { especificacoes_.clear(); }
  /// Appends a file name or wildcard pattern, relative to `BasePath` when that is set.
  void AddFileSpec(const QString& especificacao) { especificacoes_.append(especificacao); }
  int FileSpecCount() const { return static_cast<int>(especificacoes_.size()); }
  /// The file pattern at `indice`, counted from 1.
  QString FileSpec(int indice) const { return especificacoes_.value(indice - 1); }
  const QStringList& FileSpecs() const { return especificacoes_; }

  /// Archives the listed files with the current options.
  void Zip();
  /// Removes the entries matching the listed file patterns from the archive.
  void Delete();
  /// True when the last `Zip` or `Delete` succeeded.
  bool Success() const { return codigo_ == 0; }
  /// The result code of the last call: 0 after success.
  int CodigoResultado() const { return codigo_; }

signals:
  /// Advance of the archive call (0 to 100) and, unless quiet, a message of the library.
  void Progress(int quantidade, const QString& mensagem);
  /// The entries are to be encrypted: the handler gives the password (empty: give up).
  void PasswordRequest(QString& senha);
  /// The archive comment is asked for.
  void CommentRequest(QString& comentario);
  /// Asked while the archive is written; set `cancelar` to stop.
  void Cancel(bool& cancelar);

private:
  QString zipFile_;
  /// Runs the archive call with this object's options, raising its signals.
  int executar();

  mZip::OpcoesZip opcoes_;
  QStringList especificacoes_;
  int codigo_ = 0;
};
