#include "app/core/Numeracao.h"

#include "app/core/Conexao.h"
#include "app/core/ErroBanco.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace Numeracao {
namespace {

// The maximum of the query plus `acrescimo`; 1 when the query finds no row (a Null maximum).
Resultado maximo(QSqlQuery& consulta, qint64 acrescimo, qint64& numero) {
  if (!consulta.exec())
    return ErroBanco::Falha(consulta.lastError());
  numero = 1;
  if (consulta.next() && !consulta.value(0).isNull())
    numero = consulta.value(0).toLongLong() + acrescimo;
  return Resultado::sucesso();
}

Resultado maximoDoAno(int ano, qint64 acrescimo, qint64& numero) {
  QSqlQuery consulta(Conexao::Banco());
  consulta.prepare(QStringLiteral("SELECT MAX(Codigo) AS Codigo FROM tbRecibo WHERE Ano=?"));
  consulta.addBindValue(ano);
  return maximo(consulta, acrescimo, numero);
}

}  // namespace

Resultado ProximoCodigo(Cadastro cadastro, qint64& codigo) {
  QSqlQuery consulta(Conexao::Banco());
  consulta.prepare(cadastro == Cadastro::Pessoa ? QStringLiteral("SELECT MAX(Codigo) AS Codigo FROM tbPessoa")
                                                : QStringLiteral("SELECT MAX(Codigo) AS Codigo FROM tbReferente"));
  return maximo(consulta, 1, codigo);
}

Resultado ProximoNumeroRecibo(int ano, qint64& numero) {
  return maximoDoAno(ano, 1, numero);
}

Resultado MaiorNumeroRecibo(int ano, qint64& numero) {
  return maximoDoAno(ano, 0, numero);
}

}  // namespace Numeracao
