#pragma once

#include "reports/engine/AnalisadorFormula.h"
#include "reports/engine/AvaliadorFormula.h"
#include "reports/engine/DadosRelatorio.h"
#include "reports/engine/LayoutRelatorio.h"
#include "reports/engine/MedidorTexto.h"

#include <QDateTime>
#include <QHash>

#include <memory>
#include <vector>

class BibliotecaVerbalor;

/// What the objects of a prepared report show: the text of each object for a record and a
/// page, and the lines it takes. Paginating and drawing both ask here, so they always agree.
class ValoresRelatorio final : public FonteValores {
public:
  ValoresRelatorio(const LayoutRelatorio& layout, const DadosRelatorio& dados,
                   const std::vector<FormulaAnalisada>& formulas, const QHash<QString, QVariant>& parametros,
                   const BibliotecaVerbalor& verbalor, const QDateTime& momentoImpressao);

  /// The names a special field may have.
  static bool EspecialConhecido(const QString& nome);

  /// The text of a text, field, total, formula, parameter or special object on `pagina` (from 1) of
  /// `totalPaginas`, for `registro` (-1: no record).
  QString texto(const ObjetoLayout& objeto, int registro, int pagina, int totalPaginas) const;

  /// The most characters of one value that a page shows, and the most lines of a wrapping
  /// object; past them the text is cut and ends in `MarcaCorte`.
  static constexpr qsizetype MaisCaracteres = 10000;
  static constexpr qsizetype MaisLinhas = 50;
  static inline const QString MarcaCorte = QStringLiteral(" [texto cortado]");

  /// The lines the text of object `objeto` of section `secao` (both from 0) takes: wrapped in
  /// its width when it wraps, otherwise one line shortened to fit; cut, with `MarcaCorte`, past
  /// `MaisCaracteres` or `MaisLinhas`.
  QStringList linhas(int secao, int objeto, const QString& texto) const;

  /// The measure of the font of object `objeto` of section `secao`.
  const MedidorTexto& medidor(int secao, int objeto) const {
    return *medidoresObjetos_[static_cast<std::size_t>(secao)][static_cast<std::size_t>(objeto)];
  }

  /// The height of section `secao` (from 0) for a record: its own height, grown to hold the
  /// lines of wrapping objects. Only wrapping objects are evaluated.
  double alturaSecao(int secao, int registro) const;

  /// The outermost group level whose field changes from the record before `registro` to it;
  /// the number of levels when none changes. The first record opens every level (0).
  int nivelQuebra(int registro) const;

  QVariant campo(int coluna) const override;
  QVariant parametro(const QString& nome) const override;
  QVariant formula(const QString& nome) const override;
  std::optional<QString> extenso(double valor, int casas) const override;
  /// The total of a numeric column over every record, or over the current record's group when
  /// the object being shown is in a group section.
  QVariant soma(int coluna) const override;

private:
  const LayoutRelatorio& layout_;
  const DadosRelatorio& dados_;
  const std::vector<FormulaAnalisada>& formulas_;
  const QHash<QString, QVariant>& parametros_;
  const BibliotecaVerbalor& verbalor_;
  QDateTime momento_;
  mutable int registro_ = -1;
  mutable int nivelGrupo_ = -1;
  mutable int profundidade_ = 0;
  QHash<QString, std::shared_ptr<MedidorTexto>> medidores_;
  std::vector<std::vector<const MedidorTexto*>> medidoresObjetos_;
  std::vector<bool> secaoCresce_;
};
