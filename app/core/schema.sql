-- The Talonix database: people, standard "referente" texts and issued receipts.
-- Dates are stored as yyyy-mm-dd text; amounts as whole ten-thousandths of a real.

CREATE TABLE tbPessoa (
  Codigo      INTEGER NOT NULL PRIMARY KEY,
  Descricao   TEXT NOT NULL DEFAULT '',
  TipoPessoa  INTEGER NOT NULL DEFAULT 0,
  Documento01 TEXT NOT NULL DEFAULT '',
  Documento02 TEXT NOT NULL DEFAULT '',
  Endereco    TEXT NOT NULL DEFAULT '',
  Numero      TEXT NOT NULL DEFAULT '',
  Complemento TEXT NOT NULL DEFAULT '',
  Bairro      TEXT NOT NULL DEFAULT '',
  Cidade      TEXT NOT NULL DEFAULT '',
  UF          TEXT NOT NULL DEFAULT '',
  Cep         TEXT,
  Telefone    TEXT NOT NULL DEFAULT '',
  Celular     TEXT NOT NULL DEFAULT '',
  Fax         TEXT NOT NULL DEFAULT '',
  EMail       TEXT NOT NULL DEFAULT '',
  Homepage    TEXT NOT NULL DEFAULT ''
);

CREATE TABLE tbReferente (
  Codigo    INTEGER NOT NULL PRIMARY KEY,
  Descricao TEXT NOT NULL DEFAULT ''
);

CREATE TABLE tbRecibo (
  Codigo      INTEGER NOT NULL,
  Ano         INTEGER NOT NULL,
  DataEmissao TEXT NOT NULL,
  Valor       INTEGER NOT NULL DEFAULT 0,
  Recebi      INTEGER NOT NULL,
  Emitente    INTEGER NOT NULL,
  Referente   TEXT NOT NULL DEFAULT '',
  Observacao  TEXT NOT NULL DEFAULT '',
  Vias        TEXT NOT NULL DEFAULT '1',
  PRIMARY KEY (Ano, Codigo)
);

CREATE INDEX ixReciboDataEmissao ON tbRecibo (DataEmissao);
CREATE INDEX ixReciboRecebi ON tbRecibo (Recebi);
CREATE INDEX ixReciboEmitente ON tbRecibo (Emitente);
