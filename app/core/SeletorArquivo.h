#pragma once

#include <QString>

/// Asks the operator for a file to write (or to read). The real one shows the system's file
/// dialog; tests install one that answers from a script.
class SeletorArquivo {
public:
  virtual ~SeletorArquivo() = default;

  /// A file to save to: `titulo` on the dialog, starting at `sugestao` (folder and name),
  /// files filtered by `filtro` ("Documentos PDF (*.pdf)"), `sufixo` added to a name typed
  /// without one; an existing file is replaced only after the operator confirms. Empty when
  /// the operator cancels.
  virtual QString salvar(const QString& titulo, const QString& sugestao, const QString& filtro,
                         const QString& sufixo) = 0;
};
