#pragma once

#include "app/core/Contexto.h"

#include "controls/TelaModal.h"

/// "Sobre": what the program is, its version with the date of its executable, the folder it
/// runs from (and, installed, the folder of its data), and its licence.
class frmSobre : public TelaModal {
  Q_OBJECT
public:
  explicit frmSobre(Contexto contexto, QWidget* parent = nullptr);

  /// "Versão: " + the program's version, and " - Data: " + the executable's date and time when
  /// the executable is found in the application folder.
  static QString TextoVersao();
  /// The program's executable in the application folder.
  static QString ArquivoExecutavel();

private:
  Contexto contexto_;
};
