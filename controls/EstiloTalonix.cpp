#include "controls/EstiloTalonix.h"

#include <QApplication>
#include <QIcon>
#include <QStandardPaths>
#include <QStyleFactory>

#include <algorithm>
#include <iterator>

namespace {

struct NomeNoTema {
  QStyle::StandardPixmap figura;
  const char* nome;
};

// The freedesktop names of the message-box icons and of the dialog buttons' icons, as desktops
// name them (Yes is OK, No is Cancel).
constexpr NomeNoTema kNomesNoTema[] = {
    {QStyle::SP_MessageBoxInformation, "dialog-information"},
    {QStyle::SP_MessageBoxWarning, "dialog-warning"},
    {QStyle::SP_MessageBoxCritical, "dialog-error"},
    {QStyle::SP_MessageBoxQuestion, "dialog-question"},
    {QStyle::SP_DialogOkButton, "dialog-ok"},
    {QStyle::SP_DialogYesButton, "dialog-ok"},
    {QStyle::SP_DialogYesToAllButton, "dialog-ok"},
    {QStyle::SP_DialogCancelButton, "dialog-cancel"},
    {QStyle::SP_DialogNoButton, "dialog-cancel"},
    {QStyle::SP_DialogNoToAllButton, "dialog-cancel"},
    {QStyle::SP_DialogIgnoreButton, "dialog-cancel"},
    {QStyle::SP_DialogHelpButton, "help-contents"},
    {QStyle::SP_DialogOpenButton, "document-open"},
    {QStyle::SP_DialogSaveButton, "document-save"},
    {QStyle::SP_DialogSaveAllButton, "document-save-all"},
    {QStyle::SP_DialogCloseButton, "window-close"},
    {QStyle::SP_DialogApplyButton, "dialog-ok-apply"},
    {QStyle::SP_DialogResetButton, "edit-undo"},
    {QStyle::SP_RestoreDefaultsButton, "document-revert"},
    {QStyle::SP_DialogDiscardButton, "edit-delete"},
    {QStyle::SP_DialogAbortButton, "process-stop"},
    {QStyle::SP_DialogRetryButton, "view-refresh"},
};

}  // namespace

EstiloTalonix::EstiloTalonix(QStyle* base) : QProxyStyle(base) {}

void EstiloTalonix::Instalar() {
  // A bare window manager names no theme, and some platform plugins search no system folder.
  QStringList pastas = QIcon::themeSearchPaths();
  for (const QString& pasta : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                        QStandardPaths::LocateDirectory))
    if (!pastas.contains(pasta))
      pastas << pasta;
  QIcon::setThemeSearchPaths(pastas);
  QIcon::setThemeName(TemaIcones);
  QApplication::setStyle(new EstiloTalonix(QStyleFactory::create(QApplication::style()->name())));
}

QString EstiloTalonix::nomeNoTema(StandardPixmap figura) {
  const auto achado = std::find_if(std::cbegin(kNomesNoTema), std::cend(kNomesNoTema),
                                   [figura](const NomeNoTema& n) { return n.figura == figura; });
  return achado == std::cend(kNomesNoTema) ? QString() : QString::fromLatin1(achado->nome);
}

QIcon EstiloTalonix::standardIcon(StandardPixmap figura, const QStyleOption* opcao, const QWidget* widget) const {
  const QString nome = nomeNoTema(figura);
  // Null when the theme lacks it: the button or the box then shows no icon.
  return nome.isEmpty() ? QProxyStyle::standardIcon(figura, opcao, widget) : QIcon::fromTheme(nome);
}

int EstiloTalonix::styleHint(StyleHint dica, const QStyleOption* opcao, const QWidget* widget,
                             QStyleHintReturn* retorno) const {
  // Dialog buttons carry their icons on every desktop, so the program looks the same everywhere.
  if (dica == SH_DialogButtonBox_ButtonsHaveIcons)
    return 1;
  return QProxyStyle::styleHint(dica, opcao, widget, retorno);
}
