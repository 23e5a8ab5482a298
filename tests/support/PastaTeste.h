#pragma once

#include "tests/support/EscolhaArquivoGravada.h"
#include "tests/support/MensagensGravadas.h"
#include "tests/support/RelogioFixo.h"
#include "tests/support/SomGravado.h"

#include "app/core/Contexto.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

/// A temporary application folder with an empty database made from the schema, pointed at by
/// the program's paths; the connection is open once `abrir` succeeds.
class PastaTeste {
public:
  /// `criarBanco` false leaves `Dados` empty (for start-up failures).
  explicit PastaTeste(bool criarBanco = true);
  ~PastaTeste();

  QString caminho() const { return pasta_.path(); }
  QString banco() const;
  /// Opens the program's connection; false (with a warning) when it cannot be opened.
  bool abrir();

  /// Runs one statement on the open connection; fails the test on error.
  bool executar(const QString& sql) const;
  /// Runs one statement with `valores` bound to its placeholders in order.
  bool executar(const QString& sql, const QVariantList& valores) const;
  /// The first column of the first row of a query, or an invalid value.
  QVariant valor(const QString& sql) const;

  /// Copies the report layouts of the built application folder into this folder's
  /// "relatorio" folder.
  bool copiarModelos() const;
  /// Writes a layout file of `texto` into the "relatorio" folder.
  bool escreverModelo(const QString& nome, const QString& texto) const;

  MensagensGravadas mensagens;
  RelogioFixo relogio;
  EscolhaArquivoGravada escolhaArquivo;
  SomGravado som;
  Contexto contexto();

private:
  QTemporaryDir pasta_;
};
