#include "tests/backup/RelatoProcesso.h"

#include "app/core/Conexao.h"

#include <QFile>
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

std::optional<QByteArray> RelatoProcesso::Encerrar(QProcess& gravando, const QString& parada) {
  QByteArray saida = gravando.readAllStandardOutput();
  const int antes = saida.count('\n');
  while (saida.count('\n') < antes + 20 && gravando.waitForReadyRead(10000))
    saida += gravando.readAllStandardOutput();
  QFile(parada).open(QIODevice::WriteOnly);
  if (!gravando.waitForFinished(30000))
    return std::nullopt;
  return saida + gravando.readAllStandardOutput();
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
