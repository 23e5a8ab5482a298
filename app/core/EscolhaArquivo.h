#pragma once

#include <QString>

class QWidget;

/// Whether the chooser opens an existing file or names a file to write.
enum class ModoArquivo { Abrir = 1, Salvar = 2 };

/// The file chooser of the screens. The real one shows the system's dialog; tests answer it.
class EscolhaArquivo {
public:
  virtual ~EscolhaArquivo() = default;

  /// Shows the chooser over `dono`. `filtro` holds pairs of description and pattern joined by
  /// "|" ("Cópias de segurança (*.zip)|*.zip|Todos os arquivo (*.*)|*.*"). Saving asks before an
  /// existing file is chosen; opening takes an existing file only. Returns the chosen path, or an
  /// empty text when the operator cancels.
  virtual QString EscolherArquivo(QWidget* dono, ModoArquivo modo, const QString& titulo, const QString& nomeInicial,
                                  const QString& filtro, const QString& pastaInicial,
                                  const QString& extensaoPadrao) = 0;
};
