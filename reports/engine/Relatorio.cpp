#include "reports/engine/Relatorio.h"

#include "app/core/Conexao.h"
#include "app/core/modGeral.h"
#include "reports/engine/AvaliadorFormula.h"
#include "reports/engine/DesenhoPagina.h"
#include "reports/engine/LeitorLayout.h"
#include "reports/engine/ValoresRelatorio.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <set>

namespace {

Resultado naoAberto() {
  return Resultado::falha(QStringLiteral("Nenhum modelo de relatório foi aberto."));
}

// A parameter value in the parameter's type; invalid when it cannot be.
QVariant convertido(const QVariant& valor, TipoDado tipo) {
  bool ok = true;
  switch (tipo) {
  case TipoDado::Inteiro: {
    const qint64 v = valor.toLongLong(&ok);
    return ok ? QVariant(v) : QVariant();
  }
  case TipoDado::Decimal:
  case TipoDado::Moeda: {
    const double v = valor.toDouble(&ok);
    return ok ? QVariant(v) : QVariant();
  }
  case TipoDado::Data: {
    const QDate d = valor.typeId() == QMetaType::QDate
                        ? valor.toDate()
                        : QDate::fromString(valor.toString(), QStringLiteral("dd/MM/yyyy"));
    return d.isValid() ? QVariant(d) : QVariant();
  }
  case TipoDado::Logico:
    return valor.toBool();
  case TipoDado::Texto:
    return valor.toString();
  }
  return {};
}

// The column of a "tabela.campo" text (braces allowed); -1 when the layout has no such field.
int colunaDoCampo(const LayoutRelatorio& layout, const QString& texto) {
  const QStringList partes = QString(texto).remove(QLatin1Char('{')).remove(QLatin1Char('}')).split(QLatin1Char('.'));
  return partes.size() == 2 ? layout.coluna(partes.at(0).trimmed(), partes.at(1).trimmed()) : -1;
}

Resultado erroFormula(const QString& onde, const QString& erro, int posicao) {
  return Resultado::falha(QStringLiteral("%1: erro na fórmula, posição %2: %3.").arg(onde).arg(posicao).arg(erro));
}

}  // namespace

Relatorio::Relatorio() = default;
Relatorio::~Relatorio() = default;

Resultado Relatorio::AbrirModelo(const QString& nomeArquivo) {
  return Abrir(modGeral::CaminhoRelatorio() + nomeArquivo);
}

Resultado Relatorio::Abrir(const QString& caminho) {
  aberto_ = false;
  descartarPreparo();
  ordem_.clear();
  parametros_.clear();
  falhaSelecao_.clear();
  Resultado r = LeitorLayout::Ler(caminho, layout_);
  if (r)
    r = verificarLayout();
  aberto_ = r.ok;
  return r;
}

Resultado Relatorio::analisarFormula(int indice) {
  const FormulaLayout& f = layout_.formulas.at(indice);
  FormulaAnalisada analisada = AnalisadorFormula::Analisar(f.texto);
  QString erro = analisada.erro;
  int posicao = analisada.posicao;
  if (analisada.ok() && analisada.raiz &&
      (!CompiladorSelecao::ResolverCampos(*analisada.raiz, layout_, erro, posicao) ||
       !AvaliadorFormula::VerificarFuncoes(*analisada.raiz, erro, posicao)))
    analisada.raiz.reset();
  if (!erro.isEmpty())
    return erroFormula(
        f.linhaArquivo > 0
            ? QStringLiteral("%1, linha %2, fórmula %3").arg(layout_.arquivo).arg(f.linhaArquivo).arg(f.nome)
            : QStringLiteral("%1, fórmula %2").arg(layout_.arquivo, f.nome),
        erro, posicao);
  formulas_[static_cast<std::size_t>(indice)] = std::move(analisada);
  return Resultado::sucesso();
}

Resultado Relatorio::verificarLayout() {
  const QString& nome = layout_.arquivo;
  formulas_.clear();
  formulas_.resize(static_cast<std::size_t>(layout_.formulas.size()));
  for (int i = 0; i < layout_.formulas.size(); ++i)
    if (Resultado r = analisarFormula(i); !r)
      return r;
  for (ParametroLayout& p : layout_.parametros)
    parametros_.insert(p.nome.toLower(), p.valor.isValid() ? convertido(p.valor, p.tipo) : QVariant());

  ligacoes_.clear();
  int principais = 0;
  for (const TabelaLayout& t : layout_.tabelas) {
    FormulaAnalisada ligacao = AnalisadorFormula::Analisar(t.ligacao);
    if (ligacao.ok() && !ligacao.raiz) {
      ++principais;
      continue;
    }
    SelecaoCompilada compilada;
    QString erro = ligacao.erro;
    int posicao = ligacao.posicao;
    if (!erro.isEmpty() || !CompiladorSelecao::Compilar(ligacao.raiz.get(), layout_, compilada, erro, posicao))
      return erroFormula(QStringLiteral("%1, ligação da tabela %2").arg(nome, t.apelido), erro, posicao);
    ligacoes_.append(compilada);
  }
  if (principais != 1)
    return Resultado::falha(
        QStringLiteral("%1: exatamente uma tabela deve ficar sem ligação (a tabela principal).").arg(nome));

  for (const QPoint& campo : layout_.ordem)
    if (campo.x() < 1 || campo.x() > layout_.tabelas.size() || campo.y() < 1 ||
        campo.y() > layout_.tabelas.at(campo.x() - 1).campos.size())
      return Resultado::falha(
          QStringLiteral("%1: campo de ordem inexistente %2.%3").arg(nome).arg(campo.x()).arg(campo.y()));
  ordem_ = layout_.ordem;

  if (Resultado r = verificarGrupos(); !r)
    return r;
  for (SecaoLayout& secao : layout_.secoes) {
    for (ObjetoLayout& o : secao.objetos) {
      const auto falha = [&](const QString& texto) {
        return Resultado::falha(QStringLiteral("%1, linha %2: %3").arg(nome).arg(o.linhaArquivo).arg(texto));
      };
      if (o.tipo == TipoObjeto::Campo || o.tipo == TipoObjeto::Soma) {
        o.coluna = colunaDoCampo(layout_, o.conteudo);
        if (o.coluna < 0)
          return falha(QStringLiteral("campo desconhecido %1").arg(o.conteudo));
        const TipoDado tipo = layout_.campoDaColuna(o.coluna).tipo;
        if (o.tipo == TipoObjeto::Soma && tipo != TipoDado::Inteiro && tipo != TipoDado::Decimal &&
            tipo != TipoDado::Moeda)
          return falha(QStringLiteral("só se somam campos numéricos: %1").arg(o.conteudo));
      } else if (o.tipo == TipoObjeto::Formula && layout_.indiceFormula(o.conteudo) < 0) {
        return falha(QStringLiteral("fórmula desconhecida %1").arg(o.conteudo));
      } else if (o.tipo == TipoObjeto::Parametro && layout_.indiceParametro(o.conteudo) < 0) {
        return falha(QStringLiteral("parâmetro desconhecido %1").arg(o.conteudo));
      } else if (o.tipo == TipoObjeto::Especial && !ValoresRelatorio::EspecialConhecido(o.conteudo)) {
        return falha(QStringLiteral("campo especial desconhecido %1").arg(o.conteudo));
      }
    }
  }
  return DefinirFormulaSelecao(layout_.selecao);
}

Resultado Relatorio::verificarGrupos() {
  // Levels follow the order in which the group fields first appear: the outermost comes first.
  layout_.colunasGrupo.clear();
  for (SecaoLayout& secao : layout_.secoes) {
    if (secao.tipo != TipoSecao::CabecalhoGrupo && secao.tipo != TipoSecao::RodapeGrupo)
      continue;
    const int coluna = colunaDoCampo(layout_, secao.grupo);
    if (coluna < 0)
      return Resultado::falha(
          QStringLiteral("%1: campo de grupo desconhecido \"%2\"").arg(layout_.arquivo, secao.grupo));
    secao.nivel = static_cast<int>(layout_.colunasGrupo.indexOf(coluna));
    if (secao.nivel < 0) {
      secao.nivel = static_cast<int>(layout_.colunasGrupo.size());
      layout_.colunasGrupo.append(coluna);
    }
    for (ObjetoLayout& o : secao.objetos)
      o.nivelGrupo = secao.nivel;
  }
  return Resultado::sucesso();
}

void Relatorio::descartarPreparo() {
  valores_.reset();
  dados_ = DadosRelatorio();
  paginacao_ = Paginacao();
  avisos_.clear();
}

void Relatorio::DescartarDadosSalvos() {
  descartarPreparo();
}

Resultado Relatorio::DefinirFormulaSelecao(const QString& formula) {
  if (layout_.tabelas.isEmpty())
    return naoAberto();
  descartarPreparo();
  textoSelecao_ = formula;
  FormulaAnalisada analisada = AnalisadorFormula::Analisar(formula);
  QString erro = analisada.erro;
  int posicao = analisada.posicao;
  SelecaoCompilada compilada;
  if (erro.isEmpty() && CompiladorSelecao::Compilar(analisada.raiz.get(), layout_, compilada, erro, posicao)) {
    selecao_ = compilada;
    falhaSelecao_.clear();
    return Resultado::sucesso();
  }
  const Resultado falha = erroFormula(QStringLiteral("Fórmula de seleção"), erro, posicao);
  falhaSelecao_ = falha.erro;
  return falha;
}

Resultado Relatorio::AdicionarOrdem(int tabela, int posicao) {
  if (!aberto_)
    return naoAberto();
  if (tabela < 1 || tabela > layout_.tabelas.size() || posicao < 1 ||
      posicao > layout_.tabelas.at(tabela - 1).campos.size())
    return Resultado::falha(
        QStringLiteral("O relatório não tem o campo %1 da tabela %2 para ordenar.").arg(posicao).arg(tabela));
  descartarPreparo();
  ordem_.append(QPoint(tabela, posicao));
  return Resultado::sucesso();
}

Resultado Relatorio::DefinirFormula(const QString& nome, const QString& texto) {
  if (!aberto_)
    return naoAberto();
  const int i = layout_.indiceFormula(nome);
  if (i < 0)
    return Resultado::falha(QStringLiteral("O relatório não tem a fórmula %1.").arg(nome));
  descartarPreparo();
  // The caller's text has no line in the file; a refused one leaves the previous formula whole.
  const FormulaLayout anterior = layout_.formulas.at(i);
  layout_.formulas[i].texto = texto;
  layout_.formulas[i].linhaArquivo = 0;
  Resultado r = analisarFormula(i);
  if (!r)
    layout_.formulas[i] = anterior;
  return r;
}

Resultado Relatorio::DefinirParametro(const QString& nome, const QVariant& valor) {
  if (!aberto_)
    return naoAberto();
  const int i = layout_.indiceParametro(nome);
  if (i < 0)
    return Resultado::falha(QStringLiteral("O relatório não tem o parâmetro %1.").arg(nome));
  const QVariant v = convertido(valor, layout_.parametros.at(i).tipo);
  if (!v.isValid())
    return Resultado::falha(QStringLiteral("Valor inválido para o parâmetro %1: %2").arg(nome, valor.toString()));
  descartarPreparo();
  parametros_.insert(nome.toLower(), v);
  return Resultado::sucesso();
}

Resultado Relatorio::SuprimirSecao(int secao) {
  if (!aberto_)
    return naoAberto();
  if (secao < 1 || secao > layout_.secoes.size())
    return Resultado::falha(QStringLiteral("O relatório não tem a seção %1.").arg(secao));
  descartarPreparo();
  layout_.secoes[secao - 1].suprimida = true;
  return Resultado::sucesso();
}

Resultado Relatorio::SuprimirObjeto(int secao, int objeto) {
  if (!aberto_)
    return naoAberto();
  if (secao < 1 || secao > layout_.secoes.size() || objeto < 1 || objeto > layout_.secoes.at(secao - 1).objetos.size())
    return Resultado::falha(QStringLiteral("O relatório não tem o objeto %1 na seção %2.").arg(objeto).arg(secao));
  descartarPreparo();
  layout_.secoes[secao - 1].objetos[objeto - 1].suprimido = true;
  return Resultado::sucesso();
}

bool Relatorio::usaExtenso() const {
  // The formulas shown on the page, and those they use in turn.
  std::set<int> pendentes;
  for (const SecaoLayout& secao : layout_.secoes)
    for (const ObjetoLayout& o : secao.objetos)
      if (!secao.suprimida && !o.suprimido && o.tipo == TipoObjeto::Formula)
        pendentes.insert(layout_.indiceFormula(o.conteudo));
  std::set<int> vistas;
  while (!pendentes.empty()) {
    const int i = *pendentes.begin();
    pendentes.erase(pendentes.begin());
    if (i < 0 || !vistas.insert(i).second)
      continue;
    const NoFormula* raiz = formulas_[static_cast<std::size_t>(i)].raiz.get();
    if (raiz == nullptr)
      continue;
    if (AvaliadorFormula::UsaExtenso(*raiz))
      return true;
    std::vector<const NoFormula*> pilha{raiz};
    while (!pilha.empty()) {
      const NoFormula* no = pilha.back();
      pilha.pop_back();
      if (no->tipo == NoFormula::Tipo::FormulaNomeada)
        pendentes.insert(layout_.indiceFormula(no->texto));
      for (const auto& filho : no->filhos)
        pilha.push_back(filho.get());
    }
  }
  return false;
}

Resultado Relatorio::Preparar() {
  if (!aberto_)
    return naoAberto();
  if (!falhaSelecao_.isEmpty())
    return Resultado::falha(falhaSelecao_);
  descartarPreparo();
  if (Resultado r = dados_.ler(Conexao::Banco(), layout_, ligacoes_, selecao_, ordem_, parametros_); !r)
    return r;
  if (usaExtenso() && !verbalor_.carregar(modGeral::PastaAplicacao()))
    avisos_.append(verbalor_.erro());
  if (!momento_.isValid())
    momento_ = QDateTime::currentDateTime();
  valores_ = std::make_unique<ValoresRelatorio>(layout_, dados_, formulas_, parametros_, verbalor_, momento_);
  paginacao_.paginar(layout_, *valores_, dados_.quantos());
  return Resultado::sucesso();
}

QPageLayout Relatorio::layoutPagina() const {
  return QPageLayout(layout_.papel, layout_.paisagem ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

void Relatorio::desenharPagina(QPainter& pintor, int pagina) const {
  if (!valores_ || pagina < 0 || pagina >= quantasPaginas())
    return;
  DesenhoPagina::Desenhar(pintor, layout_, *valores_, paginacao_.pagina(pagina), pagina + 1, quantasPaginas());
}

Resultado Relatorio::Imprimir(QPagedPaintDevice& dispositivo, int primeira, int ultima) const {
  if (!valores_)
    return Resultado::falha(QStringLiteral("O relatório não foi preparado."));
  QPainter pintor;
  if (!pintor.begin(&dispositivo))
    return Resultado::falha(QStringLiteral("Não foi possível começar a impressão."));
  pintor.setRenderHint(QPainter::Antialiasing);
  const double escalaX = dispositivo.logicalDpiX() / kUnidadesPorPolegada;
  const double escalaY = dispositivo.logicalDpiY() / kUnidadesPorPolegada;
  for (int p = std::max(primeira, 0); p <= std::min(ultima, quantasPaginas() - 1); ++p) {
    if (p > std::max(primeira, 0) && !dispositivo.newPage())
      return Resultado::falha(QStringLiteral("Não foi possível começar a página %1.").arg(p + 1));
    pintor.save();
    pintor.scale(escalaX, escalaY);
    desenharPagina(pintor, p);
    pintor.restore();
  }
  if (!pintor.end())
    return Resultado::falha(QStringLiteral("Não foi possível terminar a impressão."));
  return Resultado::sucesso();
}

Resultado Relatorio::ExportarPdf(const QString& caminho) const {
  QSaveFile arquivo(caminho);
  if (!arquivo.open(QIODevice::WriteOnly))
    return Resultado::falha(
        QStringLiteral("Não foi possível criar o arquivo %1: %2").arg(caminho, arquivo.errorString()));
  {
    QPdfWriter pdf(&arquivo);
    pdf.setPageLayout(layoutPagina());
    pdf.setResolution(static_cast<int>(kUnidadesPorPolegada));
    pdf.setCreator(QStringLiteral("Talonix"));
    pdf.setTitle(layout_.titulo);
    if (Resultado r = Imprimir(pdf, 0, quantasPaginas() - 1); !r) {
      arquivo.cancelWriting();
      return r;
    }
  }
  if (!arquivo.commit())
    return Resultado::falha(
        QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(caminho, arquivo.errorString()));
  return Resultado::sucesso();
}

QString Relatorio::sql() const {
  return DadosRelatorio::MontarSql(layout_, ligacoes_, selecao_, ordem_, Dialeto::De(Conexao::Banco()));
}
