#include "app/core/Numeracao.h"

#include "app/core/Conexao.h"
#include "app/core/ErroBanco.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <limits>

namespace Numeracao {
namespace {

// The maximum that `sql` gives plus `acrescimo`; 1 when the query finds no row (a Null maximum).
// A maximum already at `limite` has no next one: comparing before adding also keeps a stored
// largest integer from wrapping round.
Resultado maximo(const QString& sql, const QVariantList& valores, qint64 acrescimo, qint64 limite,
                 const QString& semProximo, qint64& numero) {
  QSqlQuery consulta(Conexao::Banco());
  if (Resultado feita = ErroBanco::Executar(consulta, sql, valores); !feita)
    return feita;
  numero = 1;
  if (!consulta.next() || consulta.value(0).isNull())
    return Resultado::sucesso();
  const qint64 maior = consulta.value(0).toLongLong();
  if (acrescimo > 0 && maior >= limite)
    return Resultado::falha(semProximo.arg(maior), ErroSemProximo);
  numero = maior + acrescimo;
  return Resultado::sucesso();
}

Resultado maximoDoAno(int ano, qint64 acrescimo, qint64 limite, qint64& numero) {
  return maximo(QStringLiteral("SELECT MAX(Codigo) AS Codigo FROM tbRecibo WHERE Ano=?"), {ano}, acrescimo, limite,
                QStringLiteral("O maior número de recibo do ano, %1, é o último que o campo aceita: não há um "
                               "próximo número a propor. Digite um número livre."),
                numero);
}

}  // namespace

Resultado ProximoCodigo(Cadastro cadastro, qint64& codigo, qint64 limite) {
  return maximo(cadastro == Cadastro::Pessoa ? QStringLiteral("SELECT MAX(Codigo) AS Codigo FROM tbPessoa")
                                             : QStringLiteral("SELECT MAX(Codigo) AS Codigo FROM tbReferente"),
                {}, 1, limite,
                QStringLiteral("O maior código já cadastrado, %1, é o último que o campo aceita: não há um "
                               "próximo código a propor. Digite um código livre."),
                codigo);
}

Resultado ProximoNumeroRecibo(int ano, qint64& numero, qint64 limite) {
  return maximoDoAno(ano, 1, limite, numero);
}

Resultado MaiorNumeroRecibo(int ano, qint64& numero) {
  return maximoDoAno(ano, 0, std::numeric_limits<qint64>::max(), numero);
}

}  // namespace Numeracao
