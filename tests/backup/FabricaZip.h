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

/// The names of the entries of the archive, in order.
QStringList nomes(const QString& caminho);

/// The content of the entry `nome`, or a null array.
QByteArray ler(const QString& caminho, const QString& nome);

/// The whole content of a file.
QByteArray conteudo(const QString& caminho);

}  // namespace FabricaZip
