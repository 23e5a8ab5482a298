#pragma once

#include "app/core/Dialeto.h"
#include "app/core/Resultado.h"

#include <QString>

/// Which store the program uses, from the section [banco] of the settings file: the desk's own
/// file (`tipo=sqlite`, the default) or the office's PostgreSQL server (`tipo=postgresql`, with
/// `servidor`, `porta`, `nome` and `usuario`). The password never lives here: the server's
/// client library reads the user's ~/.pgpass (or PGPASSFILE) itself.
struct ConfiguracaoBanco {
  Dialeto::Tipo tipo = Dialeto::Tipo::Sqlite;
  QString servidor;
  int porta = 5432;
  QString nome;
  QString usuario;
  /// `permitir_rede=1`: the user accepts the risk of a database file on a network share.
  bool permitirRede = false;

  /// Reads the section from the settings file; an unknown `tipo` or port is refused, saying so.
  [[nodiscard]] static Resultado Ler(ConfiguracaoBanco& configuracao);
};
