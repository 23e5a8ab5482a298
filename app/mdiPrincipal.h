#pragma once

#include "app/core/Contexto.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class QDialog;
class QMdiArea;
class QStatusBar;
class QToolBar;
class TelaFilha;

/// The main window: the frame inside which every screen opens, with the menu, the toolbar, the
/// picture strip and the status bar. It keeps one instance of each screen; a screen empties its
/// slot when it closes, and the next use creates a fresh one.
class mdiPrincipal : public QMainWindow {
  Q_OBJECT
public:
  explicit mdiPrincipal(Contexto contexto, QWidget* parent = nullptr);

  QMdiArea* area() const { return mdiArea_; }

  /// Asks "Confirma o encerramento do sistema ?" and closes the program on Yes.
  void Sair();
  /// Asks whether to compact the database and does it on Yes.
  void CompactarBancoDados();
  /// Shows the person registry screen.
  void MostrarPessoa();
  /// Shows the referente registry screen.
  void MostrarReferente();
  /// Shows the receipt screen (menu "&Recibo comercial", toolbar button 4).
  void MostrarRecibo();

  /// Shows the screen of `slot`, creating it with `criar` first when it does not exist; an
  /// open screen is brought to the front.
  void mostrarTela(QPointer<TelaFilha>& slot, const std::function<TelaFilha*()>& criar);
  /// Shows a modal screen, creating it first; returns when it closes.
  void mostrarModal(QPointer<QDialog>& slot, const std::function<QDialog*()>& criar);

protected:
  void closeEvent(QCloseEvent* evento) override;

private:
  void criarMenus();
  void criarBarraFerramentas();
  void criarFaixaInferior();

  Contexto contexto_;
  QMdiArea* mdiArea_ = nullptr;
  QToolBar* tobPrincipal_ = nullptr;
  QList<QIcon> imlPrincipal_;
  QWidget* picPrincipal_ = nullptr;
  QStatusBar* stbPrincipal_ = nullptr;

  QPointer<TelaFilha> frmPessoa_;
  QPointer<TelaFilha> frmReferente_;
  QPointer<TelaFilha> frmRecibo2_;
  QPointer<TelaFilha> frmRelPessoaCadastrada_;
  QPointer<TelaFilha> frmRelReferenteCadastrado_;
  QPointer<TelaFilha> frmRelReciboImpresso_;
  QPointer<TelaFilha> frmRelDeclaracaoAnual_;
  QPointer<TelaFilha> frmRelRendimentoMensal_;
  QPointer<QDialog> frmSobre_;
  QPointer<QDialog> frmCopiaSeguranca_;
};
