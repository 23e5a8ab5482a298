#pragma once

#include "app/core/Resultado.h"
#include "reports/engine/LayoutRelatorio.h"

/// Reads report layout files (the text format described in docs/layouts.md).
namespace LeitorLayout {

/// Reads the layout file at `caminho` into `layout`. A file that cannot be read or holds a line
/// the format does not allow fails with the file name, the line number and the reason.
[[nodiscard]] Resultado Ler(const QString& caminho, LayoutRelatorio& layout);

/// Reads a layout from its text; `nome` names it in error messages.
[[nodiscard]] Resultado LerTexto(const QString& texto, const QString& nome, LayoutRelatorio& layout);

}  // namespace LeitorLayout
