#include "reports/engine/CompiladorSelecao.h"

#include "reports/engine/AnalisadorFormula.h"

namespace {

enum class Categoria { Numero, Texto, Data, Logico };

QString nomeCategoria(Categoria c) {
  switch (c) {
  case Categoria::Numero:
    return QStringLiteral("número");
  case Categoria::Texto:
    return QStringLiteral("texto");
  case Categoria::Data:
    return QStringLiteral("data");
  case Categoria::Logico:
    return QStringLiteral("verdadeiro ou falso");
  }
  return {};
}

Categoria categoria(TipoDado tipo) {
  switch (tipo) {
  case TipoDado::Inteiro:
  case TipoDado::Decimal:
  case TipoDado::Moeda:
    return Categoria::Numero;
  case TipoDado::Texto:
    return Categoria::Texto;
  case TipoDado::Data:
    return Categoria::Data;
  case TipoDado::Logico:
    return Categoria::Logico;
  }
  return Categoria::Texto;
}

// Dates are stored as yyyy-mm-dd text. A moment at midnight is that text; a later moment
// carries its time, which sorts after the bare date of the same day, as it should.
QString textoData(const QDateTime& momento) {
  if (momento.time() == QTime(0, 0))
    return momento.date().toString(Qt::ISODate);
  return momento.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

struct Parte {
  QString sql;
  Categoria tipo = Categoria::Numero;
  bool moeda = false;   // a stored amount, in ten-thousandths
  bool coluna = false;  // depends on a column (otherwise only on bound values)
  QList<VinculoSelecao> vinculos;
};

class Compilador {
public:
  explicit Compilador(const LayoutRelatorio& layout) : layout_(layout) {}

  bool compilar(NoFormula& raiz, SelecaoCompilada& saida) {
    Parte p;
    if (!parte(raiz, p))
      return false;
    if (p.tipo != Categoria::Logico)
      return falhar(raiz.posicao, QStringLiteral("a fórmula de seleção deve resultar em verdadeiro ou falso"));
    saida.sql = p.sql;
    saida.vinculos = p.vinculos;
    return true;
  }

  QString erro;
  int posicao = 0;

private:
  bool falhar(int pos, const QString& mensagem) {
    erro = mensagem;
    posicao = pos;
    return false;
  }

  static Parte vinculo(const QVariant& valor, Categoria tipo) {
    Parte p;
    p.sql = QStringLiteral("?");
    p.tipo = tipo;
    p.vinculos.append({valor, QString(), 1});
    return p;
  }

  // Brings an amount to reais when it meets anything that is not an amount in arithmetic.
  static void emReais(Parte& p) {
    if (!p.moeda)
      return;
    p.sql = QStringLiteral("(%1 / 10000.0)").arg(p.sql);
    p.moeda = false;
  }

  // A comparison between a stored amount and plain numbers: the bound numbers are scaled so
  // that the column is compared as stored (and its index can serve).
  static void alinharMoeda(Parte& coluna, QList<Parte*> outras) {
    for (Parte* outra : outras) {
      if (outra->moeda)
        continue;
      if (outra->coluna) {
        emReais(coluna);
        for (Parte* p : outras)
          emReais(*p);
        return;
      }
    }
    for (Parte* outra : outras)
      if (!outra->moeda)
        for (VinculoSelecao& v : outra->vinculos)
          v.escala *= 10000;
  }

  static void juntar(Parte& destino, const Parte& origem) {
    destino.vinculos += origem.vinculos;
    destino.coluna = destino.coluna || origem.coluna;
  }

  bool compativeis(int pos, const Parte& a, const Parte& b) {
    if (a.tipo != b.tipo)
      return falhar(
          pos, QStringLiteral("não é possível comparar %1 com %2").arg(nomeCategoria(a.tipo), nomeCategoria(b.tipo)));
    return true;
  }

  bool parte(NoFormula& no, Parte& p) {
    using T = NoFormula::Tipo;
    using O = NoFormula::Operador;
    switch (no.tipo) {
    case T::Inteiro:
      p = vinculo(no.inteiro, Categoria::Numero);
      return true;
    case T::Decimal:
      p = vinculo(no.decimal, Categoria::Numero);
      return true;
    case T::Texto:
      p = vinculo(no.texto, Categoria::Texto);
      return true;
    case T::DataHora:
      p = vinculo(textoData(no.dataHora), Categoria::Data);
      return true;
    case T::Logico:
      p = vinculo(no.logico ? 1 : 0, Categoria::Logico);
      return true;
    case T::Campo: {
      if (!resolver(no))
        return false;
      const CampoLayout& campo = layout_.campoDaColuna(no.coluna);
      p.sql = layout_.sqlColuna(no.coluna);
      p.tipo = categoria(campo.tipo);
      p.moeda = campo.tipo == TipoDado::Moeda;
      p.coluna = true;
      return true;
    }
    case T::Parametro: {
      const int i = layout_.indiceParametro(no.texto);
      if (i < 0)
        return falhar(no.posicao, QStringLiteral("parâmetro desconhecido {?%1}").arg(no.texto));
      p.sql = QStringLiteral("?");
      p.tipo = categoria(layout_.parametros.at(i).tipo);
      p.vinculos.append({QVariant(), layout_.parametros.at(i).nome, 1});
      return true;
    }
    case T::FormulaNomeada:
      return formulaNomeada(no, p);
    case T::Unario: {
      Parte a;
      if (!parte(*no.filhos.at(0), a))
        return false;
      if (no.operador == O::Nao) {
        if (a.tipo != Categoria::Logico)
          return falhar(no.posicao, QStringLiteral("Not precisa de verdadeiro ou falso"));
        p = a;
        p.sql = QStringLiteral("(NOT %1)").arg(a.sql);
        return true;
      }
      if (a.tipo != Categoria::Numero)
        return falhar(no.posicao, QStringLiteral("o sinal de menos precisa de um número"));
      p = a;
      p.sql = QStringLiteral("(-%1)").arg(a.sql);
      return true;
    }
    case T::Binario:
      return binario(no, p);
    case T::Intervalo: {
      Parte x, a, b;
      if (!parte(*no.filhos.at(0), x) || !parte(*no.filhos.at(1), a) || !parte(*no.filhos.at(2), b))
        return false;
      if (!compativeis(no.posicao, x, a) || !compativeis(no.posicao, x, b))
        return false;
      if (x.tipo == Categoria::Logico)
        return falhar(no.posicao, QStringLiteral("um intervalo precisa de números, textos ou datas"));
      if (x.moeda)
        alinharMoeda(x, {&a, &b});
      else if (a.moeda || b.moeda)
        alinharMoeda(a.moeda ? a : b, {&x, a.moeda ? &b : &a});
      p.sql = QStringLiteral("(%1 BETWEEN %2 AND %3)").arg(x.sql, a.sql, b.sql);
      p.tipo = Categoria::Logico;
      juntar(p, x);
      juntar(p, a);
      juntar(p, b);
      return true;
    }
    case T::Funcao:
      return falhar(no.posicao, QStringLiteral("a função %1 não pode ser usada na fórmula de seleção").arg(no.texto));
    }
    return false;
  }

  bool resolver(NoFormula& no) {
    no.coluna = layout_.coluna(no.texto, no.campo);
    if (no.coluna < 0)
      return falhar(no.posicao, QStringLiteral("campo desconhecido {%1.%2}").arg(no.texto, no.campo));
    return true;
  }

  bool formulaNomeada(NoFormula& no, Parte& p) {
    const int i = layout_.indiceFormula(no.texto);
    if (i < 0)
      return falhar(no.posicao, QStringLiteral("fórmula desconhecida {@%1}").arg(no.texto));
    if (profundidade_ > 16)
      return falhar(no.posicao, QStringLiteral("a fórmula {@%1} refere-se a si mesma").arg(no.texto));
    FormulaAnalisada f = AnalisadorFormula::Analisar(layout_.formulas.at(i).texto);
    if (!f.ok() || !f.raiz)
      return falhar(no.posicao, QStringLiteral("a fórmula {@%1} não é válida").arg(no.texto));
    ++profundidade_;
    Compilador interno(layout_);
    interno.profundidade_ = profundidade_;
    const bool ok = interno.parte(*f.raiz, p);
    --profundidade_;
    if (!ok)
      return falhar(no.posicao, QStringLiteral("{@%1}: %2").arg(no.texto, interno.erro));
    return true;
  }

  bool binario(NoFormula& no, Parte& p) {
    using O = NoFormula::Operador;
    Parte a, b;
    if (!parte(*no.filhos.at(0), a) || !parte(*no.filhos.at(1), b))
      return false;
    if (no.operador == O::E || no.operador == O::Ou) {
      if (a.tipo != Categoria::Logico || b.tipo != Categoria::Logico)
        return falhar(no.posicao, QStringLiteral("%1 precisa de verdadeiro ou falso dos dois lados")
                                      .arg(no.operador == O::E ? QStringLiteral("And") : QStringLiteral("Or")));
      p.sql = QStringLiteral("(%1 %2 %3)")
                  .arg(a.sql, no.operador == O::E ? QStringLiteral("AND") : QStringLiteral("OR"), b.sql);
      p.tipo = Categoria::Logico;
    } else if (no.comparacao()) {
      if (!compativeis(no.posicao, a, b))
        return false;
      if (a.moeda != b.moeda)
        alinharMoeda(a.moeda ? a : b, {a.moeda ? &b : &a});
      static const char* sqlOperador[] = {"", "=", "<>", "<", "<=", ">", ">="};
      p.sql = QStringLiteral("(%1 %2 %3)").arg(a.sql, QLatin1String(sqlOperador[static_cast<int>(no.operador)]), b.sql);
      p.tipo = Categoria::Logico;
    } else if (no.operador == O::Soma && a.tipo == Categoria::Texto && b.tipo == Categoria::Texto) {
      p.sql = QStringLiteral("(%1 || %2)").arg(a.sql, b.sql);
      p.tipo = Categoria::Texto;
    } else {
      if (a.tipo != Categoria::Numero || b.tipo != Categoria::Numero)
        return falhar(no.posicao, QStringLiteral("a conta precisa de números dos dois lados"));
      emReais(a);
      emReais(b);
      static const QHash<int, QString> sqlConta = {{static_cast<int>(O::Soma), QStringLiteral("+")},
                                                   {static_cast<int>(O::Subtracao), QStringLiteral("-")},
                                                   {static_cast<int>(O::Multiplicacao), QStringLiteral("*")},
                                                   {static_cast<int>(O::Divisao), QStringLiteral("/")}};
      p.sql = QStringLiteral("(%1 %2 %3)").arg(a.sql, sqlConta.value(static_cast<int>(no.operador)), b.sql);
      p.tipo = Categoria::Numero;
    }
    juntar(p, a);
    juntar(p, b);
    return true;
  }

  const LayoutRelatorio& layout_;
  int profundidade_ = 0;
};

}  // namespace

namespace CompiladorSelecao {

bool Compilar(NoFormula* raiz, const LayoutRelatorio& layout, SelecaoCompilada& saida, QString& erro, int& posicao) {
  saida = SelecaoCompilada();
  if (raiz == nullptr)
    return true;
  Compilador compilador(layout);
  if (compilador.compilar(*raiz, saida))
    return true;
  erro = compilador.erro;
  posicao = compilador.posicao;
  return false;
}

bool ResolverCampos(NoFormula& no, const LayoutRelatorio& layout, QString& erro, int& posicao) {
  if (no.tipo == NoFormula::Tipo::Campo) {
    no.coluna = layout.coluna(no.texto, no.campo);
    if (no.coluna < 0) {
      erro = QStringLiteral("campo desconhecido {%1.%2}").arg(no.texto, no.campo);
      posicao = no.posicao;
      return false;
    }
  }
  for (auto& filho : no.filhos)
    if (!ResolverCampos(*filho, layout, erro, posicao))
      return false;
  return true;
}

}  // namespace CompiladorSelecao
