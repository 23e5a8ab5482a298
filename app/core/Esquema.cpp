#include "app/core/Esquema.h"

#include "app/core/ErroBanco.h"
#include "app/core/Plataforma.h"

#include <QFile>
#include <QFileInfo>
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
      QSqlQuery comando(banco);
      banco.transaction();
      // Statements are separated by ";" at the end of a line; comments are whole lines.
      QString atual;
      for (const QString& linha : TextoEsquema().split(QLatin1Char('\n'))) {
        if (linha.trimmed().startsWith(QStringLiteral("--")))
          continue;
        atual += linha + QLatin1Char('\n');
        if (linha.trimmed().endsWith(QLatin1Char(';'))) {
          if (!comando.exec(atual)) {
            resultado = ErroBanco::Falha(comando.lastError());
            break;
          }
          atual.clear();
        }
      }
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
