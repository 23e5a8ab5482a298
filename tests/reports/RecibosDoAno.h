#pragma once

#include "tests/support/PastaTeste.h"

#include <QFile>

/// Two issuers, payers with a CPF and with a CNPJ, a dependant, and receipts dated in 2024 and
/// 2025: the yearly reports of issuer 1 in 2025 must show receipts 1, 2, 3, 4 and 7 only.
/// Also puts Verbalor in the folder, for the totals in words.
inline bool GravarRecibosDoAno(const PastaTeste& pasta) {
  const QString biblioteca = QStringLiteral("/libverbalor.so");
  return QFile::copy(qEnvironmentVariable("TALONIX_TEST_APPDIR") + biblioteca, pasta.caminho() + biblioteca) &&
         pasta.executar(QStringLiteral(
             "INSERT INTO tbPessoa (Codigo, Descricao, TipoPessoa, Documento01, Endereco, Numero, Bairro, Cidade, UF, "
             "Cep, RegistroProfissional) VALUES "
             "(1, 'Helena Prado', 0, '52998224725', 'Rua das Acácias', '120', 'Centro', 'Campinas', 'SP', "
             "'13010-000', 'OAB/SP 123.456'), "
             "(2, 'Contábil Exata Ltda', 1, '11222333000181', '', '', '', 'Santos', 'SP', '', ''), "
             "(3, 'Ana Luíza Souza', 0, '11144477735', '', '', '', '', '', '', ''), "
             "(4, 'Mercado Bom Preço; Filial \"Sul\"', 1, '11444777000161', '', '', '', '', '', '', ''), "
             "(5, 'Bruno Dias', 0, '39053344705', '', '', '', '', '', '', ''), "
             "(6, 'Carla Dias', 0, '', '', '', '', '', '', '', '')")) &&
         pasta.executar(QStringLiteral(
             "INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, Referente, Beneficiario) VALUES "
             "(1, 2025, '2025-01-10', 1500000, 3, 1, 'Honorários de janeiro', NULL), "
             "(2, 2025, '2025-01-20', 2000000, 4, 1, 'Consultoria tributária', NULL), "
             "(3, 2025, '2025-03-05', 1234500, 3, 1, 'Honorários de março', NULL), "
             "(4, 2025, '2025-03-15', 987600, 5, 1, 'Consulta da filha', 6), "
             "(5, 2025, '2025-03-20', 3000000, 3, 2, 'Escrituração', NULL), "
             "(6, 2024, '2024-12-30', 4000000, 3, 1, 'Honorários de dezembro', NULL), "
             "(7, 2025, '2025-03-25', 10000, 3, 1, 'Cópias', NULL)"));
}
