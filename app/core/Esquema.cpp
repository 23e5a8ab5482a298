#include "app/core/Esquema.h"

#include "app/core/ErroBanco.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace Esquema {
namespace {

struct Tabela {
  const char* nome;
  QStringList colunas;
};

const QList<Tabela>& tabelas() {
  static const QList<Tabela> lista = {
      {"tbPessoa",
       {"Codigo", "Descricao", "TipoPessoa", "Documento01", "Documento02", "Endereco", "Numero", "Complemento",
        "Bairro", "Cidade", "UF", "Cep", "Telefone", "Celular", "Fax", "EMail", "Homepage"}},
      {"tbReferente", {"Codigo", "Descricao"}},
      {"tbRecibo", {"Codigo", "Ano", "DataEmissao", "Valor", "Recebi", "Emitente", "Referente", "Observacao", "Vias"}},
  };
  return lista;
}

// Runs the schema's statements on `banco`. Statements are separated by ";" at the end of a line;
// comments are whole lines.
Resultado criarObjetos(QSqlDatabase& banco) {
  QSqlQuery comando(banco);
  QString atual;
  for (const QString& linha : TextoEsquema().split(QLatin1Char('\n'))) {
    if (linha.trimmed().startsWith(QStringLiteral("--")))
      continue;
    atual += linha + QLatin1Char('\n');
    if (linha.trimmed().endsWith(QLatin1Char(';'))) {
      if (!comando.exec(atual))
        return ErroBanco::Falha(comando.lastError());
      atual.clear();
    }
  }
  return Resultado::sucesso();
}

// One object of a database's catalogue, as compared with the schema's: names regardless of case,
// the SQL text of an index regardless of blanks and case (SQLite keeps it as it was written).
struct Objeto {
  QString tipo;
  QString nome;
  QString tabela;
  QString sql;

  bool operator==(const Objeto&) const = default;
};

QString normalizado(const QString& sql) {
  return sql.simplified().toLower();
}

Resultado lerObjetos(QSqlDatabase& banco, QList<Objeto>& objetos) {
  QSqlQuery consulta(banco);
  if (!consulta.exec(QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY type, name")))
    return ErroBanco::Falha(consulta.lastError());
  objetos.clear();
  while (consulta.next()) {
    Objeto objeto{consulta.value(0).toString(), consulta.value(1).toString().toLower(),
                  consulta.value(2).toString().toLower(), QString()};
    // A table's own text may differ in its spacing or defaults between files the program made
    // over time; its columns are checked apart. An index is checked for what it indexes.
    if (objeto.tipo == QLatin1String("index"))
      objeto.sql = normalizado(consulta.value(3).toString());
    objetos.append(objeto);
  }
  return Resultado::sucesso();
}

// The catalogue the schema makes, read from a scratch database in memory.
Resultado objetosDoEsquema(QList<Objeto>& objetos) {
  const QString nome = QStringLiteral("talonix_esquema_referencia");
  Resultado resultado;
  {
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
    banco.setDatabaseName(QStringLiteral(":memory:"));
    if (!banco.open())
      resultado = ErroBanco::Falha(banco.lastError());
    if (resultado)
      resultado = criarObjetos(banco);
    if (resultado)
      resultado = lerObjetos(banco, objetos);
    banco.close();
  }
  QSqlDatabase::removeDatabase(nome);
  return resultado;
}

QString descricao(const Objeto& objeto) {
  static const QHash<QString, QString> tipos = {{QStringLiteral("table"), QStringLiteral("a tabela")},
                                                {QStringLiteral("index"), QStringLiteral("o índice")},
                                                {QStringLiteral("view"), QStringLiteral("a visão")},
                                                {QStringLiteral("trigger"), QStringLiteral("o gatilho")}};
  return tipos.value(objeto.tipo, QStringLiteral("o objeto")) + QStringLiteral(" \"") + objeto.nome + QLatin1Char('"');
}

}  // namespace

QString TextoEsquema() {
  QFile arquivo(QStringLiteral(":/talonix/schema.sql"));
  if (!arquivo.open(QIODevice::ReadOnly))
    return {};
  return QString::fromUtf8(arquivo.readAll());
}

Resultado CriarBanco(const QString& caminho) {
  if (QFileInfo::exists(caminho))
    return Resultado::falha(QStringLiteral("Já existe um arquivo em ") + caminho, 0);

  const QString nome = QStringLiteral("talonix_criacao");
  Resultado resultado;
  {
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
    banco.setDatabaseName(caminho);
    if (!banco.open()) {
      resultado = ErroBanco::Falha(banco.lastError());
    } else {
      banco.transaction();
      resultado = criarObjetos(banco);
      if (resultado)
        banco.commit();
      else
        banco.rollback();
      banco.close();
    }
  }
  QSqlDatabase::removeDatabase(nome);
  if (!resultado)
    QFile::remove(caminho);
  return resultado;
}

Resultado VerificarTabelas(QSqlDatabase& banco) {
  for (const Tabela& tabela : tabelas()) {
    const QSqlRecord registro = banco.record(QString::fromLatin1(tabela.nome));
    if (banco.lastError().isValid())
      return ErroBanco::Falha(banco.lastError());
    for (const QString& coluna : tabela.colunas) {
      // Column names are matched regardless of case.
      bool achou = false;
      for (int i = 0; i < registro.count() && !achou; ++i)
        achou = registro.fieldName(i).compare(coluna, Qt::CaseInsensitive) == 0;
      if (!achou)
        return Resultado::falha(QStringLiteral("O arquivo não é um banco de dados do Talonix: falta a coluna ") +
                                    QString::fromLatin1(tabela.nome) + QLatin1Char('.') + coluna + QLatin1Char('.'),
                                -1);
    }
  }
  return Resultado::sucesso();
}

Resultado VerificarObjetos(QSqlDatabase& banco) {
  QList<Objeto> esperados;
  Resultado resultado = objetosDoEsquema(esperados);
  QList<Objeto> presentes;
  if (resultado)
    resultado = lerObjetos(banco, presentes);
  if (!resultado)
    return resultado;
  for (const Objeto& objeto : presentes) {
    if (!esperados.contains(objeto))
      return Resultado::falha(QStringLiteral("O arquivo não é um banco de dados do Talonix: ") + descricao(objeto) +
                                  QStringLiteral(" não faz parte do esquema do programa."),
                              -1);
  }
  for (const Objeto& objeto : esperados) {
    if (!presentes.contains(objeto))
      return Resultado::falha(
          QStringLiteral("O arquivo não é um banco de dados do Talonix: falta ") + descricao(objeto) + QLatin1Char('.'),
          -1);
  }
  return Resultado::sucesso();
}

Resultado VerificarIntegridade(QSqlDatabase& banco) {
  QSqlQuery consulta(banco);
  if (!consulta.exec(QStringLiteral("PRAGMA integrity_check")))
    return ErroBanco::Falha(consulta.lastError());
  if (!consulta.next())
    return Resultado::falha(QStringLiteral("A verificação do banco de dados não respondeu."), -1);
  const QString resposta = consulta.value(0).toString();
  if (resposta != QLatin1String("ok"))
    return Resultado::falha(QStringLiteral("O banco de dados está danificado: ") + resposta, 11);
  return Resultado::sucesso();
}

}  // namespace Esquema
