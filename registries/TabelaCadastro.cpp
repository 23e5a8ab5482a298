#include "registries/TabelaCadastro.h"

#include "app/core/Conexao.h"
#include "app/core/ErroBanco.h"
#include "app/core/Transacao.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

Resultado registroSumiu() {
  return Resultado::falha(QStringLiteral("O registro não existe mais no banco de dados."), -1);
}

// Runs a prepared statement with its values bound in order.
bool executar(QSqlQuery& consulta, const QString& sql, const QVariantList& valores) {
  if (!consulta.prepare(sql))
    return false;
  for (const QVariant& valor : valores)
    consulta.addBindValue(valor);
  return consulta.exec();
}

// Changes exactly one row inside a transaction: a row that vanished meanwhile is a failure.
Resultado escrever(const QString& sql, const QVariantList& valores) {
  Transacao transacao;
  if (!transacao.resultado())
    return transacao.resultado();
  Resultado resultado;
  QSqlQuery consulta(transacao.banco());
  if (!executar(consulta, sql, valores))
    resultado = ErroBanco::Falha(consulta.lastError());
  else if (consulta.numRowsAffected() != 1)
    resultado = registroSumiu();
  return transacao.Concluir(resultado);
}

}  // namespace

TabelaCadastro::TabelaCadastro(Numeracao::Cadastro cadastro)
    : tabela_(cadastro == Numeracao::Cadastro::Pessoa ? QStringLiteral("tbPessoa") : QStringLiteral("tbReferente")) {}

Resultado TabelaCadastro::Contar(qint64& registros) const {
  QSqlQuery consulta(Conexao::Banco());
  if (!executar(consulta, QStringLiteral("SELECT COUNT(*) FROM ") + tabela_, {}) || !consulta.next())
    return ErroBanco::Falha(consulta.lastError());
  registros = consulta.value(0).toLongLong();
  return Resultado::sucesso();
}

Resultado TabelaCadastro::Localizar(qint64 codigo, bool& encontrado, QSqlRecord& registro) const {
  QSqlQuery consulta(Conexao::Banco());
  if (!executar(consulta, QStringLiteral("SELECT * FROM ") + tabela_ + QStringLiteral(" WHERE Codigo=?"), {codigo}))
    return ErroBanco::Falha(consulta.lastError());
  encontrado = consulta.next();
  if (consulta.lastError().isValid())
    return ErroBanco::Falha(consulta.lastError());
  if (encontrado)
    registro = consulta.record();
  return Resultado::sucesso();
}

Resultado TabelaCadastro::Gravar(bool novo, qint64 codigo, const QList<Coluna>& colunas) const {
  QStringList nomes;
  QVariantList valores;
  for (const Coluna& coluna : colunas) {
    nomes << coluna.nome;
    valores << coluna.valor;
  }
  QString sql;
  if (novo) {
    sql = QStringLiteral("INSERT INTO %1 (Codigo, %2) VALUES (?%3)")
              .arg(tabela_, nomes.join(QStringLiteral(", ")), QStringLiteral(", ?").repeated(nomes.size()));
    valores.prepend(codigo);
  } else {
    sql = QStringLiteral("UPDATE %1 SET %2=? WHERE Codigo=?").arg(tabela_, nomes.join(QStringLiteral("=?, ")));
    valores << codigo;
  }

  return escrever(sql, valores);
}

Resultado TabelaCadastro::Excluir(qint64 codigo) const {
  return escrever(QStringLiteral("DELETE FROM ") + tabela_ + QStringLiteral(" WHERE Codigo=?"), {codigo});
}
