#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class Relogio;

/// The receipt filter: what the operator set in the filter panel of the receipt search and of
/// the issued-receipts report, and the two texts made from it: the SQL filter of the search
/// and the selection formula of the report. It holds the boxes' texts as typed, so that the
/// checks see exactly what the operator sees.
class FiltroRecibo {
public:
  /// The period options (`optTipoData`).
  enum TipoData { NaoUtilizar = 0, Diario = 1, Semanal = 2, Mensal = 3, Anual = 4 };
  /// The filter types (`optTipoFiltro`).
  enum TipoFiltro { SemFiltro = 0, PorNumero = 1, PorRecebi = 2, PorEmitente = 3 };
  /// The orders (`optOrdenarPor`).
  enum Ordem { OrdemNumero = 0, OrdemDataEmissao = 1, OrdemValor = 2 };
  /// The boxes of the filter that can refuse an entry.
  enum class Campo { CodigoInicial, AnoInicial, CodigoFinal, AnoFinal, Recebi, Emitente };

  /// A refused entry: the message, its title, and the box the focus goes back to.
  struct Recusa {
    QString texto;
    QString titulo;
    Campo campo;
  };

  TipoData tipoData = Diario;
  QDate dataInicial;
  QDate dataFinal;
  TipoFiltro tipoFiltro = SemFiltro;
  QString codigoInicial;  ///< `txtCodigoEmpenhoInicial`
  QString anoInicial;     ///< `txtAnoEmpenhoInicial`
  QString codigoFinal;    ///< `txtCodigoEmpenhoFinal`
  QString anoFinal;       ///< `txtAnoEmpenhoFinal`
  QString recebi;         ///< the payer's code as the selector holds it, "" for none
  QString emitente;       ///< the issuer's code as the selector holds it, "" for none
  Ordem ordem = OrdemNumero;

  /// The dates a period option proposes, today being the clock's date; false (and nothing
  /// set) for "Não utilizar", which leaves the pickers as they are.
  static bool Periodo(TipoData tipo, const Relogio& relogio, QDate& inicial, QDate& final);

  /// The refusal of a number-range box when the focus leaves it; nothing when it passes.
  std::optional<Recusa> ValidarSaida(Campo campo) const;

  /// The checks made before a search or a report runs: the payer or issuer chosen for its
  /// filter type, the two number boxes, and numbers that the texts below can be built from.
  std::optional<Recusa> ConferirSelecao() const;

  /// The filter of the receipt list, with dates written as `#mm/dd/yyyy#` literals (see
  /// `Dialeto::ConverterDatas`): the period, then the number range, payer or issuer. Built only after
  /// `ConferirSelecao` has passed.
  QString TextoFiltro() const;

  /// The same filter as a selection formula of the report engine. Built only after
  /// `ConferirSelecao` has passed.
  QString FormulaSelecao() const;

  /// The text of the report's "PeriodoSelecionado" formula field, quotes included; it is
  /// printed whatever the period option.
  QString PeriodoSelecionado() const;

  /// The positions, in the report's receipt table, of the fields the report is sorted by.
  QList<int> PosicoesOrdenacao() const;

  /// Title of the number-range refusals.
  static inline const QString TituloValidacao = QStringLiteral("Recibos impressos");

private:
  /// How the two texts differ: the way a field of `tbRecibo` is named and a period written.
  struct Dialeto {
    QString (*campo)(const char* nome);
    QString (*periodo)(const QDate& inicial, const QDate& final);
  };
  QString montar(const Dialeto& dialeto) const;
};
