#pragma once

#include <QString>
#include <QStringList>

class QProcess;

/// The real Talonix program for the end-to-end tests: an application folder of its own, and an
/// operator's keyboard on the X display it runs on, through xdotool. Nothing here waits a fixed
/// time: the program handles the keys in the order they were pressed, and what a key starts
/// (a window, a title, a row, a file, the program at rest) is waited for until it is there.
namespace ProgramaReal {

/// The longest one wait may last: the sanitizer build on a busy machine is slow, and a wait ends
/// as soon as what it waits for is there.
constexpr int kLimite = 120000;

/// Lays out an application folder at `pasta` with the built program (TALONIX_TEST_APPDIR), its
/// receipt layout, Verbalor and the sound; with `criarBanco`, an empty database made by the
/// build's tool (TALONIX_CRIAR_BANCO), since the program never makes one.
bool MontarPasta(const QString& pasta, bool criarBanco);

/// Puts the accented letters of Portuguese on keys of their own on the X display, for good;
/// done before the program starts. Whether the display took the new keyboard.
bool PrepararTeclado();

/// Runs xdotool with `argumentos` and gives what it printed.
QString xdotool(const QStringList& argumentos);

/// Presses the keys `nomes` (xdotool's names: "Tab", "alt+s", "F5") one after the other.
void teclas(const QStringList& nomes);

/// Types `texto` into the focused window.
void digitar(const QString& texto);

/// The id of a visible window titled exactly `nome` other than those of `exceto` (a message box
/// bears the title of the window that asks), polling until `ms` have passed; empty when none
/// showed.
QString esperarJanela(const QString& nome, const QStringList& exceto = {}, int ms = kLimite);

/// Whether the window `id`, titled `nome`, stopped being visible within `ms`.
bool esperarSumir(const QString& id, const QString& nome, int ms = kLimite);

/// Whether the window `id` came to be titled `titulo` within `ms` (the main window's title names
/// the maximized window inside it: "Talonix - [Recibo]" while a receipt's preview is open).
bool esperarTitulo(const QString& id, const QString& titulo, int ms = kLimite);

/// Gives the keyboard to the window `id`; returns once the X server has it there. A window
/// that closes leaves the keyboard nowhere.
void focar(const QString& id);

/// Whether the program came to rest within `ms`: its main thread waiting in the event loop with
/// no event queued and no timer due (a screen that moves its focus by a queued Tab has done so).
/// Waited for only after a sign that the last key was handled, so no key is still on its way.
bool esperarOcioso(const QProcess& talonix, int ms = kLimite);

/// The visible windows with their titles, for the message of a wait that failed.
QString janelasVisiveis();

/// Starts the program of the application folder `aplicacao` on the X display with `casa` as its
/// home, and waits until its main window shows, with the keyboard, and the program is at rest;
/// gives the main window's id, empty when it did not come.
QString Iniciar(QProcess& talonix, const QString& aplicacao, const QString& casa);

/// Issues a receipt on the main window `principal` (Emissão > Recibo comercial): R$ 1.234,50
/// from person 1 to person 2, two copies, "Aluguel do mês de dezembro", "Pago em dinheiro",
/// saved with F5, which on a first start opens the preview; whether the preview came, with the
/// program at rest and the focus in the preview.
bool EmitirRecibo(const QProcess& talonix, const QString& principal);

/// Ends the program through Sistema > Sair and Yes to the question; whether it ended.
bool Encerrar(QProcess& talonix, const QString& principal);

/// With TALONIX_E2E_CAPTURAS set to a folder, saves the screen there as `nome`.png (ImageMagick).
void capturar(const QString& nome);

}  // namespace ProgramaReal
