#pragma once

#include <QString>

/// The throw-away PostgreSQL server a test run may name (tools/servidor_pg.sh): the environment
/// variable TALONIX_TESTE_PG holds the path of the file where the script wrote its folder and port.
/// Each test folder gets a database of its own on it.
namespace ServidorTeste {

/// Whether this run of the tests is on the server.
bool Ativo();

/// The server's port (0 when no server is named or its file cannot be read).
int Porta();

/// Makes a new, empty database and gives its name; empty on failure (with a warning).
QString CriarBanco();

/// Drops the database `nome`, ending the connections still open on it.
void ApagarBanco(const QString& nome);

/// Runs tools/servidor_pg.sh `acao` ("iniciar", "reiniciar" or "parar") on the server of this run;
/// true when it succeeded. The administration connection is opened again afterwards.
bool Script(const QString& acao);

/// Runs one statement on the server's administration database as its superuser.
bool Administrar(const QString& sql);

/// Writes the section [banco] of the settings file `ini` for the database `nome`, logging in as
/// `usuario`.
void EscreverIni(const QString& ini, const QString& nome, const QString& usuario = QStringLiteral("postgres"));

}  // namespace ServidorTeste
