#include "app/core/Numeracao.h"

#include "app/core/Conexao.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace Numeracao {
namespace {

Resultado maximoMaisUm(QSqlQuery& consulta, qint64& proximo) {
  if (!consulta.exec())
    return Conexao::Falha(consulta.lastError());
  proximo = 1;
  if (consulta.next() && !consulta.value(0).isNull())
    proximo = consulta.value(0).toLongLong() + 1;
  return Resultado::sucesso();
}

}  // namespace

Resultado ProximoCodigo(Cadastro cadastro, qint64& codigo) {
  QSqlQuery consulta(Conexao::Banco());
  consulta.prepare(cadastro == Cadastro::Pessoa ? QStringLiteral("SELECT MAX(Codigo) AS Codigo FROM tbPessoa")
                                                : QStringLiteral("SELECT MAX(Codigo) AS Codigo FROM tbReferente"));
  return maximoMaisUm(consulta, codigo);
}

Resultado ProximoNumeroRecibo(int ano, qint64& numero) {
  QSqlQuery consulta(Conexao::Banco());
  consulta.prepare(QStringLiteral("SELECT MAX(Codigo) AS Codigo FROM tbRecibo WHERE Ano=?"));
  consulta.addBindValue(ano);
  return maximoMaisUm(consulta, numero);
}

}  // namespace Numeracao
