#include "tests/backup/RelatoProcesso.h"

#include "app/core/Conexao.h"

#include <QSqlQuery>
#include <QVariant>

RelatoProcesso RelatoProcesso::Ler(const QByteArray& saida) {
  RelatoProcesso relato;
  for (const QByteArray& linha : saida.split('\n')) {
    if (linha.startsWith("OK "))
      relato.feitos << linha.mid(3).toInt();
    else if (linha.startsWith("ERRO "))
      relato.recusas << QString::fromUtf8(linha);
  }
  return relato;
}

QSet<int> RecibosDoAno(int ano) {
  QSet<int> numeros;
  QSqlQuery consulta(Conexao::Banco());
  consulta.prepare(QStringLiteral("SELECT Codigo FROM tbRecibo WHERE Ano=?"));
  consulta.addBindValue(ano);
  consulta.exec();
  while (consulta.next())
    numeros << consulta.value(0).toInt();
  return numeros;
}
