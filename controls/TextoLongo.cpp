#include "controls/TextoLongo.h"

#include <QTextBlock>
#include <QTextCursor>

TextoLongo::TextoLongo(QWidget* parent) : QPlainTextEdit(parent) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, &TextoLongo::cortarExcesso);
}

void TextoLongo::setTexto(const QString& texto) {
  setPlainText(texto.left(Limite));
}

// What a paste or a keystroke brought past the limit is taken off the end.
void TextoLongo::cortarExcesso() {
  // The document counts the closing paragraph separator too.
  if (cortando_ || document()->characterCount() - 1 <= Limite)
    return;
  cortando_ = true;
  QTextCursor cursor(document());
  cursor.setPosition(Limite);
  cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  cortando_ = false;
}
