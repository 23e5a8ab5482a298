#include "receipts/RegistroRecibo.h"

#include "app/core/Conexao.h"
#include "app/core/Dialeto.h"
#include "app/core/ErroBanco.h"
#include "app/core/Transacao.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace RegistroRecibo {
namespace {

const QString kFormatoData = QStringLiteral("yyyy-MM-dd");

void vincularCampos(QSqlQuery& comando, const Recibo& recibo) {
  comando.bindValue(QStringLiteral(":data"), recibo.dataEmissao.toString(kFormatoData));
  comando.bindValue(QStringLiteral(":valor"), recibo.valor);
  comando.bindValue(QStringLiteral(":recebi"), recibo.recebi);
  comando.bindValue(QStringLiteral(":emitente"), recibo.emitente);
  comando.bindValue(QStringLiteral(":referente"), recibo.referente.trimmed());
  comando.bindValue(QStringLiteral(":observacao"), recibo.observacao.trimmed());
  comando.bindValue(QStringLiteral(":vias"), recibo.vias);
  comando.bindValue(QStringLiteral(":forma"), recibo.formaPagamento);
  comando.bindValue(QStringLiteral(":beneficiario"),
                    recibo.beneficiario ? QVariant(*recibo.beneficiario) : QVariant(QMetaType::fromType<qint64>()));
  comando.bindValue(QStringLiteral(":numero"), recibo.numero);
  comando.bindValue(QStringLiteral(":ano"), recibo.ano);
}

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

// Runs `sql` with every field of `recibo` bound and ends `transacao`; `umaLinha` makes a statement
// that changes no row (the receipt was deleted meanwhile) a failure.
Resultado gravarCampos(Transacao& transacao, const QString& sql, const Recibo& recibo, bool umaLinha) {
  QSqlQuery comando(transacao.banco());
  comando.prepare(sql);
  vincularCampos(comando, recibo);
  Resultado resultado;
  // Desks sharing the server may both find a number free and save it at once: the key decides.
  if (!comando.exec())
    resultado =
        Dialeto::ChaveDuplicada(comando.lastError()) ? numeroExistente(recibo) : ErroBanco::Falha(comando.lastError());
  else if (umaLinha && comando.numRowsAffected() != 1)
    resultado = reciboInexistente(recibo.numero, recibo.ano);
  return transacao.Concluir(resultado);
}

QString textoOuVazio(const QVariant& valor) {
  return valor.isNull() ? QString() : valor.toString();
}

}  // namespace

Resultado Carregar(qint64 numero, int ano, std::optional<Recibo>& recibo) {
  recibo.reset();
  QSqlQuery consulta(Conexao::Banco());
  consulta.prepare(
      QStringLiteral("SELECT Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, Referente, "
                     "Observacao, Vias, FormaPagamento, Beneficiario FROM tbRecibo WHERE Codigo=? AND Ano=?"));
  consulta.addBindValue(numero);
  consulta.addBindValue(ano);
  if (!consulta.exec())
    return ErroBanco::Falha(consulta.lastError());
  if (!consulta.next())
    return Resultado::sucesso();
  Recibo r;
  r.numero = consulta.value(0).toLongLong();
  r.ano = consulta.value(1).toInt();
  r.dataEmissao = QDate::fromString(consulta.value(2).toString(), kFormatoData);
  r.valor = consulta.value(3).toLongLong();
  r.recebi = consulta.value(4).toLongLong();
  r.emitente = consulta.value(5).toLongLong();
  r.referente = textoOuVazio(consulta.value(6));
  r.observacao = textoOuVazio(consulta.value(7));
  r.vias = textoOuVazio(consulta.value(8));
  r.formaPagamento = consulta.value(9).toInt();
  if (!consulta.value(10).isNull())
    r.beneficiario = consulta.value(10).toLongLong();
  recibo = r;
  return Resultado::sucesso();
}

Resultado Existe(qint64 numero, int ano, bool& existe) {
  QSqlQuery consulta(Conexao::Banco());
  consulta.prepare(QStringLiteral("SELECT 1 FROM tbRecibo WHERE Codigo=? AND Ano=?"));
  consulta.addBindValue(numero);
  consulta.addBindValue(ano);
  if (!consulta.exec())
    return ErroBanco::Falha(consulta.lastError());
  existe = consulta.next();
  return Resultado::sucesso();
}

Resultado Inserir(const Recibo& recibo) {
  Transacao transacao;
  if (!transacao.resultado())
    return transacao.resultado();
  bool existe = false;
  if (Resultado r = Existe(recibo.numero, recibo.ano, existe); !r)
    return r;
  if (existe)
    return numeroExistente(recibo);
  return gravarCampos(
      transacao,
      QStringLiteral(
          "INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, Referente, Observacao, Vias, "
          "FormaPagamento, Beneficiario) VALUES (:numero, :ano, :data, :valor, :recebi, :emitente, :referente, "
          ":observacao, :vias, :forma, :beneficiario)"),
      recibo, false);
}

Resultado Atualizar(const Recibo& recibo) {
  Transacao transacao;
  if (!transacao.resultado())
    return transacao.resultado();
  return gravarCampos(
      transacao,
      QStringLiteral(
          "UPDATE tbRecibo SET Valor=:valor, DataEmissao=:data, Vias=:vias, Recebi=:recebi, Referente=:referente, "
          "Emitente=:emitente, Observacao=:observacao, FormaPagamento=:forma, Beneficiario=:beneficiario "
          "WHERE Codigo=:numero AND Ano=:ano"),
      recibo, true);
}

Resultado Excluir(qint64 numero, int ano) {
  Transacao transacao;
  if (!transacao.resultado())
    return transacao.resultado();
  Resultado resultado;
  QSqlQuery comando(transacao.banco());
  comando.prepare(QStringLiteral("DELETE FROM tbRecibo WHERE Codigo=? AND Ano=?"));
  comando.addBindValue(numero);
  comando.addBindValue(ano);
  if (!comando.exec())
    resultado = ErroBanco::Falha(comando.lastError());
  else if (comando.numRowsAffected() != 1)
    resultado = reciboInexistente(numero, ano);
  return transacao.Concluir(resultado);
}

Resultado BuscarPessoa(qint64 codigo, DadosPessoa& pessoa) {
  pessoa = {};
  QSqlQuery consulta(Conexao::Banco());
  consulta.prepare(
      QStringLiteral("SELECT TipoPessoa, Documento01, Documento02, (Endereco || ', ' || Numero) "
                     "AS EnderecoCompleto FROM tbPessoa WHERE Codigo=?"));
  consulta.addBindValue(codigo);
  if (!consulta.exec())
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
  consulta.prepare(QStringLiteral("SELECT Descricao FROM tbReferente WHERE Codigo=?"));
  consulta.addBindValue(codigo);
  if (!consulta.exec())
    return ErroBanco::Falha(consulta.lastError());
  if (consulta.next())
    descricao = textoOuVazio(consulta.value(0));
  return Resultado::sucesso();
}

}  // namespace RegistroRecibo
