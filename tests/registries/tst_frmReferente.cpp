#include "tests/registries/AmbienteCadastro.h"

#include "app/core/RegistroAlterado.h"

#include "controls/CaixaEdicao.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeView>
#include <QtTest>

#include <limits>

namespace {

const QString kMenu = QStringLiteral("mnuCadastroReferente");
const QString kTela = QStringLiteral("frmReferente");
const QString kCodigo = QStringLiteral("txtCodigo");
const QString kDescricao = QStringLiteral("txtDescricao");

}  // namespace

class tst_frmReferente : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();
  void tabelaVaziaENovoPropoeUm();
  void codigoDeAteSeteDigitos();
  void codigoMaximoNaoTransborda_data();
  void codigoMaximoNaoTransborda();
  void descricaoDeVariasLinhas();
  void descricaoEmBrancoRecusada();
  void apagarOCodigoAvancaDuasParadas();
  void excluirNaoMexeNosRecibos();
  void localizarPelaDescricao();
  void falhaAoGravar();

private:
  void inserirReferente(qint64 codigo, const QString& descricao);
  void confirmarCodigo(const QString& codigo);
  QPlainTextEdit* descricao() const { return ambiente_->controle<QPlainTextEdit>(kDescricao); }
  bool caretNoFim() const { return descricao()->textCursor().atEnd(); }
  QVariant valor(const QString& sql) const { return ambiente_->pasta.valor(sql); }
  MensagensGravadas& mensagens() { return ambiente_->pasta.mensagens; }

  std::unique_ptr<AmbienteCadastro> ambiente_;
};

void tst_frmReferente::init() {
  ambiente_ = std::make_unique<AmbienteCadastro>();
}

void tst_frmReferente::cleanup() {
  ambiente_.reset();
}

void tst_frmReferente::inserirReferente(qint64 codigo, const QString& texto) {
  QVERIFY(ambiente_->pasta.executar(QStringLiteral("INSERT INTO tbReferente (Codigo, Descricao) VALUES (?, ?)"),
                                    {codigo, texto}));
}

void tst_frmReferente::confirmarCodigo(const QString& codigo) {
  ambiente_->confirmarCodigo(kCodigo, codigo);
}

void tst_frmReferente::tabelaVaziaENovoPropoeUm() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  QCOMPARE(ambiente_->tela()->windowTitle(), QStringLiteral("Referente"));
  QCOMPARE(ambiente_->painel(2), QStringLiteral("Registros: 0"));
  QVERIFY(!descricao()->isEnabled());
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(ambiente_->texto(kCodigo), QStringLiteral("1"));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("INSERINDO"));
  QVERIFY(ambiente_->focoEm(kDescricao));
  QVERIFY(caretNoFim());
}

void tst_frmReferente::codigoDeAteSeteDigitos() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->digitar(QStringLiteral("123456789"));
  QCOMPARE(ambiente_->texto(kCodigo), QStringLiteral("1234567"));
}

void tst_frmReferente::codigoMaximoNaoTransborda_data() {
  QTest::addColumn<qint64>("maior");
  QTest::newRow("sete digitos") << 9999999LL;
  QTest::newRow("restaurado maior que a caixa") << 12345678LL;
  QTest::newRow("maior inteiro") << std::numeric_limits<qint64>::max();
}

// The next code does not fit the seven-digit box: once cut, it opened another referente.
void tst_frmReferente::codigoMaximoNaoTransborda() {
  QFETCH(qint64, maior);
  inserirReferente(1000000, QStringLiteral("Existente"));
  inserirReferente(maior, QStringLiteral("Maior"));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(mensagens().quantas(), 1);
  QVERIFY2(mensagens().ultima().texto.contains(QString::number(maior)), qPrintable(mensagens().ultima().texto));
  QCOMPARE(mensagens().ultima().titulo, QStringLiteral("Referente"));
  QCOMPARE(ambiente_->texto(kCodigo), QString());
  QCOMPARE(ambiente_->painel(1), QString());
  QVERIFY(ambiente_->focoEm(kCodigo));
  // A free code is still typed and inserted.
  confirmarCodigo(QStringLiteral("77"));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("INSERINDO"));
}

void tst_frmReferente::descricaoDeVariasLinhas() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->tecla(Qt::Key_F5);
  // Enter starts a new line; it presses no button.
  ambiente_->digitar(QStringLiteral("  Aluguel de agosto"));
  ambiente_->tecla(Qt::Key_Return);
  ambiente_->digitar(QStringLiteral("sala 2  "));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("INSERINDO"));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(valor(QStringLiteral("SELECT Descricao FROM tbReferente WHERE Codigo=1")).toString(),
           QStringLiteral("Aluguel de agosto\nsala 2"));
  QCOMPARE(ambiente_->painel(2), QStringLiteral("Registros: 1"));

  QTRY_VERIFY(ambiente_->focoEm(QStringLiteral("btnLocalizar")));
  ambiente_->controle<CaixaEdicao>(kCodigo)->Focar();
  confirmarCodigo(QStringLiteral("1"));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("EDITANDO"));
  QCOMPARE(descricao()->toPlainText(), QStringLiteral("Aluguel de agosto\nsala 2"));
  QVERIFY(ambiente_->focoEm(kDescricao));
  QVERIFY(caretNoFim());
}

void tst_frmReferente::descricaoEmBrancoRecusada() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->tecla(Qt::Key_F5);
  ambiente_->digitar(QStringLiteral("    "));
  descricao()->moveCursor(QTextCursor::Start);
  ambiente_->clicar(QStringLiteral("btnGravar"));
  QCOMPARE(mensagens().quantas(), 1);
  QCOMPARE(mensagens().ultima().texto, QStringLiteral("Por favor, entre com a descrição."));
  QCOMPARE(mensagens().ultima().titulo, QStringLiteral("Referente"));
  QVERIFY(ambiente_->focoEm(kDescricao));
  QVERIFY(caretNoFim());
  QCOMPARE(valor(QStringLiteral("SELECT COUNT(*) FROM tbReferente")).toInt(), 0);
  QCOMPARE(ambiente_->painel(1), QStringLiteral("INSERINDO"));
}

void tst_frmReferente::apagarOCodigoAvancaDuasParadas() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->digitar(QStringLiteral("5"));
  QVERIFY(descricao()->isEnabled());
  ambiente_->tecla(Qt::Key_Backspace);
  QVERIFY(!descricao()->isEnabled());
  QTRY_VERIFY(ambiente_->focoEm(QStringLiteral("btnLocalizar")));
}

void tst_frmReferente::excluirNaoMexeNosRecibos() {
  inserirReferente(4, QStringLiteral("Honorários"));
  QVERIFY(ambiente_->pasta.executar(
      QStringLiteral("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Recebi, Emitente, Referente) "
                     "VALUES (1, 2026, '2026-12-07', 1, 1, 'Honorários')")));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  confirmarCodigo(QStringLiteral("4"));
  mensagens().responder(Resposta::Sim);
  ambiente_->tecla(Qt::Key_F7);
  QCOMPARE(mensagens().ultima().titulo, QStringLiteral("Excluir referente"));
  QCOMPARE(valor(QStringLiteral("SELECT COUNT(*) FROM tbReferente")).toInt(), 0);
  QCOMPARE(valor(QStringLiteral("SELECT Referente FROM tbRecibo")).toString(), QStringLiteral("Honorários"));
  QCOMPARE(ambiente_->painel(2), QStringLiteral("Registros: 0"));
  QCOMPARE(ambiente_->painel(1), QString());
}

void tst_frmReferente::localizarPelaDescricao() {
  inserirReferente(1, QStringLiteral("Aluguel"));
  inserirReferente(2, QStringLiteral("Condomínio\nbloco B"));
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->quandoDialogoAbrir([](QWidget* dialogo) {
    QCOMPARE(dialogo->objectName(), QStringLiteral("frmLocalizarReferente"));
    QCOMPARE(dialogo->windowTitle(), QStringLiteral("Localizar referente"));
    auto* busca = dialogo->findChild<QLineEdit*>(QStringLiteral("txtDescricao"));
    QTest::keyClicks(busca, QStringLiteral("condominio"));
    QCOMPARE(dialogo->findChild<QTreeView*>()->model()->index(0, 2).data().toString(),
             QStringLiteral("Condomínio bloco B"));
    QTest::mouseClick(dialogo->findChild<QWidget*>(QStringLiteral("cmbOK")), Qt::LeftButton);
  });
  ambiente_->tecla(Qt::Key_F2);
  QTRY_COMPARE(ambiente_->painel(1), QStringLiteral("EDITANDO"));
  QCOMPARE(ambiente_->texto(kCodigo), QStringLiteral("2"));
  QCOMPARE(descricao()->toPlainText(), QStringLiteral("Condomínio\nbloco B"));
}

void tst_frmReferente::falhaAoGravar() {
  QVERIFY(ambiente_->abrir(kMenu, kTela));
  ambiente_->tecla(Qt::Key_F5);
  ambiente_->digitar(QStringLiteral("Servicos"));
  inserirReferente(1, QStringLiteral("Outro"));
  ambiente_->tecla(Qt::Key_F5);
  QCOMPARE(mensagens().quantas(), 1);
  // Another desk took the proposed code meanwhile: the operator is told, nothing typed is lost.
  QCOMPARE(mensagens().ultima().titulo, QStringLiteral("Referente"));
  QCOMPARE(mensagens().ultima().texto, RegistroAlterado::Falha().erro);
  QCOMPARE(descricao()->toPlainText(), QStringLiteral("Servicos"));
  QCOMPARE(ambiente_->painel(1), QStringLiteral("INSERINDO"));
}

QTEST_MAIN(tst_frmReferente)
#include "tst_frmReferente.moc"
