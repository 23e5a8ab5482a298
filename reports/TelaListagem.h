#pragma once

#include "controls/TelaFilha.h"

#include <QList>
#include <QPoint>
#include <QString>

#include <utility>

class lvButtons;
class QGridLayout;
class QGroupBox;
class QLayout;
class QRadioButton;

/// What the listing screens share: "&Visualizar" and "&Cancelar" below a separator line, Esc
/// to leave, and the run of the report engine that "Visualizar" starts.
class TelaListagem : public TelaFilha {
  Q_OBJECT
public:
  explicit TelaListagem(Contexto contexto, QWidget* parent = nullptr);

protected:
  /// Lays the screen out: `campos` on top, then the separator and the buttons, which are made
  /// here (after the fields, so that Tab reaches them last). A screen's own `botao` goes
  /// between "Visualizar" and "Cancelar".
  void montar(QLayout* campos, lvButtons* botao = nullptr);

  /// A formula field of a layout and the text it is given.
  using Formulas = QList<std::pair<QString, QString>>;

  /// Opens `modelo`, makes the run read the current rows, gives the formula fields their texts,
  /// sets `selecao` and the ascending sort fields in their order, and shows the report in a new
  /// preview window with zoom 130 under `titulo` (a PDF of it is proposed as `titulo` and the
  /// day's date). A failing step shows the engine's reason under "Não foi possível visualizar o
  /// relatório".
  void visualizar(const QString& modelo, const QString& selecao, const QList<QPoint>& ordem, const QString& titulo,
                  const Formulas& formulas = {});

  /// A frame `nome` captioned `legenda` holding two option buttons named `prefixo` + 0 and 1,
  /// the first one selected.
  QGroupBox* grupoOpcoes(const QString& nome, const QString& legenda, const QString& prefixo,
                         const QString (&textos)[2], QRadioButton* (&botoes)[2]);

  /// The "Código inicial:" and "Código final:" rows holding `inicial` and `final`; `estender`
  /// lets the two fields take the width the row has left.
  QGridLayout* gradeCodigos(QWidget* inicial, QWidget* final, bool estender);

  bool teclaPrevia(QKeyEvent* evento) override;

  lvButtons* btnVisualizar_ = nullptr;
  lvButtons* btnCancelar_ = nullptr;
};
