#pragma once

#include "app/core/Numeracao.h"
#include "app/core/Resultado.h"

#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

/// The rows of `tbPessoa` or `tbReferente` as a registry screen works on them: counted, found by
/// code, added or updated one at a time inside a transaction, deleted. Every operation goes
/// through the current connection, so a screen left open across a compaction goes on working.
class TabelaCadastro {
public:
  /// One column written by `Gravar`; a null value writes Null.
  struct Coluna {
    QString nome;
    QVariant valor;
  };

  explicit TabelaCadastro(Numeracao::Cadastro cadastro);

  /// The number of rows of the table.
  [[nodiscard]] Resultado Contar(qint64& registros) const;

  /// Looks the row of `codigo` up; when it exists `encontrado` is true and `registro` holds it.
  [[nodiscard]] Resultado Localizar(qint64 codigo, bool& encontrado, QSqlRecord& registro) const;

  /// Adds the row `codigo` (`novo`) or updates the existing one, setting `colunas` in their
  /// order, inside a transaction: on failure nothing is written.
  [[nodiscard]] Resultado Gravar(bool novo, qint64 codigo, const QList<Coluna>& colunas) const;

  /// Deletes the row of `codigo`; a row that no longer exists is a failure.
  [[nodiscard]] Resultado Excluir(qint64 codigo) const;

private:
  QString tabela_;
};
