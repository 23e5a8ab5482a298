#include "tests/registries/AmbienteCadastro.h"

#include "app/core/Compactacao.h"
#include "app/core/Conexao.h"
#include "app/mdiPrincipal.h"
#include "controls/CaixaEdicao.h"
#include "controls/uscTextBox.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRadioButton>
#include <QTreeView>
#include <QtTest>

#include <limits>

namespace {

const QString kMenu = QStringLiteral("mnuCadastroPessoa");
const QString kTela = QStringLiteral("frmPessoa");
const QString kCodigo = QStringLiteral("txtCodigoEmitente");

}  // namespace

class tst_frmPessoa : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();
  void tabelaVaziaENovoPropoeUm();
  void codigoMaximoNaoTransborda_data();
  void codigoMaximoNaoTransborda();
  void codigoExistenteEditaECodigoNovoInsere();
  void zerosAEsquerda();
  void nomeEmBrancoNaoGrava();
  void gravarDeixaOFocoNoNovo();
  void trocaDeTipo();
  void documentoInvalidoMantemOFocoComUmaMensagem_data();
  void documentoInvalidoMantemOFocoComUmaMensagem();
  void cnpjComLetras();
  void cepVazioGravadoComoNulo();
  void escEFecharRecusadosEmEdicao();
  void teclasDeFuncaoConformeOEstado();
  void excluirUnicoRegistro();
  void pessoaNosRecibosNaoEhExcluida();
  void excluirRespondendoNao();
  void localizarCarregaAPessoa();
  void codigoQueNaoCabeNumLongo();
  void apagarOCodigoVoltaAoOcioso();
  void ordemDeTabulacao();
  void outraEstacaoGravouAntes_data();
  void outraEstacaoGravouAntes();
  void registroSumiuAoGravar();
  void abertaEmEdicaoDuranteACompactacao();
  void menuEBarraAbremUmaSoTela();
  void fecharOProgramaComDocumentoInvalido();
  void registroProfissional();

private:
  void inserirPessoa(qint64 codigo, const QString& nome, int tipo = 0, const QString& documento = QString(),
                     const QVariant& cep = QVariant());
  /// Types `codigo` into the idle code box and leaves it.
  void confirmarCodigo(const QString& codigo);
  bool habilitado(const QString& nome) const { return ambiente_->controle(nome)->isEnabled(); }
  QVariant valor(const QString& sql) const { return ambiente_->pasta.valor(sql); }
  MensagensGravadas& mensagens() { return ambiente_->pasta.mensagens; }

  std::unique_ptr<AmbienteCadastro> ambiente_;
};

void tst_frmPessoa::init() {
  ambiente_ = std::make_unique<AmbienteCadastro>();
}

void tst_frmPessoa::cleanup() {
  ambiente_.reset();
}

void tst_frmPessoa::inserirPessoa(qint64 codigo, const QString& nome, int tipo, const QString& documento,
                                  const QVariant& cep) {
  QVERIFY(ambiente_->pasta.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao, TipoPessoa, Documento01, "
                                                   "Documento02, Cidade, Cep, EMail) "
                                                   "VALUES (?, ?, ?, ?, 'RG-9', 'Recife', ?, 'a@b.com')"),
                                    {codigo, nome, tipo, documento.isNull() ? QStringLiteral("") : documento, cep}));
}

void tst_frmPessoa::confirmarCodigo(const QString& codigo) {
  ambiente_->confirmarCodigo(kCodigo, codigo);
}

void tst_frmPessoa::tabelaVaziaENovoPropoeUm() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  QCOMPARE(ambiente_->tela()->windowTitle(), QStringLiteral("Pessoas"));
  QVERIFY(ambiente_->focoEm(kCodigo));
  QCOMPARE(ambiente_->painel(1), QString());
  QCOMPARE(ambiente_->painel(2), QStringLiteral("Registros: 0"));
  for (const char* nome :
       {"txtNome", "optTipoPessoa_0", "txtDoc1", "txtCep", "txtHomePage", "btnGravar", "btnCancelar", "btnExcluir"})
    QVERIFY2(!habilitado(QString::fromLatin1(nome)), nome);
  QVERIFY(habilitado(QStringLiteral("btnNovo")));
  QVERIFY(habilitado(QStringLiteral("btnSair")));
  QVERIFY(ambiente_->controle<QRadioButton>(QStringLiteral("optTipoPessoa_0"))->isChecked());

  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(ambiente_->texto(kCodigo), QStringLiteral("1"));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("INSERINDO"));
  QVERIFY(ambiente_->focoEm(QStringLiteral("txtNome")));
  QVERIFY(ambiente_->controle<CaixaEdicao>(kCodigo)->Locked());
  QVERIFY(habilitado(QStringLiteral("btnGravar")));
  QVERIFY(habilitado(QStringLiteral("btnCancelar")));
  for (const char* nome : {"btnExcluir", "btnSair", "btnNovo", "btnLocalizar"})
    QVERIFY2(!habilitado(QString::fromLatin1(nome)), nome);
  QCOMPARE(mensagens().quantas(), 0);
}

void tst_frmPessoa::codigoMaximoNaoTransborda_data() {
  QTest::addColumn<qint64>("maior");
  QTest::addColumn<QString>("proposto");
  QTest::newRow("abaixo do maior codigo") << 2147483646LL << QStringLiteral("2147483647");
  QTest::newRow("maior codigo") << 2147483647LL << QString();
  QTest::newRow("maior inteiro") << std::numeric_limits<qint64>::max() << QString();
}

// The code box has no length of its own; the next code must not wrap round past the largest.
void tst_frmPessoa::codigoMaximoNaoTransborda() {
  QFETCH(qint64, maior);
  QFETCH(QString, proposto);
  inserirPessoa(maior, QStringLiteral("Maior"));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(ambiente_->texto(kCodigo), proposto);
  QCOMPARE(ambiente_->painel(1), proposto.isEmpty() ? QString() : QStringLiteral("INSERINDO"));
  QCOMPARE(mensagens().quantas(), proposto.isEmpty() ? 1 : 0);
  if (proposto.isEmpty()) {
    QVERIFY(mensagens().ultima().texto.contains(QString::number(maior)));
    QCOMPARE(mensagens().ultima().titulo, QStringLiteral("Pessoa"));
  }
}

void tst_frmPessoa::codigoExistenteEditaECodigoNovoInsere() {
  inserirPessoa(7, QStringLiteral("Padaria Pão Quente Ltda."), 1, QStringLiteral("12345678000195"));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  QCOMPARE(ambiente_->painel(2), QStringLiteral("Registros: 1"));
  confirmarCodigo(QStringLiteral("7"));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("EDITANDO"));
  QVERIFY(habilitado(QStringLiteral("btnExcluir")));
  QVERIFY(ambiente_->focoEm(QStringLiteral("txtNome")));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtNome")), QStringLiteral("Padaria Pão Quente Ltda."));
  QVERIFY(ambiente_->controle<QRadioButton>(QStringLiteral("optTipoPessoa_1"))->isChecked());
  QCOMPARE(ambiente_->texto(QStringLiteral("lblLabel_2")), QStringLiteral("CNPJ:"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtDoc1")), QStringLiteral("12345678000195"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtDoc2")), QStringLiteral("RG-9"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtCidade")), QStringLiteral("Recife"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtEMail")), QStringLiteral("a@b.com"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtCep")), QString());

  ambiente_->tecla(Qt::Key_F6);
  QCOMPARE(ambiente_->painel(1), QString());
  QCOMPARE(ambiente_->texto(QStringLiteral("txtNome")), QString());
  QCOMPARE(ambiente_->controleFocado(), QStringLiteral("btnNovo"));
  ambiente_->controle<CaixaEdicao>(kCodigo)->Focar();
  confirmarCodigo(QStringLiteral("8"));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("INSERINDO"));
  QVERIFY(!habilitado(QStringLiteral("btnExcluir")));
  QVERIFY(ambiente_->controle<QRadioButton>(QStringLiteral("optTipoPessoa_0"))->isChecked());
  QCOMPARE(ambiente_->texto(QStringLiteral("txtDoc2")), QString());
  QCOMPARE(ambiente_->texto(QStringLiteral("lblLabel_2")), QStringLiteral("CPF:"));
}

void tst_frmPessoa::zerosAEsquerda() {
  inserirPessoa(7, QStringLiteral("Sete"));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  confirmarCodigo(QStringLiteral("007"));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("EDITANDO"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtNome")), QStringLiteral("Sete"));
  ambiente_->tecla(Qt::Key_F6);
  ambiente_->controle<CaixaEdicao>(kCodigo)->Focar();
  confirmarCodigo(QStringLiteral("0012"));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("INSERINDO"));
  ambiente_->digitar(QStringLiteral("  Doze  "));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(valor(QStringLiteral("SELECT Descricao FROM tbPessoa WHERE Codigo=12")).toString(), QStringLiteral("Doze"));
  QCOMPARE(ambiente_->painel(2), QStringLiteral("Registros: 2"));
  QCOMPARE(ambiente_->texto(kCodigo), QString());
}

void tst_frmPessoa::nomeEmBrancoNaoGrava() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->tecla(Qt::Key_F5);
  ambiente_->digitar(QStringLiteral("   "));
  ambiente_->preencher(QStringLiteral("txtCidade"), QStringLiteral("Olinda"));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(mensagens().quantas(), 1);
  QCOMPARE(mensagens().ultima().texto, QStringLiteral("Por favor, entre com o nome."));
  QCOMPARE(mensagens().ultima().titulo, QStringLiteral("Pessoa"));
  QCOMPARE(mensagens().ultima().icone, Icone::Informacao);
  QCOMPARE(valor(QStringLiteral("SELECT COUNT(*) FROM tbPessoa")).toInt(), 0);
  QVERIFY(ambiente_->focoEm(QStringLiteral("txtNome")));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("INSERINDO"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtCidade")), QStringLiteral("Olinda"));
}

// After a save the screen is idle with the focus one tab stop on from the code box, so that F5
// and Esc reach it at once.
void tst_frmPessoa::gravarDeixaOFocoNoNovo() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->tecla(Qt::Key_F5);
  ambiente_->digitar(QStringLiteral("Ana"));
  ambiente_->preencher(QStringLiteral("txtUF"), QStringLiteral("PE"));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(mensagens().quantas(), 0);
  QCOMPARE(ambiente_->painel(1), QString());
  QTRY_VERIFY2(ambiente_->focoEm(QStringLiteral("btnNovo")), qPrintable(ambiente_->controleFocado()));
}

void tst_frmPessoa::trocaDeTipo() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->tecla(Qt::Key_F5);
  ambiente_->preencher(QStringLiteral("txtDoc2"), QStringLiteral("MG-12"));
  ambiente_->preencher(QStringLiteral("txtDoc1"), QStringLiteral("123456789091"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtDoc1")), QStringLiteral("12345678909"));
  auto* doc1 = ambiente_->controle<CaixaEdicao>(QStringLiteral("txtDoc1"));
  QCOMPARE(doc1->MaxLength(), 11);

  QTest::mouseClick(ambiente_->controle(QStringLiteral("optTipoPessoa_1")), Qt::LeftButton, {}, QPoint(5, 5));
  QVERIFY(ambiente_->controle<QRadioButton>(QStringLiteral("optTipoPessoa_1"))->isChecked());
  QCOMPARE(ambiente_->texto(QStringLiteral("txtDoc1")), QString());
  QCOMPARE(ambiente_->texto(QStringLiteral("txtDoc2")), QStringLiteral("MG-12"));
  QCOMPARE(doc1->MaxLength(), 14);
  QCOMPARE(ambiente_->texto(QStringLiteral("lblLabel_2")), QStringLiteral("CNPJ:"));
  QCOMPARE(ambiente_->texto(QStringLiteral("lblLabel_3")), QStringLiteral("Inscr. Est.:"));
  ambiente_->preencher(QStringLiteral("txtDoc1"), QStringLiteral("123456780001959"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtDoc1")), QStringLiteral("12345678000195"));

  QTest::mouseClick(ambiente_->controle(QStringLiteral("optTipoPessoa_0")), Qt::LeftButton, {}, QPoint(5, 5));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtDoc1")), QString());
  QCOMPARE(doc1->MaxLength(), 11);
  QCOMPARE(ambiente_->texto(QStringLiteral("lblLabel_2")), QStringLiteral("CPF:"));
  QCOMPARE(ambiente_->texto(QStringLiteral("lblLabel_3")), QStringLiteral("RG:"));
  QCOMPARE(mensagens().quantas(), 0);
}

void tst_frmPessoa::documentoInvalidoMantemOFocoComUmaMensagem_data() {
  QTest::addColumn<bool>("juridica");
  QTest::addColumn<QString>("invalido");
  QTest::addColumn<QString>("valido");
  QTest::addColumn<QString>("mensagem");
  QTest::newRow("CPF") << false << "12345678900"
                       << "12345678909"
                       << "O código do CPF informado é inválido.";
  QTest::newRow("CNPJ") << true << "12345678000194"
                        << "12345674"
                        << "O código do CNPJ informado é inválido.";
}

void tst_frmPessoa::documentoInvalidoMantemOFocoComUmaMensagem() {
  QFETCH(bool, juridica);
  QFETCH(QString, invalido);
  QFETCH(QString, valido);
  QFETCH(QString, mensagem);
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->tecla(Qt::Key_F5);
  if (juridica)
    ambiente_->controle<QRadioButton>(QStringLiteral("optTipoPessoa_1"))->click();
  ambiente_->preencher(QStringLiteral("txtDoc1"), invalido);
  ambiente_->tecla(Qt::Key_Tab);
  QCOMPARE(mensagens().quantas(), 1);
  QCOMPARE(mensagens().ultima().texto, mensagem);
  QVERIFY(ambiente_->focoEm(QStringLiteral("txtDoc1")));
  // A click elsewhere is refused the same way.
  QTest::mouseClick(ambiente_->controle<CaixaEdicao>(QStringLiteral("txtBairro"))->findChild<QLineEdit*>(),
                    Qt::LeftButton);
  QVERIFY(ambiente_->focoEm(QStringLiteral("txtDoc1")));
  QCOMPARE(mensagens().quantas(), 2);

  ambiente_->controle<CaixaEdicao>(QStringLiteral("txtDoc1"))->setText(QString());
  ambiente_->tecla(Qt::Key_Tab);
  QVERIFY(ambiente_->focoEm(QStringLiteral("txtDoc2")));
  ambiente_->tecla(Qt::Key_Backtab);
  ambiente_->digitar(valido);
  ambiente_->tecla(Qt::Key_Tab);
  QVERIFY(ambiente_->focoEm(QStringLiteral("txtDoc2")));
  QCOMPARE(mensagens().quantas(), 2);
}

void tst_frmPessoa::cnpjComLetras() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->tecla(Qt::Key_F5);
  ambiente_->controle<QRadioButton>(QStringLiteral("optTipoPessoa_1"))->click();
  // Letters only in the first twelve positions, upper-cased as typed.
  ambiente_->preencher(QStringLiteral("txtDoc1"), QStringLiteral("12abc34501deXY35"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtDoc1")), QStringLiteral("12ABC34501DE35"));
  ambiente_->tecla(Qt::Key_Tab);
  QCOMPARE(mensagens().quantas(), 0);
  QVERIFY(ambiente_->focoEm(QStringLiteral("txtDoc2")));
  ambiente_->preencher(QStringLiteral("txtNome"), QStringLiteral("Empresa Nova"));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(valor(QStringLiteral("SELECT Documento01 FROM tbPessoa WHERE Codigo=1")).toString(),
           QStringLiteral("12ABC34501DE35"));
  QCOMPARE(valor(QStringLiteral("SELECT TipoPessoa FROM tbPessoa WHERE Codigo=1")).toInt(), 1);

  // A CPF stays digits only.
  ambiente_->controle<CaixaEdicao>(kCodigo)->Focar();
  ambiente_->tecla(Qt::Key_F5);
  ambiente_->preencher(QStringLiteral("txtDoc1"), QStringLiteral("12a3"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtDoc1")), QStringLiteral("123"));
}

void tst_frmPessoa::cepVazioGravadoComoNulo() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->tecla(Qt::Key_F5);
  ambiente_->digitar(QStringLiteral("Ana"));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(valor(QStringLiteral("SELECT Cep IS NULL FROM tbPessoa WHERE Codigo=1")).toInt(), 1);
  for (const char* coluna : {"Documento01", "Documento02", "Endereco", "Numero", "Complemento", "Bairro", "Cidade",
                             "UF", "Telefone", "Celular", "Fax", "EMail", "Homepage", "RegistroProfissional"})
    QVERIFY2(
        valor(QStringLiteral("SELECT %1 = '' FROM tbPessoa WHERE Codigo=1").arg(QLatin1String(coluna))).toInt() == 1,
        coluna);
  QCOMPARE(valor(QStringLiteral("SELECT TipoPessoa FROM tbPessoa WHERE Codigo=1")).toInt(), 0);

  QCOMPARE(ambiente_->controleFocado(), QStringLiteral("btnNovo"));
  ambiente_->controle<CaixaEdicao>(kCodigo)->Focar();
  confirmarCodigo(QStringLiteral("1"));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("EDITANDO"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtCep")), QString());
  ambiente_->preencher(QStringLiteral("txtCep"), QStringLiteral("50030230"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtCep")), QStringLiteral("50030-230"));
  ambiente_->preencher(QStringLiteral("txtUF"), QStringLiteral("pe"));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(valor(QStringLiteral("SELECT Cep FROM tbPessoa WHERE Codigo=1")).toString(), QStringLiteral("50030-230"));
  QCOMPARE(valor(QStringLiteral("SELECT UF FROM tbPessoa WHERE Codigo=1")).toString(), QStringLiteral("PE"));
  QCOMPARE(ambiente_->painel(2), QStringLiteral("Registros: 1"));

  ambiente_->controle<CaixaEdicao>(kCodigo)->Focar();
  confirmarCodigo(QStringLiteral("1"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtCep")), QStringLiteral("50030-230"));
}

void tst_frmPessoa::escEFecharRecusadosEmEdicao() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  QPointer<QWidget> tela = ambiente_->tela();
  auto* janela = qobject_cast<QMdiSubWindow*>(tela->parentWidget());
  QVERIFY(janela != nullptr);
  ambiente_->tecla(Qt::Key_F5);
  ambiente_->tecla(Qt::Key_Escape);
  QVERIFY(!janela->close());
  QCoreApplication::processEvents();
  QVERIFY(!tela.isNull());
  QVERIFY(tela->isVisible());
  QCOMPARE(ambiente_->painel(1), QStringLiteral("INSERINDO"));

  // Idle: the close box is still refused; Esc closes.
  ambiente_->tecla(Qt::Key_F6);
  QVERIFY(!janela->close());
  QVERIFY(!tela.isNull());
  ambiente_->tecla(Qt::Key_Escape);
  QTRY_VERIFY(tela.isNull());
}

void tst_frmPessoa::teclasDeFuncaoConformeOEstado() {
  inserirPessoa(4, QStringLiteral("Quatro"));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  // Idle: F6 and F7 have nothing to do.
  ambiente_->tecla(Qt::Key_F6);
  ambiente_->tecla(Qt::Key_F7);
  QCOMPARE(ambiente_->painel(1), QString());
  QCOMPARE(mensagens().quantas(), 0);

  // Inserting: no F7 (nothing to delete), F5 saves.
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(ambiente_->texto(kCodigo), QStringLiteral("5"));
  ambiente_->tecla(Qt::Key_F7);
  QCOMPARE(mensagens().quantas(), 0);
  ambiente_->digitar(QStringLiteral("Cinco"));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(valor(QStringLiteral("SELECT Descricao FROM tbPessoa WHERE Codigo=5")).toString(), QStringLiteral("Cinco"));
  QCOMPARE(ambiente_->painel(1), QString());

  // Editing: F2 in the locked code box does not open the lookup; F6 cancels what was typed.
  ambiente_->controle<CaixaEdicao>(kCodigo)->Focar();
  confirmarCodigo(QStringLiteral("4"));
  ambiente_->digitar(QStringLiteral(" alterado"));
  ambiente_->controle<CaixaEdicao>(kCodigo)->Focar();
  ambiente_->tecla(Qt::Key_F2);
  QVERIFY(QApplication::activeModalWidget() == nullptr);
  ambiente_->tecla(Qt::Key_F6);
  QCOMPARE(valor(QStringLiteral("SELECT Descricao FROM tbPessoa WHERE Codigo=4")).toString(), QStringLiteral("Quatro"));
  QCOMPARE(ambiente_->painel(1), QString());
  QCOMPARE(mensagens().quantas(), 0);
}

void tst_frmPessoa::excluirUnicoRegistro() {
  inserirPessoa(3, QStringLiteral("Única"));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  confirmarCodigo(QStringLiteral("3"));
  mensagens().responder(Resposta::Sim);
  ambiente_->tecla(Qt::Key_F7);
  QCOMPARE(mensagens().quantas(), 1);
  const auto& pergunta = mensagens().ultima();
  QCOMPARE(pergunta.texto, QStringLiteral("Confirma a exclusão do registro selecionado ?"));
  QCOMPARE(pergunta.titulo, QStringLiteral("Excluir pessoa"));
  QCOMPARE(pergunta.icone, Icone::Pergunta);
  QCOMPARE(pergunta.botoes, Botoes::SimNao);
  QCOMPARE(pergunta.padrao, Resposta::Nao);
  QCOMPARE(valor(QStringLiteral("SELECT COUNT(*) FROM tbPessoa")).toInt(), 0);
  QCOMPARE(ambiente_->painel(2), QStringLiteral("Registros: 0"));
  QCOMPARE(ambiente_->painel(1), QString());
  QCOMPARE(ambiente_->texto(kCodigo), QString());
  QVERIFY(!habilitado(QStringLiteral("txtNome")));
  QVERIFY(habilitado(QStringLiteral("btnSair")));
}

void tst_frmPessoa::pessoaNosRecibosNaoEhExcluida() {
  inserirPessoa(3, QStringLiteral("Paga"));
  inserirPessoa(4, QStringLiteral("Recebe"));
  QVERIFY(ambiente_->pasta.executar(
      QStringLiteral("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Recebi, Emitente) VALUES "
                     "(12, 2025, '2025-12-07', 3, 4), (1, 2026, '2026-01-02', 3, 4)")));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  confirmarCodigo(QStringLiteral("3"));
  mensagens().responder(Resposta::Sim);
  ambiente_->tecla(Qt::Key_F7);
  QCOMPARE(mensagens().quantas(), 2);
  QCOMPARE(mensagens().ultima().texto,
           QStringLiteral("Esta pessoa aparece em 2 recibos (o primeiro: 12/2025) e não pode ser excluída."));
  QCOMPARE(mensagens().ultima().titulo, QStringLiteral("Pessoa"));
  QCOMPARE(mensagens().ultima().icone, Icone::Informacao);
  QCOMPARE(valor(QStringLiteral("SELECT COUNT(*) FROM tbPessoa")).toInt(), 2);
  QCOMPARE(ambiente_->painel(1), QStringLiteral("EDITANDO"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtNome")), QStringLiteral("Paga"));
}

void tst_frmPessoa::excluirRespondendoNao() {
  inserirPessoa(3, QStringLiteral("Fica"));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  confirmarCodigo(QStringLiteral("3"));
  QVERIFY(ambiente_->focoEm(QStringLiteral("txtNome")));
  mensagens().responder(Resposta::Nao);
  ambiente_->clicar(QStringLiteral("btnExcluir"));
  QCOMPARE(mensagens().quantas(), 1);
  QCOMPARE(valor(QStringLiteral("SELECT COUNT(*) FROM tbPessoa")).toInt(), 1);
  QCOMPARE(ambiente_->painel(1), QStringLiteral("EDITANDO"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtNome")), QStringLiteral("Fica"));
  QVERIFY(habilitado(QStringLiteral("btnExcluir")));

  // F7 moves the focus one tab stop on, also after No.
  ambiente_->controle<CaixaEdicao>(QStringLiteral("txtNome"))->Focar();
  ambiente_->tecla(Qt::Key_F7);
  QCOMPARE(mensagens().quantas(), 2);
  QCOMPARE(ambiente_->painel(1), QStringLiteral("EDITANDO"));
  QVERIFY(!ambiente_->focoEm(QStringLiteral("txtNome")));
  QCOMPARE(ambiente_->controleFocado(), QStringLiteral("optTipoPessoa_0"));
}

void tst_frmPessoa::localizarCarregaAPessoa() {
  inserirPessoa(2, QStringLiteral("João da Silva"));
  inserirPessoa(9, QStringLiteral("Maria Souza"));
  QVERIFY(ambiente_->abrir(kMenu, kTela));

  ambiente_->quandoDialogoAbrir([](QWidget* dialogo) {
    QCOMPARE(dialogo->objectName(), QStringLiteral("frmLocalizarPessoa"));
    QTest::keyClick(dialogo->findChild<QLineEdit*>(QStringLiteral("txtDescricao")), Qt::Key_Escape);
  });
  ambiente_->tecla(Qt::Key_F2);
  QCOMPARE(ambiente_->painel(1), QString());
  QCOMPARE(ambiente_->texto(kCodigo), QString());

  ambiente_->quandoDialogoAbrir([](QWidget* dialogo) {
    QTest::keyClicks(dialogo->findChild<QLineEdit*>(QStringLiteral("txtDescricao")), QStringLiteral("souza"));
    QTest::mouseClick(dialogo->findChild<QWidget*>(QStringLiteral("cmbOK")), Qt::LeftButton);
  });
  ambiente_->clicar(QStringLiteral("btnLocalizar"));
  QTRY_COMPARE(ambiente_->painel(1), QStringLiteral("EDITANDO"));
  QCOMPARE(ambiente_->texto(kCodigo), QStringLiteral("9"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtNome")), QStringLiteral("Maria Souza"));
  QVERIFY(ambiente_->reativar());
  QVERIFY(ambiente_->focoEm(QStringLiteral("txtNome")));
  QVERIFY(ambiente_->tela()->findChild<QWidget*>(QStringLiteral("frmLocalizarPessoa")) == nullptr);
}

void tst_frmPessoa::codigoQueNaoCabeNumLongo() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  confirmarCodigo(QStringLiteral("2147483648"));
  QCOMPARE(mensagens().quantas(), 1);
  QCOMPARE(mensagens().ultima().titulo, QStringLiteral("Pessoa"));
  QVERIFY(mensagens().ultima().texto.contains(QLatin1String("2147483647")));
  QVERIFY(ambiente_->focoEm(kCodigo));
  QCOMPARE(ambiente_->painel(1), QString());
  QVERIFY(!habilitado(QStringLiteral("btnGravar")));

  ambiente_->tecla(Qt::Key_Backspace);
  ambiente_->digitar(QStringLiteral("7"));
  ambiente_->tecla(Qt::Key_Tab);
  QCOMPARE(ambiente_->painel(1), QStringLiteral("INSERINDO"));
  ambiente_->digitar(QStringLiteral("Maior"));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(valor(QStringLiteral("SELECT Descricao FROM tbPessoa WHERE Codigo=2147483647")).toString(),
           QStringLiteral("Maior"));
  QCOMPARE(mensagens().quantas(), 1);
}

void tst_frmPessoa::apagarOCodigoVoltaAoOcioso() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->digitar(QStringLiteral("12"));
  QVERIFY(habilitado(QStringLiteral("txtNome")));
  auto* novo = ambiente_->controle<QWidget>(QStringLiteral("btnNovo"));
  QCOMPARE(novo->focusPolicy() & Qt::TabFocus, 0);
  ambiente_->tecla(Qt::Key_Backspace);
  ambiente_->tecla(Qt::Key_Backspace);
  QVERIFY(!habilitado(QStringLiteral("txtNome")));
  QCOMPARE(novo->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
  QTRY_COMPARE(ambiente_->controleFocado(), QStringLiteral("btnNovo"));
  QCOMPARE(mensagens().quantas(), 0);
}

void tst_frmPessoa::ordemDeTabulacao() {
  inserirPessoa(1, QStringLiteral("Um"));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  confirmarCodigo(QStringLiteral("1"));
  QStringList visitados{ambiente_->controleFocado()};
  for (int i = 0; i < 22; ++i) {
    ambiente_->tecla(Qt::Key_Tab);
    visitados << ambiente_->controleFocado();
  }
  // The code box, Novo and Localizar are no tab stops while a person is open; Sair is disabled.
  // The professional register came later: it follows the buttons.
  const QStringList esperados{"txtNome",     "optTipoPessoa_0", "txtDoc1",     "txtDoc2",    "txtEndereco",
                              "txtNumero",   "txtComplemento",  "txtBairro",   "txtCidade",  "txtUF",
                              "txtCep",      "txtTelefone",     "txtCelular",  "txtFax",     "txtEMail",
                              "txtHomePage", "btnGravar",       "btnCancelar", "btnExcluir", "txtRegistroProfissional",
                              "txtNome",     "optTipoPessoa_0", "txtDoc1"};
  QCOMPARE(visitados, esperados);
}

void tst_frmPessoa::outraEstacaoGravouAntes_data() {
  QTest::addColumn<QString>("codigo");        // empty: a new person, code proposed by Novo
  QTest::addColumn<QString>("outraEstacao");  // what another desk saved meanwhile
  QTest::newRow("took the proposed code")
      << QString() << "INSERT INTO tbPessoa (Codigo, Descricao, Cidade) VALUES (1, 'Outra', 'Recife')";
  QTest::newRow("changed the city of the open person")
      << "1"
      << "UPDATE tbPessoa SET Descricao='Outra', Cidade='Olinda' WHERE Codigo=1";
}

void tst_frmPessoa::outraEstacaoGravouAntes() {
  QFETCH(QString, codigo);
  QFETCH(QString, outraEstacao);
  if (!codigo.isEmpty())
    inserirPessoa(1, QStringLiteral("Primeira"));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  if (codigo.isEmpty())
    ambiente_->tecla(Qt::Key_F5);
  else
    confirmarCodigo(codigo);
  const QString modo = ambiente_->painel(1);
  QVERIFY(ambiente_->focoEm(QStringLiteral("txtNome")));
  ambiente_->digitar(QStringLiteral("Minha"));
  QVERIFY(ambiente_->pasta.executar(outraEstacao));
  const QStringList daOutra = PastaTeste::Linhas();
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(mensagens().quantas(), 1);
  QCOMPARE(mensagens().ultima().texto,
           QStringLiteral("Este registro foi alterado em outra estação depois que você o abriu. Suas alterações não "
                          "foram gravadas; abra-o de novo."));
  QCOMPARE(mensagens().ultima().titulo, QStringLiteral("Pessoa"));
  QCOMPARE(mensagens().ultima().icone, Icone::Informacao);
  // Nothing written, nothing typed lost.
  QCOMPARE(PastaTeste::Linhas(), daOutra);
  QCOMPARE(ambiente_->painel(1), modo);
  QVERIFY(ambiente_->texto(QStringLiteral("txtNome")).endsWith(QLatin1String("Minha")));
  QVERIFY(!Conexao::Banco().rollback());  // no transaction left open
}

void tst_frmPessoa::registroSumiuAoGravar() {
  inserirPessoa(6, QStringLiteral("Seis"));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  confirmarCodigo(QStringLiteral("6"));
  QVERIFY(ambiente_->pasta.executar(QStringLiteral("DELETE FROM tbPessoa")));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(mensagens().quantas(), 1);
  QCOMPARE(mensagens().ultima().titulo, QStringLiteral("[Pessoa] - Não foi possível gravar o registro"));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("EDITANDO"));
  QCOMPARE(valor(QStringLiteral("SELECT COUNT(*) FROM tbPessoa")).toInt(), 0);

  ambiente_->tecla(Qt::Key_F7);  // answered with the default, No
  mensagens().responder(Resposta::Sim);
  ambiente_->clicar(QStringLiteral("btnExcluir"));
  QCOMPARE(mensagens().ultima().titulo, QStringLiteral("[Pessoa] - Não foi possível excluir o registro"));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("EDITANDO"));
}

void tst_frmPessoa::abertaEmEdicaoDuranteACompactacao() {
  inserirPessoa(3, QStringLiteral("Beto"));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  confirmarCodigo(QStringLiteral("3"));
  ambiente_->controle<CaixaEdicao>(QStringLiteral("txtNome"))->setText(QStringLiteral("Roberto"));
  QVERIFY(Compactacao::CompactarBanco().ok);
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(mensagens().quantas(), 0);
  QCOMPARE(valor(QStringLiteral("SELECT Descricao FROM tbPessoa WHERE Codigo=3")).toString(),
           QStringLiteral("Roberto"));
  QCOMPARE(ambiente_->painel(2), QStringLiteral("Registros: 1"));

  ambiente_->controle<CaixaEdicao>(kCodigo)->Focar();
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(ambiente_->texto(kCodigo), QStringLiteral("4"));
  ambiente_->tecla(Qt::Key_F6);
  ambiente_->controle<CaixaEdicao>(kCodigo)->Focar();
  ambiente_->quandoDialogoAbrir([](QWidget* dialogo) {
    QTRY_COMPARE(dialogo->findChild<QTreeView*>()->model()->rowCount(), 1);
    QTest::keyClick(dialogo, Qt::Key_Escape);
  });
  ambiente_->tecla(Qt::Key_F2);
  QCOMPARE(mensagens().quantas(), 0);
}

void tst_frmPessoa::menuEBarraAbremUmaSoTela() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  QWidget* primeira = ambiente_->tela();
  ambiente_->janela().findChild<QAction*>(kMenu)->trigger();
  ambiente_->janela().findChild<QAction*>(QStringLiteral("tobPrincipal_1"))->trigger();
  QCOMPARE(ambiente_->janela().findChildren<QWidget*>(kTela).size(), 1);
  QCOMPARE(ambiente_->janela().findChild<QWidget*>(kTela), primeira);
  ambiente_->janela().findChild<QAction*>(QStringLiteral("tobPrincipal_2"))->trigger();
  QCOMPARE(ambiente_->janela().area()->subWindowList().size(), 2);
  QVERIFY(ambiente_->janela().findChild<QWidget*>(QStringLiteral("frmReferente")) != nullptr);
}

void tst_frmPessoa::fecharOProgramaComDocumentoInvalido() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  QPointer<QWidget> tela = ambiente_->tela();
  ambiente_->tecla(Qt::Key_F5);
  ambiente_->preencher(QStringLiteral("txtDoc1"), QStringLiteral("111"));
  // Closing the main window closes the screen without a check of the field being left.
  QVERIFY(ambiente_->janela().close());
  QTRY_VERIFY(tela.isNull());
  QCOMPARE(mensagens().quantas(), 0);
}

void tst_frmPessoa::registroProfissional() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->tecla(Qt::Key_F5);
  ambiente_->digitar(QStringLiteral("Ana Advogada"));
  // Back from the name: the register is the last stop of the tab order.
  ambiente_->tecla(Qt::Key_Tab, Qt::ShiftModifier);
  QVERIFY(ambiente_->focoEm(QStringLiteral("txtRegistroProfissional")));
  ambiente_->digitar(QStringLiteral("  OAB/SP 123.456 "));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(mensagens().quantas(), 0);
  QCOMPARE(valor(QStringLiteral("SELECT RegistroProfissional FROM tbPessoa WHERE Codigo=1")).toString(),
           QStringLiteral("OAB/SP 123.456"));

  ambiente_->controle<CaixaEdicao>(kCodigo)->Focar();
  confirmarCodigo(QStringLiteral("1"));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtRegistroProfissional")), QStringLiteral("OAB/SP 123.456"));
  ambiente_->tecla(Qt::Key_F6);
  QVERIFY(!habilitado(QStringLiteral("txtRegistroProfissional")));
  QCOMPARE(ambiente_->texto(QStringLiteral("txtRegistroProfissional")), QString());
}

QTEST_MAIN(tst_frmPessoa)
#include "tst_frmPessoa.moc"
