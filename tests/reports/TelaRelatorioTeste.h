#pragma once

#include "app/mdiPrincipal.h"
#include "reports/engine/Relatorio.h"
#include "reports/preview/VisualizadorRelatorio.h"
#include "reports/preview/frmPreviewRelatorio.h"
#include "tests/support/PastaTeste.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QtTest>

#include <memory>

/// Types `texto` over the whole text of `editor`; typing over the selection replaces it
/// without passing through an empty box.
inline void DigitarSobre(QLineEdit* editor, const QString& texto) {
  editor->selectAll();
  if (texto.isEmpty())
    QTest::keyClick(editor, Qt::Key_Delete);
  else
    QTest::keyClicks(editor, texto);
}

/// A listing screen opened from the main window's menu on a test folder with the layouts.
template <typename Tela>
struct TelaRelatorioTeste {
  std::unique_ptr<PastaTeste> pasta;
  std::unique_ptr<mdiPrincipal> principal;
  Tela* tela = nullptr;

  /// Opens the screen through menu entry `entrada`; false when any step fails.
  bool abrir(const char* entrada) {
    pasta = std::make_unique<PastaTeste>();
    if (!pasta->abrir() || !pasta->copiarModelos())
      return false;
    principal = std::make_unique<mdiPrincipal>(pasta->contexto());
    principal->show();
    QApplication::setActiveWindow(principal.get());
    if (!QTest::qWaitForWindowActive(principal.get()))
      return false;
    auto* acao = principal->findChild<QAction*>(QString::fromLatin1(entrada));
    if (acao == nullptr || !acao->isEnabled())
      return false;
    acao->trigger();
    tela = principal->findChild<Tela*>();
    return tela != nullptr;
  }

  void fechar() {
    principal.reset();
    pasta.reset();
  }

  /// The report of the preview window opened last; null when none is open.
  const Relatorio* relatorioMostrado() const {
    const auto janelas = principal->findChildren<frmPreviewRelatorio*>();
    return janelas.isEmpty() ? nullptr : janelas.last()->prvRelatorio()->relatorio();
  }
  int previews() const { return static_cast<int>(principal->findChildren<frmPreviewRelatorio*>().size()); }
};
