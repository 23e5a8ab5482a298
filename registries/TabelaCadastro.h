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

  /// Failure number of the deletion of a person whom receipts name, outside the store's error
  /// numbers.
  static constexpr int ErroPessoaEmRecibos = -1004;

  explicit TabelaCadastro(Numeracao::Cadastro cadastro);

  /// The number of rows of the table.
  [[nodiscard]] Resultado Contar(qint64& registros) const;

  /// Looks the row of `codigo` up; when it exists `encontrado` is true and `registro` holds it.
  [[nodiscard]] Resultado Localizar(qint64 codigo, bool& encontrado, QSqlRecord& registro) const;

  /// Adds the row `codigo`, setting `colunas` in their order, inside a transaction. A code that
  /// another desk took meanwhile is refused (`RegistroAlterado`); on failure nothing is written.
  [[nodiscard]] Resultado Incluir(qint64 codigo, const QList<Coluna>& colunas) const;

  /// Updates the row that `Localizar` gave as `carregado`, setting `colunas`, inside a
  /// transaction. When the stored row differs from `carregado` in any column (another desk saved
  /// it meanwhile) nothing is written and the refusal is `RegistroAlterado`'s; a row that
  /// vanished is a failure.
  [[nodiscard]] Resultado Alterar(const QSqlRecord& carregado, const QList<Coluna>& colunas) const;

  /// Deletes the row of `codigo`; a row that no longer exists is a failure, and so is a person
  /// whom any receipt names as payer, issuer or beneficiary (`ErroPessoaEmRecibos`, saying how
  /// many and the first): nothing is deleted.
  [[nodiscard]] Resultado Excluir(qint64 codigo) const;

private:
  Numeracao::Cadastro cadastro_;
  QString tabela_;
};
