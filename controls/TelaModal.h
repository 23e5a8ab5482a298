#pragma once

#include <QDialog>

class QCloseEvent;
class QShowEvent;

/// A screen shown modally over the main window. Its close box is refused: it is left through
/// its own buttons or Esc, which call `fecharTela`. It is fitted to the screen's free area as
/// it shows, so that its buttons stay within reach on a small screen.
class TelaModal : public QDialog {
  Q_OBJECT
public:
  explicit TelaModal(QWidget* parent = nullptr);

  /// Closes the screen from its own buttons.
  void fecharTela();

protected:
  /// Esc: closes the screen unless `escFecha` says otherwise.
  void reject() override;
  /// Whether Esc closes the screen now.
  virtual bool escFecha() const { return true; }

  void closeEvent(QCloseEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

private:
  bool fechando_ = false;
};
