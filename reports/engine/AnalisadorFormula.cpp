#include "reports/engine/AnalisadorFormula.h"

#include "reports/engine/SeparadorFormula.h"

#include <QDate>
#include <QList>
#include <QTime>

#include <algorithm>
#include <limits>

namespace {

using Token = TokenFormula;

class Analisador {
public:
  explicit Analisador(const QString& texto) : texto_(texto) {}

  FormulaAnalisada executar() {
    FormulaAnalisada resultado;
    if (!SeparadorFormula::Separar(texto_, tokens_, resultado.erro, resultado.posicao))
      return resultado;
    if (tokens_.front().tipo == Token::Tipo::Fim)
      return resultado;
    auto raiz = expressao();
    if (raiz && atual().tipo != Token::Tipo::Fim)
      falhar(atual().posicao,
             QStringLiteral("operador ou fim da fórmula esperado, encontrado \"%1\"").arg(atual().texto));
    if (!erro_.isEmpty()) {
      resultado.erro = erro_;
      resultado.posicao = posicaoErro_;
      return resultado;
    }
    resultado.raiz = std::move(raiz);
    return resultado;
  }

private:
  using No = std::unique_ptr<NoFormula>;

  bool falhar(int posicao, const QString& mensagem) {
    if (erro_.isEmpty()) {
      erro_ = mensagem;
      posicaoErro_ = posicao;
    }
    return false;
  }

  const Token& atual() const { return tokens_.at(indice_); }
  bool ehSimbolo(const char* s) const {
    return atual().tipo == Token::Tipo::Simbolo && atual().texto == QLatin1String(s);
  }
  bool ehPalavra(const char* s) const {
    return atual().tipo == Token::Tipo::Nome && atual().texto.compare(QLatin1String(s), Qt::CaseInsensitive) == 0;
  }
  bool esperarSimbolo(const char* s) {
    if (!ehSimbolo(s))
      return falhar(atual().posicao,
                    QStringLiteral("\"%1\" esperado, encontrado \"%2\"").arg(QLatin1String(s), atual().texto));
    ++indice_;
    return true;
  }

  static No novo(NoFormula::Tipo tipo, int posicao) {
    auto no = std::make_unique<NoFormula>();
    no->tipo = tipo;
    no->posicao = posicao;
    return no;
  }
  No binario(NoFormula::Operador op, int posicao, No a, No b) {
    auto no = novo(NoFormula::Tipo::Binario, posicao);
    no->operador = op;
    no->filhos.push_back(std::move(a));
    no->filhos.push_back(std::move(b));
    return medir(std::move(no));
  }

  // A node whose children are in place: its height, or nothing when that passes the limit (a
  // chain of operators deepens the tree without nesting the parse).
  No medir(No no) {
    for (const auto& filho : no->filhos)
      no->altura = std::max(no->altura, filho->altura + 1);
    if (no->altura <= AnalisadorFormula::ProfundidadeMaxima)
      return no;
    falhar(no->posicao, profundidadeDemais());
    return nullptr;
  }

  static QString profundidadeDemais() {
    return QStringLiteral("a fórmula tem níveis demais (o limite é %1)").arg(AnalisadorFormula::ProfundidadeMaxima);
  }

  // One nested level of the parse (parentheses, an argument, a prefix operator): each costs stack,
  // so past the limit the formula is refused.
  No aninhar(No (Analisador::*nivel)()) {
    if (profundidade_ >= AnalisadorFormula::ProfundidadeMaxima) {
      falhar(atual().posicao, profundidadeDemais());
      return nullptr;
    }
    ++profundidade_;
    No no = (this->*nivel)();
    --profundidade_;
    return no;
  }

  No expressao() { return aninhar(&Analisador::ou); }

  No ou() { return logico("or", NoFormula::Operador::Ou, &Analisador::e); }
  No e() { return logico("and", NoFormula::Operador::E, &Analisador::nao); }

  // Or and And: a chain of operands of the next tighter level, grouped from the left.
  No logico(const char* palavra, NoFormula::Operador op, No (Analisador::*operando)()) {
    No esquerda = (this->*operando)();
    while (esquerda && ehPalavra(palavra)) {
      const int pos = atual().posicao;
      ++indice_;
      No direita = (this->*operando)();
      if (!direita)
        return nullptr;
      esquerda = binario(op, pos, std::move(esquerda), std::move(direita));
    }
    return esquerda;
  }

  No nao() {
    if (ehPalavra("not")) {
      const int pos = atual().posicao;
      ++indice_;
      No operando = aninhar(&Analisador::nao);
      if (!operando)
        return nullptr;
      auto no = novo(NoFormula::Tipo::Unario, pos);
      no->operador = NoFormula::Operador::Nao;
      no->filhos.push_back(std::move(operando));
      return medir(std::move(no));
    }
    return comparacao();
  }

  No comparacao() {
    No esquerda = soma();
    if (!esquerda)
      return nullptr;
    static const QList<std::pair<QString, NoFormula::Operador>> operadores = {
        {QStringLiteral("="), NoFormula::Operador::Igual}, {QStringLiteral("<>"), NoFormula::Operador::Diferente},
        {QStringLiteral("<"), NoFormula::Operador::Menor}, {QStringLiteral("<="), NoFormula::Operador::MenorIgual},
        {QStringLiteral(">"), NoFormula::Operador::Maior}, {QStringLiteral(">="), NoFormula::Operador::MaiorIgual}};
    if (atual().tipo == Token::Tipo::Simbolo) {
      for (const auto& [texto, op] : operadores) {
        if (atual().texto != texto)
          continue;
        const int pos = atual().posicao;
        ++indice_;
        No direita = soma();
        if (!direita)
          return nullptr;
        return binario(op, pos, std::move(esquerda), std::move(direita));
      }
    }
    if (ehPalavra("in")) {
      const int pos = atual().posicao;
      ++indice_;
      No inicio = soma();
      if (!inicio)
        return nullptr;
      if (!ehPalavra("to")) {
        falhar(atual().posicao, QStringLiteral("\"to\" esperado, encontrado \"%1\"").arg(atual().texto));
        return nullptr;
      }
      ++indice_;
      No fim = soma();
      if (!fim)
        return nullptr;
      auto no = novo(NoFormula::Tipo::Intervalo, pos);
      no->filhos.push_back(std::move(esquerda));
      no->filhos.push_back(std::move(inicio));
      no->filhos.push_back(std::move(fim));
      return medir(std::move(no));
    }
    return esquerda;
  }

  No soma() {
    No esquerda = produto();
    while (esquerda && (ehSimbolo("+") || ehSimbolo("-") || ehSimbolo("&"))) {
      const int pos = atual().posicao;
      const auto op = ehSimbolo("-") ? NoFormula::Operador::Subtracao : NoFormula::Operador::Soma;
      ++indice_;
      No direita = produto();
      if (!direita)
        return nullptr;
      esquerda = binario(op, pos, std::move(esquerda), std::move(direita));
    }
    return esquerda;
  }

  No produto() {
    No esquerda = unario();
    while (esquerda && (ehSimbolo("*") || ehSimbolo("/"))) {
      const int pos = atual().posicao;
      const auto op = ehSimbolo("*") ? NoFormula::Operador::Multiplicacao : NoFormula::Operador::Divisao;
      ++indice_;
      No direita = unario();
      if (!direita)
        return nullptr;
      esquerda = binario(op, pos, std::move(esquerda), std::move(direita));
    }
    return esquerda;
  }

  No unario() {
    if (ehSimbolo("-")) {
      const int pos = atual().posicao;
      ++indice_;
      No operando = aninhar(&Analisador::unario);
      if (!operando)
        return nullptr;
      auto no = novo(NoFormula::Tipo::Unario, pos);
      no->operador = NoFormula::Operador::Negativo;
      no->filhos.push_back(std::move(operando));
      return medir(std::move(no));
    }
    return primario();
  }

  No primario() {
    const Token t = atual();
    switch (t.tipo) {
    case Token::Tipo::Fim:
      falhar(t.posicao, QStringLiteral("a fórmula terminou antes do esperado"));
      return nullptr;
    case Token::Tipo::Inteiro: {
      ++indice_;
      bool ok = false;
      const qint64 valor = t.texto.toLongLong(&ok);
      if (!ok) {
        falhar(t.posicao, QStringLiteral("número grande demais: %1").arg(t.texto));
        return nullptr;
      }
      auto no = novo(NoFormula::Tipo::Inteiro, t.posicao);
      no->inteiro = valor;
      return no;
    }
    case Token::Tipo::Decimal: {
      ++indice_;
      auto no = novo(NoFormula::Tipo::Decimal, t.posicao);
      no->decimal = t.texto.toDouble();
      return no;
    }
    case Token::Tipo::Texto: {
      ++indice_;
      auto no = novo(NoFormula::Tipo::Texto, t.posicao);
      no->texto = t.texto;
      return no;
    }
    case Token::Tipo::Chaves:
      ++indice_;
      return referencia(t);
    case Token::Tipo::Nome:
      return nome();
    case Token::Tipo::Simbolo:
      if (t.texto == QLatin1String("(")) {
        ++indice_;
        No dentro = expressao();
        if (!dentro || !esperarSimbolo(")"))
          return nullptr;
        return dentro;
      }
      falhar(t.posicao, QStringLiteral("valor esperado, encontrado \"%1\"").arg(t.texto));
      return nullptr;
    }
    return nullptr;
  }

  No referencia(const Token& t) {
    if (t.texto.startsWith(QLatin1Char('?')) || t.texto.startsWith(QLatin1Char('@'))) {
      const QString nome = t.texto.mid(1).trimmed();
      if (nome.isEmpty()) {
        falhar(t.posicao, QStringLiteral("nome vazio em {%1}").arg(t.texto));
        return nullptr;
      }
      auto no =
          novo(t.texto.startsWith(QLatin1Char('?')) ? NoFormula::Tipo::Parametro : NoFormula::Tipo::FormulaNomeada,
               t.posicao);
      no->texto = nome;
      return no;
    }
    const auto partes = t.texto.split(QLatin1Char('.'));
    if (partes.size() != 2 || partes.at(0).trimmed().isEmpty() || partes.at(1).trimmed().isEmpty()) {
      falhar(t.posicao, QStringLiteral("campo deve ser escrito {tabela.campo}: {%1}").arg(t.texto));
      return nullptr;
    }
    auto no = novo(NoFormula::Tipo::Campo, t.posicao);
    no->texto = partes.at(0).trimmed();
    no->campo = partes.at(1).trimmed();
    return no;
  }

  // Reads the integer arguments of DateTime (...) or Date (...).
  bool argumentosInteiros(int quantos, QList<int>& valores) {
    if (!esperarSimbolo("("))
      return false;
    for (int i = 0; i < quantos; ++i) {
      if (i > 0 && !esperarSimbolo(","))
        return false;
      if (atual().tipo != Token::Tipo::Inteiro)
        return falhar(atual().posicao, QStringLiteral("número inteiro esperado, encontrado \"%1\"").arg(atual().texto));
      valores.append(atual().texto.toInt());
      ++indice_;
    }
    return esperarSimbolo(")");
  }

  No nome() {
    const Token t = atual();
    ++indice_;
    if (t.texto.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
        t.texto.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
      auto no = novo(NoFormula::Tipo::Logico, t.posicao);
      no->logico = t.texto.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
      return no;
    }
    const bool dataHora = t.texto.compare(QLatin1String("datetime"), Qt::CaseInsensitive) == 0;
    if (dataHora || t.texto.compare(QLatin1String("date"), Qt::CaseInsensitive) == 0) {
      QList<int> v;
      if (!argumentosInteiros(dataHora ? 6 : 3, v))
        return nullptr;
      const QDate data(v.at(0), v.at(1), v.at(2));
      const QTime hora = dataHora ? QTime(v.at(3), v.at(4), v.at(5)) : QTime(0, 0);
      if (!data.isValid() || !hora.isValid()) {
        falhar(t.posicao, QStringLiteral("data ou hora inválida em %1").arg(t.texto));
        return nullptr;
      }
      auto no = novo(NoFormula::Tipo::DataHora, t.posicao);
      no->dataHora = QDateTime(data, hora);
      return no;
    }
    if (!ehSimbolo("(")) {
      falhar(t.posicao, QStringLiteral("nome desconhecido \"%1\"").arg(t.texto));
      return nullptr;
    }
    ++indice_;
    auto no = novo(NoFormula::Tipo::Funcao, t.posicao);
    no->texto = t.texto;
    if (ehSimbolo(")")) {
      ++indice_;
      return no;
    }
    while (true) {
      No argumento = expressao();
      if (!argumento)
        return nullptr;
      no->filhos.push_back(std::move(argumento));
      if (ehSimbolo(",")) {
        ++indice_;
        continue;
      }
      if (!esperarSimbolo(")"))
        return nullptr;
      return medir(std::move(no));
    }
  }

  const QString& texto_;
  QList<Token> tokens_;
  qsizetype indice_ = 0;
  QString erro_;
  int posicaoErro_ = 0;
  int profundidade_ = 0;
};

}  // namespace

QString FormulaAnalisada::mensagem() const {
  if (ok())
    return {};
  return QStringLiteral("Erro na fórmula, posição %1: %2.").arg(posicao).arg(erro);
}

namespace AnalisadorFormula {

FormulaAnalisada Analisar(const QString& texto) {
  return Analisador(texto).executar();
}

}  // namespace AnalisadorFormula
