#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QSet>
#include <QStringList>

#include <optional>

/// What a processo_banco reported on its output: the numbers it was told were done ("OK n"), and
/// its refusals ("ERRO n text"), each line whole.
struct RelatoProcesso {
  QList<int> feitos;
  QStringList recusas;

  static RelatoProcesso Ler(const QByteArray& saida);

  /// Lets the saving process `gravando` report 20 more saves (which show it still works on the
  /// store as it now is), stops it through the file `parada`, and returns what it wrote that was
  /// not read yet; nothing when it does not end.
  static std::optional<QByteArray> Encerrar(QProcess& gravando, const QString& parada);
};

/// The numbers of the receipts of `ano` on the program's connection.
QSet<int> RecibosDoAno(int ano);
