#pragma once

#include "tests/support/PastaTeste.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class mdiPrincipal;
class QKeySequence;

/// The main window on a temporary database, with a registry screen opened from its menu, for
/// tests that drive the screen through its controls as the operator does.
class AmbienteCadastro {
public:
  AmbienteCadastro();
  ~AmbienteCadastro();

  /// Triggers the menu entry `acaoMenu` and waits for the screen `nomeTela` to hold the focus.
  [[nodiscard]] bool abrir(const QString& acaoMenu, const QString& nomeTela);

  mdiPrincipal& janela() { return *janela_; }
  /// The open screen (null once it closed).
  QWidget* tela() const { return tela_; }

  /// The control called `nome` on the screen.
  template <typename T = QWidget>
  T* controle(const QString& nome) const {
    return tela_ != nullptr ? tela_->findChild<T*>(nome) : nullptr;
  }

  /// Whether the focus is in the control called `nome`.
  bool focoEm(const QString& nome) const;
  /// The name of the control that holds the focus.
  QString controleFocado() const;

  /// Types `codigo` into the code box `caixa`, which holds the focus, and leaves it with Tab.
  void confirmarCodigo(const QString& caixa, const QString& codigo);
  /// Types `texto` where the focus is.
  void digitar(const QString& texto);
  /// Presses `tecla` where the focus is, then lets queued focus moves run.
  void tecla(int tecla, Qt::KeyboardModifiers modificadores = Qt::NoModifier);
  /// Gives the focus to the control `nome` as a click would, then types `texto`.
  void preencher(const QString& nome, const QString& texto);
  /// Clicks the button `nome`, then lets queued focus moves run.
  void clicar(const QString& nome);

  /// The text of a control: a text box, mask box, multi-line box or label.
  QString texto(const QString& nome) const;
  /// The text of panel 1 or 2 of the screen's status bar.
  QString painel(int numero) const;

  /// Gives the activation back to the main window after a dialog closed (the test platform has
  /// no window manager to do it).
  [[nodiscard]] bool reativar();

  /// Runs `acao` on the modal dialog that the next step opens, once it is shown.
  void quandoDialogoAbrir(std::function<void(QWidget*)> acao);

  PastaTeste pasta;

private:
  std::unique_ptr<mdiPrincipal> janela_;
  QWidget* tela_ = nullptr;
};
