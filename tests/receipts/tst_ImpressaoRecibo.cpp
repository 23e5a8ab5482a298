#include "receipts/ImpressaoRecibo.h"
#include "receipts/frmRecibo2.h"

#include "controls/uscSelecionaRegistro.h"
#include "controls/uscTextBox.h"
#include "controls/uscTextValue.h"
#include "reports/engine/Relatorio.h"
#include "reports/preview/VisualizadorRelatorio.h"
#include "reports/preview/frmPreviewRelatorio.h"
#include "tests/receipts/AmbienteRecibo.h"
#include "tests/support/TextoPdf.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QToolButton>
#include <QtTest>

namespace {

QWidget* foco() {
  return QApplication::focusWidget();
}

// Spaces of the page's layout do not matter, only the words and their order.
QString simplificado(const QString& texto) {
  return texto.simplified();
}

// A receipt as printed: the text of its PDF and each page drawn by the engine at 100 dpi.
struct PaginasImpressas {
  QString texto;
  QList<QImage> imagens;
};

}  // namespace

Q_DECLARE_METATYPE(AmbienteRecibo::Banco)

/// Saves receipts with "print on save" ticked and reads the page that the preview shows.
class tst_ImpressaoRecibo : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();
  void paginaDoRecibo_data();
  void paginaDoRecibo();
  void reciboEditadoMostraOsNovosValores();
  void viasLongasNaoSeCortam();
  void camposFiscais_data();
  void camposFiscais();
  void beneficiarioExcluidoNadaImprime();
  void marcaDasVias_data();
  void marcaDasVias();
  void nomeDoPdf_data();
  void nomeDoPdf();
  void paginasIguaisAsDoModeloSemRepeticao_data();
  void paginasIguaisAsDoModeloSemRepeticao();

private:
  /// Fills the screen, saves with print ticked, exports the preview and gives its text.
  /// The form of payment (a code, chosen with the arrow keys) and the beneficiary are left
  /// empty when 0.
  QString gravarEImprimir(qint64 recebi, const QString& valor, const QString& vias, const QString& observacao,
                          int forma = 0, qint64 beneficiario = 0);
  QString textoDaUltimaPrevia();
  /// Prints receipt `numero` of `ano` with `vias` copies through the folder's receipt layout.
  void imprimir(qint64 numero, int ano, int vias, PaginasImpressas& paginas);
  void escolher(uscSelecionaRegistro* seletor, qint64 codigo);

  std::unique_ptr<AmbienteRecibo> amb_;
  int previas_ = 0;
};

void tst_ImpressaoRecibo::init() {
  amb_ = std::make_unique<AmbienteRecibo>();
  QVERIFY(amb_->pronto());
  QVERIFY(amb_->abrirTela());
  amb_->controle<QCheckBox>("chkImprimirReciboGravar")->setChecked(true);
  previas_ = 0;
}

void tst_ImpressaoRecibo::cleanup() {
  amb_.reset();
}

void tst_ImpressaoRecibo::escolher(uscSelecionaRegistro* seletor, qint64 codigo) {
  seletor->Focar();
  QTest::keyClick(foco(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(foco(), QString::number(codigo));
  QTest::keyClick(foco(), Qt::Key_Tab);
}

QString tst_ImpressaoRecibo::textoDaUltimaPrevia() {
  const QList<QMdiSubWindow*> janelas = amb_->area->subWindowList(QMdiArea::CreationOrder);
  frmPreviewRelatorio* previa = nullptr;
  int quantas = 0;
  for (QMdiSubWindow* janela : janelas)
    if (auto* p = qobject_cast<frmPreviewRelatorio*>(janela->widget())) {
      previa = p;
      ++quantas;
    }
  if (previa == nullptr || quantas != previas_ + 1)
    return QStringLiteral("<nenhuma visualização nova>");
  ++previas_;
  const QString pdf = amb_->pasta.caminho() + QStringLiteral("/recibo%1.pdf").arg(previas_);
  if (Resultado r = previa->prvRelatorio()->relatorio()->ExportarPdf(pdf); !r)
    return r.erro;
  return TextoPdf(pdf);
}

QString tst_ImpressaoRecibo::gravarEImprimir(qint64 recebi, const QString& valor, const QString& vias,
                                             const QString& observacao, int forma, qint64 beneficiario) {
  auto* caixaValor = amb_->controle<uscTextValue>("txtValor");
  caixaValor->Focar();
  caixaValor->selecionarTudo();
  QTest::keyClicks(foco(), valor);
  escolher(amb_->controle<uscSelecionaRegistro>("uscRecebi"), recebi);
  amb_->controle<QPlainTextEdit>("txtReferente")->setPlainText(QStringLiteral("Aluguel do mês de dezembro"));
  escolher(amb_->controle<uscSelecionaRegistro>("uscEmitente"), AmbienteRecibo::kComercio);
  amb_->controle<QPlainTextEdit>("txtObservacao")->setPlainText(observacao);
  amb_->controle<QComboBox>("cboVias")->setCurrentText(vias);
  auto* formas = amb_->controle<QComboBox>("cboFormaPagamento");
  auto* beneficiarios = amb_->controle<uscSelecionaRegistro>("uscBeneficiario");
  if (formas == nullptr || beneficiarios == nullptr)
    return QStringLiteral("<sem forma de pagamento ou beneficiário na tela>");
  formas->setFocus();
  for (int i = 0; i < forma; ++i)
    QTest::keyClick(foco(), Qt::Key_Down);
  if (beneficiario != 0)
    escolher(beneficiarios, beneficiario);
  QTest::keyClick(foco(), Qt::Key_F5);
  if (amb_->pasta.mensagens.quantas() != 0)
    return amb_->pasta.mensagens.ultima().texto;
  return textoDaUltimaPrevia();
}

void tst_ImpressaoRecibo::paginaDoRecibo_data() {
  QTest::addColumn<qint64>("recebi");
  QTest::addColumn<QString>("valor");
  QTest::addColumn<QString>("vias");
  QTest::addColumn<QString>("numero");
  QTest::addColumn<QStringList>("esperados");
  QTest::newRow("pessoa física, uma via")
      << AmbienteRecibo::kMaria << "1.234,50"
      << "1"
      << "1"
      << QStringList{"RECIBO",
                     "Nº 000001/2026",
                     "R$ 1.234,50",
                     "Recebi de",
                     "Maria da Silva",
                     "CPF 529.982.247-25",
                     "a importância de um mil duzentos e trinta e quatro reais e cinqüenta centavos Referente a",
                     "Referente a",
                     "Aluguel do mês de dezembro",
                     "Observação",
                     "Pago em PIX",
                     "São Paulo, 7 de dezembro de 2026",
                     "Comércio Exemplo Ltda",
                     "CNPJ 11.222.333/0001-81",
                     "Avenida Paulista, 1000, Bela Vista - São Paulo/SP - CEP 01310-100"};
  QTest::newRow("CNPJ com letras, duas vias")
      << AmbienteRecibo::kLetras << "0,01"
      << "2"
      << "1"
      << QStringList{"Letras e Números S.A.", "CNPJ 12.ABC.345/01DE-35", "R$ 0,01",
                     "a importância de um centavo Referente a", "recorte aqui"};
  // The amount box was cut from R$ 10 bi on; the largest amount accepted prints whole, in words
  // to the cent.
  QTest::newRow("maior valor aceito") << AmbienteRecibo::kMaria << "9.999.999.999.999,99"
                                      << "1"
                                      << "1"
                                      << QStringList{"R$ 9.999.999.999.999,99", "a importância de nove trilhões",
                                                     "noventa e nove reais e noventa e nove centavos Referente a"};
}

void tst_ImpressaoRecibo::paginaDoRecibo() {
  QFETCH(qint64, recebi);
  QFETCH(QString, valor);
  QFETCH(QString, vias);
  QFETCH(QString, numero);
  QFETCH(QStringList, esperados);
  const QString texto = gravarEImprimir(recebi, valor, vias, QStringLiteral("Pago em PIX"));
  const QString simples = simplificado(texto);
  for (const QString& esperado : esperados)
    QVERIFY2(simples.contains(esperado), qPrintable(esperado + QStringLiteral(" não está em:\n") + texto));
  // One page; the receipt once for one copy, twice for two, the cut line only between them.
  QCOMPARE(texto.count(QLatin1Char('\f')), 1);
  const int copias = vias.toInt();
  QCOMPARE(texto.count(QStringLiteral("RECIBO")), copias);
  QCOMPARE(texto.count(QStringLiteral("Recebi de")), copias);
  QCOMPARE(simples.count(QStringLiteral("São Paulo, 7 de dezembro de 2026")), copias);
  QCOMPARE(texto.count(QStringLiteral("recorte aqui")), copias - 1);
  QCOMPARE(amb_->controle<uscTextBox>("txtNumeroRecibo")->Text(), QString::number(numero.toInt() + 1));
}

void tst_ImpressaoRecibo::reciboEditadoMostraOsNovosValores() {
  QVERIFY(amb_->inserirRecibo(40000, 2026, 10000, AmbienteRecibo::kMaria, AmbienteRecibo::kJoao));
  auto* numero = amb_->controle<uscTextBox>("txtNumeroRecibo");
  numero->Focar();
  numero->selecionarTudo();
  QTest::keyClicks(foco(), QStringLiteral("40000"));
  QTest::keyClick(foco(), Qt::Key_Tab);
  auto* valor = amb_->controle<uscTextValue>("txtValor");
  valor->Focar();
  valor->selecionarTudo();
  QTest::keyClicks(foco(), QStringLiteral("2.000.000,00"));
  amb_->controle<QComboBox>("cboVias")->setCurrentText(QStringLiteral("1"));
  QTest::keyClick(foco(), Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 0);
  const QString simples = simplificado(textoDaUltimaPrevia());
  // Numbers beyond a 16-bit integer print as they are.
  QVERIFY2(simples.contains(QStringLiteral("Nº 040000/2026")), qPrintable(simples));
  QVERIFY2(simples.contains(QStringLiteral("R$ 2.000.000,00")), qPrintable(simples));
  QVERIFY2(simples.contains(QStringLiteral("dois milhões reais")), qPrintable(simples));
  QVERIFY2(simples.contains(QStringLiteral("Santos, 15 de março de 2026")), qPrintable(simples));
}

// Two copies whose texts no longer fit one page: the second copy goes whole to a second page
// instead of being cut at the bottom of the first.
void tst_ImpressaoRecibo::viasLongasNaoSeCortam() {
  QString observacao;
  for (int i = 1; i <= 12; ++i)
    observacao += QStringLiteral("Parcela %1 paga por transferência bancária conforme o contrato assinado. ").arg(i);
  const QString texto =
      gravarEImprimir(AmbienteRecibo::kMaria, QStringLiteral("500,00"), QStringLiteral("2"), observacao);
  const QStringList paginas = texto.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
  QCOMPARE(paginas.size(), 2);
  for (const QString& pagina : paginas) {
    const QString simples = simplificado(pagina);
    QCOMPARE(simples.count(QStringLiteral("RECIBO")), 1);
    QVERIFY2(simples.contains(QStringLiteral("Parcela 12 paga")), qPrintable(simples));
    QVERIFY2(simples.contains(QStringLiteral("Avenida Paulista, 1000, Bela Vista - São Paulo/SP - CEP 01310-100")),
             qPrintable(simples));
  }
}

// The form of payment and the beneficiary join the sentence of the amount, the issuer's register
// goes over the address; each one left empty leaves no trace on the page.
void tst_ImpressaoRecibo::camposFiscais_data() {
  QTest::addColumn<int>("forma");
  QTest::addColumn<qint64>("beneficiario");
  QTest::addColumn<QString>("registro");
  QTest::addColumn<QStringList>("esperados");
  QTest::addColumn<QStringList>("ausentes");
  const QString extenso =
      QStringLiteral("a importância de um mil duzentos e trinta e quatro reais e cinqüenta centavos");
  const QString emitente = QStringLiteral("Comércio Exemplo Ltda CNPJ 11.222.333/0001-81");
  const QString endereco = QStringLiteral("Avenida Paulista, 1000, Bela Vista - São Paulo/SP - CEP 01310-100");
  const QStringList nadaFiscal{"em favor de", "CRC/SP", " por ", " com ", " em dinheiro"};
  QTest::newRow("nenhum") << 0 << qint64(0) << "" << QStringList{extenso + " Referente a", emitente + " " + endereco}
                          << nadaFiscal;
  QTest::newRow("só a forma") << 2 << qint64(0) << "" << QStringList{extenso + " por PIX Referente a"}
                              << QStringList{"em favor de", "CRC/SP"};
  QTest::newRow("só o beneficiário") << 0 << AmbienteRecibo::kJoao << ""
                                     << QStringList{extenso +
                                                    ", em favor de João Souza, CPF 111.444.777-35 Referente a"}
                                     << QStringList{" por ", "CRC/SP"};
  QTest::newRow("beneficiário com CNPJ e forma")
      << 6 << AmbienteRecibo::kLetras << ""
      << QStringList{extenso + " com cartão de crédito, em favor de Letras e Números S.A., CNPJ 12.ABC.345/01DE-35"}
      << QStringList{"CRC/SP"};
  QTest::newRow("só o registro") << 0 << qint64(0) << "CRC/SP 2SP012345/O-6"
                                 << QStringList{emitente + " CRC/SP 2SP012345/O-6 " + endereco,
                                                extenso + " Referente a"}
                                 << QStringList{"em favor de", " por "};
  QTest::newRow("todos") << 1 << AmbienteRecibo::kJoao << "CRC/SP 2SP012345/O-6"
                         << QStringList{extenso +
                                            " em dinheiro, em favor de João Souza, CPF 111.444.777-35 Referente a",
                                        emitente + " CRC/SP 2SP012345/O-6 " + endereco}
                         << QStringList{};
}

void tst_ImpressaoRecibo::camposFiscais() {
  QFETCH(int, forma);
  QFETCH(qint64, beneficiario);
  QFETCH(QString, registro);
  QFETCH(QStringList, esperados);
  QFETCH(QStringList, ausentes);
  QVERIFY(amb_->pasta.executar(QStringLiteral("UPDATE tbPessoa SET RegistroProfissional=? WHERE Codigo=?"),
                               {registro, AmbienteRecibo::kComercio}));
  const QString texto = gravarEImprimir(AmbienteRecibo::kMaria, QStringLiteral("1.234,50"), QStringLiteral("2"),
                                        QStringLiteral("Pago"), forma, beneficiario);
  const QString simples = simplificado(texto);
  for (const QString& esperado : esperados)
    QVERIFY2(simples.count(esperado) == 2,
             qPrintable(esperado + QStringLiteral(" não está nas duas vias de:\n") + texto));
  for (const QString& ausente : ausentes)
    QVERIFY2(!simples.contains(ausente), qPrintable(ausente + QStringLiteral(" está em:\n") + texto));
}

void tst_ImpressaoRecibo::beneficiarioExcluidoNadaImprime() {
  QVERIFY(amb_->inserirRecibo(9, 2026, 10000));
  QVERIFY(amb_->pasta.executar(QStringLiteral("UPDATE tbRecibo SET Beneficiario=99, FormaPagamento=3")));
  std::shared_ptr<Relatorio> relatorio;
  QVERIFY(ImpressaoRecibo::Preparar(9, 2026, 1, relatorio));
  QVERIFY(relatorio->Preparar());
  const QString pdf = amb_->pasta.caminho() + QStringLiteral("/excluido.pdf");
  QVERIFY(relatorio->ExportarPdf(pdf));
  const QString simples = simplificado(TextoPdf(pdf));
  QVERIFY2(simples.contains(QStringLiteral("a importância de um real por transferência Referente a")),
           qPrintable(simples));
  QVERIFY2(!simples.contains(QStringLiteral("em favor de")), qPrintable(simples));
}

// Two copies say which is which; a single copy carries no mark.
void tst_ImpressaoRecibo::marcaDasVias_data() {
  QTest::addColumn<int>("vias");
  QTest::addColumn<QStringList>("marcas");  // in the order of the page
  QTest::newRow("uma via") << 1 << QStringList{};
  QTest::newRow("duas vias") << 2 << QStringList{"1ª via", "2ª via"};
}

void tst_ImpressaoRecibo::marcaDasVias() {
  QFETCH(int, vias);
  QFETCH(QStringList, marcas);
  QVERIFY(amb_->inserirRecibo(9, 2026, 10000));
  std::shared_ptr<Relatorio> relatorio;
  QVERIFY(ImpressaoRecibo::Preparar(9, 2026, vias, relatorio));
  QVERIFY(relatorio->Preparar());
  const QString pdf = amb_->pasta.caminho() + QStringLiteral("/vias.pdf");
  QVERIFY(relatorio->ExportarPdf(pdf));
  const QString texto = TextoPdf(pdf);
  const QRegularExpression marca(QStringLiteral("\\dª via"));
  QStringList achadas;
  for (auto it = marca.globalMatch(texto); it.hasNext();)
    achadas << it.next().captured();
  QCOMPARE(achadas, marcas);
}

void tst_ImpressaoRecibo::nomeDoPdf_data() {
  QTest::addColumn<QString>("pagador");
  QTest::addColumn<QString>("proposto");
  QTest::newRow("nome comum") << "João da Silva"
                              << "Recibo 000001-2026 João da Silva.pdf";
  QTest::newRow("barra e dois-pontos") << "Souza/Lima: Advogados"
                                       << "Recibo 000001-2026 Souza-Lima- Advogados.pdf";
  QTest::newRow("todos os proibidos") << "A\\B*C?D\"E<F>G|H"
                                      << "Recibo 000001-2026 A-B-C-D-E-F-G-H.pdf";
  QTest::newRow("controles e espaços") << "  Ana\tMaria\nLtda.  "
                                       << "Recibo 000001-2026 Ana-Maria-Ltda.pdf";
}

void tst_ImpressaoRecibo::nomeDoPdf() {
  QFETCH(QString, pagador);
  QFETCH(QString, proposto);
  QVERIFY(amb_->pasta.executar(QStringLiteral("UPDATE tbPessoa SET Descricao = ? WHERE Codigo = ?"),
                               {pagador, AmbienteRecibo::kMaria}));
  gravarEImprimir(AmbienteRecibo::kMaria, QStringLiteral("10,00"), QStringLiteral("1"), QString());
  QCOMPARE(amb_->pasta.mensagens.quantas(), 0);
  const QList<frmPreviewRelatorio*> previas = amb_->area->findChildren<frmPreviewRelatorio*>();
  QCOMPARE(previas.size(), 1);
  QTest::mouseClick(previas.first()->findChild<QToolButton*>(QStringLiteral("btnExportarPdf")), Qt::LeftButton);
  QCOMPARE(amb_->pasta.escolhaArquivo.chamadas.size(), 1);
  QCOMPARE(amb_->pasta.escolhaArquivo.chamadas.first().nomeInicial, proposto);
  QCOMPARE(amb_->pasta.escolhaArquivo.chamadas.first().pastaInicial, QDir::homePath());
}

void tst_ImpressaoRecibo::imprimir(qint64 numero, int ano, int vias, PaginasImpressas& paginas) {
  std::shared_ptr<Relatorio> relatorio;
  QVERIFY(ImpressaoRecibo::Preparar(numero, ano, vias, relatorio));
  QVERIFY(relatorio->Preparar());
  const QString pdf = amb_->pasta.caminho() + QStringLiteral("/paginas.pdf");
  QVERIFY(relatorio->ExportarPdf(pdf));
  paginas.texto = TextoPdf(pdf);
  const double escala = 100 / kUnidadesPorPolegada;
  for (int pagina = 0; pagina < relatorio->quantasPaginas(); ++pagina) {
    QImage imagem((relatorio->tamanhoPagina() * escala).toSize(), QImage::Format_RGB32);
    imagem.fill(Qt::white);
    QPainter pintor(&imagem);
    pintor.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    pintor.scale(escala, escala);
    relatorio->desenharPagina(pintor, pagina);
    pintor.end();
    paginas.imagens.append(imagem);
  }
}

// The layout writes the receipt once and repeats it for the second copy; its pages are those of
// the layout that wrote both copies out, to the letter and to the pixel, with one copy or two,
// every optional part filled or none, and for a receipt that an earlier Talonix wrote.
void tst_ImpressaoRecibo::paginasIguaisAsDoModeloSemRepeticao_data() {
  QTest::addColumn<AmbienteRecibo::Banco>("banco");
  QTest::addColumn<bool>("completo");
  QTest::addColumn<int>("vias");
  for (const auto& [vias, nome] : {std::pair(1, "uma via"), std::pair(2, "duas vias")}) {
    QTest::addRow("todas as partes, %s", nome) << AmbienteRecibo::Banco::Novo << true << vias;
    QTest::addRow("nenhuma parte opcional, %s", nome) << AmbienteRecibo::Banco::Novo << false << vias;
    QTest::addRow("banco da versão 0, %s", nome) << AmbienteRecibo::Banco::Versao0 << false << vias;
  }
}

void tst_ImpressaoRecibo::paginasIguaisAsDoModeloSemRepeticao() {
  QFETCH(AmbienteRecibo::Banco, banco);
  QFETCH(bool, completo);
  QFETCH(int, vias);
  qint64 numero = 1;  // the receipt of the earlier Talonix's database
  if (banco == AmbienteRecibo::Banco::Versao0) {
    amb_.reset();
    amb_ = std::make_unique<AmbienteRecibo>(banco);
    QVERIFY(amb_->pronto());
  } else {
    numero = 9;
    QVERIFY(amb_->inserirRecibo(numero, 2026, 12345000, AmbienteRecibo::kMaria, AmbienteRecibo::kComercio));
    QVERIFY(completo ? amb_->pasta.executar(QStringLiteral("UPDATE tbRecibo SET FormaPagamento = 2, Beneficiario = ?, "
                                                           "Observacao = ?"),
                                            {AmbienteRecibo::kJoao, QStringLiteral("Parcela paga conforme o contrato "
                                                                                   "assinado. ")
                                                                        .repeated(5)}) &&
                           amb_->pasta.executar(QStringLiteral("UPDATE tbPessoa SET RegistroProfissional = "
                                                               "'CRC/SP 2SP012345/O-6' WHERE Codigo = ?"),
                                                {AmbienteRecibo::kComercio})
                     : amb_->pasta.executar(QStringLiteral("UPDATE tbRecibo SET Observacao = ''")));
  }
  PaginasImpressas atuais;
  imprimir(numero, 2026, vias, atuais);
  const QString modelo = amb_->pasta.caminho() + QStringLiteral("/relatorio/recibo01.rpt");
  QVERIFY(QFile::remove(modelo));
  QVERIFY(QFile::copy(QStringLiteral(MODELO_SEM_REPETICAO), modelo));
  PaginasImpressas antigas;
  imprimir(numero, 2026, vias, antigas);
  if (QTest::currentTestFailed())
    return;

  QCOMPARE(simplificado(atuais.texto).count(QStringLiteral("Recebi de")), vias);
  QCOMPARE(atuais.texto, antigas.texto);
  QCOMPARE(atuais.imagens.size(), antigas.imagens.size());
  QImage branca(atuais.imagens.first().size(), QImage::Format_RGB32);
  branca.fill(Qt::white);
  QVERIFY(atuais.imagens.first() != branca);
  for (qsizetype i = 0; i < atuais.imagens.size(); ++i)
    QCOMPARE(atuais.imagens.at(i), antigas.imagens.at(i));
}

QTEST_MAIN(tst_ImpressaoRecibo)
#include "tst_ImpressaoRecibo.moc"
