#include "app/core/Esquema.h"

#include "app/core/Dialeto.h"
#include "app/core/ErroBanco.h"
#include "app/core/Plataforma.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include <utility>

namespace Esquema {
namespace {

// A column a version adds to a table of the one before it.
struct ColunaNova {
  const char* tabela;
  const char* coluna;
  const char* definicao;
};

// What each version adds to the one before it, from version 1 on; version 0 is schema.sql, the
// database every earlier Talonix made. Definitions are plain enough for any SQL store.
const QList<QList<ColunaNova>>& passos() {
  static const QList<QList<ColunaNova>> lista = {
      // 1: the provider's professional register; how a receipt was paid and for whom.
      {{"tbPessoa", "RegistroProfissional", "TEXT NOT NULL DEFAULT ''"},
       {"tbRecibo", "FormaPagamento", "INTEGER NOT NULL DEFAULT 0"},
       {"tbRecibo", "Beneficiario", "INTEGER"}},
  };
  return lista;
}

Resultado executar(QSqlQuery& comando, const QString& sql) {
  return comando.exec(sql) ? Resultado::sucesso() : ErroBanco::Falha(comando.lastError());
}

// Runs the schema's statements on `banco`, in its store's words. Statements are separated by ";"
// at the end of a line; comments are whole lines. The server also gets the table of the version
// (at 0, as a new SQLite file is) and the search functions SQLite gets from the program.
Resultado criarObjetos(QSqlDatabase& banco) {
  const Dialeto::Tipo dialeto = Dialeto::De(banco);
  QSqlQuery comando(banco);
  QStringList comandos;
  QString atual;
  for (const QString& linha : TextoEsquema().split(QLatin1Char('\n'))) {
    if (linha.trimmed().startsWith(QStringLiteral("--")))
      continue;
    atual += linha + QLatin1Char('\n');
    if (linha.trimmed().endsWith(QLatin1Char(';'))) {
      comandos.append(Dialeto::AdaptarDefinicao(dialeto, atual));
      atual.clear();
    }
  }
  if (dialeto == Dialeto::Tipo::Postgresql)
    comandos << QStringLiteral("CREATE TABLE %1 (versao INTEGER NOT NULL)").arg(Dialeto::TabelaVersao)
             << QStringLiteral("INSERT INTO %1 (versao) VALUES (0)").arg(Dialeto::TabelaVersao)
             << Dialeto::FuncoesServidor();
  for (const QString& sql : std::as_const(comandos))
    if (Resultado feito = executar(comando, sql); !feito)
      return feito;
  return Resultado::sucesso();
}

// Takes `banco` from version `de` to `para`; the caller holds the transaction.
Resultado aplicarPassos(QSqlDatabase& banco, int de, int para) {
  const Dialeto::Tipo dialeto = Dialeto::De(banco);
  QSqlQuery comando(banco);
  for (int versao = de + 1; versao <= para; ++versao) {
    for (const ColunaNova& nova : passos().at(versao - 1)) {
      const QString sql =
          QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
              .arg(QLatin1String(nova.tabela), QLatin1String(nova.coluna), QLatin1String(nova.definicao));
      if (Resultado feito = executar(comando, Dialeto::AdaptarDefinicao(dialeto, sql)); !feito)
        return feito;
    }
  }
  return executar(comando, Dialeto::GravacaoVersao(dialeto, para));
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

// What a database of one version holds: its catalogue and the columns of each table.
struct Referencia {
  QList<Objeto> objetos;
  QList<std::pair<QString, QStringList>> colunas;
};

// Version 0 as SQLite keeps what schema.sql makes, written out so that no start builds it in a
// scratch database: the catalogue as lerObjetos reads it, and the columns in their order (tables
// named in lower case, as the server keeps them). It is what every earlier Talonix wrote, so it
// never changes; each later version adds its columns.
Referencia referenciaVersao0() {
  const auto tabela = [](const char* nome) {
    return Objeto{QStringLiteral("table"), QLatin1String(nome), QLatin1String(nome), QString()};
  };
  const auto indice = [](const char* nome, const char* sql) {
    return Objeto{QStringLiteral("index"), QLatin1String(nome), QStringLiteral("tbrecibo"), QLatin1String(sql)};
  };
  return {{tabela("tbpessoa"), tabela("tbreferente"), tabela("tbrecibo"),
           // The key of tbRecibo, SQLite's own index; the other two tables key on their rowid.
           indice("sqlite_autoindex_tbrecibo_1", ""),
           indice("ixrecibodataemissao", "create index ixrecibodataemissao on tbrecibo (dataemissao)"),
           indice("ixreciborecebi", "create index ixreciborecebi on tbrecibo (recebi)"),
           indice("ixreciboemitente", "create index ixreciboemitente on tbrecibo (emitente)")},
          {{QStringLiteral("tbpessoa"),
            {QStringLiteral("Codigo"), QStringLiteral("Descricao"), QStringLiteral("TipoPessoa"),
             QStringLiteral("Documento01"), QStringLiteral("Documento02"), QStringLiteral("Endereco"),
             QStringLiteral("Numero"), QStringLiteral("Complemento"), QStringLiteral("Bairro"),
             QStringLiteral("Cidade"), QStringLiteral("UF"), QStringLiteral("Cep"), QStringLiteral("Telefone"),
             QStringLiteral("Celular"), QStringLiteral("Fax"), QStringLiteral("EMail"), QStringLiteral("Homepage")}},
           {QStringLiteral("tbreferente"), {QStringLiteral("Codigo"), QStringLiteral("Descricao")}},
           {QStringLiteral("tbrecibo"),
            {QStringLiteral("Codigo"), QStringLiteral("Ano"), QStringLiteral("DataEmissao"), QStringLiteral("Valor"),
             QStringLiteral("Recebi"), QStringLiteral("Emitente"), QStringLiteral("Referente"),
             QStringLiteral("Observacao"), QStringLiteral("Vias")}}}};
}

// The reference of `versao`, one this program knows.
const Referencia& referencia(int versao) {
  static const QList<Referencia> feitas = [] {
    QList<Referencia> lista{referenciaVersao0()};
    for (const QList<ColunaNova>& passo : passos()) {
      Referencia proxima = lista.constLast();
      for (const ColunaNova& nova : passo) {
        for (auto& [tabela, colunas] : proxima.colunas)
          if (tabela.compare(QLatin1String(nova.tabela), Qt::CaseInsensitive) == 0)
            colunas.append(QLatin1String(nova.coluna));
      }
      lista.append(proxima);
    }
    return lista;
  }();
  return feitas.at(versao);
}

// The version of `banco`, refused when it is newer than this program knows.
Resultado versaoConhecida(QSqlDatabase& banco, int& versao) {
  Resultado resultado = LerVersao(banco, versao);
  if (resultado && versao > VersaoAtual)
    return Resultado::falha(QStringLiteral("Este banco de dados foi gravado por uma versão mais nova do Talonix "
                                           "(esquema %1; esta versão do programa conhece até o esquema %2). "
                                           "Atualize o Talonix para abri-lo.")
                                .arg(versao)
                                .arg(VersaoAtual),
                            ErroVersaoNova);
  if (resultado && versao < 0)
    return Resultado::falha(
        QStringLiteral("O arquivo não é um banco de dados do Talonix: versão do esquema inválida (%1).").arg(versao),
        -1);
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

QList<std::pair<QString, QStringList>> Colunas(int versao) {
  return referencia(versao).colunas;
}

Resultado CriarBanco(const QString& caminho, int versao) {
  if (QFileInfo::exists(caminho))
    return Resultado::falha(QStringLiteral("Já existe um arquivo em ") + caminho, 0);
  // The receipts hold personal data: SQLite takes the empty private file as a new database.
  if (Resultado privado = Plataforma::CriarArquivoPrivado(caminho); !privado)
    return privado;

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
        resultado = aplicarPassos(banco, 0, versao);
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

Resultado LerVersao(QSqlDatabase& banco, int& versao) {
  QSqlQuery consulta(banco);
  if (!consulta.exec(Dialeto::LeituraVersao(Dialeto::De(banco))))
    return ErroBanco::Falha(consulta.lastError());
  if (!consulta.next())
    return Resultado::falha(QStringLiteral("O banco de dados não tem a versão do seu esquema."), -1);
  versao = consulta.value(0).toInt();
  return Resultado::sucesso();
}

Resultado LerColunas(const QSqlDatabase& banco, const QString& tabela, QSqlRecord& registro) {
  // A query of the table itself: a table another desk holds (a restore on the server) is a
  // failure that says so, where the driver's catalogue read would give no columns at all.
  QSqlQuery consulta(banco);
  if (!consulta.exec(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(tabela)))
    return Dialeto::TabelaAusente(consulta.lastError())
               ? Resultado::falha(QStringLiteral("O arquivo não é um banco de dados do Talonix: falta a tabela ") +
                                      tabela + QLatin1Char('.'),
                                  -1)
               : ErroBanco::Falha(consulta.lastError());
  registro = consulta.record();
  return Resultado::sucesso();
}

Resultado VerificarTabelas(QSqlDatabase& banco) {
  int versao = 0;
  if (Resultado conhecida = versaoConhecida(banco, versao); !conhecida)
    return conhecida;
  for (const auto& [tabela, colunas] : referencia(versao).colunas) {
    QSqlRecord registro;
    if (Resultado lidas = LerColunas(banco, tabela, registro); !lidas)
      return lidas;
    for (const QString& coluna : colunas) {
      // Column names are matched regardless of case.
      bool achou = false;
      for (int i = 0; i < registro.count() && !achou; ++i)
        achou = registro.fieldName(i).compare(coluna, Qt::CaseInsensitive) == 0;
      if (!achou)
        return Resultado::falha(QStringLiteral("O arquivo não é um banco de dados do Talonix: falta a coluna ") +
                                    tabela + QLatin1Char('.') + coluna + QLatin1Char('.'),
                                -1);
    }
  }
  return Resultado::sucesso();
}

Resultado VerificarObjetos(QSqlDatabase& banco) {
  int versao = 0;
  QList<Objeto> presentes;
  Resultado resultado = versaoConhecida(banco, versao);
  if (resultado)
    resultado = lerObjetos(banco, presentes);
  if (!resultado)
    return resultado;
  const Referencia& esperada = referencia(versao);
  for (const Objeto& objeto : presentes) {
    if (!esperada.objetos.contains(objeto))
      return Resultado::falha(QStringLiteral("O arquivo não é um banco de dados do Talonix: ") + descricao(objeto) +
                                  QStringLiteral(" não faz parte do esquema do programa."),
                              -1);
  }
  for (const Objeto& objeto : esperada.objetos) {
    if (!presentes.contains(objeto))
      return Resultado::falha(
          QStringLiteral("O arquivo não é um banco de dados do Talonix: falta ") + descricao(objeto) + QLatin1Char('.'),
          -1);
  }
  return Resultado::sucesso();
}

Resultado Atualizar(QSqlDatabase& banco, const std::function<void()>& antesDeConfirmar) {
  QSqlQuery comando(banco);
  // The write lock is taken before the version is read, so that two processes opening the same
  // old file one after the other upgrade it once.
  if (!comando.exec(QStringLiteral("BEGIN IMMEDIATE")))
    return ErroBanco::Falha(comando.lastError());
  int versao = 0;
  Resultado resultado = versaoConhecida(banco, versao);
  if (resultado && versao < VersaoAtual)
    resultado = aplicarPassos(banco, versao, VersaoAtual);
  if (resultado && antesDeConfirmar)
    antesDeConfirmar();
  if (resultado && !comando.exec(QStringLiteral("COMMIT")))
    resultado = ErroBanco::Falha(comando.lastError());
  if (!resultado)
    comando.exec(QStringLiteral("ROLLBACK"));
  return resultado;
}

Resultado PrepararServidor(QSqlDatabase& banco) {
  QSqlQuery comando(banco);
  if (!comando.exec(QStringLiteral("BEGIN")))
    return ErroBanco::Falha(comando.lastError());
  // Two desks starting at once on a new database: the second waits and finds the tables made.
  Resultado resultado = executar(comando, Dialeto::TravaEsquemaServidor());
  QStringList presentes;
  QMap<QString, QStringList> porEsquema;
  if (resultado)
    resultado = executar(comando, Dialeto::ConsultaTabelasServidor());
  while (resultado && comando.next()) {
    presentes.append(comando.value(0).toString());
    porEsquema[comando.value(1).toString()].append(comando.value(0).toString());
  }
  int versao = 0;
  if (resultado && porEsquema.size() > 1) {
    // The statements name the tables without a schema, and the server takes each from the first
    // schema of the search path that has it: tables in two schemas (a schema named like the user
    // made after the tables, which the search path puts first) would be mixed or hidden.
    QStringList partes;
    for (auto it = porEsquema.cbegin(); it != porEsquema.cend(); ++it)
      partes.append(QStringLiteral("no esquema \"%1\": %2").arg(it.key(), it.value().join(QStringLiteral(", "))));
    resultado = Resultado::falha(
        QStringLiteral("As tabelas do Talonix no banco de dados do servidor estão em mais de um esquema (") +
            partes.join(QStringLiteral("; ")) +
            QStringLiteral("). O Talonix não sabe quais usar: deixe um só conjunto de tabelas, num só esquema. "
                           "Nada foi alterado no banco."),
        -1);
  } else if (resultado && presentes.isEmpty()) {
    resultado = criarObjetos(banco);
    if (resultado)
      resultado = aplicarPassos(banco, 0, VersaoAtual);
  } else if (resultado && presentes.size() < 4) {
    presentes.sort();
    resultado =
        Resultado::falha(QStringLiteral("O banco de dados do servidor tem só uma parte das tabelas do Talonix (") +
                             presentes.join(QStringLiteral(", ")) +
                             QStringLiteral("): ele não foi criado pelo Talonix ou foi alterado por fora. "
                                            "Nada foi alterado nele."),
                         -1);
  } else if (resultado) {
    resultado = versaoConhecida(banco, versao);
    if (resultado && versao < VersaoAtual)
      resultado = aplicarPassos(banco, versao, VersaoAtual);
  }
  if (resultado && !comando.exec(QStringLiteral("COMMIT")))
    resultado = ErroBanco::Falha(comando.lastError());
  if (!resultado)
    comando.exec(QStringLiteral("ROLLBACK"));
  if (resultado)
    resultado = VerificarTabelas(banco);
  return resultado;
}

Resultado VerificarIntegridade(QSqlDatabase& banco, bool rapida) {
  QSqlQuery consulta(banco);
  if (!consulta.exec(rapida ? QStringLiteral("PRAGMA quick_check") : QStringLiteral("PRAGMA integrity_check")))
    return ErroBanco::Falha(consulta.lastError());
  if (!consulta.next())
    return Resultado::falha(QStringLiteral("A verificação do banco de dados não respondeu."), -1);
  const QString resposta = consulta.value(0).toString();
  if (resposta != QLatin1String("ok"))
    return Resultado::falha(QStringLiteral("O banco de dados está danificado: ") + resposta, 11);
  return Resultado::sucesso();
}

}  // namespace Esquema
