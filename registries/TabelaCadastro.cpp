#include "registries/TabelaCadastro.h"

#include "app/core/Comando.h"
#include "app/core/Conexao.h"
#include "app/core/Dialeto.h"
#include "app/core/ErroBanco.h"
#include "app/core/RegistroAlterado.h"
#include "app/core/Transacao.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

Resultado registroSumiu() {
  return Resultado::falha(QStringLiteral("O registro não existe mais no banco de dados."), -1);
}

// Runs `sql` inside `transacao`, where it must change exactly one row: a row that vanished
// meanwhile is a failure.
Resultado mudarUmaLinha(Transacao& transacao, const QString& sql, const QVariantList& valores) {
  QSqlQuery comando(transacao.banco());
  if (!Comando::Executar(comando, sql, valores))
    return ErroBanco::Falha(comando.lastError());
  return comando.numRowsAffected() == 1 ? Resultado::sucesso() : registroSumiu();
}

// Whether two readings of one row hold the same values, column by column. Values are compared as
// the text they read as, so that the store handing a number back as another integer type is no
// change; Null stays apart from an empty text.
bool mesmaLinha(const QSqlRecord& a, const QSqlRecord& b) {
  if (a.count() != b.count())
    return false;
  for (int i = 0; i < a.count(); ++i) {
    const QVariant va = a.value(i);
    const QVariant vb = b.value(a.fieldName(i));
    if (va.isNull() != vb.isNull() || va.toString() != vb.toString())
      return false;
  }
  return true;
}

// The refusal of deleting a person whom `quantos` receipts name, the first of them `primeiro`.
Resultado pessoaEmRecibos(qint64 quantos, const QString& primeiro) {
  const QString texto =
      quantos == 1 ? QStringLiteral("Esta pessoa aparece no recibo %1 e não pode ser excluída.").arg(primeiro)
                   : QStringLiteral("Esta pessoa aparece em %1 recibos (o primeiro: %2) e não pode ser excluída.")
                         .arg(quantos)
                         .arg(primeiro);
  return Resultado::falha(texto, TabelaCadastro::ErroPessoaEmRecibos);
}

// Inside the deleting transaction, after the person's row is gone (and on the server locked
// against receipts naming it until the end): a refusal when any receipt still names them.
Resultado pessoaSemRecibos(Transacao& transacao, qint64 codigo) {
  QSqlQuery consulta(transacao.banco());
  if (!Comando::Executar(consulta,
                         QStringLiteral("SELECT Codigo, Ano, COUNT(*) OVER () FROM tbRecibo "
                                        "WHERE Recebi=? OR Emitente=? OR Beneficiario=? ORDER BY Ano, Codigo LIMIT 1"),
                         {codigo, codigo, codigo}))
    return ErroBanco::Falha(consulta.lastError());
  if (!consulta.next())
    return consulta.lastError().isValid() ? ErroBanco::Falha(consulta.lastError()) : Resultado::sucesso();
  return pessoaEmRecibos(consulta.value(2).toLongLong(),
                         consulta.value(0).toString() + QLatin1Char('/') + consulta.value(1).toString());
}

}  // namespace

TabelaCadastro::TabelaCadastro(Numeracao::Cadastro cadastro)
    : cadastro_(cadastro),
      tabela_(cadastro == Numeracao::Cadastro::Pessoa ? QStringLiteral("tbPessoa") : QStringLiteral("tbReferente")) {}

Resultado TabelaCadastro::Contar(qint64& registros) const {
  QSqlQuery consulta(Conexao::Banco());
  if (!Comando::Executar(consulta, QStringLiteral("SELECT COUNT(*) FROM ") + tabela_, {}) || !consulta.next())
    return ErroBanco::Falha(consulta.lastError());
  registros = consulta.value(0).toLongLong();
  return Resultado::sucesso();
}

Resultado TabelaCadastro::Localizar(qint64 codigo, bool& encontrado, QSqlRecord& registro) const {
  QSqlQuery consulta(Conexao::Banco());
  if (!Comando::Executar(consulta, QStringLiteral("SELECT * FROM ") + tabela_ + QStringLiteral(" WHERE Codigo=?"),
                         {codigo}))
    return ErroBanco::Falha(consulta.lastError());
  encontrado = consulta.next();
  if (consulta.lastError().isValid())
    return ErroBanco::Falha(consulta.lastError());
  if (encontrado)
    registro = consulta.record();
  return Resultado::sucesso();
}

Resultado TabelaCadastro::Incluir(qint64 codigo, const QList<Coluna>& colunas) const {
  QStringList nomes{QStringLiteral("Codigo")};
  QVariantList valores{codigo};
  for (const Coluna& coluna : colunas) {
    nomes << coluna.nome;
    valores << coluna.valor;
  }
  Transacao transacao;
  if (!transacao.resultado())
    return transacao.resultado();
  QSqlQuery comando(transacao.banco());
  Resultado resultado;
  // Two desks both proposed the same new code: the key decides, and the later one is told.
  if (!Comando::Executar(
          comando,
          QStringLiteral("INSERT INTO %1 (%2) VALUES (?%3)")
              .arg(tabela_, nomes.join(QStringLiteral(", ")), QStringLiteral(", ?").repeated(colunas.size())),
          valores))
    resultado = Dialeto::ChaveDuplicada(comando.lastError()) ? RegistroAlterado::Falha()
                                                             : ErroBanco::Falha(comando.lastError());
  return transacao.Concluir(resultado);
}

Resultado TabelaCadastro::Alterar(const QSqlRecord& carregado, const QList<Coluna>& colunas) const {
  const QVariant codigo = carregado.value(QStringLiteral("Codigo"));
  Transacao transacao;
  if (!transacao.resultado())
    return transacao.resultado();
  // The row is read again under the transaction's lock, so that nobody changes it between the
  // comparison and the update.
  QSqlQuery atual(transacao.banco());
  if (!Comando::Executar(atual,
                         QStringLiteral("SELECT * FROM ") + tabela_ + QStringLiteral(" WHERE Codigo=?") +
                             Dialeto::BloqueioLinhas(Dialeto::De(transacao.banco()), Dialeto::Bloqueio::Alteracao),
                         {codigo}))
    return transacao.Concluir(ErroBanco::Falha(atual.lastError()));
  if (!atual.next())
    return transacao.Concluir(atual.lastError().isValid() ? ErroBanco::Falha(atual.lastError()) : registroSumiu());
  const bool mesma = mesmaLinha(atual.record(), carregado);
  atual.finish();
  if (!mesma)
    return transacao.Concluir(RegistroAlterado::Falha());

  QStringList nomes;
  QVariantList valores;
  for (const Coluna& coluna : colunas) {
    nomes << coluna.nome;
    valores << coluna.valor;
  }
  valores << codigo;
  return transacao.Concluir(mudarUmaLinha(
      transacao, QStringLiteral("UPDATE %1 SET %2=? WHERE Codigo=?").arg(tabela_, nomes.join(QStringLiteral("=?, "))),
      valores));
}

Resultado TabelaCadastro::Excluir(qint64 codigo) const {
  Transacao transacao;
  if (!transacao.resultado())
    return transacao.resultado();
  // Deleting first takes the row's lock on the server: a desk saving a receipt that names this
  // person waits for the outcome, and one that saved before is seen by the check.
  Resultado resultado =
      mudarUmaLinha(transacao, QStringLiteral("DELETE FROM ") + tabela_ + QStringLiteral(" WHERE Codigo=?"), {codigo});
  if (resultado && cadastro_ == Numeracao::Cadastro::Pessoa)
    resultado = pessoaSemRecibos(transacao, codigo);
  return transacao.Concluir(resultado);
}
