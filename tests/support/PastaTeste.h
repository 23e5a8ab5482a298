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
/// the program's paths; the connection is open once `abrir` succeeds. When the tests run on the
/// server (`ServidorTeste::Ativo`), the database is a new, empty one of the server instead, named
/// by the settings file, which the program fills with its schema when it opens it.
class PastaTeste {
public:
  /// Where the folder's database lives: the run's store, or a desk's file even in a run on the
  /// server.
  enum class Loja { DaExecucao, Arquivo };

  /// `criarBanco` false leaves `Dados` empty (for start-up failures).
  explicit PastaTeste(bool criarBanco = true, Loja loja = Loja::DaExecucao);
  ~PastaTeste();

  QString caminho() const { return pasta_.path(); }
  QString banco() const;
  /// The server's database of this folder; empty when the folder's database is its file.
  QString bancoServidor() const { return bancoServidor_; }
  /// Opens the program's connection; false (with a warning) when it cannot be opened.
  bool abrir();

  /// Runs one statement on the open connection; fails the test on error.
  bool executar(const QString& sql) const;
  /// Runs one statement with `valores` bound to its placeholders in order.
  bool executar(const QString& sql, const QVariantList& valores) const;
  /// The first column of the first row of a query, or an invalid value.
  QVariant valor(const QString& sql) const;

  /// Every row of the program's tables on the open connection, each as one text ("∅" for Null),
  /// in key order: what a comparison of two stores needs.
  static QStringList Linhas();

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
  QString bancoServidor_;
};
