#include "reports/engine/SeparadorFormula.h"

#include <QStringList>

namespace {

using Token = TokenFormula;

bool falhar(QString& erro, int& posicao, int onde, const QString& mensagem) {
  erro = mensagem;
  posicao = onde;
  return false;
}

}  // namespace

namespace SeparadorFormula {

bool Separar(const QString& texto, QList<TokenFormula>& tokens, QString& erro, int& posicao) {
  tokens.clear();
  const int n = static_cast<int>(texto.size());
  int i = 0;
  while (i < n) {
    const QChar c = texto.at(i);
    if (c.isSpace()) {
      ++i;
      continue;
    }
    Token t;
    t.posicao = i + 1;
    if (c.isDigit()) {
      int j = i;
      while (j < n && texto.at(j).isDigit())
        ++j;
      t.tipo = Token::Tipo::Inteiro;
      if (j + 1 < n && texto.at(j) == QLatin1Char('.') && texto.at(j + 1).isDigit()) {
        ++j;
        while (j < n && texto.at(j).isDigit())
          ++j;
        t.tipo = Token::Tipo::Decimal;
      }
      t.texto = texto.mid(i, j - i);
      i = j;
    } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      // A quote inside a text is written twice.
      int j = i + 1;
      QString valor;
      bool fechado = false;
      while (j < n) {
        if (texto.at(j) == c) {
          if (j + 1 < n && texto.at(j + 1) == c) {
            valor += c;
            j += 2;
            continue;
          }
          fechado = true;
          ++j;
          break;
        }
        valor += texto.at(j++);
      }
      if (!fechado)
        return falhar(erro, posicao, t.posicao, QStringLiteral("texto sem aspas de fechamento"));
      t.tipo = Token::Tipo::Texto;
      t.texto = valor;
      i = j;
    } else if (c == QLatin1Char('{')) {
      const int fim = static_cast<int>(texto.indexOf(QLatin1Char('}'), i));
      if (fim < 0)
        return falhar(erro, posicao, t.posicao, QStringLiteral("referência sem \"}\" de fechamento"));
      t.tipo = Token::Tipo::Chaves;
      t.texto = texto.mid(i + 1, fim - i - 1).trimmed();
      i = fim + 1;
    } else if (c.isLetter() || c == QLatin1Char('_')) {
      int j = i;
      while (j < n && (texto.at(j).isLetterOrNumber() || texto.at(j) == QLatin1Char('_')))
        ++j;
      t.tipo = Token::Tipo::Nome;
      t.texto = texto.mid(i, j - i);
      i = j;
    } else {
      static const QStringList duplos = {QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>")};
      const QString dois = texto.mid(i, 2);
      if (duplos.contains(dois)) {
        t.texto = dois;
        i += 2;
      } else if (QStringLiteral("=<>+-*/&(),").contains(c)) {
        t.texto = c;
        ++i;
      } else {
        return falhar(erro, posicao, t.posicao, QStringLiteral("caractere inesperado \"%1\"").arg(c));
      }
      t.tipo = Token::Tipo::Simbolo;
    }
    tokens.append(t);
  }
  Token fim;
  fim.posicao = n + 1;
  fim.texto = QStringLiteral("fim da fórmula");
  tokens.append(fim);
  return true;
}

}  // namespace SeparadorFormula
