#include "tests/support/BancoVersao0.h"

#include "app/core/Conexao.h"
#include "app/core/Esquema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

bool CriarBancoVersao0(const QString& caminho) {
  const QString nome = QStringLiteral("banco_versao0");
  if (!Esquema::CriarBanco(caminho, 0) || !Conexao::AbrirArquivo(nome, caminho))
    return false;
  bool ok = true;
  for (const char* sql : {"INSERT INTO tbPessoa (Codigo, Descricao, Documento01) VALUES "
                          "(1, 'João da Silva', '11144477735'), (2, 'Oficina Ltda', '11222333000181')",
                          "INSERT INTO tbReferente (Codigo, Descricao) VALUES (1, 'Aluguel')",
                          "INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, Referente) VALUES "
                          "(1, 2026, '2026-03-05', 12345000, 1, 2, 'Aluguel de março')"}) {
    QSqlQuery comando(QSqlDatabase::database(nome, false));
    if (ok && !comando.exec(QString::fromUtf8(sql))) {
      qWarning("%s: %s", sql, qPrintable(comando.lastError().text()));
      ok = false;
    }
  }
  Conexao::Descartar(nome);
  return ok;
}
