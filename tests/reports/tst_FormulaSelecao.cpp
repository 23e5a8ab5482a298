// The selection formulas the report screens build, compiled and run on a real database.
#include "reports/engine/Relatorio.h"
#include "tests/reports/Amostra.h"
#include "tests/support/PastaTeste.h"

#include <QtTest>

namespace {

// Table 2 of the receipts layout: Codigo is column 2, Ano column 3.
QList<int> recibos(const Relatorio& r) {
  QList<int> chaves;
  for (int i = 0; i < r.quantosRegistros(); ++i)
    chaves.append(r.dados().valor(i, 3).toInt() * 100 + r.dados().valor(i, 2).toInt());
  std::sort(chaves.begin(), chaves.end());
  return chaves;
}

QList<int> codigos(const Relatorio& r) {
  QList<int> lista;
  for (int i = 0; i < r.quantosRegistros(); ++i)
    lista.append(r.dados().valor(i, 0).toInt());
  return lista;
}

}  // namespace

class tst_FormulaSelecao : public QObject {
  Q_OBJECT
  std::unique_ptr<PastaTeste> pasta_;

private slots:
  void initTestCase() {
    pasta_ = std::make_unique<PastaTeste>();
    QVERIFY(pasta_->abrir());
    QVERIFY(pasta_->copiarModelos());
    QVERIFY(pasta_->escreverModelo(QStringLiteral("recibos.rpt"), Amostra::ModeloRecibos()));
    for (int c = 1; c <= 12; ++c)
      QVERIFY(Amostra::Pessoa(c, QStringLiteral("Pessoa %1").arg(c, 2, 10, QLatin1Char('0'))));
    QVERIFY(Amostra::Pessoa(13, QStringLiteral("O'Brien")));
    for (int c = 1; c <= 12; ++c)
      QVERIFY(Amostra::Referente(c, QStringLiteral("Referente %1").arg(c)));
    struct R {
      int codigo, ano;
      const char* data;
      double valor;
      int recebi, emitente;
    };
    const R linhas[] = {{1, 2024, "2024-02-29", 50, 7, 1},     {2, 2024, "2024-03-01", 100, 3, 7},
                        {3, 2024, "2024-03-15", 100.01, 7, 2}, {4, 2024, "2024-03-31", 150.5, 2, 7},
                        {5, 2024, "2024-04-01", 99.99, 7, 3},  {6, 2024, "2024-03-10", 1000, 1, 7},
                        {7, 2024, "2024-05-05", 0.5, 13, 1},   {1, 2023, "2023-12-01", 10, 1, 1},
                        {2, 2023, "2023-12-02", 20, 2, 2},     {3, 2023, "2023-12-03", 300, 3, 3},
                        {4, 2023, "2023-12-04", 40, 4, 4}};
    for (const R& l : linhas)
      QVERIFY(Amostra::Recibo(l.codigo, l.ano, QString::fromLatin1(l.data), l.valor, l.recebi, l.emitente));
  }
  void cleanupTestCase() { pasta_.reset(); }

  void selecionaRecibos_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QList<int>>("esperados");
    const QString marco =
        QStringLiteral("{tbRecibo.DataEmissao} in DateTime (2024,03,01,00,00,00) to DateTime (2024,03,31,00,00,00)");
    const QString trimestre =
        QStringLiteral("{tbRecibo.DataEmissao} in DateTime (2024,01,01,00,00,00) to DateTime (2024,03,31,00,00,00)");
    QTest::newRow("vazia: todos") << QString() << QList<int>{202301, 202302, 202303, 202304, 202401, 202402,
                                                             202403, 202404, 202405, 202406, 202407};
    QTest::newRow("período inclui o último dia") << marco << QList<int>{202402, 202403, 202404, 202406};
    QTest::newRow("números no mesmo ano")
        << QStringLiteral(
               "({tbRecibo.Codigo}>=1 AND {tbRecibo.Ano}=2024) AND ({tbRecibo.Codigo}<=5 AND "
               "{tbRecibo.Ano}=2024) ")
        << QList<int>{202401, 202402, 202403, 202404, 202405};
    QTest::newRow("números em anos diferentes")
        << QStringLiteral(
               "({tbRecibo.Codigo}>=3 AND {tbRecibo.Ano}=2023) OR ({tbRecibo.Codigo}<=2 AND "
               "{tbRecibo.Ano}=2024) ")
        << QList<int>{202303, 202304, 202401, 202402};
    QTest::newRow("emitente") << QStringLiteral("{tbRecibo.Emitente}=7") << QList<int>{202402, 202404, 202406};
    QTest::newRow("recebi") << QStringLiteral("{tbRecibo.Recebi}=7") << QList<int>{202401, 202403, 202405};
    QTest::newRow("período e recebi") << marco + QStringLiteral(" AND {tbRecibo.Recebi}=7") << QList<int>{202403};
    QTest::newRow("período e números") << trimestre +
                                              QStringLiteral(
                                                  " AND ({tbRecibo.Codigo}>=2 AND {tbRecibo.Ano}=2024) AND ") +
                                              trimestre +
                                              QStringLiteral(" AND ({tbRecibo.Codigo}<=6 AND {tbRecibo.Ano}=2024) ")
                                       << QList<int>{202402, 202403, 202404, 202406};
    QTest::newRow("valor acima") << QStringLiteral("{tbRecibo.Valor} > 100")
                                 << QList<int>{202303, 202403, 202404, 202406};
    QTest::newRow("valor decimal") << QStringLiteral("{tbRecibo.Valor} = 150.5") << QList<int>{202404};
    QTest::newRow("valor em intervalo") << QStringLiteral("{tbRecibo.Valor} in 99.99 to 100")
                                        << QList<int>{202402, 202405};
    QTest::newRow("texto com aspas") << QStringLiteral("{tbPessoaRecebi.Descricao} = 'O''Brien'") << QList<int>{202407};
    QTest::newRow("texto não vira SQL") << QStringLiteral("{tbPessoaRecebi.Descricao} = 'x'' OR 1=1 --'")
                                        << QList<int>{};
    QTest::newRow("palavras em qualquer caixa")
        << QStringLiteral("{TBRECIBO.codigo} IN 1 TO 2 and NOT {tbRecibo.Ano} = 2023") << QList<int>{202401, 202402};
    QTest::newRow("data sem hora") << QStringLiteral("{tbRecibo.DataEmissao} >= Date (2024,4,1)")
                                   << QList<int>{202405, 202407};
    QTest::newRow("hora depois da meia-noite")
        << QStringLiteral("{tbRecibo.DataEmissao} < DateTime (2024,03,01,12,00,00) AND {tbRecibo.Ano} = 2024")
        << QList<int>{202401, 202402};
    QTest::newRow("parênteses e or") << QStringLiteral(
                                            "({tbRecibo.Ano} = 2023 OR {tbRecibo.Codigo} = 7) AND "
                                            "{tbRecibo.Valor} < 15")
                                     << QList<int>{202301, 202407};
  }
  void selecionaRecibos() {
    QFETCH(QString, formula);
    QFETCH(QList<int>, esperados);
    Relatorio r;
    QVERIFY(r.AbrirModelo(QStringLiteral("recibos.rpt")).ok);
    r.DescartarDadosSalvos();
    const Resultado definida = r.DefinirFormulaSelecao(formula);
    QVERIFY2(definida.ok, qPrintable(definida.erro));
    const Resultado preparada = r.Preparar();
    QVERIFY2(preparada.ok, qPrintable(preparada.erro));
    QCOMPARE(recibos(r), esperados);
  }

  void parametroNaSelecao() {
    Relatorio r;
    QVERIFY(r.AbrirModelo(QStringLiteral("recibos.rpt")).ok);
    QVERIFY(
        r.DefinirFormulaSelecao(QStringLiteral("{tbRecibo.Codigo} = {?CodigoRecibo} AND {tbRecibo.Ano} = 2024")).ok);
    QVERIFY(r.DefinirParametro(QStringLiteral("CodigoRecibo"), 4).ok);
    QVERIFY(r.Preparar().ok);
    QCOMPARE(recibos(r), QList<int>{202404});
    // A new value is read on the next preparation.
    QVERIFY(r.DefinirParametro(QStringLiteral("codigorecibo"), QStringLiteral("6")).ok);
    QVERIFY(r.Preparar().ok);
    QCOMPARE(recibos(r), QList<int>{202406});
    QVERIFY(!r.DefinirParametro(QStringLiteral("CodigoRecibo"), QStringLiteral("seis")).ok);
    QVERIFY(!r.DefinirParametro(QStringLiteral("AnoRecibo"), 2024).ok);
  }

  void selecionaPessoasEReferentes_data() {
    QTest::addColumn<QString>("modelo");
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QList<int>>("esperados");
    QTest::newRow("pessoas 3 a 10") << QStringLiteral("pessoasin.rpt") << QStringLiteral("{tbPessoa.Codigo} in 3 to 10")
                                    << QList<int>{3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("uma pessoa") << QStringLiteral("pessoaana.rpt") << QStringLiteral("{tbPessoa.Codigo} in 5 to 5")
                                << QList<int>{5};
    QTest::newRow("final abaixo do inicial")
        << QStringLiteral("pessoasin.rpt") << QStringLiteral("{tbPessoa.Codigo} in 10 to 3") << QList<int>{};
    QTest::newRow("referentes 2 a 10") << QStringLiteral("referente.rpt")
                                       << QStringLiteral("{tbReferente.Codigo} in 2 to 10")
                                       << QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10};
  }
  void selecionaPessoasEReferentes() {
    QFETCH(QString, modelo);
    QFETCH(QString, formula);
    QFETCH(QList<int>, esperados);
    Relatorio r;
    const Resultado aberto = r.AbrirModelo(modelo);
    QVERIFY2(aberto.ok, qPrintable(aberto.erro));
    QVERIFY(r.DefinirFormulaSelecao(formula).ok);
    QVERIFY(r.AdicionarOrdem(1, 1).ok);
    QVERIFY(r.Preparar().ok);
    QCOMPARE(codigos(r), esperados);
  }

  void errosComPosicao_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("marca");  // where the error lies; empty: the end of the text
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("falta o fim do intervalo")
        << QStringLiteral("{tbRecibo.Codigo} in 3 to") << QString() << QStringLiteral("terminou");
    QTest::newRow("falta to") << QStringLiteral("{tbRecibo.Codigo} in 3 10") << QStringLiteral("10")
                              << QStringLiteral("\"to\" esperado");
    QTest::newRow("texto aberto") << QStringLiteral("{tbRecibo.Referente} = 'abc") << QStringLiteral("'")
                                  << QStringLiteral("aspas");
    QTest::newRow("campo desconhecido") << QStringLiteral("{tbRecibo.Nada} = 1") << QStringLiteral("{tbRecibo.Nada}")
                                        << QStringLiteral("campo desconhecido");
    QTest::newRow("tabela desconhecida") << QStringLiteral("{tbRecibo.Ano} = 1 AND {tbOutra.Codigo} = 2")
                                         << QStringLiteral("{tbOutra") << QStringLiteral("campo desconhecido");
    QTest::newRow("número contra texto") << QStringLiteral("{tbRecibo.Codigo} = 'a'") << QStringLiteral("=")
                                         << QStringLiteral("comparar");
    QTest::newRow("and no fim") << QStringLiteral("{tbRecibo.Codigo} > 1 AND") << QString()
                                << QStringLiteral("terminou");
    QTest::newRow("data inválida") << QStringLiteral("{tbRecibo.DataEmissao} = DateTime (2024,13,01,00,00,00)")
                                   << QStringLiteral("DateTime") << QStringLiteral("inválida");
    QTest::newRow("caractere estranho") << QStringLiteral("{tbRecibo.Codigo} # 3") << QStringLiteral("#")
                                        << QStringLiteral("inesperado");
    QTest::newRow("parêntese aberto") << QStringLiteral("({tbRecibo.Codigo} = 1") << QString()
                                      << QStringLiteral("\")\" esperado");
    QTest::newRow("não é condição") << QStringLiteral("{tbRecibo.Codigo}") << QStringLiteral("{")
                                    << QStringLiteral("verdadeiro ou falso");
    QTest::newRow("número enorme") << QStringLiteral("{tbRecibo.Codigo} = 99999999999999999999") << QStringLiteral("9")
                                   << QStringLiteral("grande");
    QTest::newRow("sobra depois") << QStringLiteral("{tbRecibo.Codigo} = 1 {tbRecibo.Ano}")
                                  << QStringLiteral("{tbRecibo.Ano}") << QStringLiteral("esperado");
    QTest::newRow("função na seleção") << QStringLiteral("Extenso({tbRecibo.Valor}) = 'x'") << QStringLiteral("Extenso")
                                       << QStringLiteral("não pode ser usada");
    QTest::newRow("parâmetro desconhecido")
        << QStringLiteral("{?Nada} = 1") << QStringLiteral("{?Nada}") << QStringLiteral("parâmetro desconhecido");
    QTest::newRow("and com número") << QStringLiteral("{tbRecibo.Codigo} = 1 AND 2") << QStringLiteral("AND")
                                    << QStringLiteral("And precisa");
    QTest::newRow("campo sem tabela") << QStringLiteral("{Codigo} = 1") << QStringLiteral("{")
                                      << QStringLiteral("{tabela.campo}");
  }
  void errosComPosicao() {
    QFETCH(QString, formula);
    QFETCH(QString, marca);
    QFETCH(QString, mensagem);
    Relatorio r;
    QVERIFY(r.AbrirModelo(QStringLiteral("recibos.rpt")).ok);
    const Resultado resultado = r.DefinirFormulaSelecao(formula);
    QVERIFY(!resultado.ok);
    const auto posicao = marca.isEmpty() ? formula.size() + 1 : formula.indexOf(marca) + 1;
    QVERIFY2(
        resultado.erro.startsWith(QStringLiteral("Fórmula de seleção: erro na fórmula, posição %1: ").arg(posicao)),
        qPrintable(resultado.erro));
    QVERIFY2(resultado.erro.contains(mensagem), qPrintable(resultado.erro));
    // Never an unfiltered report: preparing refuses until a good formula is set.
    const Resultado preparado = r.Preparar();
    QVERIFY(!preparado.ok);
    QCOMPARE(preparado.erro, resultado.erro);
    QVERIFY(r.DefinirFormulaSelecao(QStringLiteral("{tbRecibo.Codigo} = 1")).ok);
    QVERIFY(r.Preparar().ok);
    QCOMPARE(r.quantosRegistros(), 2);
  }
};

QTEST_MAIN(tst_FormulaSelecao)
#include "tst_FormulaSelecao.moc"
