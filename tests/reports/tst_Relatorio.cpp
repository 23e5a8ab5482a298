// The report engine's operations as the screens use them, checked on the printed text.
#include "reports/engine/Relatorio.h"
#include "tests/reports/Amostra.h"
#include "tests/support/PastaTeste.h"
#include "tests/support/TextoPdf.h"

#include <QtTest>

#include <limits>

namespace {

// 277 mm between the margins: a 17 mm page header, a 10 mm page footer and 25 details of
// 10 mm fill a page exactly.
const QString kModeloPaginas = QStringLiteral(R"([relatorio]
titulo = Paginas
margens = 10 10 10 10
[tabela 1]
nome = tbReferente
campos = Codigo inteiro, Descricao texto
[secao 1 cabecalho_pagina]
altura = 17
objeto = texto x=0 y=0 l=100 a=5 | CABECALHO
[secao 2 detalhe]
altura = 10
objeto = campo x=0 y=0 l=20 a=5 formato=0000 | tbReferente.Codigo
objeto = campo x=30 y=0 l=40 a=5 quebrar | tbReferente.Descricao
[secao 3 rodape_relatorio]
altura = 5
objeto = texto x=0 y=0 l=100 a=5 | FIM DO RELATORIO
[secao 4 rodape_pagina]
altura = 10
objeto = especial x=0 y=0 l=100 a=5 | pagina_de
)");

// One receipt amount per row, in ten-thousandths as stored: the figure, twice the figure, the
// words, and the total of the report.
const QString kModeloValores = QStringLiteral(R"([relatorio]
titulo = Valores
[tabela 1]
nome = tbRecibo
campos = Codigo inteiro, Valor moeda
[formula Dobro]
texto = {tbRecibo.Valor} + {tbRecibo.Valor}
[formula Extenso]
texto = Extenso({tbRecibo.Valor})
[secao 1 detalhe]
altura = 12
objeto = texto x=0 y=0 l=15 a=5 | VALOR
objeto = campo x=16 y=0 l=80 a=5 formato=#,##0.0000 | tbRecibo.Valor
objeto = texto x=100 y=0 l=15 a=5 | DOBRO
objeto = formula x=116 y=0 l=60 a=5 | Dobro
objeto = formula x=0 y=6 l=180 a=5 | Extenso
[secao 2 rodape_relatorio]
altura = 6
objeto = texto x=0 y=0 l=15 a=5 | TOTAL
objeto = soma x=16 y=0 l=80 a=5 formato=#,##0.0000 | tbRecibo.Valor
)");

QStringList paginasPdf(const Relatorio& r, const QString& caminho) {
  const Resultado exportado = r.ExportarPdf(caminho);
  if (!exportado)
    qWarning() << exportado.erro;
  QStringList paginas = TextoPdf(caminho).split(QLatin1Char('\f'));
  if (!paginas.isEmpty() && paginas.last().trimmed().isEmpty())
    paginas.removeLast();
  return paginas;
}

}  // namespace

class tst_Relatorio : public QObject {
  Q_OBJECT
  std::unique_ptr<PastaTeste> pasta_;

  QString pdf() const { return pasta_->caminho() + QStringLiteral("/saida.pdf"); }

  void abrirRecibos(Relatorio& r) {
    QVERIFY(r.AbrirModelo(QStringLiteral("recibos.rpt")).ok);
    r.DescartarDadosSalvos();
  }

  // The layout `texto` is refused when opened, with `erro` in the reason, and nothing prints.
  void conferirRecusa(const QString& texto, const QString& erro) {
    QVERIFY(pasta_->escreverModelo(QStringLiteral("ruim.rpt"), texto));
    Relatorio r;
    const Resultado aberto = r.AbrirModelo(QStringLiteral("ruim.rpt"));
    QVERIFY(!aberto.ok);
    QVERIFY2(aberto.erro.contains(erro), qPrintable(aberto.erro.left(300)));
    QVERIFY(!r.Preparar().ok);
  }

private slots:
  void init() {
    pasta_ = std::make_unique<PastaTeste>();
    QVERIFY(pasta_->abrir());
    QVERIFY(pasta_->copiarModelos());
    QVERIFY(pasta_->escreverModelo(QStringLiteral("recibos.rpt"), Amostra::ModeloRecibos()));
    QVERIFY(pasta_->escreverModelo(QStringLiteral("paginas.rpt"), kModeloPaginas));
  }
  void cleanup() { pasta_.reset(); }

  void ordenaNaOrdemAdicionada_data() {
    QTest::addColumn<QList<QPoint>>("ordem");
    QTest::addColumn<QStringList>("nomes");
    QTest::newRow("nome e depois tipo") << QList<QPoint>{{1, 2}, {1, 3}}
                                        << QStringList{QStringLiteral("Alice"), QStringLiteral("álvaro"),
                                                       QStringLiteral("Ana Física"), QStringLiteral("Ana Jurídica"),
                                                       QStringLiteral("Bruno")};
    QTest::newRow("tipo e depois nome") << QList<QPoint>{{1, 3}, {1, 2}}
                                        << QStringList{QStringLiteral("álvaro"), QStringLiteral("Ana Física"),
                                                       QStringLiteral("Alice"), QStringLiteral("Ana Jurídica"),
                                                       QStringLiteral("Bruno")};
    QTest::newRow("código") << QList<QPoint>{{1, 1}}
                            << QStringList{QStringLiteral("Bruno"), QStringLiteral("álvaro"), QStringLiteral("Alice"),
                                           QStringLiteral("Ana Jurídica"), QStringLiteral("Ana Física")};
  }
  void ordenaNaOrdemAdicionada() {
    QFETCH(QList<QPoint>, ordem);
    QFETCH(QStringList, nomes);
    // Two "Ana": names compare equal when the kind is not a sort field, so they are told
    // apart in the name only for the check.
    QVERIFY(Amostra::Pessoa(1, QStringLiteral("Bruno"), 1));
    QVERIFY(Amostra::Pessoa(2, QStringLiteral("álvaro"), 0));
    QVERIFY(Amostra::Pessoa(3, QStringLiteral("Alice"), 1));
    QVERIFY(Amostra::Pessoa(4, QStringLiteral("Ana Jurídica"), 1));
    QVERIFY(Amostra::Pessoa(5, QStringLiteral("Ana Física"), 0));
    QVERIFY(pasta_->executar(QStringLiteral("UPDATE tbPessoa SET Descricao = 'Ana' WHERE Codigo IN (4, 5)")));
    Relatorio r;
    QVERIFY(r.AbrirModelo(QStringLiteral("pessoasin.rpt")).ok);
    for (const QPoint& campo : ordem)
      QVERIFY(r.AdicionarOrdem(campo.x(), campo.y()).ok);
    QVERIFY(r.Preparar().ok);
    QStringList lidos;
    for (int i = 0; i < r.quantosRegistros(); ++i) {
      const QString nome = r.dados().valor(i, 1).toString();
      const int codigo = r.dados().valor(i, 0).toInt();
      lidos.append(nome != QLatin1String("Ana")
                       ? nome
                       : (codigo == 4 ? QStringLiteral("Ana Jurídica") : QStringLiteral("Ana Física")));
    }
    QCOMPARE(lidos, nomes);
    // The printed page shows the same order.
    const QString texto = paginasPdf(r, pdf()).join(QString());
    qsizetype anterior = -1;
    for (const QString& nome : nomes) {
      if (nome.startsWith(QLatin1String("Ana")))
        continue;
      QVERIFY2(texto.indexOf(nome) > anterior, qPrintable(nome));
      anterior = texto.indexOf(nome);
    }
    QVERIFY(!r.AdicionarOrdem(1, 5).ok);
    QVERIFY(!r.AdicionarOrdem(2, 1).ok);
  }

  void formulaParametroESupressaoNaPagina() {
    QVERIFY(Amostra::Pessoa(1, QStringLiteral("Carla Mendes")));
    QVERIFY(Amostra::Recibo(1, 2024, QStringLiteral("2024-03-05"), 1234.5, 1, 1));
    Relatorio r;
    abrirRecibos(r);
    QVERIFY(r.DefinirFormula(QStringLiteral("Periodo"), QStringLiteral("'PERÍODO DE 01/03/2024 A 31/03/2024'")).ok);
    QVERIFY(r.Preparar().ok);
    QString texto = paginasPdf(r, pdf()).join(QString());
    QVERIFY2(texto.contains(QStringLiteral("PERÍODO DE 01/03/2024 A 31/03/2024")), qPrintable(texto));
    QVERIFY(texto.contains(QStringLiteral("1.234,50")));
    QVERIFY(texto.contains(QStringLiteral("05/03/2024")));
    QVERIFY(texto.contains(QStringLiteral("Carla Mendes")));

    // A formula text that does not parse is refused with its position; the old text stays.
    const Resultado ruim = r.DefinirFormula(QStringLiteral("Periodo"), QStringLiteral("'aberto"));
    QVERIFY(!ruim.ok);
    QVERIFY2(ruim.erro.contains(QStringLiteral("posição 1")), qPrintable(ruim.erro));
    QVERIFY2(!ruim.erro.contains(QStringLiteral("linha")), qPrintable(ruim.erro));  // not the file's text
    QVERIFY(!r.DefinirFormula(QStringLiteral("NaoExiste"), QStringLiteral("'x'")).ok);

    // Hidden parts are absent from the page; the rest stays.
    QVERIFY(r.SuprimirObjeto(2, 5).ok);
    QVERIFY(r.SuprimirSecao(1).ok);
    QVERIFY(r.Preparar().ok);
    texto = paginasPdf(r, pdf()).join(QString());
    QVERIFY(!texto.contains(QStringLiteral("PERÍODO")));
    QVERIFY(!texto.contains(QStringLiteral("Carla Mendes")));
    QVERIFY(texto.contains(QStringLiteral("1.234,50")));
    QVERIFY(!r.SuprimirSecao(4).ok);
    QVERIFY(!r.SuprimirSecao(0).ok);
    QVERIFY(!r.SuprimirObjeto(2, 6).ok);
  }

  void paginacao_data() {
    QTest::addColumn<int>("registros");
    QTest::addColumn<bool>("comRodape");
    QTest::addColumn<QList<int>>("porPagina");  // details on each page
    QTest::newRow("nenhum registro") << 0 << false << QList<int>{0};
    QTest::newRow("uma página cheia") << 25 << false << QList<int>{25};
    QTest::newRow("um registro a mais") << 26 << false << QList<int>{25, 1};
    QTest::newRow("rodapé do relatório não cabe") << 25 << true << QList<int>{25, 0};
    QTest::newRow("rodapé do relatório cabe") << 24 << true << QList<int>{24};
    QTest::newRow("três páginas") << 51 << false << QList<int>{25, 25, 1};
  }
  void paginacao() {
    QFETCH(int, registros);
    QFETCH(bool, comRodape);
    QFETCH(QList<int>, porPagina);
    for (int c = 1; c <= registros; ++c)
      QVERIFY(Amostra::Referente(c, QStringLiteral("item")));
    Relatorio r;
    QVERIFY(r.AbrirModelo(QStringLiteral("paginas.rpt")).ok);
    if (!comRodape)
      QVERIFY(r.SuprimirSecao(3).ok);
    QVERIFY(r.Preparar().ok);
    QCOMPARE(r.quantasPaginas(), porPagina.size());
    const QStringList paginas = paginasPdf(r, pdf());
    QCOMPARE(paginas.size(), porPagina.size());
    for (int p = 0; p < paginas.size(); ++p) {
      const QString& pagina = paginas.at(p);
      QCOMPARE(pagina.count(QStringLiteral("item")), porPagina.at(p));
      QVERIFY(pagina.contains(QStringLiteral("CABECALHO")));
      QVERIFY(pagina.contains(QStringLiteral("Página %1 de %2").arg(p + 1).arg(paginas.size())));
      QCOMPARE(pagina.contains(QStringLiteral("FIM DO RELATORIO")), comRodape && p == paginas.size() - 1);
    }
  }

  void detalheNaoSeDivide() {
    // The 25th record wraps to three lines: it no longer fits on the first page and goes
    // whole to the second.
    for (int c = 1; c <= 24; ++c)
      QVERIFY(Amostra::Referente(c, QStringLiteral("item")));
    QVERIFY(Amostra::Referente(25, QStringLiteral("primeira linha\nsegunda linha\nterceira linha")));
    Relatorio r;
    QVERIFY(r.AbrirModelo(QStringLiteral("paginas.rpt")).ok);
    QVERIFY(r.SuprimirSecao(3).ok);
    QVERIFY(r.Preparar().ok);
    const QStringList paginas = paginasPdf(r, pdf());
    QCOMPARE(paginas.size(), 2);
    QCOMPARE(paginas.at(0).count(QStringLiteral("item")), 24);
    for (const char* linha : {"0025", "primeira linha", "segunda linha", "terceira linha"})
      QVERIFY2(paginas.at(1).contains(QLatin1String(linha)), linha);
  }

  void exportaPdfNaOrdem() {
    const QStringList nomes = {QStringLiteral("Zélia Prado"), QStringLiteral("Bruno Dias"),
                               QStringLiteral("Ícaro Lopes"), QStringLiteral("Ana Reis")};
    for (int i = 0; i < nomes.size(); ++i)
      QVERIFY(Amostra::Pessoa(i + 1, nomes.at(i), i % 2,
                              i % 2 ? QStringLiteral("12ABC34501DE35") : QStringLiteral("12345678909")));
    Relatorio r;
    QVERIFY(r.AbrirModelo(QStringLiteral("pessoasin.rpt")).ok);
    QVERIFY(r.DefinirFormulaSelecao(QStringLiteral("{tbPessoa.Codigo} in 1 to 4")).ok);
    QVERIFY(r.AdicionarOrdem(1, 2).ok);
    QVERIFY(r.Preparar().ok);
    const QString texto = paginasPdf(r, pdf()).join(QString());
    const QStringList ordem = {QStringLiteral("Ana Reis"), QStringLiteral("Bruno Dias"), QStringLiteral("Ícaro Lopes"),
                               QStringLiteral("Zélia Prado")};
    qsizetype anterior = -1;
    for (const QString& nome : ordem) {
      const qsizetype onde = texto.indexOf(nome);
      QVERIFY2(onde > anterior, qPrintable(nome + QLatin1Char('\n') + texto));
      anterior = onde;
    }
    QVERIFY(texto.contains(QStringLiteral("123.456.789-09")));
    QVERIFY(texto.contains(QStringLiteral("12.ABC.345/01DE-35")));
    QVERIFY(texto.contains(QStringLiteral("Total de pessoas listadas:")));
    // Exporting again replaces the file.
    QVERIFY(r.ExportarPdf(pdf()).ok);
    QVERIFY(!r.ExportarPdf(pasta_->caminho() + QStringLiteral("/nao/existe/saida.pdf")).ok);
  }

  void extensoSemBiblioteca() {
    QVERIFY(Amostra::Recibo(1, 2024, QStringLiteral("2024-03-05"), 21.5, 1, 1));
    Relatorio r;
    abrirRecibos(r);
    QVERIFY(r.Preparar().ok);
    QCOMPARE(r.avisos().size(), 1);
    QVERIFY2(r.avisos().first().contains(QStringLiteral("libverbalor.so não foi encontrada")),
             qPrintable(r.avisos().first()));
    // The rest of the report is there.
    QVERIFY(paginasPdf(r, pdf()).join(QString()).contains(QStringLiteral("21,50")));
    // Hiding the only part that writes words leaves nothing to warn about.
    QVERIFY(r.SuprimirSecao(3).ok);
    QVERIFY(r.Preparar().ok);
    QVERIFY(r.avisos().isEmpty());
  }

  void extensoPelaBiblioteca_data() {
    QTest::addColumn<QString>("biblioteca");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("carregada") << QStringLiteral(VERBALOR_FALSO)
                               << QStringLiteral("extenso de 1234.50 com 2 casas: cinqüenta");
    QTest::newRow("sem a função") << QStringLiteral(VERBALOR_SEM_FUNCAO) << QStringLiteral("TranslateNumberToWords");
  }
  void extensoPelaBiblioteca() {
    QFETCH(QString, biblioteca);
    QFETCH(QString, esperado);
    QVERIFY(QFile::copy(biblioteca, pasta_->caminho() + QStringLiteral("/libverbalor.so")));
    QVERIFY(Amostra::Recibo(1, 2024, QStringLiteral("2024-03-05"), 1234.5, 1, 1));
    Relatorio r;
    abrirRecibos(r);
    QVERIFY(r.Preparar().ok);
    const QString texto = paginasPdf(r, pdf()).join(QString()) + r.avisos().join(QLatin1Char('\n'));
    QVERIFY2(texto.contains(esperado), qPrintable(texto));
  }

  void valoresExatosETotais_data() {
    QTest::addColumn<QList<qint64>>("valores");  // ten-thousandths, one receipt each
    QTest::addColumn<QStringList>("esperados");
    const qint64 maximo = std::numeric_limits<qint64>::max();
    const qint64 quinhentosTri = 5'000'000'000'000'000'000;
    QTest::newRow("maior valor exato") << QList<qint64>{maximo}
                                       << QStringList{"VALOR 922.337.203.685.477,5807",
                                                      "TOTAL 922.337.203.685.477,5807"};
    QTest::newRow("total exato") << QList<qint64>{maximo - 10'000, 10'000}
                                 << QStringList{"VALOR 922.337.203.685.476,5807", "TOTAL 922.337.203.685.477,5807"};
    QTest::newRow("totalQueTransbordaEhRelatado")
        << QList<qint64>{quinhentosTri, quinhentosTri}
        << QStringList{"TOTAL [valor grande demais]", "DOBRO [valor grande demais]"};
    QTest::newRow("valorAcimaDoLimiteNaoTemExtensoErrado")
        << QList<qint64>{99'999'999'999'999'900 + 100}
        << QStringList{"(valor grande demais para ser escrito por extenso)", "DOBRO 20.000.000.000.000,00"};
  }
  // Amounts stay exact integers from the store to the page; a total past what the store holds
  // is reported instead of wrapping round into a negative figure.
  void valoresExatosETotais() {
    QFETCH(QList<qint64>, valores);
    QFETCH(QStringList, esperados);
    QVERIFY(pasta_->escreverModelo(QStringLiteral("valores.rpt"), kModeloValores));
    for (int i = 0; i < valores.size(); ++i)
      QVERIFY(
          pasta_->executar(QStringLiteral("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, "
                                          "Referente) VALUES (?, 2026, '2026-12-07', ?, 1, 1, 'x')"),
                           {i + 1, valores.at(i)}));
    Relatorio r;
    QVERIFY(r.AbrirModelo(QStringLiteral("valores.rpt")).ok);
    QVERIFY(r.Preparar().ok);
    const QString texto = paginasPdf(r, pdf()).join(QString()).simplified();
    for (const QString& esperado : esperados)
      QVERIFY2(texto.contains(esperado), qPrintable(esperado + QStringLiteral(" em: ") + texto));
    QVERIFY2(!texto.contains(QStringLiteral("-")), qPrintable(texto));
  }

  // A text of megabytes in a field (from a restored file) is cut before it is measured.
  void referenteEnormeNaoTravaImpressao() {
    QString enorme;
    for (int i = 0; i < 40000; ++i)
      enorme += QStringLiteral("palavra ");
    QVERIFY(Amostra::Referente(1, enorme));
    Relatorio r;
    QVERIFY(r.AbrirModelo(QStringLiteral("paginas.rpt")).ok);
    QVERIFY(r.Preparar().ok);
    QCOMPARE(r.quantasPaginas(), 1);
    const QString texto = paginasPdf(r, pdf()).join(QString());
    QCOMPARE(texto.count(QStringLiteral("[texto cortado]")), 1);
    QVERIFY(texto.count(QStringLiteral("palavra")) < 400);
  }

  void dadosAtuaisACadaPreparo() {
    QVERIFY(Amostra::Referente(1, QStringLiteral("um")));
    Relatorio r;
    QVERIFY(r.AbrirModelo(QStringLiteral("referente.rpt")).ok);
    QVERIFY(r.Preparar().ok);
    QCOMPARE(r.quantosRegistros(), 1);
    QVERIFY(Amostra::Referente(2, QStringLiteral("dois")));
    r.DescartarDadosSalvos();
    QVERIFY(!r.preparado());
    QVERIFY(r.Preparar().ok);
    QCOMPARE(r.quantosRegistros(), 2);
  }

  void modeloAusenteOuInvalido_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("erro");
    QTest::newRow("sem tabelas") << QStringLiteral("[relatorio]\ntitulo = x\n") << QStringLiteral("nenhuma tabela");
    QTest::newRow("bloco desconhecido") << QStringLiteral(
                                               "[tabela 1]\nnome = tbPessoa\ncampos = Codigo inteiro\n[xyz]\n")
                                        << QStringLiteral("linha 4: bloco desconhecido");
    QTest::newRow("tipo de campo") << QStringLiteral("[tabela 1]\nnome = tbPessoa\ncampos = Codigo numero\n")
                                   << QStringLiteral("linha 3: tipo de campo desconhecido");
    QTest::newRow("seção fora de ordem")
        << QStringLiteral("[tabela 1]\nnome = tbPessoa\ncampos = Codigo inteiro\n[secao 2 detalhe]\n")
        << QStringLiteral("linha 4: as seções devem ser numeradas");
    QTest::newRow("objeto sem tamanho")
        << QStringLiteral(
               "[tabela 1]\nnome = tbPessoa\ncampos = Codigo inteiro\n[secao 1 detalhe]\nobjeto = campo x=0 | "
               "tbPessoa.Codigo\n")
        << QStringLiteral("linha 5: o objeto precisa de largura");
    QTest::newRow("campo desconhecido")
        << QStringLiteral(
               "[tabela 1]\nnome = tbPessoa\ncampos = Codigo inteiro\n[secao 1 detalhe]\nobjeto = campo l=5 a=5 | "
               "tbPessoa.Nome\n")
        << QStringLiteral("linha 5: campo desconhecido");
    QTest::newRow("fórmula com erro")
        << QStringLiteral(
               "[tabela 1]\nnome = tbPessoa\ncampos = Codigo inteiro\n[formula F]\ntexto = Juntar(', ' "
               "{tbPessoa.Codigo})\n")
        << QStringLiteral("fórmula F: erro na fórmula, posição 13");
    QTest::newRow("função desconhecida")
        << QStringLiteral("[tabela 1]\nnome = tbPessoa\ncampos = Codigo inteiro\n[formula F]\ntexto = Somar(1)\n")
        << QStringLiteral("função desconhecida Somar");
    QTest::newRow("duas tabelas principais")
        << QStringLiteral(
               "[tabela 1]\nnome = tbPessoa\ncampos = Codigo inteiro\n[tabela 2]\nnome = tbReferente\ncampos = "
               "Codigo inteiro\n")
        << QStringLiteral("exatamente uma tabela");
    QTest::newRow("nome de tabela com SQL")
        << QStringLiteral("[tabela 1]\nnome = tbPessoa; DROP\n") << QStringLiteral("nome de tabela inválido");
    QTest::newRow("grupo sem campo")
        << QStringLiteral(
               "[tabela 1]\nnome = tbPessoa\ncampos = Codigo inteiro\n[secao 1 cabecalho_grupo]\ngrupo = "
               "tbPessoa.Nome\n")
        << QStringLiteral("campo de grupo desconhecido \"tbPessoa.Nome\"");
    QTest::newRow("soma de uma conta")
        << QStringLiteral(
               "[tabela 1]\nnome = tbPessoa\ncampos = Codigo inteiro\n[formula F]\ntexto = Soma(1 + "
               "{tbPessoa.Codigo})\n")
        << QStringLiteral("fórmula F: erro na fórmula, posição 1: Soma pede um campo");
  }
  void modeloAusenteOuInvalido() {
    QFETCH(QString, texto);
    QFETCH(QString, erro);
    conferirRecusa(texto, erro);
    QVERIFY(!Relatorio().AbrirModelo(QStringLiteral("naoexiste.rpt")).ok);
  }

  // The parser and every walk over a formula recurse as deep as it nests: thousands of levels
  // crashed the program when a receipt was printed.
  void formulaMuitoAninhadaEhRecusada_data() {
    QTest::addColumn<QString>("formula");
    const int n = 5000;
    QTest::newRow("parênteses") << QString(n, QLatin1Char('(')) + QLatin1Char('1') + QString(n, QLatin1Char(')'));
    QTest::newRow("funções") << QStringLiteral("Texto(").repeated(n) + QLatin1Char('1') + QString(n, QLatin1Char(')'));
    QTest::newRow("Not") << QStringLiteral("Not ").repeated(n) + QStringLiteral("True");
    QTest::newRow("sinais") << QStringLiteral("-").repeated(n) + QLatin1Char('1');
    QTest::newRow("cadeia de somas") << QStringLiteral("1").append(QStringLiteral(" + 1").repeated(50 * n));
  }
  void formulaMuitoAninhadaEhRecusada() {
    QFETCH(QString, formula);
    conferirRecusa(
        QStringLiteral("[tabela 1]\nnome = tbPessoa\ncampos = Codigo inteiro\n[formula F]\ntexto = ") + formula,
        QStringLiteral("ruim.rpt, linha 5, fórmula F: erro na fórmula, posição"));
    conferirRecusa(
        QStringLiteral("[tabela 1]\nnome = tbPessoa\ncampos = Codigo inteiro\n[formula F]\ntexto = ") + formula,
        QStringLiteral("níveis demais (o limite é 200)"));
  }

  // Measures that are not numbers, negative, absurd, or margins that leave no room on the paper
  // made every row vanish silently.
  void medidasInvalidasSaoRecusadas_data() {
    QTest::addColumn<QString>("linha");
    QTest::addColumn<QString>("erro");
    QTest::newRow("altura nan") << QStringLiteral("altura = nan") << QStringLiteral("linha 5: medida inválida: nan");
    QTest::newRow("altura inf") << QStringLiteral("altura = inf") << QStringLiteral("linha 5: medida inválida: inf");
    QTest::newRow("altura negativa") << QStringLiteral("altura = -5") << QStringLiteral("linha 5: medida inválida");
    QTest::newRow("altura absurda") << QStringLiteral("altura = 1e300") << QStringLiteral("linha 5: medida inválida");
    QTest::newRow("largura nan") << QStringLiteral("objeto = texto l=nan a=5 | x")
                                 << QStringLiteral("linha 5: medida inválida: nan");
    QTest::newRow("espessura negativa") << QStringLiteral("objeto = caixa l=5 a=5 espessura=-1")
                                        << QStringLiteral("linha 5: medida inválida");
    QTest::newRow("margens maiores que o papel") << QStringLiteral("[relatorio]\nmargens = 150 10 150 10")
                                                 << QStringLiteral("linha 6: as margens não deixam área");
    QTest::newRow("margens de papel deitado")
        << QStringLiteral("[relatorio]\nmargens = 10 110 10 110\norientacao = paisagem")
        << QStringLiteral("linha 7: as margens não deixam área");
  }
  void medidasInvalidasSaoRecusadas() {
    QFETCH(QString, linha);
    QFETCH(QString, erro);
    conferirRecusa(QStringLiteral("[tabela 1]\nnome = tbPessoa\ncampos = Codigo inteiro\n[secao 1 detalhe]\n") + linha,
                   QStringLiteral("ruim.rpt, ") + erro);
  }
};

QTEST_MAIN(tst_Relatorio)
#include "tst_Relatorio.moc"
