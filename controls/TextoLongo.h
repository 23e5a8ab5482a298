#pragma once

#include <QPlainTextEdit>

/// The multi-line text box of the screens (a receipt's referente and observation, a
/// referente's description): Tab moves on, the vertical scroll bar is always shown, and it holds
/// at most `Limite` characters, typed, pasted or set.
class TextoLongo : public QPlainTextEdit {
  Q_OBJECT
public:
  /// Far more than any description needs; a text of megabytes from a restored file can no
  /// longer make the screen crawl.
  static constexpr int Limite = 10000;

  explicit TextoLongo(QWidget* parent = nullptr);

  /// Replaces the text, cut to `Limite` before the box lays it out.
  void setTexto(const QString& texto);

private:
  void cortarExcesso();

  bool cortando_ = false;
};
