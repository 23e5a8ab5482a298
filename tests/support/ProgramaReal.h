#pragma once

#include <QString>
#include <QStringList>

/// The real Talonix program for the end-to-end tests: an application folder of its own, and an
/// operator's keyboard on the X display it runs on, through xdotool.
namespace ProgramaReal {

/// Lays out an application folder at `pasta` with the built program (TALONIX_TEST_APPDIR), its
/// receipt layout, Verbalor and the sound; with `criarBanco`, an empty database made by the
/// build's tool (TALONIX_CRIAR_BANCO), since the program never makes one.
bool MontarPasta(const QString& pasta, bool criarBanco);

/// Runs xdotool with `argumentos` and gives what it printed.
QString xdotool(const QStringList& argumentos);

/// Gives the program time to handle what it was sent (the sanitizer build is slow).
void pausa(int ms = 500);

/// Presses the keys `nomes` (xdotool's names: "Tab", "alt+s", "F5") one after the other.
void teclas(const QStringList& nomes);

/// Types `texto` into the focused window.
void digitar(const QString& texto);

/// The id of the visible window whose title is exactly `nome`, polling until `ms` have passed;
/// empty when none showed.
QString esperarJanela(const QString& nome, int ms = 60000);

/// Issues a receipt on the focused main window (Emissão > Recibo comercial): R$ 1.234,50 from
/// person 1 to person 2, two copies, "Aluguel do mês de dezembro", "Pago em dinheiro", saved with
/// F5 (which, on a first start, also opens the preview).
void EmitirRecibo();

/// With TALONIX_E2E_CAPTURAS set to a folder, saves the screen there as `nome`.png (ImageMagick).
void capturar(const QString& nome);

}  // namespace ProgramaReal
