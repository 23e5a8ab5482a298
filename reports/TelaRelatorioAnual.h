#pragma once

#include "reports/TelaListagem.h"

#include <optional>

class QDate;
class QGridLayout;
class uscSelecionaRegistro;
class uscTextBox;

/// What the yearly reports of one issuer share: the issuer selector, the year box (the current
/// year when the screen opens) and their checks.
class TelaRelatorioAnual : public TelaListagem {
  Q_OBJECT
public:
  explicit TelaRelatorioAnual(Contexto contexto, const QString& titulo, QWidget* parent = nullptr);

protected:
  /// The "Emitente:" and "Ano:" rows, with room for the screen's own rows below them.
  QGridLayout* grade() const { return grade_; }

  /// The issuer's code and the year, once both are given; otherwise says what is missing, puts
  /// the cursor there and gives nothing.
  struct Escolha {
    int emitente = 0;
    int ano = 0;
  };
  std::optional<Escolha> conferir();

  /// Whether the issuer issued any receipt dated in the year (from `pagador` only, when not 0);
  /// says so when not, and when the store fails.
  bool haRecibos(const Escolha& escolha, int pagador = 0);

  /// Today, by the program's clock.
  QDate hoje() const;

  /// A person selector named `nome` with the list titled `titulo`.
  uscSelecionaRegistro* seletorPessoa(const QString& nome, const QString& titulo);

  /// The code chosen in `seletor`, or 0 after saying `falta` and putting the cursor there.
  int codigoEscolhido(uscSelecionaRegistro* seletor, const QString& falta);

  QString titulo_;
  uscSelecionaRegistro* uscEmitente_ = nullptr;
  uscTextBox* txtAno_ = nullptr;

private:
  QGridLayout* grade_ = nullptr;
};
