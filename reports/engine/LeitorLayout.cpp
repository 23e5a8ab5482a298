#include "reports/engine/LeitorLayout.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>
#include <utility>

namespace {

constexpr double kMaiorMedidaMm = 1000;
// The least width and height the margins must leave: a centimetre.
constexpr double kMenorAreaUtil = 10 * kUnidadesPorMm;

const QRegularExpression& identificador() {
  static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
  return re;
}

template <typename T>
std::optional<T> porNome(const QList<std::pair<QString, T>>& nomes, const QString& nome) {
  for (const auto& [texto, valor] : nomes)
    if (nome.compare(texto, Qt::CaseInsensitive) == 0)
      return valor;
  return std::nullopt;
}

std::optional<TipoDado> tipoDado(const QString& nome) {
  static const QList<std::pair<QString, TipoDado>> tipos = {
      {QStringLiteral("inteiro"), TipoDado::Inteiro}, {QStringLiteral("decimal"), TipoDado::Decimal},
      {QStringLiteral("moeda"), TipoDado::Moeda},     {QStringLiteral("texto"), TipoDado::Texto},
      {QStringLiteral("data"), TipoDado::Data},       {QStringLiteral("logico"), TipoDado::Logico}};
  return porNome(tipos, nome);
}

std::optional<TipoSecao> tipoSecao(const QString& nome) {
  static const QList<std::pair<QString, TipoSecao>> tipos = {
      {QStringLiteral("cabecalho_relatorio"), TipoSecao::CabecalhoRelatorio},
      {QStringLiteral("cabecalho_pagina"), TipoSecao::CabecalhoPagina},
      {QStringLiteral("cabecalho_grupo"), TipoSecao::CabecalhoGrupo},
      {QStringLiteral("detalhe"), TipoSecao::Detalhe},
      {QStringLiteral("rodape_grupo"), TipoSecao::RodapeGrupo},
      {QStringLiteral("rodape_relatorio"), TipoSecao::RodapeRelatorio},
      {QStringLiteral("rodape_pagina"), TipoSecao::RodapePagina}};
  return porNome(tipos, nome);
}

std::optional<TipoObjeto> tipoObjeto(const QString& nome) {
  static const QList<std::pair<QString, TipoObjeto>> tipos = {
      {QStringLiteral("texto"), TipoObjeto::Texto},       {QStringLiteral("campo"), TipoObjeto::Campo},
      {QStringLiteral("formula"), TipoObjeto::Formula},   {QStringLiteral("parametro"), TipoObjeto::Parametro},
      {QStringLiteral("especial"), TipoObjeto::Especial}, {QStringLiteral("linha"), TipoObjeto::Linha},
      {QStringLiteral("caixa"), TipoObjeto::Caixa},       {QStringLiteral("soma"), TipoObjeto::Soma}};
  return porNome(tipos, nome);
}

bool sim(const QString& valor) {
  return valor.isEmpty() || valor.compare(QLatin1String("sim"), Qt::CaseInsensitive) == 0;
}

// Splits "a=1 b=\"x y\" negrito" into words, keeping quoted values whole.
QStringList palavras(const QString& texto) {
  QStringList lista;
  QString atual;
  bool aspas = false;
  for (const QChar c : texto) {
    if (c == QLatin1Char('"')) {
      aspas = !aspas;
      continue;
    }
    if (c.isSpace() && !aspas) {
      if (!atual.isEmpty())
        lista.append(atual);
      atual.clear();
      continue;
    }
    atual += c;
  }
  if (!atual.isEmpty())
    lista.append(atual);
  return lista;
}

class Leitor {
public:
  Leitor(const QString& nome, LayoutRelatorio& layout) : nome_(nome), layout_(layout) {}

  Resultado ler(const QString& texto) {
    layout_ = LayoutRelatorio();
    layout_.arquivo = nome_;
    layout_.estilo.familias = {QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                               QStringLiteral("DejaVu Sans")};
    const double dez = 10 * kUnidadesPorMm;
    layout_.margens = QMarginsF(dez, dez, dez, dez);
    const QStringList linhas = texto.split(QLatin1Char('\n'));
    for (int i = 0; i < linhas.size(); ++i) {
      linha_ = i + 1;
      const QString linha = linhas.at(i).trimmed();
      if (linha.isEmpty() || linha.startsWith(QLatin1Char('#')))
        continue;
      const bool ok = linha.startsWith(QLatin1Char('[')) ? abrirBloco(linha) : lerChave(linha);
      if (!ok)
        return Resultado::falha(QStringLiteral("%1, linha %2: %3").arg(nome_).arg(linha_).arg(erro_));
    }
    linha_ = 0;
    const QSizeF pagina = layout_.tamanhoPagina();
    if (layout_.larguraUtil() < kMenorAreaUtil ||
        pagina.height() - layout_.margens.top() - layout_.margens.bottom() < kMenorAreaUtil)
      return Resultado::falha(QStringLiteral("%1, linha %2: as margens não deixam área para imprimir no papel")
                                  .arg(nome_)
                                  .arg(linhaPagina_));
    if (layout_.tabelas.isEmpty())
      return Resultado::falha(QStringLiteral("%1: o modelo não tem nenhuma tabela de dados.").arg(nome_));
    for (const TabelaLayout& t : layout_.tabelas)
      if (t.nome.isEmpty() || t.campos.isEmpty())
        return Resultado::falha(QStringLiteral("%1: a tabela %2 precisa de nome e de campos.").arg(nome_, t.apelido));
    return Resultado::sucesso();
  }

private:
  enum class Bloco { Nenhum, Relatorio, Tabela, Formula, Parametro, Selecao, Ordem, Secao };

  bool falhar(const QString& mensagem) {
    erro_ = mensagem;
    return false;
  }

  bool abrirBloco(const QString& linha) {
    if (!linha.endsWith(QLatin1Char(']')))
      return falhar(QStringLiteral("falta \"]\""));
    const QStringList partes = linha.mid(1, linha.size() - 2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString nome = partes.value(0).toLower();
    if (nome == QLatin1String("relatorio") && partes.size() == 1) {
      bloco_ = Bloco::Relatorio;
    } else if (nome == QLatin1String("selecao") && partes.size() == 1) {
      bloco_ = Bloco::Selecao;
    } else if (nome == QLatin1String("ordem") && partes.size() == 1) {
      bloco_ = Bloco::Ordem;
    } else if (nome == QLatin1String("tabela") && partes.size() == 2) {
      if (partes.at(1).toInt() != layout_.tabelas.size() + 1)
        return falhar(QStringLiteral("as tabelas devem ser numeradas em ordem a partir de 1"));
      layout_.tabelas.append(TabelaLayout());
      bloco_ = Bloco::Tabela;
    } else if (nome == QLatin1String("formula") && partes.size() == 2) {
      if (layout_.indiceFormula(partes.at(1)) >= 0)
        return falhar(QStringLiteral("fórmula repetida: %1").arg(partes.at(1)));
      layout_.formulas.append({partes.at(1), QString()});
      bloco_ = Bloco::Formula;
    } else if (nome == QLatin1String("parametro") && partes.size() == 2) {
      if (layout_.indiceParametro(partes.at(1)) >= 0)
        return falhar(QStringLiteral("parâmetro repetido: %1").arg(partes.at(1)));
      layout_.parametros.append({partes.at(1), TipoDado::Inteiro, QVariant()});
      bloco_ = Bloco::Parametro;
    } else if (nome == QLatin1String("secao") && partes.size() == 3) {
      if (partes.at(1).toInt() != layout_.secoes.size() + 1)
        return falhar(QStringLiteral("as seções devem ser numeradas em ordem a partir de 1"));
      const auto tipo = tipoSecao(partes.at(2));
      if (!tipo)
        return falhar(QStringLiteral("tipo de seção desconhecido: %1").arg(partes.at(2)));
      SecaoLayout secao;
      secao.tipo = *tipo;
      layout_.secoes.append(secao);
      origens_.append(0);
      secaoNova_ = true;
      bloco_ = Bloco::Secao;
    } else {
      return falhar(QStringLiteral("bloco desconhecido: %1").arg(linha));
    }
    return true;
  }

  // A measure in millimetres, from 0 to the largest paper and then some: a negative, endless or
  // absurd one would make rows vanish from the page or overflow the drawing's integer units.
  bool milimetros(const QString& texto, double& valor) {
    bool ok = false;
    const double mm = texto.toDouble(&ok);
    if (!ok || !std::isfinite(mm) || mm < 0 || mm > kMaiorMedidaMm)
      return falhar(QStringLiteral("medida inválida: %1 (deve ir de 0 a %2 mm)").arg(texto).arg(kMaiorMedidaMm));
    valor = mm * kUnidadesPorMm;
    return true;
  }

  bool cor(const QString& texto, QColor& valor) {
    valor = QColor::fromString(texto);
    return valor.isValid() || falhar(QStringLiteral("cor inválida: %1").arg(texto));
  }

  bool lerChave(const QString& linha) {
    const qsizetype igual = linha.indexOf(QLatin1Char('='));
    if (igual < 0)
      return falhar(QStringLiteral("esperado \"chave = valor\""));
    const QString chave = linha.left(igual).trimmed().toLower();
    const QString valor = linha.mid(igual + 1).trimmed();
    switch (bloco_) {
    case Bloco::Nenhum:
      return falhar(QStringLiteral("chave fora de um bloco"));
    case Bloco::Relatorio:
      return chaveRelatorio(chave, valor);
    case Bloco::Tabela:
      return chaveTabela(chave, valor);
    case Bloco::Formula:
      if (chave != QLatin1String("texto"))
        return falhar(QStringLiteral("chave desconhecida: %1").arg(chave));
      layout_.formulas.last().texto = valor;
      layout_.formulas.last().linhaArquivo = linha_;
      return true;
    case Bloco::Parametro:
      return chaveParametro(chave, valor);
    case Bloco::Selecao:
      if (chave != QLatin1String("formula"))
        return falhar(QStringLiteral("chave desconhecida: %1").arg(chave));
      layout_.selecao = valor;
      return true;
    case Bloco::Ordem:
      return chaveOrdem(chave, valor);
    case Bloco::Secao:
      return chaveSecao(chave, valor);
    }
    return false;
  }

  bool chaveRelatorio(const QString& chave, const QString& valor) {
    if (chave == QLatin1String("titulo")) {
      layout_.titulo = valor;
    } else if (chave == QLatin1String("papel")) {
      static const QList<std::pair<QString, QPageSize::PageSizeId>> papeis = {
          {QStringLiteral("A4"), QPageSize::A4},
          {QStringLiteral("A5"), QPageSize::A5},
          {QStringLiteral("Carta"), QPageSize::Letter},
          {QStringLiteral("Oficio"), QPageSize::Legal}};
      bool achou = false;
      for (const auto& [nome, id] : papeis)
        if (nome.compare(valor, Qt::CaseInsensitive) == 0) {
          layout_.papel = QPageSize(id);
          achou = true;
        }
      if (!achou)
        return falhar(QStringLiteral("papel desconhecido: %1").arg(valor));
      linhaPagina_ = linha_;
    } else if (chave == QLatin1String("orientacao")) {
      if (valor != QLatin1String("retrato") && valor != QLatin1String("paisagem"))
        return falhar(QStringLiteral("orientação deve ser retrato ou paisagem"));
      layout_.paisagem = valor == QLatin1String("paisagem");
      linhaPagina_ = linha_;
    } else if (chave == QLatin1String("margens")) {
      const QStringList v = valor.split(QLatin1Char(' '), Qt::SkipEmptyParts);
      double m[4] = {};
      if (v.size() != 4)
        return falhar(QStringLiteral("margens: esquerda topo direita base, em milímetros"));
      for (int i = 0; i < 4; ++i)
        if (!milimetros(v.at(i), m[i]))
          return false;
      layout_.margens = QMarginsF(m[0], m[1], m[2], m[3]);
      linhaPagina_ = linha_;
    } else {
      return chaveEstilo(chave, valor, layout_.estilo);
    }
    return true;
  }

  bool chaveEstilo(const QString& chave, const QString& valor, EstiloTexto& estilo) {
    if (chave == QLatin1String("fonte")) {
      estilo.familias.clear();
      for (const QString& f : valor.split(QLatin1Char(','), Qt::SkipEmptyParts))
        estilo.familias.append(f.trimmed());
    } else if (chave == QLatin1String("tamanho")) {
      bool ok = false;
      estilo.tamanho = valor.toDouble(&ok);
      if (!ok || estilo.tamanho < 1 || estilo.tamanho > 200)
        return falhar(QStringLiteral("tamanho de fonte inválido: %1").arg(valor));
    } else if (chave == QLatin1String("negrito")) {
      estilo.negrito = sim(valor);
    } else if (chave == QLatin1String("italico")) {
      estilo.italico = sim(valor);
    } else if (chave == QLatin1String("cor")) {
      return cor(valor, estilo.cor);
    } else {
      return falhar(QStringLiteral("chave desconhecida: %1").arg(chave));
    }
    return true;
  }

  bool chaveTabela(const QString& chave, const QString& valor) {
    TabelaLayout& t = layout_.tabelas.last();
    if (chave == QLatin1String("nome") || chave == QLatin1String("apelido")) {
      if (!identificador().match(valor).hasMatch())
        return falhar(QStringLiteral("nome de tabela inválido: %1").arg(valor));
      if (chave == QLatin1String("apelido"))
        t.apelido = valor;
      else if (t.apelido.isEmpty())
        t.apelido = t.nome = valor;
      else
        t.nome = valor;
    } else if (chave == QLatin1String("ligacao")) {
      t.ligacao = valor;
    } else if (chave == QLatin1String("campos")) {
      for (const QString& item : valor.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList p = item.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (p.size() != 2 || !identificador().match(p.at(0)).hasMatch())
          return falhar(QStringLiteral("campo deve ser \"Nome tipo\": %1").arg(item.trimmed()));
        const auto tipo = tipoDado(p.at(1));
        if (!tipo)
          return falhar(QStringLiteral("tipo de campo desconhecido: %1").arg(p.at(1)));
        t.campos.append({p.at(0), *tipo});
      }
    } else {
      return falhar(QStringLiteral("chave desconhecida: %1").arg(chave));
    }
    return true;
  }

  bool chaveParametro(const QString& chave, const QString& valor) {
    ParametroLayout& p = layout_.parametros.last();
    if (chave == QLatin1String("tipo")) {
      const auto tipo = tipoDado(valor);
      if (!tipo)
        return falhar(QStringLiteral("tipo de parâmetro desconhecido: %1").arg(valor));
      p.tipo = *tipo;
    } else if (chave == QLatin1String("valor")) {
      p.valor = valor;
    } else {
      return falhar(QStringLiteral("chave desconhecida: %1").arg(chave));
    }
    return true;
  }

  bool chaveOrdem(const QString& chave, const QString& valor) {
    if (chave != QLatin1String("campos"))
      return falhar(QStringLiteral("chave desconhecida: %1").arg(chave));
    for (const QString& item : valor.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
      const QStringList p = item.trimmed().split(QLatin1Char('.'));
      bool okT = false;
      bool okC = false;
      const QPoint campo(p.value(0).toInt(&okT), p.value(1).toInt(&okC));
      if (p.size() != 2 || !okT || !okC)
        return falhar(QStringLiteral("ordem deve listar tabela.posição: %1").arg(item.trimmed()));
      layout_.ordem.append(campo);
    }
    return true;
  }

  bool chaveSecao(const QString& chave, const QString& valor) {
    const bool primeira = std::exchange(secaoNova_, false);
    if (chave == QLatin1String("repetir"))
      return primeira ? repetir(valor) : falhar(QStringLiteral("repetir deve ser a primeira chave da seção"));
    if (chave.startsWith(QLatin1String("objeto ")))
      return mudarObjeto(chave.mid(7).trimmed(), valor);
    SecaoLayout& s = layout_.secoes.last();
    if (chave == QLatin1String("altura"))
      return milimetros(valor, s.altura);
    if (chave == QLatin1String("suprimir")) {
      s.suprimida = sim(valor);
      return true;
    }
    if (chave == QLatin1String("fundo_alternado"))
      return cor(valor, s.fundoAlternado);
    if (chave == QLatin1String("manter_com_seguinte")) {
      s.manterComSeguinte = sim(valor);
      return true;
    }
    if (chave == QLatin1String("grupo")) {
      s.grupo = valor;
      return true;
    }
    if (chave == QLatin1String("nova_pagina")) {
      s.novaPagina = sim(valor);
      return true;
    }
    if (chave == QLatin1String("objeto"))
      return objeto(valor, s);
    return falhar(QStringLiteral("chave desconhecida: %1").arg(chave));
  }

  // The section being read becomes a copy of an earlier section, which its next keys change.
  // A copy of a copy is refused: every copy names the section it is written from, so that a
  // reader finds it in one step.
  bool repetir(const QString& valor) {
    bool ok = false;
    const int origem = valor.toInt(&ok);
    const int atual = static_cast<int>(layout_.secoes.size());
    if (!ok || origem < 1 || origem >= atual)
      return falhar(QStringLiteral("não há seção %1 antes desta para repetir").arg(valor));
    if (const int primeira = origens_.at(origem - 1); primeira != 0)
      return falhar(QStringLiteral("a seção %1 já repete a seção %2; repita a seção %2").arg(origem).arg(primeira));
    const TipoSecao tipo = layout_.secoes.last().tipo;
    layout_.secoes.last() = layout_.secoes.at(origem - 1);
    layout_.secoes.last().tipo = tipo;
    origens_.last() = origem;
    return true;
  }

  // "objeto N = chave=valor ... | conteúdo": object N of the repeated section with these options
  // and, when given, this content.
  bool mudarObjeto(const QString& numero, const QString& valor) {
    const int origem = origens_.last();
    if (origem == 0)
      return falhar(QStringLiteral("objeto %1: só uma seção que repete outra muda um objeto pelo número").arg(numero));
    bool ok = false;
    const int n = numero.toInt(&ok);
    if (!ok || n < 1 || n > layout_.secoes.at(origem - 1).objetos.size())
      return falhar(QStringLiteral("a seção %1, repetida aqui, não tem objeto %2").arg(origem).arg(numero));
    ObjetoLayout& o = layout_.secoes.last().objetos[n - 1];
    const qsizetype barra = valor.indexOf(QLatin1Char('|'));
    if (barra >= 0) {
      o.conteudo = conteudo(valor, barra);
      o.linhaArquivo = linha_;
    }
    return opcoes(palavras(valor.left(barra)), o) && completo(o);
  }

  static QString conteudo(const QString& valor, qsizetype barra) {
    QString texto = valor.mid(barra + 1).trimmed();
    return texto.replace(QLatin1String("\\n"), QLatin1String("\n"));
  }

  // "tipo chave=valor ... | conteúdo"
  bool objeto(const QString& valor, SecaoLayout& secao) {
    const qsizetype barra = valor.indexOf(QLatin1Char('|'));
    QStringList p = palavras(valor.left(barra));
    ObjetoLayout o;
    o.linhaArquivo = linha_;
    o.estilo = layout_.estilo;
    const auto tipo = tipoObjeto(p.value(0));
    if (!tipo)
      return falhar(QStringLiteral("tipo de objeto desconhecido: %1").arg(p.value(0)));
    o.tipo = *tipo;
    if (barra >= 0)
      o.conteudo = conteudo(valor, barra);
    o.espessura = 0.25 * kUnidadesPorMm;
    p.removeFirst();
    if (!opcoes(p, o) || !completo(o))
      return false;
    secao.objetos.append(o);
    return true;
  }

  // Applies the options "chave=valor ..." to `o`; a measure not named keeps its value.
  bool opcoes(const QStringList& p, ObjetoLayout& o) {
    double x = o.area.x(), y = o.area.y(), l = o.area.width(), a = o.area.height();
    for (int i = 0; i < p.size(); ++i) {
      const qsizetype igual = p.at(i).indexOf(QLatin1Char('='));
      const QString chave = p.at(i).left(igual < 0 ? p.at(i).size() : igual).toLower();
      const QString v = igual < 0 ? QString() : p.at(i).mid(igual + 1);
      bool ok = true;
      if (chave == QLatin1String("x"))
        ok = milimetros(v, x);
      else if (chave == QLatin1String("y"))
        ok = milimetros(v, y);
      else if (chave == QLatin1String("l"))
        ok = milimetros(v, l);
      else if (chave == QLatin1String("a"))
        ok = milimetros(v, a);
      else if (chave == QLatin1String("espessura"))
        ok = milimetros(v, o.espessura);
      else if (chave == QLatin1String("alinhar")) {
        if (v == QLatin1String("esquerda"))
          o.alinhamento = Alinhamento::Esquerda;
        else if (v == QLatin1String("centro"))
          o.alinhamento = Alinhamento::Centro;
        else if (v == QLatin1String("direita"))
          o.alinhamento = Alinhamento::Direita;
        else
          ok = falhar(QStringLiteral("alinhamento deve ser esquerda, centro ou direita"));
      } else if (chave == QLatin1String("quebrar"))
        o.quebrar = sim(v);
      else if (chave == QLatin1String("suprimir"))
        o.suprimido = sim(v);
      else if (chave == QLatin1String("formato"))
        o.formato = v;
      else if (chave == QLatin1String("fundo"))
        ok = cor(v, o.fundo);
      else if (chave == QLatin1String("cor")) {
        ok = cor(v, o.cor);
        o.estilo.cor = o.cor;
      } else
        ok = chaveEstilo(chave, v, o.estilo);
      if (!ok)
        return false;
    }
    o.area = QRectF(x, y, l, a);
    return true;
  }

  bool completo(const ObjetoLayout& o) {
    if (o.tipo != TipoObjeto::Linha && (o.area.width() <= 0 || o.area.height() <= 0))
      return falhar(QStringLiteral("o objeto precisa de largura (l) e altura (a)"));
    if (o.tipo != TipoObjeto::Texto && o.tipo != TipoObjeto::Linha && o.tipo != TipoObjeto::Caixa &&
        o.conteudo.isEmpty())
      return falhar(QStringLiteral("falta o conteúdo do objeto depois de \"|\""));
    return true;
  }

  QString nome_;
  LayoutRelatorio& layout_;
  Bloco bloco_ = Bloco::Nenhum;
  int linha_ = 0;
  int linhaPagina_ = 0;     ///< the last line that set the paper, its orientation or the margins
  QList<int> origens_;      ///< for each section, the section it repeats (from 1; 0 for none)
  bool secaoNova_ = false;  ///< the section being read has no key yet
  QString erro_;
};

}  // namespace

namespace LeitorLayout {

Resultado LerTexto(const QString& texto, const QString& nome, LayoutRelatorio& layout) {
  return Leitor(nome, layout).ler(texto);
}

Resultado Ler(const QString& caminho, LayoutRelatorio& layout) {
  QFile arquivo(caminho);
  const QString nome = QFileInfo(caminho).fileName();
  if (!arquivo.open(QIODevice::ReadOnly))
    return Resultado::falha(
        QStringLiteral("Não foi possível abrir o modelo de relatório %1: %2").arg(caminho, arquivo.errorString()));
  return LerTexto(QString::fromUtf8(arquivo.readAll()), nome, layout);
}

}  // namespace LeitorLayout
