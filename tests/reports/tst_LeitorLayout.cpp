// Sections that repeat another section of the layout, read by the layout reader.
#include "reports/engine/LeitorLayout.h"

#include <QtTest>

namespace {

const QString kTabela = QStringLiteral("[tabela 1]\nnome = tbPessoa\ncampos = Codigo inteiro, Descricao texto\n");

// The source section of every case: objects of each kind with styles, a measure left at its
// default and a wrapping field.
const QString kOrigem = QStringLiteral(R"([secao 1 detalhe]
altura = 16
manter_com_seguinte = sim
objeto = caixa x=0 y=0 l=180 a=16 fundo=#e6ecf2 espessura=0
objeto = texto x=5 y=2 l=38 a=12 tamanho=24 negrito cor=#16324f | RECIBO
objeto = campo x=0 y=6 l=118 a=7 quebrar alinhar=direita formato=0000 | tbPessoa.Codigo
objeto = linha x=80 y=20 l=100 espessura=0.3
)");

// Everything the reader keeps of a section, except the file lines its parts came from.
QStringList descricao(const SecaoLayout& s) {
  QStringList linhas{QStringLiteral("seção %1 %2 %3 %4 %5 [%6] %7")
                         .arg(int(s.tipo))
                         .arg(s.altura)
                         .arg(s.suprimida)
                         .arg(s.fundoAlternado.name())
                         .arg(s.manterComSeguinte)
                         .arg(s.grupo)
                         .arg(s.novaPagina)};
  for (const ObjetoLayout& o : s.objetos)
    linhas << QStringLiteral("%1 (%2,%3,%4,%5) [%6] %7 %8 %9 %10 %11 %12 [%13] %14 %15 %16 %17 %18")
                  .arg(int(o.tipo))
                  .arg(o.area.x())
                  .arg(o.area.y())
                  .arg(o.area.width())
                  .arg(o.area.height())
                  .arg(o.conteudo, o.estilo.familias.join(u','))
                  .arg(o.estilo.tamanho)
                  .arg(o.estilo.negrito)
                  .arg(o.estilo.italico)
                  .arg(o.estilo.cor.name())
                  .arg(int(o.alinhamento))
                  .arg(o.quebrar)
                  .arg(o.formato)
                  .arg(o.suprimido)
                  .arg(o.espessura)
                  .arg(o.cor.name(), o.fundo.isValid() ? o.fundo.name() : QStringLiteral("-"));
  return linhas;
}

QList<QStringList> secoes(const QString& texto) {
  LayoutRelatorio layout;
  const Resultado lido = LeitorLayout::LerTexto(kTabela + texto, QStringLiteral("teste.rpt"), layout);
  if (!lido)
    return {{lido.erro}};
  QList<QStringList> lista;
  for (const SecaoLayout& s : layout.secoes)
    lista << descricao(s);
  return lista;
}

}  // namespace

class tst_LeitorLayout : public QObject {
  Q_OBJECT

private slots:
  // A repeating section reads as the same section written out with its differences; its
  // source stays as it was written.
  void repeticaoIgualAoEscritoPorExtenso_data() {
    QTest::addColumn<QString>("repetida");
    QTest::addColumn<QString>("porExtenso");
    const QString copia = QString(kOrigem).replace(QLatin1String("[secao 1"), QLatin1String("[secao 2"));
    QTest::newRow("cópia inteira") << QStringLiteral("[secao 2 detalhe]\nrepetir = 1\n") << copia;
    QTest::newRow("texto trocado") << QStringLiteral("[secao 2 detalhe]\nrepetir = 1\nobjeto 2 = | 2ª via\n")
                                   << QString(copia).replace(QLatin1String("| RECIBO"), QStringLiteral("| 2ª via"));
    QTest::newRow("opções trocadas, as outras mantidas")
        << QStringLiteral("[secao 2 detalhe]\nrepetir = 1\nobjeto 2 = y=4 negrito=nao cor=#ff0000 italico\n")
        << QString(copia).replace(QLatin1String("texto x=5 y=2 l=38 a=12 tamanho=24 negrito cor=#16324f"),
                                  QLatin1String("texto x=5 y=4 l=38 a=12 tamanho=24 italico cor=#ff0000"));
    QTest::newRow("objeto escondido") << QStringLiteral("[secao 2 detalhe]\nrepetir = 1\nobjeto 4 = suprimir\n")
                                      << QString(copia).replace(QLatin1String("espessura=0.3"),
                                                                QLatin1String("espessura=0.3 suprimir"));
    QTest::newRow("chaves da seção e objeto acrescentado")
        << QStringLiteral(
               "[secao 2 detalhe]\nrepetir = 1\naltura = 37\nmanter_com_seguinte = nao\n"
               "fundo_alternado = #f4f6f9\nobjeto = texto x=1 y=1 l=10 a=5 | novo\n")
        << QString(copia)
               .replace(QLatin1String("altura = 16\nmanter_com_seguinte = sim"),
                        QLatin1String("altura = 37\nfundo_alternado = #f4f6f9"))
               .append(QLatin1String("objeto = texto x=1 y=1 l=10 a=5 | novo\n"));
    QTest::newRow("tipo do próprio cabeçalho")
        << QStringLiteral("[secao 2 rodape_relatorio]\nrepetir = 1\n")
        << QString(copia).replace(QLatin1String("2 detalhe"), QLatin1String("2 rodape_relatorio"));
    QTest::newRow("duas cópias da mesma seção")
        << QStringLiteral("[secao 2 detalhe]\nrepetir = 1\n[secao 3 detalhe]\nrepetir = 1\nobjeto 2 = | outra\n")
        << copia + QString(kOrigem)
                       .replace(QLatin1String("[secao 1"), QLatin1String("[secao 3"))
                       .replace(QLatin1String("| RECIBO"), QLatin1String("| outra"));
  }
  void repeticaoIgualAoEscritoPorExtenso() {
    QFETCH(QString, repetida);
    QFETCH(QString, porExtenso);
    const QList<QStringList> lidas = secoes(kOrigem + repetida);
    QCOMPARE(lidas, secoes(kOrigem + porExtenso));
    QVERIFY(lidas.size() >= 2);
  }

  void repeticaoRecusada_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("erro");
    QTest::newRow("seção inexistente") << QStringLiteral("[secao 2 detalhe]\nrepetir = 5\n")
                                       << QStringLiteral("linha 12: não há seção 5 antes desta para repetir");
    QTest::newRow("a própria seção") << QStringLiteral("[secao 2 detalhe]\nrepetir = 2\n")
                                     << QStringLiteral("linha 12: não há seção 2 antes desta para repetir");
    QTest::newRow("não é número") << QStringLiteral("[secao 2 detalhe]\nrepetir = um\n")
                                  << QStringLiteral("linha 12: não há seção um antes desta para repetir");
    QTest::newRow("repetição de repetição")
        << QStringLiteral("[secao 2 detalhe]\nrepetir = 1\n[secao 3 detalhe]\nrepetir = 2\n")
        << QStringLiteral("linha 14: a seção 2 já repete a seção 1; repita a seção 1");
    QTest::newRow("objeto inexistente") << QStringLiteral("[secao 2 detalhe]\nrepetir = 1\nobjeto 5 = | x\n")
                                        << QStringLiteral("linha 13: a seção 1, repetida aqui, não tem objeto 5");
    QTest::newRow("objeto acrescentado") << QStringLiteral(
                                                "[secao 2 detalhe]\nrepetir = 1\nobjeto = texto l=5 a=5 | novo\n"
                                                "objeto 5 = | x\n")
                                         << QStringLiteral("linha 14: a seção 1, repetida aqui, não tem objeto 5");
    QTest::newRow("objeto sem número") << QStringLiteral("[secao 2 detalhe]\nrepetir = 1\nobjeto x = | x\n")
                                       << QStringLiteral("linha 13: a seção 1, repetida aqui, não tem objeto x");
    QTest::newRow("objeto numa seção que não repete")
        << QStringLiteral("[secao 2 detalhe]\nobjeto 1 = | x\n")
        << QStringLiteral("linha 12: objeto 1: só uma seção que repete outra muda um objeto pelo número");
    QTest::newRow("repetir depois de outra chave")
        << QStringLiteral("[secao 2 detalhe]\naltura = 5\nrepetir = 1\n")
        << QStringLiteral("linha 13: repetir deve ser a primeira chave da seção");
    QTest::newRow("mudança que deixa o objeto sem largura")
        << QStringLiteral("[secao 2 detalhe]\nrepetir = 1\nobjeto 2 = l=0\n")
        << QStringLiteral("linha 13: o objeto precisa de largura (l) e altura (a)");
    QTest::newRow("medida inválida na mudança") << QStringLiteral("[secao 2 detalhe]\nrepetir = 1\nobjeto 1 = x=-1\n")
                                                << QStringLiteral("linha 13: medida inválida: -1");
  }
  void repeticaoRecusada() {
    QFETCH(QString, texto);
    QFETCH(QString, erro);
    LayoutRelatorio layout;
    const Resultado lido = LeitorLayout::LerTexto(kTabela + kOrigem + texto, QStringLiteral("teste.rpt"), layout);
    QVERIFY(!lido);
    QVERIFY2(lido.erro.startsWith(QStringLiteral("teste.rpt, ") + erro), qPrintable(lido.erro));
  }
};

QTEST_GUILESS_MAIN(tst_LeitorLayout)
#include "tst_LeitorLayout.moc"
