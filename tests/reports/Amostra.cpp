#include "tests/reports/Amostra.h"

#include "app/core/Conexao.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtDebug>

#include <cmath>

namespace {

bool executar(const QString& sql, const QVariantList& valores) {
  QSqlQuery q(Conexao::Banco());
  q.prepare(sql);
  for (const QVariant& v : valores)
    q.addBindValue(v);
  if (!q.exec()) {
    qWarning() << sql << q.lastError().text();
    return false;
  }
  return true;
}

// The schema refuses nulls in text columns; an absent text is an empty one.
QString semNulo(const QString& texto) {
  return texto.isNull() ? QStringLiteral("") : texto;
}

}  // namespace

namespace Amostra {

bool Pessoa(int codigo, const QString& nome, int tipo, const QString& documento) {
  return executar(
      QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao, TipoPessoa, Documento01) VALUES (?, ?, ?, ?)"),
      {codigo, nome, tipo, semNulo(documento)});
}

bool Referente(int codigo, const QString& descricao) {
  return executar(QStringLiteral("INSERT INTO tbReferente (Codigo, Descricao) VALUES (?, ?)"), {codigo, descricao});
}

bool Recibo(int codigo, int ano, const QString& data, double valor, int recebi, int emitente,
            const QString& referente) {
  return executar(
      QStringLiteral("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, Referente) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?)"),
      {codigo, ano, data, static_cast<qint64>(std::llround(valor * 10000)), recebi, emitente, semNulo(referente)});
}

QString ModeloRecibos() {
  return QStringLiteral(R"([relatorio]
titulo = Recibos
[tabela 1]
nome = tbPessoa
apelido = tbPessoaEmitente
ligacao = {tbPessoaEmitente.Codigo} = {tbRecibo.Emitente}
campos = Codigo inteiro, Descricao texto
[tabela 2]
nome = tbRecibo
campos = Codigo inteiro, Ano inteiro, Valor moeda, DataEmissao data, Recebi inteiro, Emitente inteiro, Referente texto
[tabela 3]
nome = tbPessoa
apelido = tbPessoaRecebi
ligacao = {tbPessoaRecebi.Codigo} = {tbRecibo.Recebi}
campos = Codigo inteiro, Descricao texto
[formula Periodo]
texto = 'sem período'
[formula Extenso]
texto = Extenso({tbRecibo.Valor})
[parametro CodigoRecibo]
tipo = inteiro
valor = 0
[secao 1 cabecalho_pagina]
altura = 10
objeto = formula x=0 y=0 l=180 a=5 | Periodo
[secao 2 detalhe]
altura = 6
objeto = campo x=0 y=0 l=20 a=5 | tbRecibo.Codigo
objeto = campo x=22 y=0 l=20 a=5 | tbRecibo.Ano
objeto = campo x=45 y=0 l=30 a=5 alinhar=direita | tbRecibo.Valor
objeto = campo x=80 y=0 l=25 a=5 | tbRecibo.DataEmissao
objeto = campo x=110 y=0 l=70 a=5 | tbPessoaRecebi.Descricao
[secao 3 detalhe]
altura = 6
objeto = formula x=0 y=0 l=180 a=5 | Extenso
)");
}

}  // namespace Amostra
