#pragma once

#include "app/core/Resultado.h"

#include <QString>

#include <cstdint>

/// Fills a new Talonix database with realistic Brazilian data for the benchmarks: people with
/// accented names, valid CPFs and CNPJs and full addresses; referente texts (some of several
/// lines); receipts numbered per year over several years. The same seed gives the same file.
struct GeradorDados {
  qint64 pessoas = 100000;
  qint64 referentes = 500;
  qint64 recibos = 1000000;
  int anos = 5;
  int ultimoAno = 2026;
  std::uint64_t semente = 1;
  /// Every tenth receipt of a year goes to issuer 1, as in an office with one main issuer.
  bool emitentePrincipal = false;

  [[nodiscard]] Resultado gerar(const QString& caminho) const;
};
