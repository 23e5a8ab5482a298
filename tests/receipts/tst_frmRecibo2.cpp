#include "receipts/frmRecibo2.h"

#include "app/core/Conexao.h"
#include "app/core/modGeral.h"
#include "controls/ValidacaoFoco.h"
#include "controls/lvButtons.h"
#include "controls/uscDateBox.h"
#include "controls/uscSelecionaRegistro.h"
#include "controls/uscTextBox.h"
#include "controls/uscTextValue.h"
#include "reports/preview/frmPreviewRelatorio.h"
#include "tests/receipts/AmbienteRecibo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <limits>

namespace {

const QString kPessoaNecessaria = QStringLiteral("Por favor, informe a pessoa necessária ao campo.");

QWidget* foco() {
  return QApplication::focusWidget();
}

void tecla(Qt::Key tecla) {
  QTest::keyClick(foco(), tecla);
}

}  // namespace

class tst_frmRecibo2 : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void preferenciasLidas_data();
  void preferenciasLidas();
  void abreNoNovoReciboComFocoNoValor();
  void numeroExistenteCarregaComTab();
  void numeroNovoGravaComEsseNumero();
  void numeroTravadoRecarregaAoSair();
  void numeroApagadoVoltaOProposto();
  void numeroQueNaoCabeNaoEhCortado_data();
  void numeroQueNaoCabeNaoEhCortado();
  void dataDoAnoAnteriorRecusadaAoSair();
  void pagadorHabilitaELimpaEmitente();
  void legendasDePessoaJuridica();
  void valorVazioEZeroRecusados();
  void valorGravadoExato();
  void referentePorCodigo();
  void referentePeloDialogo();
  void f8CarregaOReciboEscolhido();
  void f9EF7NadaFazemNoNovo();
  void f3PedeOsCadastros();
  void escNaoLembraViasSairLembra();
  void gravarComImpressaoAbreAVisualizacao();
  void excluirMaiorEDoMeio();
  void recusasAoGravar_data();
  void recusasAoGravar();
  void numeroExistenteRecusadoAoGravar();
  void falhaDoBancoNoNovoRecibo();
  void reciboApagadoAoGravarMantemATela();
  void outraEstacaoGravouAntes_data();
  void outraEstacaoGravouAntes();
  void camposFiscaisDepoisDeSair();
  void formaEBeneficiarioGravadosECarregados();
  void atalhosDoReciboCarregado_data();
  void atalhosDoReciboCarregado();

private:
  void preencherValido();
  void digitar(CaixaEdicao* caixa, const QString& texto);
  void escolher(uscSelecionaRegistro* seletor, qint64 codigo);
  int recibos() const;
  int previas() const;

  std::unique_ptr<AmbienteRecibo> amb_;
  uscTextBox* numero_ = nullptr;
  uscTextBox* ano_ = nullptr;
  uscTextValue* valor_ = nullptr;
  uscDateBox* data_ = nullptr;
  QComboBox* vias_ = nullptr;
  uscSelecionaRegistro* recebi_ = nullptr;
  uscSelecionaRegistro* emitente_ = nullptr;
  uscTextBox* codigoReferente_ = nullptr;
  QPlainTextEdit* referente_ = nullptr;
  QCheckBox* imprimir_ = nullptr;
};

void tst_frmRecibo2::init() {
  amb_ = std::make_unique<AmbienteRecibo>();
  QVERIFY(amb_->pronto());
}

void tst_frmRecibo2::cleanup() {
  amb_.reset();
}

// Opens the screen and finds its controls; used by every test once its INI file is written.
#define ABRIR_TELA()                                                        \
  do {                                                                      \
    QVERIFY(amb_->abrirTela());                                             \
    numero_ = amb_->controle<uscTextBox>("txtNumeroRecibo");                \
    ano_ = amb_->controle<uscTextBox>("txtAnoRecibo");                      \
    valor_ = amb_->controle<uscTextValue>("txtValor");                      \
    data_ = amb_->controle<uscDateBox>("txtDataEmissao");                   \
    vias_ = amb_->controle<QComboBox>("cboVias");                           \
    recebi_ = amb_->controle<uscSelecionaRegistro>("uscRecebi");            \
    emitente_ = amb_->controle<uscSelecionaRegistro>("uscEmitente");        \
    codigoReferente_ = amb_->controle<uscTextBox>("txtCodigoReferente");    \
    referente_ = amb_->controle<QPlainTextEdit>("txtReferente");            \
    imprimir_ = amb_->controle<QCheckBox>("chkImprimirReciboGravar");       \
    QVERIFY(numero_&& ano_&& valor_&& data_&& vias_&& recebi_&& emitente_); \
    QVERIFY(codigoReferente_&& referente_&& imprimir_);                     \
  } while (false)

void tst_frmRecibo2::digitar(CaixaEdicao* caixa, const QString& texto) {
  caixa->Focar();
  caixa->selecionarTudo();
  if (texto.isEmpty())
    tecla(Qt::Key_Backspace);
  else
    QTest::keyClicks(foco(), texto);
}

void tst_frmRecibo2::escolher(uscSelecionaRegistro* seletor, qint64 codigo) {
  seletor->Focar();
  QTest::keyClick(foco(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(foco(), QString::number(codigo));
  tecla(Qt::Key_Tab);
}

void tst_frmRecibo2::preencherValido() {
  digitar(valor_, QStringLiteral("1.234,50"));
  escolher(recebi_, AmbienteRecibo::kMaria);
  referente_->setFocus();
  QTest::keyClicks(foco(), QStringLiteral("Aluguel de dezembro"));
  escolher(emitente_, AmbienteRecibo::kComercio);
  amb_->pasta.mensagens.limpar();
}

int tst_frmRecibo2::recibos() const {
  return amb_->pasta.valor(QStringLiteral("SELECT COUNT(*) FROM tbRecibo")).toInt();
}

int tst_frmRecibo2::previas() const {
  int quantas = 0;
  for (QMdiSubWindow* janela : amb_->area->subWindowList())
    quantas += qobject_cast<frmPreviewRelatorio*>(janela->widget()) != nullptr ? 1 : 0;
  return quantas;
}

void tst_frmRecibo2::preferenciasLidas_data() {
  QTest::addColumn<QString>("vias");
  QTest::addColumn<QString>("imprimir");
  QTest::addColumn<QString>("viasMostradas");
  QTest::addColumn<bool>("marcado");
  QTest::newRow("sem arquivo") << QString() << QString() << "1" << true;
  QTest::newRow("duas vias, sem imprimir") << "2"
                                           << "0"
                                           << "2" << false;
  QTest::newRow("vias fora da lista") << "5"
                                      << "1"
                                      << "1" << true;
  QTest::newRow("texto vale o padrão") << "x"
                                       << "x"
                                       << "1" << true;
}

void tst_frmRecibo2::preferenciasLidas() {
  QFETCH(QString, vias);
  QFETCH(QString, imprimir);
  QFETCH(QString, viasMostradas);
  QFETCH(bool, marcado);
  if (!vias.isNull()) {
    modGeral::GravarIni(QStringLiteral("talonix"), QStringLiteral("vias"), vias, modGeral::ArquivoIni());
    modGeral::GravarIni(QStringLiteral("talonix"), QStringLiteral("imprimir"), imprimir, modGeral::ArquivoIni());
  }
  ABRIR_TELA();
  QCOMPARE(vias_->count(), 2);
  QCOMPARE(vias_->currentText(), viasMostradas);
  QCOMPARE(imprimir_->isChecked(), marcado);
}

void tst_frmRecibo2::abreNoNovoReciboComFocoNoValor() {
  QVERIFY(amb_->inserirRecibo(4, 2025, 10000));
  QVERIFY(amb_->inserirRecibo(8, 2024, 10000));
  ABRIR_TELA();
  QCOMPARE(amb_->tela->windowTitle(), QStringLiteral("Recibo comercial"));
  // Earlier years do not count: the first receipt of the year is number 1.
  QCOMPARE(numero_->Text(), QStringLiteral("1"));
  QCOMPARE(ano_->Text(), QStringLiteral("2026"));
  QCOMPARE(data_->Text(), QStringLiteral("07/12/2026"));
  QVERIFY(!amb_->tela->editando());
  QVERIFY(amb_->controle<QLabel>("lblEditandoRecibo")->isHidden());
  QVERIFY(!amb_->controle<lvButtons>("btnExcluir")->isEnabled());
  QVERIFY(!emitente_->isEnabled());
  QCOMPARE(numero_->ForeColor(), QColor(Qt::blue));
  QVERIFY(ano_->Locked());
  QTRY_VERIFY(valor_->isAncestorOf(foco()));
}

void tst_frmRecibo2::numeroExistenteCarregaComTab() {
  QVERIFY(amb_->inserirRecibo(5, 2026, 12345000));
  ABRIR_TELA();
  digitar(numero_, QStringLiteral("5"));
  tecla(Qt::Key_Tab);
  QVERIFY(amb_->tela->editando());
  QVERIFY(amb_->controle<QLabel>("lblEditandoRecibo")->isVisible());
  QVERIFY(amb_->controle<lvButtons>("btnExcluir")->isEnabled());
  QVERIFY(numero_->Locked());
  QVERIFY(!numero_->paradaTabulacao());
  QCOMPARE(numero_->ForeColor(), QColor(Qt::red));
  QCOMPARE(ano_->ForeColor(), QColor(Qt::red));
  QCOMPARE(valor_->Text(), QStringLiteral("1.234,50"));
  QCOMPARE(data_->Text(), QStringLiteral("15/03/2026"));
  QCOMPARE(vias_->currentText(), QStringLiteral("2"));
  QCOMPARE(recebi_->Text(0), QStringLiteral("1"));
  QCOMPARE(recebi_->Text(1), QStringLiteral("Maria da Silva"));
  QCOMPARE(amb_->controle<QLabel>("lblDoc1")->text(), QStringLiteral("52998224725"));
  QCOMPARE(emitente_->Text(0), QStringLiteral("2"));
  QCOMPARE(amb_->controle<QLabel>("lblDoc1EmitenteRotulo")->text(), QStringLiteral("CNPJ:"));
  QCOMPARE(amb_->controle<QLabel>("lblDoc2EmitenteRotulo")->text(), QStringLiteral("Insc. Est.:"));
  QCOMPARE(amb_->controle<QLabel>("lblEnderecoEmitente")->text(), QStringLiteral("Avenida Paulista, 1000"));
  QCOMPARE(referente_->toPlainText(), QStringLiteral("Aluguel"));
  QCOMPARE(amb_->controle<QPlainTextEdit>("txtObservacao")->toPlainText(), QStringLiteral("Pago em dinheiro"));
  QVERIFY(codigoReferente_->Text().isEmpty());
  QVERIFY(valor_->isAncestorOf(foco()));
  QCOMPARE(amb_->pasta.mensagens.quantas(), 0);
}

void tst_frmRecibo2::numeroNovoGravaComEsseNumero() {
  QVERIFY(amb_->inserirRecibo(1, 2026, 10000));
  ABRIR_TELA();
  QCOMPARE(numero_->Text(), QStringLiteral("2"));
  digitar(numero_, QStringLiteral("40000"));
  tecla(Qt::Key_Tab);
  QVERIFY(!amb_->tela->editando());
  QCOMPARE(numero_->Text(), QStringLiteral("40000"));
  preencherValido();
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 0);
  QCOMPARE(amb_->pasta.valor(QStringLiteral("SELECT Recebi FROM tbRecibo WHERE Codigo=40000 AND Ano=2026")).toInt(), 1);
  QCOMPARE(numero_->Text(), QStringLiteral("40001"));
}

void tst_frmRecibo2::numeroTravadoRecarregaAoSair() {
  QVERIFY(amb_->inserirRecibo(5, 2026, 12345000));
  ABRIR_TELA();
  digitar(numero_, QStringLiteral("5"));
  tecla(Qt::Key_Tab);
  digitar(valor_, QStringLiteral("1,00"));
  QTest::mouseClick(numero_->focusProxy(), Qt::LeftButton);
  QVERIFY(numero_->isAncestorOf(foco()));
  tecla(Qt::Key_Tab);
  QCOMPARE(valor_->Text(), QStringLiteral("1.234,50"));
  QVERIFY(amb_->tela->editando());
}

void tst_frmRecibo2::numeroApagadoVoltaOProposto() {
  QVERIFY(amb_->inserirRecibo(1, 2026, 10000));
  ABRIR_TELA();
  digitar(numero_, QStringLiteral("77"));
  numero_->selecionarTudo();
  tecla(Qt::Key_Backspace);
  QCOMPARE(numero_->Text(), QStringLiteral("2"));
  QCOMPARE(qobject_cast<QLineEdit*>(numero_->focusProxy())->selectedText(), QStringLiteral("2"));
}

void tst_frmRecibo2::numeroQueNaoCabeNaoEhCortado_data() {
  QTest::addColumn<qint64>("maior");
  QTest::newRow("sete digitos") << 9999999LL;
  QTest::newRow("maior inteiro longo") << 2147483647LL;
  QTest::newRow("maior inteiro") << std::numeric_limits<qint64>::max();
}

// The next number does not fit the seven-digit box: once cut, it was saved over and over as
// 1000000. One message, nothing proposed, and a free number typed is saved as typed.
void tst_frmRecibo2::numeroQueNaoCabeNaoEhCortado() {
  QFETCH(qint64, maior);
  QVERIFY(amb_->inserirRecibo(maior, 2026, 10000));
  ABRIR_TELA();
  QCOMPARE(numero_->Text(), QString());
  QCOMPARE(amb_->pasta.mensagens.quantas(), 1);
  QVERIFY2(amb_->pasta.mensagens.ultima().texto.contains(QString::number(maior)),
           qPrintable(amb_->pasta.mensagens.ultima().texto));
  QCOMPARE(amb_->pasta.mensagens.ultima().titulo, QStringLiteral("Recibo"));
  // Typing and erasing, leaving the box, a new receipt: the message is not repeated.
  digitar(numero_, QStringLiteral("12"));
  digitar(numero_, QString());
  tecla(Qt::Key_Tab);
  tecla(Qt::Key_F6);
  QCOMPARE(numero_->Text(), QString());
  QCOMPARE(amb_->pasta.mensagens.quantas(), 1);

  digitar(numero_, QStringLiteral("123"));
  tecla(Qt::Key_Tab);
  preencherValido();
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 0);
  QCOMPARE(amb_->pasta.valor(QStringLiteral("SELECT Recebi FROM tbRecibo WHERE Codigo=123 AND Ano=2026")).toInt(), 1);
  QCOMPARE(numero_->Text(), QString());
  QCOMPARE(recibos(), 2);
}

void tst_frmRecibo2::dataDoAnoAnteriorRecusadaAoSair() {
  ABRIR_TELA();
  digitar(data_, QStringLiteral("31122025"));
  tecla(Qt::Key_Tab);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 1);
  const MensagensGravadas::Caixa& caixa = amb_->pasta.mensagens.ultima();
  QCOMPARE(caixa.texto,
           QStringLiteral("A data de emissão do recibo está incorreta, precisa \restar dentro do ano de 2026."));
  QCOMPARE(caixa.titulo, QStringLiteral("Data incorreta"));
  QCOMPARE(caixa.icone, Icone::Informacao);
  QVERIFY(data_->isAncestorOf(foco()));
  QCOMPARE(data_->Text(), QStringLiteral("31/12/2025"));
}

void tst_frmRecibo2::pagadorHabilitaELimpaEmitente() {
  ABRIR_TELA();
  escolher(recebi_, AmbienteRecibo::kMaria);
  QVERIFY(emitente_->isEnabled());
  QCOMPARE(amb_->controle<QLabel>("lblDoc1")->text(), QStringLiteral("52998224725"));
  QCOMPARE(amb_->controle<QLabel>("lblDoc2")->text(), QStringLiteral("12.345.678-9"));
  escolher(emitente_, AmbienteRecibo::kComercio);
  QCOMPARE(amb_->controle<QLabel>("lblDoc1Emitente")->text(), QStringLiteral("11222333000181"));
  QCOMPARE(amb_->controle<QLabel>("lblEnderecoEmitente")->text(), QStringLiteral("Avenida Paulista, 1000"));

  // Another payer empties the issuer and its documents.
  escolher(recebi_, AmbienteRecibo::kJoao);
  QVERIFY(emitente_->Text(0).isEmpty());
  QVERIFY(amb_->controle<QLabel>("lblDoc1Emitente")->text().isEmpty());
  QVERIFY(amb_->controle<QLabel>("lblEnderecoEmitente")->text().isEmpty());
  QCOMPARE(amb_->controle<QLabel>("lblDoc1EmitenteRotulo")->text(), QStringLiteral("CPF:"));
  QVERIFY(emitente_->isEnabled());

  // An issuer registered without documents: its address goes as well.
  QVERIFY(amb_->pasta.executar(QStringLiteral(
      "INSERT INTO tbPessoa (Codigo, Descricao, Endereco, Numero) VALUES (9, 'Sem Documentos', 'Rua C', '9')")));
  escolher(emitente_, 9);
  QCOMPARE(amb_->controle<QLabel>("lblEnderecoEmitente")->text(), QStringLiteral("Rua C, 9"));
  escolher(recebi_, AmbienteRecibo::kMaria);
  QVERIFY(amb_->controle<QLabel>("lblEnderecoEmitente")->text().isEmpty());

  // No payer: the issuer is disabled.
  recebi_->Focar();
  QTest::keyClick(foco(), Qt::Key_A, Qt::ControlModifier);
  tecla(Qt::Key_Backspace);
  QVERIFY(!emitente_->isEnabled());
  QVERIFY(amb_->controle<QLabel>("lblDoc1")->text().isEmpty());
}

void tst_frmRecibo2::legendasDePessoaJuridica() {
  ABRIR_TELA();
  escolher(recebi_, AmbienteRecibo::kComercio);
  QCOMPARE(amb_->controle<QLabel>("lblDoc1Rotulo")->text(), QStringLiteral("CNPJ:"));
  QCOMPARE(amb_->controle<QLabel>("lblDoc2Rotulo")->text(), QStringLiteral("Insc. Est.:"));
  QCOMPARE(amb_->controle<QLabel>("lblDoc2")->text(), QStringLiteral("110.042.490.114"));
  escolher(recebi_, AmbienteRecibo::kJoao);
  QCOMPARE(amb_->controle<QLabel>("lblDoc1Rotulo")->text(), QStringLiteral("CPF:"));
  QCOMPARE(amb_->controle<QLabel>("lblDoc2Rotulo")->text(), QStringLiteral("RG:"));
  QCOMPARE(amb_->controle<QLabel>("lblDoc1")->text(), QStringLiteral("11144477735"));
}

void tst_frmRecibo2::valorVazioEZeroRecusados() {
  ABRIR_TELA();
  preencherValido();
  for (const auto& [digitado, mensagem] :
       {std::pair{QString(), QStringLiteral("Por favor, entre com o valor do recibo.")},
        std::pair{QStringLiteral("0,00"), QStringLiteral("Por favor, informe um válido para o recibo.")}}) {
    digitar(valor_, digitado);
    referente_->setFocus();
    amb_->pasta.mensagens.limpar();
    tecla(Qt::Key_F5);
    QCOMPARE(amb_->pasta.mensagens.quantas(), 1);
    QCOMPARE(amb_->pasta.mensagens.ultima().texto, mensagem);
    QCOMPARE(amb_->pasta.mensagens.ultima().titulo, QStringLiteral("Recibo"));
    QCOMPARE(amb_->pasta.mensagens.ultima().icone, Icone::Informacao);
    QVERIFY(valor_->isAncestorOf(foco()));
  }
  QCOMPARE(recibos(), 0);
}

void tst_frmRecibo2::valorGravadoExato() {
  ABRIR_TELA();
  imprimir_->setChecked(false);
  preencherValido();
  amb_->controle<QPlainTextEdit>("txtObservacao")->setPlainText(QStringLiteral("  Pago em PIX  "));
  vias_->setCurrentIndex(1);
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 0);
  QCOMPARE(amb_->pasta.valor(QStringLiteral("SELECT Valor FROM tbRecibo WHERE Codigo=1 AND Ano=2026")).toLongLong(),
           12345000);
  QCOMPARE(amb_->pasta
               .valor(QStringLiteral("SELECT DataEmissao||'|'||Vias||'|'||Recebi||'|'||Emitente||'|'||"
                                     "Referente||'|'||Observacao FROM tbRecibo"))
               .toString(),
           QStringLiteral("2026-12-07|2|1|2|Aluguel de dezembro|Pago em PIX"));
  // The screen is on the next receipt at once, the copies kept.
  QCOMPARE(numero_->Text(), QStringLiteral("2"));
  QVERIFY(valor_->Text().isEmpty());
  QVERIFY(recebi_->Text(0).isEmpty());
  QCOMPARE(vias_->currentText(), QStringLiteral("2"));
  QVERIFY(valor_->isAncestorOf(foco()));
}

void tst_frmRecibo2::referentePorCodigo() {
  ABRIR_TELA();
  digitar(codigoReferente_, QStringLiteral("99"));
  tecla(Qt::Key_Tab);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 1);
  QCOMPARE(amb_->pasta.mensagens.ultima().texto, QStringLiteral("O código informado do referente não foi localizado."));
  QCOMPARE(amb_->pasta.mensagens.ultima().titulo, QStringLiteral("referente"));
  QVERIFY(codigoReferente_->isAncestorOf(foco()));
  QVERIFY(referente_->toPlainText().isEmpty());

  digitar(codigoReferente_, QStringLiteral("1"));
  tecla(Qt::Key_Tab);
  QCOMPARE(referente_->toPlainText(), QStringLiteral("Aluguel do mês de dezembro"));
  QCOMPARE(foco(), referente_);
  QCOMPARE(referente_->textCursor().position(), referente_->toPlainText().size());

  // A new code empties the text (and keeps the code typed); emptying the text empties the code.
  digitar(codigoReferente_, QStringLiteral("2"));
  QVERIFY(referente_->toPlainText().isEmpty());
  QCOMPARE(codigoReferente_->Text(), QStringLiteral("2"));
  tecla(Qt::Key_Tab);
  QCOMPARE(referente_->toPlainText(), QStringLiteral("Serviços de manutenção"));
  referente_->selectAll();
  tecla(Qt::Key_Delete);
  QVERIFY(codigoReferente_->Text().isEmpty());
}

void tst_frmRecibo2::referentePeloDialogo() {
  ABRIR_TELA();
  digitar(codigoReferente_, QString());
  bool respondido = false;
  QTimer::singleShot(0, this, [&] {
    QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
    auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialogo);
    QCOMPARE(dialogo->objectName(), QStringLiteral("frmLocalizarReferente"));
    dialogo->accept();
    respondido = true;
  });
  tecla(Qt::Key_F2);
  QVERIFY(respondido);
  QCOMPARE(codigoReferente_->Text(), QStringLiteral("1"));
  QCOMPARE(referente_->toPlainText(), QStringLiteral("Aluguel do mês de dezembro"));
  QCOMPARE(amb_->area->focusWidget(), referente_);
}

void tst_frmRecibo2::f8CarregaOReciboEscolhido() {
  QVERIFY(amb_->pasta.executar(
      QStringLiteral("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, Referente) VALUES "
                     "(9, 2026, '2026-12-07', 50000, 3, 2, 'Serviços')")));
  ABRIR_TELA();
  bool respondido = false;
  QTimer::singleShot(0, this, [&] {
    QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
    QWidget* dialogo = QApplication::activeModalWidget();
    QCOMPARE(dialogo->objectName(), QStringLiteral("frmLocalizarReciboComercial"));
    QTest::mouseClick(dialogo->findChild<lvButtons*>(QStringLiteral("btnSelecionaRegistrps")), Qt::LeftButton);
    auto* lista = dialogo->findChild<QTreeView*>(QStringLiteral("lsvRecibo"));
    QTRY_COMPARE(lista->model()->rowCount(), 1);
    lista->setCurrentIndex(lista->model()->index(0, 1));
    QTest::mouseClick(dialogo->findChild<lvButtons*>(QStringLiteral("btnOK")), Qt::LeftButton);
    respondido = true;
  });
  tecla(Qt::Key_F8);
  QVERIFY(respondido);
  QVERIFY(amb_->tela->editando());
  QCOMPARE(numero_->Text(), QStringLiteral("9"));
  QCOMPARE(valor_->Text(), QStringLiteral("5,00"));
  QCOMPARE(recebi_->Text(0), QStringLiteral("3"));
}

void tst_frmRecibo2::f9EF7NadaFazemNoNovo() {
  QVERIFY(amb_->inserirRecibo(1, 2026, 10000));
  ABRIR_TELA();
  digitar(numero_, QStringLiteral("1"));
  for (Qt::Key k : {Qt::Key_F9, Qt::Key_F7})
    tecla(k);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 0);
  QCOMPARE(recibos(), 1);
}

void tst_frmRecibo2::f3PedeOsCadastros() {
  ABRIR_TELA();
  QSignalSpy pessoa(amb_->tela.data(), &frmRecibo2::pedirTelaPessoa);
  QSignalSpy referente(amb_->tela.data(), &frmRecibo2::pedirTelaReferente);
  valor_->Focar();
  tecla(Qt::Key_F3);
  recebi_->Focar();
  tecla(Qt::Key_F3);
  escolher(recebi_, AmbienteRecibo::kMaria);
  emitente_->Focar();
  tecla(Qt::Key_F3);
  codigoReferente_->Focar();
  tecla(Qt::Key_F3);
  auto* beneficiario = amb_->controle<uscSelecionaRegistro>("uscBeneficiario");
  QVERIFY(beneficiario);
  beneficiario->Focar();
  tecla(Qt::Key_F3);
  QCOMPARE(pessoa.count(), 3);
  QCOMPARE(referente.count(), 1);
}

void tst_frmRecibo2::escNaoLembraViasSairLembra() {
  ABRIR_TELA();
  const QString ini = modGeral::ArquivoIni();
  vias_->setCurrentIndex(1);
  imprimir_->setChecked(false);
  valor_->Focar();
  tecla(Qt::Key_Escape);
  QTRY_VERIFY(amb_->tela.isNull());
  QVERIFY(modGeral::LerIni(QStringLiteral("talonix"), QStringLiteral("vias"), QString(), ini).isEmpty());

  ABRIR_TELA();
  QCOMPARE(vias_->currentText(), QStringLiteral("1"));
  vias_->setCurrentIndex(1);
  imprimir_->setChecked(false);
  QTest::mouseClick(amb_->controle<lvButtons>("btnSair"), Qt::LeftButton);
  QTRY_VERIFY(amb_->tela.isNull());
  QCOMPARE(modGeral::LerIni(QStringLiteral("talonix"), QStringLiteral("vias"), QString(), ini), QStringLiteral("2"));
  QCOMPARE(modGeral::LerIni(QStringLiteral("talonix"), QStringLiteral("imprimir"), QString(), ini),
           QStringLiteral("0"));
}

void tst_frmRecibo2::gravarComImpressaoAbreAVisualizacao() {
  ABRIR_TELA();
  imprimir_->setChecked(true);
  preencherValido();
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 0);
  QCOMPARE(recibos(), 1);
  frmPreviewRelatorio* previa = nullptr;
  for (QMdiSubWindow* janela : amb_->area->subWindowList())
    if (auto* p = qobject_cast<frmPreviewRelatorio*>(janela->widget()))
      previa = p;
  QVERIFY(previa);
  QCOMPARE(previa->windowTitle(), QStringLiteral("Recibo"));
  QVERIFY(previa->parentWidget()->windowState() & Qt::WindowMaximized);
  QVERIFY(amb_->tela);
  QCOMPARE(numero_->Text(), QStringLiteral("2"));
  QVERIFY(!amb_->tela->editando());
  // Closing the preview leaves the screen as it is.
  previa->parentWidget()->close();
  QVERIFY(amb_->tela);
  QCOMPARE(numero_->Text(), QStringLiteral("2"));
}

void tst_frmRecibo2::excluirMaiorEDoMeio() {
  for (int n : {1, 2, 3, 4})
    QVERIFY(amb_->inserirRecibo(n, 2026, 10000));
  ABRIR_TELA();
  // A gap is left in the middle; the highest number is proposed again at once.
  for (const auto& [excluido, proposto] : {std::pair{2, QStringLiteral("5")}, std::pair{4, QStringLiteral("4")}}) {
    digitar(numero_, QString::number(excluido));
    tecla(Qt::Key_Tab);
    QVERIFY(amb_->tela->editando());
    amb_->pasta.mensagens.limpar();
    amb_->pasta.mensagens.responder(Resposta::Sim);
    tecla(Qt::Key_F9);
    QCOMPARE(amb_->pasta.mensagens.quantas(), 1);
    const MensagensGravadas::Caixa& pergunta = amb_->pasta.mensagens.ultima();
    QCOMPARE(pergunta.texto, QStringLiteral("Confirma a exclusão do recibo selecionado ?"));
    QCOMPARE(pergunta.titulo, QStringLiteral("Excluir recibo emitido"));
    QCOMPARE(pergunta.botoes, Botoes::SimNao);
    QCOMPARE(pergunta.padrao, Resposta::Nao);
    QVERIFY(!amb_->pasta.valor(QStringLiteral("SELECT 1 FROM tbRecibo WHERE Codigo=%1").arg(excluido)).isValid());
    QVERIFY(!amb_->tela->editando());
    QCOMPARE(numero_->Text(), proposto);
  }
  // No keeps the receipt; F7 deletes while the button is enabled.
  digitar(numero_, QStringLiteral("1"));
  tecla(Qt::Key_Tab);
  amb_->pasta.mensagens.responder(Resposta::Nao);
  tecla(Qt::Key_F7);
  QCOMPARE(recibos(), 2);
  QVERIFY(amb_->tela->editando());
}

void tst_frmRecibo2::recusasAoGravar_data() {
  QTest::addColumn<QString>("campo");
  QTest::addColumn<QString>("digitado");
  QTest::addColumn<QString>("mensagem");
  QTest::addColumn<QString>("titulo");
  QTest::newRow("ano da data, sem sair da caixa")
      << "txtDataEmissao"
      << "31122025"
      << "A data de emissão do recibo está incorreta, precisa \restar dentro do ano de 2026."
      << "Data incorreta";
  QTest::newRow("pagador sem pessoa") << "uscRecebi"
                                      << "99" << kPessoaNecessaria << "Recibo";
  QTest::newRow("emitente sem pessoa") << "uscEmitente"
                                       << "99" << kPessoaNecessaria << "Recibo";
  QTest::newRow("emitente igual ao pagador") << "uscEmitente"
                                             << "1"
                                             << "O emitente não pode ser a mesma pessoa de quem o valor foi recebido."
                                             << "Recibo";
  QTest::newRow("beneficiário igual ao emitente") << "uscBeneficiario"
                                                  << "2"
                                                  << "O beneficiário não pode ser o emitente do recibo."
                                                  << "Recibo";
  QTest::newRow("beneficiário sem pessoa") << "uscBeneficiario"
                                           << "99"
                                           << "O beneficiário informado não está cadastrado."
                                           << "Recibo";
}

void tst_frmRecibo2::recusasAoGravar() {
  QFETCH(QString, campo);
  QFETCH(QString, digitado);
  QFETCH(QString, mensagem);
  QFETCH(QString, titulo);
  ABRIR_TELA();
  preencherValido();
  auto* controle = amb_->tela->findChild<QWidget*>(campo);
  QVERIFY(controle);
  controle->setFocus();
  QTest::keyClick(foco(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(foco(), digitado);
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 1);
  QCOMPARE(amb_->pasta.mensagens.ultima().texto, mensagem);
  QCOMPARE(amb_->pasta.mensagens.ultima().titulo, titulo);
  QCOMPARE(amb_->pasta.mensagens.ultima().icone, Icone::Informacao);
  QVERIFY(controle->isAncestorOf(foco()));
  QCOMPARE(recibos(), 0);
  QCOMPARE(valor_->Text(), QStringLiteral("1.234,50"));
}

void tst_frmRecibo2::numeroExistenteRecusadoAoGravar() {
  QVERIFY(amb_->inserirRecibo(7, 2026, 10000));
  ABRIR_TELA();
  preencherValido();
  digitar(numero_, QStringLiteral("7"));
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 1);
  QCOMPARE(amb_->pasta.mensagens.ultima().texto, QStringLiteral("Já existe um recibo com o número 7 no ano de 2026."));
  QCOMPARE(amb_->pasta.mensagens.ultima().titulo, QStringLiteral("Recibo"));
  QCOMPARE(amb_->pasta.mensagens.ultima().icone, Icone::Informacao);
  QVERIFY(numero_->isAncestorOf(foco()));
  QCOMPARE(amb_->pasta.valor(QStringLiteral("SELECT Valor FROM tbRecibo WHERE Codigo=7")).toInt(), 10000);
  QCOMPARE(recibos(), 1);
}

// A failure of the store while saving a new receipt is shown as such, never as a number that
// already exists; number 0 is never saved.
void tst_frmRecibo2::falhaDoBancoNoNovoRecibo() {
  ABRIR_TELA();
  preencherValido();
  QVERIFY(amb_->pasta.executar(QStringLiteral("ALTER TABLE tbRecibo RENAME TO tbReciboGuardado")));
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 1);
  QCOMPARE(amb_->pasta.mensagens.ultima().titulo, QStringLiteral("Não foi possível gravar o recibo"));
  QCOMPARE(amb_->pasta.mensagens.ultima().icone, Icone::Critico);
  QVERIFY(amb_->pasta.executar(QStringLiteral("ALTER TABLE tbReciboGuardado RENAME TO tbRecibo")));

  amb_->pasta.mensagens.limpar();
  digitar(numero_, QStringLiteral("0"));
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 1);
  QCOMPARE(amb_->pasta.mensagens.ultima().texto, QStringLiteral("Por favor, informe o número do recibo."));
  QVERIFY(numero_->isAncestorOf(foco()));
  QCOMPARE(recibos(), 0);
}

void tst_frmRecibo2::reciboApagadoAoGravarMantemATela() {
  QVERIFY(amb_->inserirRecibo(5, 2026, 12345000));
  ABRIR_TELA();
  digitar(numero_, QStringLiteral("5"));
  tecla(Qt::Key_Tab);
  QVERIFY(amb_->pasta.executar(QStringLiteral("DELETE FROM tbRecibo")));
  digitar(valor_, QStringLiteral("99,90"));
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 1);
  const MensagensGravadas::Caixa& caixa = amb_->pasta.mensagens.ultima();
  QCOMPARE(caixa.titulo, QStringLiteral("Não foi possível gravar o recibo"));
  QCOMPARE(caixa.icone, Icone::Critico);
  QVERIFY(caixa.texto.contains(QLatin1Char('\r')));
  QVERIFY(amb_->tela->editando());
  QCOMPARE(valor_->Text(), QStringLiteral("99,90"));
  QCOMPARE(recibos(), 0);
}

// Another desk saved the open receipt, or deleted it and saved another under its number, after
// this screen loaded it: the save is refused, the other desk's receipt stays, the screen as typed.
void tst_frmRecibo2::outraEstacaoGravouAntes_data() {
  QTest::addColumn<QStringList>("outraEstacao");
  QTest::newRow("changed the amount") << QStringList{"UPDATE tbRecibo SET Valor=10000"};
  QTest::newRow("deleted it, saved another as 5/2026")
      << QStringList{"DELETE FROM tbRecibo",
                     "INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, "
                     "Emitente, Referente) VALUES (5, 2026, '2026-03-15', 20000, 3, 2, 'Outro')"};
}

void tst_frmRecibo2::outraEstacaoGravouAntes() {
  QFETCH(QStringList, outraEstacao);
  QVERIFY(amb_->inserirRecibo(5, 2026, 12345000));
  ABRIR_TELA();
  digitar(numero_, QStringLiteral("5"));
  tecla(Qt::Key_Tab);
  QVERIFY(amb_->tela->editando());
  for (const QString& sql : outraEstacao)
    QVERIFY(amb_->pasta.executar(sql));
  const QStringList daOutra = PastaTeste::Linhas();
  digitar(valor_, QStringLiteral("99,90"));
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 1);
  const MensagensGravadas::Caixa& caixa = amb_->pasta.mensagens.ultima();
  QCOMPARE(caixa.texto, QStringLiteral("Este registro foi alterado em outra estação depois que você o abriu. Suas "
                                       "alterações não foram gravadas; abra-o de novo."));
  QCOMPARE(caixa.titulo, QStringLiteral("Recibo"));
  QCOMPARE(caixa.icone, Icone::Informacao);
  QCOMPARE(PastaTeste::Linhas(), daOutra);
  QVERIFY(amb_->tela->editando());
  QCOMPARE(valor_->Text(), QStringLiteral("99,90"));
}

// The form of payment and the beneficiary come after Sair, so the screen's own order is kept.
void tst_frmRecibo2::camposFiscaisDepoisDeSair() {
  ABRIR_TELA();
  imprimir_->setFocus();
  QStringList visitados;
  for (int i = 0; i < 5; ++i) {
    tecla(Qt::Key_Tab);
    const QWidget* controle = ValidacaoFoco::controleDe(foco());
    visitados << (controle != nullptr ? controle : foco())->objectName();
  }
  QCOMPARE(visitados, (QStringList{"btnGravar", "btnCancelar", "btnSair", "cboFormaPagamento", "uscBeneficiario"}));
}

void tst_frmRecibo2::formaEBeneficiarioGravadosECarregados() {
  ABRIR_TELA();
  imprimir_->setChecked(false);
  auto* forma = amb_->controle<QComboBox>("cboFormaPagamento");
  auto* beneficiario = amb_->controle<uscSelecionaRegistro>("uscBeneficiario");
  QVERIFY(forma && beneficiario);
  QCOMPARE(forma->currentText(), QString());
  QCOMPARE(forma->count(), 8);
  QVERIFY(beneficiario->Text(0).isEmpty());
  const auto linha = [this] {
    return amb_->pasta.valor(QStringLiteral("SELECT FormaPagamento||'|'||IFNULL(Beneficiario, 'nulo') FROM tbRecibo"))
        .toString();
  };

  // Only the keyboard: from Sair, Tab to the form, arrows, Tab to the beneficiary.
  preencherValido();
  amb_->controle<lvButtons>("btnSair")->setFocus();
  tecla(Qt::Key_Tab);
  tecla(Qt::Key_Down);
  tecla(Qt::Key_Down);
  tecla(Qt::Key_Tab);
  QCOMPARE(ValidacaoFoco::controleComFoco(), beneficiario);
  QTest::keyClicks(foco(), QString::number(AmbienteRecibo::kJoao));
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 0);
  QCOMPARE(linha(), QStringLiteral("2|3"));
  // The next receipt starts with both empty.
  QCOMPARE(forma->currentIndex(), 0);
  QVERIFY(beneficiario->Text(0).isEmpty());

  digitar(numero_, QStringLiteral("1"));
  tecla(Qt::Key_Tab);
  QVERIFY(amb_->tela->editando());
  QCOMPARE(forma->currentText(), QStringLiteral("PIX"));
  QCOMPARE(beneficiario->Text(1), QStringLiteral("João Souza"));

  // The payer chosen again as the beneficiary means none; the empty form is "not informed".
  escolher(beneficiario, AmbienteRecibo::kMaria);
  QVERIFY(beneficiario->Text(0).isEmpty());
  forma->setFocus();
  tecla(Qt::Key_Home);
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 0);
  QCOMPARE(linha(), QStringLiteral("0|nulo"));

  // Also when saved from inside the selector, before leaving it.
  digitar(numero_, QStringLiteral("1"));
  tecla(Qt::Key_Tab);
  beneficiario->Focar();
  QTest::keyClicks(foco(), QString::number(AmbienteRecibo::kMaria));
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 0);
  QCOMPARE(linha(), QStringLiteral("0|nulo"));
}

// Ctrl+D and Ctrl+P act on a loaded receipt only: a copy as a new receipt (today, next
// number, not saved until F5) and a print of the stored receipt, refused over unsaved changes.
enum class Atalho { Nada, Copia, Previa, Aviso };
Q_DECLARE_METATYPE(Atalho)

void tst_frmRecibo2::atalhosDoReciboCarregado_data() {
  QTest::addColumn<bool>("carregado");
  QTest::addColumn<QString>("valorDigitado");  // typed after loading; empty for none
  QTest::addColumn<int>("letra");
  QTest::addColumn<Atalho>("esperado");
  QTest::newRow("novo, Ctrl+D") << false << "12,34" << int(Qt::Key_D) << Atalho::Nada;
  QTest::newRow("novo, Ctrl+P") << false << "12,34" << int(Qt::Key_P) << Atalho::Nada;
  QTest::newRow("carregado, Ctrl+D") << true << "" << int(Qt::Key_D) << Atalho::Copia;
  QTest::newRow("carregado, Ctrl+P") << true << "" << int(Qt::Key_P) << Atalho::Previa;
  QTest::newRow("alterado, Ctrl+D") << true << "777,00" << int(Qt::Key_D) << Atalho::Copia;
  QTest::newRow("alterado, Ctrl+P") << true << "777,00" << int(Qt::Key_P) << Atalho::Aviso;
}

void tst_frmRecibo2::atalhosDoReciboCarregado() {
  QFETCH(bool, carregado);
  QFETCH(QString, valorDigitado);
  QFETCH(int, letra);
  QFETCH(Atalho, esperado);
  // Every column of the stored receipt holds something of its own.
  QVERIFY(amb_->inserirRecibo(5, 2026, 50000000, AmbienteRecibo::kMaria, AmbienteRecibo::kComercio));
  QVERIFY(amb_->pasta.executar(QStringLiteral("UPDATE tbRecibo SET FormaPagamento=3, Beneficiario=?"),
                               {AmbienteRecibo::kJoao}));
  ABRIR_TELA();
  imprimir_->setChecked(false);
  if (carregado) {
    digitar(numero_, QStringLiteral("5"));
    tecla(Qt::Key_Tab);
    QVERIFY(amb_->tela->editando());
  }
  if (!valorDigitado.isEmpty()) {
    digitar(valor_, valorDigitado);
    tecla(Qt::Key_Home);  // a text box's own Ctrl+D would delete the first digit
  }
  const QString valorAntes = valor_->Text();
  const QString numeroAntes = numero_->Text();
  QTest::keyClick(foco(), static_cast<Qt::Key>(letra), Qt::ControlModifier);

  QCOMPARE(recibos(), 1);
  QCOMPARE(previas(), esperado == Atalho::Previa ? 1 : 0);
  QCOMPARE(amb_->pasta.mensagens.quantas(), esperado == Atalho::Aviso ? 1 : 0);
  if (esperado == Atalho::Aviso) {
    QCOMPARE(amb_->pasta.mensagens.ultima().texto, QStringLiteral("Grave as alterações antes de imprimir."));
    QCOMPARE(amb_->pasta.mensagens.ultima().titulo, QStringLiteral("Recibo"));
  }
  QCOMPARE(valor_->Text(), valorAntes);
  if (esperado != Atalho::Copia) {
    QCOMPARE(amb_->tela->editando(), carregado);
    QCOMPARE(numero_->Text(), numeroAntes);
    return;
  }
  QVERIFY(!amb_->tela->editando());
  QCOMPARE(numero_->Text(), QStringLiteral("6"));
  QCOMPARE(ano_->Text(), QStringLiteral("2026"));
  QCOMPARE(data_->data(), QDate(2026, 12, 7));
  QTRY_VERIFY(valor_->hasFocus());
  tecla(Qt::Key_F5);
  QCOMPARE(amb_->pasta.mensagens.quantas(), 0);
  QCOMPARE(recibos(), 2);
  // The copy holds every column of the receipt shown, whatever columns the table gains.
  QSqlQuery original(Conexao::Banco());
  QSqlQuery copia(Conexao::Banco());
  QVERIFY(original.exec(QStringLiteral("SELECT * FROM tbRecibo WHERE Codigo=5")) && original.next());
  QVERIFY(copia.exec(QStringLiteral("SELECT * FROM tbRecibo WHERE Codigo=6 AND Ano=2026")) && copia.next());
  const QSqlRecord colunas = original.record();
  for (int i = 0; i < colunas.count(); ++i) {
    const QString nome = colunas.fieldName(i);
    if (nome == QLatin1String("Codigo"))
      continue;
    QVariant esperadoNaCopia = original.value(i);
    if (nome == QLatin1String("DataEmissao"))
      esperadoNaCopia = QStringLiteral("2026-12-07");
    else if (nome == QLatin1String("Valor") && !valorDigitado.isEmpty())
      esperadoNaCopia = 7770000;
    QVERIFY2(copia.value(i).toString() == esperadoNaCopia.toString(),
             qPrintable(nome + QStringLiteral(": ") + copia.value(i).toString()));
  }
}

QTEST_MAIN(tst_frmRecibo2)
#include "tst_frmRecibo2.moc"
