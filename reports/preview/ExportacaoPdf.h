#pragma once

#include "app/core/Contexto.h"

#include <QString>

class QWidget;
class Relatorio;

/// A report written as PDF where the operator chooses: the name proposed says what the file
/// holds, the folder is the one used last (kept in the settings), and once written the file can
/// be opened or sent by e-mail at once.
namespace ExportacaoPdf {

/// `base` made fit to name a file: every character a file name cannot hold (/ \ : * ? " < > |
/// and control characters) becomes a hyphen, spaces are collapsed and the name is kept short.
QString NomeArquivo(const QString& base);

/// Asks `contexto`'s chooser for the file (proposing `base`.pdf in the folder used last, or
/// the home folder), writes `relatorio` there, remembers the folder and offers to open the file
/// or to send it by e-mail. A cancelled choice does nothing.
void Exportar(QWidget* dono, Contexto contexto, const Relatorio& relatorio, const QString& base);

}  // namespace ExportacaoPdf
