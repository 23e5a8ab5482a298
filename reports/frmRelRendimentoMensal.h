#pragma once

#include "reports/TelaRelatorioAnual.h"

class lvButtons;

/// "Rendimentos mensais": what an issuer received in a year, month by month, from individuals
/// (CPF) and apart from companies (CNPJ), one line per payer; shown through the layout
/// "rendimentosmensais.rpt" or exported as a spreadsheet file for the accountant.
class frmRelRendimentoMensal : public TelaRelatorioAnual {
  Q_OBJECT
public:
  explicit frmRelRendimentoMensal(Contexto contexto, QWidget* parent = nullptr);

  /// Builds the report of the choices and shows it (`btnVisualizar`).
  void Visualizar();
  /// Writes the lines of the choices to a CSV file the operator names (`btnExportarCsv`).
  void ExportarCsv();

private:
  /// Checks the choices and gathers their lines; the year chosen, or 0 when it failed.
  int preparar();

  lvButtons* btnExportarCsv_ = nullptr;
};
