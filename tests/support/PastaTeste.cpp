#include "tests/support/PastaTeste.h"

#include "app/core/Conexao.h"
#include "app/core/Esquema.h"
#include "app/core/modGeral.h"
#include "tests/support/ServidorTeste.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

PastaTeste::PastaTeste(bool criarBanco, Loja loja) {
  QDir(pasta_.path()).mkpath(QStringLiteral("Dados"));
  modGeral::DefinirPastaAplicacao(pasta_.path());
  if (criarBanco && loja == Loja::DaExecucao && ServidorTeste::Ativo()) {
    bancoServidor_ = ServidorTeste::CriarBanco();
    ServidorTeste::EscreverIni(modGeral::ArquivoIni(), bancoServidor_);
  } else if (criarBanco) {
    const Resultado r = Esquema::CriarBanco(banco());
    if (!r)
      qWarning() << "could not create the test database:" << r.erro;
  }
}

PastaTeste::~PastaTeste() {
  Conexao::FecharConexao();
  ServidorTeste::ApagarBanco(bancoServidor_);
  modGeral::DefinirPastaAplicacao(QString());
}

QString PastaTeste::banco() const {
  return pasta_.path() + QStringLiteral("/Dados/bdRecibo.mdb");
}

bool PastaTeste::abrir() {
  const Resultado r = Conexao::AbrirConexao();
  if (!r)
    qWarning() << "could not open the test database:" << r.erro << r.numero;
  return r.ok;
}

bool PastaTeste::executar(const QString& sql) const {
  QSqlQuery consulta(Conexao::Banco());
  if (!consulta.exec(sql)) {
    qWarning() << sql << consulta.lastError().text();
    return false;
  }
  return true;
}

bool PastaTeste::executar(const QString& sql, const QVariantList& valores) const {
  QSqlQuery consulta(Conexao::Banco());
  consulta.prepare(sql);
  for (const QVariant& valor : valores)
    consulta.addBindValue(valor);
  if (!consulta.exec()) {
    qWarning() << sql << consulta.lastError().text();
    return false;
  }
  return true;
}

QVariant PastaTeste::valor(const QString& sql) const {
  QSqlQuery consulta(Conexao::Banco());
  if (!consulta.exec(sql) || !consulta.next())
    return {};
  return consulta.value(0);
}

QStringList PastaTeste::Linhas() {
  QStringList todas;
  for (const char* sql : {"SELECT * FROM tbPessoa ORDER BY Codigo", "SELECT * FROM tbReferente ORDER BY Codigo",
                          "SELECT * FROM tbRecibo ORDER BY Ano, Codigo"}) {
    QSqlQuery consulta(Conexao::Banco());
    if (!consulta.exec(QString::fromLatin1(sql)))
      return {QStringLiteral("falha: ") + QString::fromLatin1(sql)};
    while (consulta.next()) {
      QStringList valores;
      for (int i = 0; i < consulta.record().count(); ++i)
        valores << (consulta.isNull(i) ? QStringLiteral("∅") : consulta.value(i).toString());
      todas << valores.join(u'|');
    }
  }
  return todas;
}

Contexto PastaTeste::contexto() {
  return {&mensagens, &relogio, &escolhaArquivo, &som};
}

bool PastaTeste::copiarModelos() const {
  const QDir origem(qEnvironmentVariable("TALONIX_TEST_APPDIR") + QStringLiteral("/relatorio"));
  QDir(pasta_.path()).mkpath(QStringLiteral("relatorio"));
  const QStringList modelos = origem.entryList({QStringLiteral("*.rpt")}, QDir::Files);
  for (const QString& modelo : modelos)
    if (!QFile::copy(origem.filePath(modelo), pasta_.path() + QStringLiteral("/relatorio/") + modelo))
      return false;
  return !modelos.isEmpty();
}

bool PastaTeste::escreverModelo(const QString& nome, const QString& texto) const {
  QDir(pasta_.path()).mkpath(QStringLiteral("relatorio"));
  QFile arquivo(pasta_.path() + QStringLiteral("/relatorio/") + nome);
  return arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate) && arquivo.write(texto.toUtf8()) >= 0;
}
