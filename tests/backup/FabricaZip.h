#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

/// Makes the archives the tests need, good and bad, straight through libzip.
namespace FabricaZip {

struct Entrada {
  QString nome;
  QByteArray dados;
  /// Unix file type and permissions kept in the external attributes (0: none kept).
  quint32 modo = 0;
};

/// Writes a new archive at `caminho` holding `entradas`, deflated. False on any failure.
bool criar(const QString& caminho, const QList<Entrada>& entradas);

/// An entry written byte by byte, for archives no archiver writes.
struct EntradaBruta {
  QString nome;
  QByteArray dados;  ///< the entry's bytes as they lie in the archive
  bool deflate = false;
  /// The uncompressed size the headers declare (-1: the size of `dados`); from 4 GiB on, the
  /// headers and the archive's end record take the Zip64 form.
  qint64 tamanho = -1;
  /// Where the entry's local header lies (-1: written after the previous entry's data; else an
  /// offset where the bytes of an earlier entry already hold it).
  qint64 posicao = -1;
};

/// The local header of an entry followed by its data: what an `EntradaBruta` puts in the file.
QByteArray local(const EntradaBruta& entrada);

/// Writes the archive at `caminho` byte by byte: each entry's local header and data, then the
/// central directory and its end record. False when the file cannot be written.
bool criarBruto(const QString& caminho, const QList<EntradaBruta>& entradas);

/// The names of the entries of the archive, in order.
QStringList nomes(const QString& caminho);

/// The content of the entry `nome`, or a null array.
QByteArray ler(const QString& caminho, const QString& nome);

/// The whole content of a file.
QByteArray conteudo(const QString& caminho);

}  // namespace FabricaZip
