#include "reports/RendimentosMensais.h"

#include "app/core/Dialeto.h"
#include "app/core/ErroBanco.h"
#include "reports/engine/CelulaCsv.h"
#include "reports/engine/FormatosRelatorio.h"

#include <QSqlError>
#include <QSqlQuery>

namespace RendimentosMensais {

namespace {

// A payer that was deleted counts among individuals: the money came in all the same. The issuer
// and the payer's fields are one per group; they are grouped on as well because the server
// accepts no column outside the GROUP BY.
const QString kAgregado = QStringLiteral(
    "INSERT INTO temp.tmpRendimentoMensal (Emitente, Competencia, Tipo, Recebi, Documento, Nome, Valor) "
    "SELECT r.Emitente, substr(r.DataEmissao, 1, 7) || '-01', CASE WHEN p.TipoPessoa > 0 THEN 1 ELSE 0 END, "
    "r.Recebi, COALESCE(p.Documento01, ''), COALESCE(p.Descricao, ''), SUM(r.Valor) "
    "FROM tbRecibo r LEFT JOIN tbPessoa p ON p.Codigo = r.Recebi "
    "WHERE r.Emitente = ? AND r.DataEmissao BETWEEN ? AND ? "
    "GROUP BY substr(r.DataEmissao, 1, 7), r.Recebi, r.Emitente, p.TipoPessoa, p.Documento01, p.Descricao");

}  // namespace

Resultado Preparar(QSqlDatabase banco, int emitente, int ano) {
  const Dialeto::Tipo dialeto = Dialeto::De(banco);
  QSqlQuery consulta(banco);
  if (!consulta.exec(Dialeto::AdaptarDefinicao(
          dialeto, QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS tmpRendimentoMensal (Emitente INTEGER, "
                                  "Competencia TEXT, Tipo INTEGER, Recebi INTEGER, Documento TEXT, Nome TEXT, "
                                  "Valor INTEGER)"))) ||
      !consulta.exec(Dialeto::Adaptar(dialeto, QStringLiteral("DELETE FROM temp.tmpRendimentoMensal"))))
    return ErroBanco::Falha(consulta.lastError());
  return ErroBanco::Executar(consulta, Dialeto::Adaptar(dialeto, kAgregado),
                             {emitente, QStringLiteral("%1-01-01").arg(ano, 4, 10, QLatin1Char('0')),
                              QStringLiteral("%1-12-31").arg(ano, 4, 10, QLatin1Char('0'))});
}

Resultado Contar(QSqlDatabase banco, int& linhas) {
  QSqlQuery consulta(banco);
  if (!consulta.exec(
          Dialeto::Adaptar(Dialeto::De(banco), QStringLiteral("SELECT COUNT(*) FROM temp.tmpRendimentoMensal"))) ||
      !consulta.next())
    return ErroBanco::Falha(consulta.lastError());
  linhas = consulta.value(0).toInt();
  return Resultado::sucesso();
}

Resultado Csv(QSqlDatabase banco, QByteArray& csv) {
  QSqlQuery consulta(banco);
  consulta.setForwardOnly(true);
  if (!consulta.exec(
          Dialeto::Adaptar(Dialeto::De(banco), QStringLiteral("SELECT Competencia, Tipo, Documento, Nome, Valor FROM "
                                                              "temp.tmpRendimentoMensal ORDER BY Competencia, Tipo, "
                                                              "talonix_dobra(Nome), Nome, Recebi"))))
    return ErroBanco::Falha(consulta.lastError());
  QString texto = QStringLiteral("\uFEFFMês;Tipo;CPF/CNPJ;Nome;Valor (R$)\r\n");
  while (consulta.next()) {
    const QString competencia = consulta.value(0).toString();
    const int tipo = consulta.value(1).toInt();
    const QStringList linha = {
        CelulaCsv::Texto(competencia.mid(5, 2) + QLatin1Char('/') + competencia.left(4)),
        CelulaCsv::Texto(tipo == 0 ? QStringLiteral("Pessoa física") : QStringLiteral("Pessoa jurídica")),
        CelulaCsv::Texto(FormatosRelatorio::Documento(consulta.value(2).toString(), tipo)),
        CelulaCsv::Texto(consulta.value(3).toString()), CelulaCsv::Valor(consulta.value(4).toLongLong())};
    texto += linha.join(QLatin1Char(';')) + QStringLiteral("\r\n");
  }
  if (consulta.lastError().isValid())
    return ErroBanco::Falha(consulta.lastError());
  csv = texto.toUtf8();
  return Resultado::sucesso();
}

}  // namespace RendimentosMensais
