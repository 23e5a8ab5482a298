#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QStringList>

/// What a processo_banco reported on its output: the numbers it was told were done ("OK n"), and
/// its refusals ("ERRO n text"), each line whole.
struct RelatoProcesso {
  QList<int> feitos;
  QStringList recusas;

  static RelatoProcesso Ler(const QByteArray& saida);
};

/// The numbers of the receipts of `ano` on the program's connection.
QSet<int> RecibosDoAno(int ano);
