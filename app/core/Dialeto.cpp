#include "app/core/Dialeto.h"

#include "app/core/TextoDobrado.h"

#include <QRegularExpression>
#include <QSqlError>

namespace Dialeto {
namespace {

// The server's words for SQLite's, outside quotes.
QString trocarPalavras(QString trecho) {
  static const QRegularExpression inteiro(QStringLiteral("\\bINTEGER\\b"), QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression temporario(QStringLiteral("\\btemp\\."), QRegularExpression::CaseInsensitiveOption);
  trecho.replace(inteiro, QStringLiteral("BIGINT"));
  return trecho.replace(temporario, QStringLiteral("pg_temp."));
}

// The letters TextoDobrado changes, each with what it becomes: the server's folding is built
// from the desk's, so the two never drift apart.
void tabelaDobra(QString& de, QString& para) {
  for (char32_t c = 0x20; c <= 0xFF; ++c) {
    if (c >= 0x7F && c < 0xC0)
      continue;
    const QString letra = QString::fromUcs4(&c, 1);
    const QString dobrada = TextoDobrado::dobrar(letra);
    if (dobrada != letra) {
      de += letra;
      para += dobrada;
    }
  }
}

}  // namespace

Tipo De(const QSqlDatabase& banco) {
  return banco.driverName() == QLatin1String("QPSQL") ? Tipo::Postgresql : Tipo::Sqlite;
}

QString Driver(Tipo tipo) {
  return tipo == Tipo::Postgresql ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
}

QString ConverterDatas(const QString& sql) {
  static const QRegularExpression data(QStringLiteral("#(\\d{2})/(\\d{2})/(\\d{4})#"));
  QString convertido = sql;
  return convertido.replace(data, QStringLiteral("'\\3-\\1-\\2'"));
}

QString Adaptar(Tipo tipo, const QString& sql) {
  if (tipo == Tipo::Sqlite)
    return sql;
  QString saida;
  QString fora;
  saida.reserve(sql.size() + 16);
  for (qsizetype i = 0; i < sql.size(); ++i) {
    const QChar c = sql.at(i);
    if (c != u'\'' && c != u'"') {
      fora += c;
      continue;
    }
    saida += trocarPalavras(fora);
    fora.clear();
    // A quote runs to its closing one; a doubled quote inside stands for itself.
    qsizetype fim = i + 1;
    while (fim < sql.size()) {
      if (sql.at(fim) != c) {
        ++fim;
      } else if (fim + 1 < sql.size() && sql.at(fim + 1) == c) {
        fim += 2;
      } else {
        break;
      }
    }
    const QString trecho = sql.mid(i, fim - i + 1);
    saida += c == u'"' ? trecho.toLower() : trecho;
    i = fim;
  }
  return saida + trocarPalavras(fora);
}

QString AdaptarDefinicao(Tipo tipo, const QString& sql) {
  if (tipo == Tipo::Sqlite)
    return sql;
  static const QRegularExpression texto(QStringLiteral("\\bTEXT\\b"), QRegularExpression::CaseInsensitiveOption);
  return Adaptar(tipo, sql).replace(texto, QStringLiteral("TEXT COLLATE \"C\""));
}

QString InicioEscrita(Tipo tipo) {
  return tipo == Tipo::Sqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");
}

QString BloqueioLinhas(Tipo tipo, Bloqueio bloqueio) {
  if (tipo == Tipo::Sqlite)
    return QString();
  return bloqueio == Bloqueio::Alteracao ? QStringLiteral(" FOR UPDATE") : QStringLiteral(" FOR KEY SHARE");
}

QString AjusteSessaoServidor() {
  return QStringLiteral("SET lock_timeout = %1").arg(EsperaTravaMs);
}

QString OrdemGravacao(Tipo tipo, const QString& tabela, const QString& apelido) {
  if (tipo == Tipo::Sqlite)
    return QStringLiteral("\"%1\".rowid").arg(apelido);
  const QString nome = tabela.toLower();
  if (nome == QLatin1String("tbrecibo"))
    return QStringLiteral("\"%1\".\"ano\", \"%1\".\"codigo\"").arg(apelido);
  if (nome == QLatin1String("tbpessoa") || nome == QLatin1String("tbreferente"))
    return QStringLiteral("\"%1\".\"codigo\"").arg(apelido);
  // A temporary table is written once, in order, and never updated.
  return QStringLiteral("\"%1\".ctid").arg(apelido);
}

QString NulosPrimeiro(Tipo tipo) {
  return tipo == Tipo::Sqlite ? QString() : QStringLiteral(" NULLS FIRST");
}

QStringList FuncoesServidor() {
  QString de;
  QString para;
  tabelaDobra(de, para);
  return {QStringLiteral("CREATE OR REPLACE FUNCTION talonix_dobra(texto TEXT) RETURNS TEXT "
                         "LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE AS $$ SELECT translate(texto, '%1', '%2') $$")
              .arg(de, para),
          // No term (Null or empty) finds everything; a Null text is found only by no term.
          QStringLiteral("CREATE OR REPLACE FUNCTION talonix_contem(texto TEXT, termo TEXT) RETURNS BOOLEAN "
                         "LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT CASE WHEN termo IS NULL OR termo = '' "
                         "THEN TRUE WHEN texto IS NULL THEN FALSE "
                         "ELSE strpos(talonix_dobra(texto), talonix_dobra(termo)) > 0 END $$")};
}

QString LeituraVersao(Tipo tipo) {
  return tipo == Tipo::Sqlite ? QStringLiteral("PRAGMA user_version")
                              : QStringLiteral("SELECT versao FROM ") + TabelaVersao;
}

QString GravacaoVersao(Tipo tipo, int versao) {
  return tipo == Tipo::Sqlite ? QStringLiteral("PRAGMA user_version = %1").arg(versao)
                              : QStringLiteral("UPDATE %1 SET versao = %2").arg(TabelaVersao).arg(versao);
}

QString ConsultaTabelasServidor() {
  // The catalogue itself: it lists tables the user may not read, which the information schema
  // leaves out, and which the desk must not make a second time.
  return QStringLiteral(
             "SELECT lower(c.relname), n.nspname FROM pg_catalog.pg_class c "
             "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
             "WHERE n.nspname = ANY (current_schemas(false)) AND c.relkind IN ('r', 'p', 'v', 'm', 'f') "
             "AND lower(c.relname) IN ('tbpessoa', 'tbreferente', 'tbrecibo', '%1') ORDER BY 2, 1")
      .arg(TabelaVersao);
}

QString TravaEsquemaServidor() {
  // Any fixed number: only Talonix's desks take this lock.
  return QStringLiteral("SELECT pg_advisory_xact_lock(7061737)");
}

QString CompactacaoServidor(const QStringList& tabelas) {
  return QStringLiteral("VACUUM (ANALYZE) ") + tabelas.join(QStringLiteral(", "));
}

QString InicioInstantaneoServidor() {
  return QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
}

QString TravaTabelasServidor(const QStringList& tabelas) {
  return QStringLiteral("LOCK TABLE ") + tabelas.join(QStringLiteral(", ")) +
         QStringLiteral(" IN ACCESS EXCLUSIVE MODE");
}

bool TabelaAusente(const QSqlError& erro) {
  // The server's SQLSTATE of an undefined table; SQLite has no code of its own for it, only its
  // fixed words.
  return erro.nativeErrorCode() == QLatin1String("42P01") ||
         (erro.nativeErrorCode() == QLatin1String("1") &&
          erro.databaseText().startsWith(QLatin1String("no such table")));
}

bool ChaveDuplicada(const QSqlError& erro) {
  const QString codigo = erro.nativeErrorCode();
  // The server's SQLSTATE of a unique violation; SQLite's extended codes of a primary key and of
  // a unique index.
  return codigo == QLatin1String("23505") || codigo == QLatin1String("1555") || codigo == QLatin1String("2067");
}

}  // namespace Dialeto
