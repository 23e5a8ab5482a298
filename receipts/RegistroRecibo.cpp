#include "receipts/RegistroRecibo.h"

#include "app/core/Comando.h"
#include "app/core/Conexao.h"
#include "app/core/Dialeto.h"
#include "app/core/ErroBanco.h"
#include "app/core/RegistroAlterado.h"
#include "app/core/Transacao.h"
#include "receipts/TabelaRecibo.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace RegistroRecibo {
namespace {

Resultado reciboInexistente(qint64 numero, int ano) {
  return Resultado::falha(QStringLiteral("O recibo ") + QString::number(numero) + QLatin1Char('/') +
                              QString::number(ano) + QStringLiteral(" não existe mais no banco de dados."),
                          ErroReciboInexistente);
}

Resultado numeroExistente(const Recibo& recibo) {
  return Resultado::falha(QStringLiteral("Já existe um recibo com o número ") + QString::number(recibo.numero) +
                              QStringLiteral(" no ano de ") + QString::number(recibo.ano) + QLatin1Char('.'),
                          ErroNumeroExistente);
}

// The codes of the people `recibo` names that are registered, read on `banco` with `sufixo`
// after the SELECT.
Resultado cadastradas(const QSqlDatabase& banco, const Recibo& recibo, const QString& sufixo, QSet<qint64>& codigos) {
  codigos.clear();
  QSqlQuery consulta(banco);
  if (!Comando::Executar(consulta, QStringLiteral("SELECT Codigo FROM tbPessoa WHERE Codigo IN (?, ?, ?)") + sufixo,
                         {recibo.recebi, recibo.emitente, recibo.beneficiario.value_or(recibo.recebi)}))
    return ErroBanco::Falha(consulta.lastError());
  while (consulta.next())
    codigos << consulta.value(0).toLongLong();
  return consulta.lastError().isValid() ? ErroBanco::Falha(consulta.lastError()) : Resultado::sucesso();
}

// Inside the writing transaction, the receipt's rules once more, its people read there: on the
// server they stay registered until the transaction ends (a desk deleting one of them waits, then
// sees the receipt).
Resultado conferirNaTransacao(Transacao& transacao, const Recibo& recibo) {
  QSet<qint64> codigos;
  if (Resultado r =
          cadastradas(transacao.banco(), recibo,
                      Dialeto::BloqueioLinhas(Dialeto::De(transacao.banco()), Dialeto::Bloqueio::Referencia), codigos);
      !r)
    return r;
  if (const auto recusa = RegrasRecibo::Conferir(recibo, codigos))
    return Resultado::falha(recusa->mensagem, RegrasRecibo::ErroRegra);
  return Resultado::sucesso();
}

// Runs `sql` with `valores` (the fields of `recibo`) inside `transacao`, once the receipt is known
// to keep its rules; `umaLinha` makes a statement that changes no row (the receipt was deleted
// meanwhile) a failure.
Resultado gravarCampos(Transacao& transacao, const QString& sql, const QVariantList& valores, const Recibo& recibo,
                       bool umaLinha) {
  if (Resultado r = conferirNaTransacao(transacao, recibo); !r)
    return r;
  QSqlQuery comando(transacao.banco());
  // Desks sharing the server may both find a number free and save it at once: the key decides.
  if (!Comando::Executar(comando, sql, valores))
    return Dialeto::ChaveDuplicada(comando.lastError()) ? numeroExistente(recibo)
                                                        : ErroBanco::Falha(comando.lastError());
  if (umaLinha && comando.numRowsAffected() != 1)
    return reciboInexistente(recibo.numero, recibo.ano);
  return Resultado::sucesso();
}

QString textoOuVazio(const QVariant& valor) {
  return valor.isNull() ? QString() : valor.toString();
}

// Reads the receipt `numero` of `ano` on `banco`, the SELECT ending in `sufixo`.
Resultado ler(const QSqlDatabase& banco, qint64 numero, int ano, const QString& sufixo, std::optional<Recibo>& recibo) {
  recibo.reset();
  QSqlQuery consulta(banco);
  if (!Comando::Executar(consulta, TabelaRecibo::SelecaoPorChave() + sufixo, {numero, ano}))
    return ErroBanco::Falha(consulta.lastError());
  if (consulta.next())
    recibo = TabelaRecibo::Ler(consulta);
  return consulta.lastError().isValid() ? ErroBanco::Falha(consulta.lastError()) : Resultado::sucesso();
}

}  // namespace

Resultado Carregar(qint64 numero, int ano, std::optional<Recibo>& recibo) {
  return ler(Conexao::Banco(), numero, ano, QString(), recibo);
}

Resultado Conferir(const Recibo& recibo, bool valorInformado, std::optional<RegrasRecibo::Recusa>& recusa) {
  QSet<qint64> codigos;
  Resultado r = cadastradas(Conexao::Banco(), recibo, QString(), codigos);
  recusa = r ? RegrasRecibo::Conferir(recibo, codigos, valorInformado) : std::nullopt;
  return r;
}

Resultado Existe(qint64 numero, int ano, bool& existe) {
  QSqlQuery consulta(Conexao::Banco());
  if (!Comando::Executar(consulta, QStringLiteral("SELECT 1 FROM tbRecibo WHERE Codigo=? AND Ano=?"), {numero, ano}))
    return ErroBanco::Falha(consulta.lastError());
  existe = consulta.next();
  return Resultado::sucesso();
}

Resultado Inserir(const Recibo& recibo) {
  Transacao transacao;
  if (!transacao.resultado())
    return transacao.resultado();
  bool existe = false;
  Resultado resultado = Existe(recibo.numero, recibo.ano, existe);
  if (resultado && existe)
    resultado = numeroExistente(recibo);
  if (resultado)
    resultado = gravarCampos(transacao, TabelaRecibo::Insercao(), TabelaRecibo::ValoresInsercao(recibo), recibo, false);
  return transacao.Concluir(resultado);
}

Resultado Atualizar(const Recibo& carregado, const Recibo& recibo) {
  Transacao transacao;
  if (!transacao.resultado())
    return transacao.resultado();
  // Read again under the transaction's lock: between the comparison and the update nobody else
  // changes the row.
  std::optional<Recibo> atual;
  Resultado resultado =
      ler(transacao.banco(), recibo.numero, recibo.ano,
          Dialeto::BloqueioLinhas(Dialeto::De(transacao.banco()), Dialeto::Bloqueio::Alteracao), atual);
  if (resultado && !atual)
    resultado = reciboInexistente(recibo.numero, recibo.ano);
  else if (resultado && *atual != carregado)
    resultado = RegistroAlterado::Falha();
  if (resultado)
    resultado =
        gravarCampos(transacao, TabelaRecibo::Atualizacao(), TabelaRecibo::ValoresAtualizacao(recibo), recibo, true);
  return transacao.Concluir(resultado);
}

Resultado Excluir(qint64 numero, int ano) {
  Transacao transacao;
  if (!transacao.resultado())
    return transacao.resultado();
  Resultado resultado;
  QSqlQuery comando(transacao.banco());
  if (!Comando::Executar(comando, QStringLiteral("DELETE FROM tbRecibo WHERE Codigo=? AND Ano=?"), {numero, ano}))
    resultado = ErroBanco::Falha(comando.lastError());
  else if (comando.numRowsAffected() != 1)
    resultado = reciboInexistente(numero, ano);
  return transacao.Concluir(resultado);
}

Resultado BuscarPessoa(qint64 codigo, DadosPessoa& pessoa) {
  pessoa = {};
  QSqlQuery consulta(Conexao::Banco());
  if (!Comando::Executar(consulta,
                         QStringLiteral("SELECT TipoPessoa, Documento01, Documento02, (Endereco || ', ' || Numero) "
                                        "AS EnderecoCompleto FROM tbPessoa WHERE Codigo=?"),
                         {codigo}))
    return ErroBanco::Falha(consulta.lastError());
  if (consulta.next()) {
    pessoa.existe = true;
    pessoa.tipo = consulta.value(0).toInt();
    pessoa.documento1 = textoOuVazio(consulta.value(1));
    pessoa.documento2 = textoOuVazio(consulta.value(2));
    pessoa.endereco = textoOuVazio(consulta.value(3));
  }
  return Resultado::sucesso();
}

Resultado BuscarReferente(qint64 codigo, std::optional<QString>& descricao) {
  descricao.reset();
  QSqlQuery consulta(Conexao::Banco());
  if (!Comando::Executar(consulta, QStringLiteral("SELECT Descricao FROM tbReferente WHERE Codigo=?"), {codigo}))
    return ErroBanco::Falha(consulta.lastError());
  if (consulta.next())
    descricao = textoOuVazio(consulta.value(0));
  return Resultado::sucesso();
}

}  // namespace RegistroRecibo
