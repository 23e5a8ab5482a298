#include "tests/support/ServidorTeste.h"

#include "app/core/modGeral.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtDebug>

namespace ServidorTeste {
namespace {

const QString kAdministracao = QStringLiteral("talonix_teste_administracao");

QSqlDatabase administracao() {
  if (QSqlDatabase::contains(kAdministracao))
    return QSqlDatabase::database(kAdministracao);
  QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), kAdministracao);
  banco.setHostName(QStringLiteral("127.0.0.1"));
  banco.setPort(Porta());
  banco.setDatabaseName(QStringLiteral("postgres"));
  banco.setUserName(QStringLiteral("postgres"));
  if (!banco.open())
    qWarning() << "the test server cannot be reached:" << banco.lastError().text();
  return banco;
}

}  // namespace

bool Ativo() {
  return !qEnvironmentVariableIsEmpty("TALONIX_TESTE_PG");
}

int Porta() {
  QFile estado(qEnvironmentVariable("TALONIX_TESTE_PG"));
  if (!estado.open(QIODevice::ReadOnly))
    return 0;
  const QList<QByteArray> partes = estado.readAll().simplified().split(' ');
  return partes.size() == 2 ? partes.at(1).toInt() : 0;
}

bool Script(const QString& acao) {
  if (QSqlDatabase::contains(kAdministracao)) {
    QSqlDatabase::database(kAdministracao, false).close();
    QSqlDatabase::removeDatabase(kAdministracao);
  }
  QProcess script;
  script.setProcessChannelMode(QProcess::ForwardedChannels);
  script.start(QStringLiteral(SERVIDOR_PG), {acao, qEnvironmentVariable("TALONIX_TESTE_PG")});
  return script.waitForFinished(120000) && script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0;
}

bool Administrar(const QString& sql) {
  QSqlQuery comando(administracao());
  if (comando.exec(sql))
    return true;
  qWarning() << sql << comando.lastError().text();
  return false;
}

QString CriarBanco() {
  static int criados = 0;
  const QString nome = QStringLiteral("talonix_%1_%2").arg(QCoreApplication::applicationPid()).arg(++criados);
  return Administrar(QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0").arg(nome)) ? nome
                                                                                                        : QString();
}

void ApagarBanco(const QString& nome) {
  if (!nome.isEmpty())
    Administrar(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(nome));
}

void EscreverIni(const QString& ini, const QString& nome, const QString& usuario) {
  const QString secao = QStringLiteral("banco");
  modGeral::GravarIni(secao, QStringLiteral("tipo"), QStringLiteral("postgresql"), ini);
  modGeral::GravarIni(secao, QStringLiteral("servidor"), QStringLiteral("127.0.0.1"), ini);
  modGeral::GravarIni(secao, QStringLiteral("porta"), QString::number(Porta()), ini);
  modGeral::GravarIni(secao, QStringLiteral("nome"), nome, ini);
  modGeral::GravarIni(secao, QStringLiteral("usuario"), usuario, ini);
}

}  // namespace ServidorTeste
