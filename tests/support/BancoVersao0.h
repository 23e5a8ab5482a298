#pragma once

#include <QString>

/// Writes at `caminho`, where no file is yet, a database of schema version 0 as every earlier
/// Talonix made it, holding two people (1 "João da Silva", a CPF; 2 "Oficina Ltda", a CNPJ), a
/// referente and receipt 1 of 2026, from person 1 and issued by person 2; the file is closed
/// after. False, with a warning, when it cannot be written.
bool CriarBancoVersao0(const QString& caminho);
