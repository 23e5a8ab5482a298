#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QLineEdit;

/// The small dialog that asks, at the start, for the password of the office's database server
/// when the server wants one and the user's password file holds none.
class frmSenhaBanco : public QDialog {
  Q_OBJECT
public:
  /// `motivo`: why the password is asked (which server, which user).
  explicit frmSenhaBanco(const QString& motivo, QWidget* parent = nullptr);

  /// Shows the dialog modally; the typed password, or nothing when the operator gave up (Esc,
  /// "Cancelar").
  static std::optional<QString> Pedir(const QString& motivo, QWidget* parent = nullptr);

  QString senha() const;

private:
  QLineEdit* txtSenha_;
};
