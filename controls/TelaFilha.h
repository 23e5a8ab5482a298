#pragma once

#include "app/core/Contexto.h"

#include <QWidget>

class QKeyEvent;

/// A data-entry or report screen shown inside the main window. It sees every key before its
/// controls (`teclaPrevia`), refuses the window's close box (it is left through its own
/// buttons), places itself in the middle of the main window and keeps its designed size: its
/// window cannot be maximized, neither by the operator nor by the workspace (which maximizes
/// the window it activates while another one is maximized, such as a report preview).
class TelaFilha : public QWidget {
  Q_OBJECT
public:
  explicit TelaFilha(Contexto contexto, QWidget* parent = nullptr);
  ~TelaFilha() override;

  /// Closes the screen from its own buttons (Sair, Esc, OK, Cancelar).
  void fecharTela();

  /// Lets the close go through: the main window is closing.
  void permitirFechamento() { fechamentoPermitido_ = true; }

  /// Places the screen's window in the middle of the main window, 50 pixels above the centre.
  void CentralizarFormulario();

protected:
  /// Every key pressed inside the screen comes here first; return true to consume it.
  virtual bool teclaPrevia(QKeyEvent* evento);

  /// Called when the screen is about to close for good (Sair, Esc, or the main window closing).
  virtual void aoFechar() {}

  void closeEvent(QCloseEvent* evento) override;
  bool event(QEvent* evento) override;
  bool eventFilter(QObject* alvo, QEvent* evento) override;

  Contexto contexto_;

private:
  /// The control of the screen whose access key `evento` is (a button, or a label that gives the
  /// focus to its buddy); none when the key is not one.
  QWidget* donoDaTeclaDeAcesso(const QKeyEvent* evento) const;
  static void acionarTeclaDeAcesso(QWidget* dono);

  bool fechamentoPermitido_ = false;
};
