#pragma once

#include <QString>

/// Rows written straight into the test database.
namespace Amostra {

bool Pessoa(int codigo, const QString& nome, int tipo = 0, const QString& documento = QString());
bool Referente(int codigo, const QString& descricao);
/// `valor` in reais; `data` as yyyy-mm-dd.
bool Recibo(int codigo, int ano, const QString& data, double valor, int recebi, int emitente,
            const QString& referente = QString());

/// A layout over the receipts: table 1 the issuer (linked), table 2 the receipt (main:
/// Codigo, Ano, Valor, DataEmissao, Recebi, Emitente, Referente), table 3 the payer.
/// Section 1 (page header) shows the formula "Periodo"; section 2 (detail) number, year,
/// amount, date and payer; section 3 (detail) the amount in words.
QString ModeloRecibos();

}  // namespace Amostra
