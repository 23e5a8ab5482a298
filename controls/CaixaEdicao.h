#pragma once

#include "controls/ControleFoco.h"
#include "controls/RepasseTeclas.h"

#include <QWidget>

class QLineEdit;

/// What the one-line boxes of the control library share: a line of text that reads back what
/// the operator typed or the program wrote, "value changed" on every change of it, "validate"
/// with a cancel flag when the focus leaves, and the members the screens set (`Locked`,
/// `BackColor`, `MaxLength`, `Focar`, alignment, tab stop).
class CaixaEdicao : public QWidget, public ControleFoco {
  Q_OBJECT
public:
  ~CaixaEdicao() override;

  QString Text() const;
  /// Replaces the text; what the box does not accept is left out, as when typed.
  void setText(const QString& texto);

  /// Read-only but still focusable and selectable.
  bool Locked() const;
  void setLocked(bool travado);

  QColor BackColor() const;
  void setBackColor(const QColor& cor);
  QColor ForeColor() const;
  void setForeColor(const QColor& cor);

  /// The most characters a box without a limit of its own holds: enough for any name or
  /// address, and no text pasted or restored can make the screen crawl.
  static constexpr int LimiteSemTamanho = 1000;

  /// The most characters the box holds; 0 for no limit of its own (`LimiteSemTamanho`).
  int MaxLength() const { return maxLength_; }
  /// Counts the characters the box keeps (a CPF pasted as "123.456.789-09" fits 11); text
  /// already in the box is cut to the new length.
  void setMaxLength(int tamanho);

  Qt::Alignment alinhamento() const;
  void setAlinhamento(Qt::Alignment alinhamento);

  /// Whether Tab stops in the box (a click still gives it the focus).
  bool paradaTabulacao() const;
  void setParadaTabulacao(bool parada);

  /// Moves the input focus into the box.
  void Focar();
  void selecionarTudo();

signals:
  /// The text changed, by the operator or by the program.
  void valorAlterado();
  /// The focus is leaving for another control of the same window; set `cancelar` to keep it.
  void validar(bool& cancelar);

protected:
  explicit CaixaEdicao(QWidget* parent);

  /// The text the box holds for `texto` typed, pasted or set: what it does not accept left out,
  /// letters changed as the box wants them.
  virtual QString filtrar(const QString& texto) const { return texto; }
  /// The text the box holds when the program writes `texto`; the filtered text by default.
  virtual QString escrito(const QString& texto) const { return filtrar(texto); }
  /// The box's own check when the focus leaves it, before the screen's handler runs; false
  /// refuses the move.
  virtual bool conferirSaida() { return true; }
  /// Runs the filter again over the current text (after the rules changed).
  void refiltrar();

  QLineEdit* editor() const { return editor_; }

  void validarSaida(bool& cancelar) override;
  // Keys sent to the box itself are typed into its line.
  void keyPressEvent(QKeyEvent* evento) override;
  void keyReleaseEvent(QKeyEvent* evento) override;

private:
  QString cortar(const QString& texto) const;
  int limite() const { return maxLength_ > 0 ? maxLength_ : LimiteSemTamanho; }

  QLineEdit* editor_;
  int maxLength_ = 0;
  RepasseTeclas repasse_;
  QString ultimoTexto_;
};
