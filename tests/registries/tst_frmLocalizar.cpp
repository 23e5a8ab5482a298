#include "registries/ListaLocalizar.h"
#include "registries/frmLocalizar.h"

#include "tests/support/PastaTeste.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <memory>

using Numeracao::Cadastro;

class tst_frmLocalizar : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();
  void buscaVaziaListaTudoEmOrdemDeCodigo_data();
  void buscaVaziaListaTudoEmOrdemDeCodigo();
  void buscaIgnoraMaiusculasEAcentos_data();
  void buscaIgnoraMaiusculasEAcentos();
  void semResultadoDesabilitaOk();
  void setasParamNasPontas();
  void okDevolveALinhaSelecionada();
  void cancelarEEscCancelam_data();
  void cancelarEEscCancelam();
  void botaoFecharDaJanelaRecusado();
  void referenteDeDuasLinhasNumaLinha();
  void modeloCoerente();
  void falhaDoBancoRelatadaUmaVez();

private:
  void inserirPessoa(qint64 codigo, const QString& nome);
  std::unique_ptr<frmLocalizar> abrirDialogo(Cadastro cadastro);
  QStringList codigosListados() const;

  std::unique_ptr<PastaTeste> pasta_;
  std::unique_ptr<frmLocalizar> dialogo_;
};

void tst_frmLocalizar::init() {
  pasta_ = std::make_unique<PastaTeste>();
  QVERIFY(pasta_->abrir());
  inserirPessoa(7, QStringLiteral("Maria d'Ávila"));
  inserirPessoa(2, QStringLiteral("João da Silva"));
  inserirPessoa(15, QStringLiteral("Loja 50% Desconto"));
  inserirPessoa(4, QStringLiteral("ACME_LTDA"));
  inserirPessoa(9, QStringLiteral("Ana Paula Joanópolis"));
}

void tst_frmLocalizar::cleanup() {
  dialogo_.reset();
  pasta_.reset();
}

void tst_frmLocalizar::inserirPessoa(qint64 codigo, const QString& nome) {
  QVERIFY(pasta_->executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (?, ?)"), {codigo, nome}));
}

std::unique_ptr<frmLocalizar> tst_frmLocalizar::abrirDialogo(Cadastro cadastro) {
  auto dialogo = std::make_unique<frmLocalizar>(cadastro, pasta_->contexto());
  dialogo->show();
  dialogo->activateWindow();
  if (!QTest::qWaitForWindowActive(dialogo.get()))
    qWarning("the dialog did not become active");
  return dialogo;
}

QStringList tst_frmLocalizar::codigosListados() const {
  auto* lista = dialogo_->findChild<QTreeView*>(QStringLiteral("lsvLocalizar"));
  QStringList codigos;
  for (int linha = 0; linha < lista->model()->rowCount(); ++linha)
    codigos << lista->model()->index(linha, ListaLocalizar::ColunaChave).data().toString();
  return codigos;
}

void tst_frmLocalizar::buscaVaziaListaTudoEmOrdemDeCodigo_data() {
  QTest::addColumn<int>("cadastro");
  QTest::addColumn<QString>("titulo");
  QTest::newRow("pessoa") << int(Cadastro::Pessoa) << "Localizar pessoa";
  QTest::newRow("referente") << int(Cadastro::Referente) << "Localizar referente";
}

void tst_frmLocalizar::buscaVaziaListaTudoEmOrdemDeCodigo() {
  QFETCH(int, cadastro);
  QFETCH(QString, titulo);
  for (int codigo : {30, 3, 12})
    QVERIFY(pasta_->executar(QStringLiteral("INSERT INTO tbReferente VALUES (%1, 'Aluguel %1')").arg(codigo)));
  dialogo_ = abrirDialogo(static_cast<Cadastro>(cadastro));
  QCOMPARE(dialogo_->windowTitle(), titulo);
  const QStringList esperados = static_cast<Cadastro>(cadastro) == Cadastro::Pessoa
                                    ? QStringList{"2", "4", "7", "9", "15"}
                                    : QStringList{"3", "12", "30"};
  QCOMPARE(codigosListados(), esperados);
  QCOMPARE(dialogo_->CodigoSelecionado(), esperados.first());
  QVERIFY(dialogo_->findChild<QPushButton*>(QStringLiteral("cmbOK"))->isEnabled());
  QCOMPARE(QApplication::focusWidget(), dialogo_->findChild<QLineEdit*>(QStringLiteral("txtDescricao")));
  QVERIFY(!dialogo_->Cancelado());
}

void tst_frmLocalizar::buscaIgnoraMaiusculasEAcentos_data() {
  QTest::addColumn<QString>("busca");
  QTest::addColumn<QStringList>("codigos");
  QTest::newRow("sem acento acha acentuado") << "joao" << QStringList{"2"};
  QTest::newRow("maiúsculas no meio") << "SILV" << QStringList{"2"};
  QTest::newRow("no fim") << "polis" << QStringList{"9"};
  QTest::newRow("em vários") << "jo" << QStringList{"2", "9"};
  QTest::newRow("acentuado acha acentuado") << "ÁVILA" << QStringList{"7"};
  QTest::newRow("apóstrofo literal") << "d'av" << QStringList{"7"};
  QTest::newRow("apóstrofo sozinho") << "'" << QStringList{"7"};
  QTest::newRow("por cento literal") << "50%" << QStringList{"15"};
  QTest::newRow("por cento não é curinga") << "a%a" << QStringList{};
  QTest::newRow("sublinhado literal") << "_" << QStringList{"4"};
  QTest::newRow("sublinhado não é curinga") << "acme ltda" << QStringList{};
  QTest::newRow("brancos contam") << "da " << QStringList{"2"};
}

void tst_frmLocalizar::buscaIgnoraMaiusculasEAcentos() {
  QFETCH(QString, busca);
  QFETCH(QStringList, codigos);
  dialogo_ = abrirDialogo(Cadastro::Pessoa);
  QTest::keyClicks(dialogo_->findChild<QLineEdit*>(QStringLiteral("txtDescricao")), busca);
  QCOMPARE(codigosListados(), codigos);
}

void tst_frmLocalizar::semResultadoDesabilitaOk() {
  dialogo_ = abrirDialogo(Cadastro::Pessoa);
  auto* ok = dialogo_->findChild<QPushButton*>(QStringLiteral("cmbOK"));
  auto* texto = dialogo_->findChild<QLineEdit*>(QStringLiteral("txtDescricao"));
  QTest::keyClicks(texto, QStringLiteral("xyz"));
  QVERIFY(codigosListados().isEmpty());
  QVERIFY(!ok->isEnabled());
  QCOMPARE(dialogo_->CodigoSelecionado(), QString());
  QTest::keyClick(texto, Qt::Key_Backspace);
  QTest::keyClick(texto, Qt::Key_Backspace);
  QTest::keyClick(texto, Qt::Key_Backspace);
  QCOMPARE(codigosListados().size(), 5);
  QVERIFY(ok->isEnabled());
}

void tst_frmLocalizar::setasParamNasPontas() {
  dialogo_ = abrirDialogo(Cadastro::Pessoa);
  auto* texto = dialogo_->findChild<QLineEdit*>(QStringLiteral("txtDescricao"));
  QTest::keyClicks(texto, QStringLiteral("a"));
  const QStringList codigos = codigosListados();
  QCOMPARE(codigos, (QStringList{"2", "4", "7", "9", "15"}));
  QCOMPARE(texto->cursorPosition(), 1);

  QTest::keyClick(texto, Qt::Key_Up);
  QCOMPARE(dialogo_->CodigoSelecionado(), QStringLiteral("2"));
  for (const QString& esperado : codigos.mid(1)) {
    QTest::keyClick(texto, Qt::Key_Down);
    QCOMPARE(dialogo_->CodigoSelecionado(), esperado);
  }
  QTest::keyClick(texto, Qt::Key_Down);
  QCOMPARE(dialogo_->CodigoSelecionado(), QStringLiteral("15"));
  QTest::keyClick(texto, Qt::Key_Up);
  QCOMPARE(dialogo_->CodigoSelecionado(), QStringLiteral("9"));
  QCOMPARE(texto->cursorPosition(), 1);
  QCOMPARE(texto->text(), QStringLiteral("a"));
  QCOMPARE(QApplication::focusWidget(), texto);
}

void tst_frmLocalizar::okDevolveALinhaSelecionada() {
  auto* dialogo = new frmLocalizar(Cadastro::Pessoa, pasta_->contexto());
  dialogo_.reset(dialogo);
  bool respondido = false;
  QTimer::singleShot(0, dialogo, [&] {
    QVERIFY(QTest::qWaitForWindowActive(dialogo));
    auto* texto = dialogo->findChild<QLineEdit*>(QStringLiteral("txtDescricao"));
    QTest::keyClicks(texto, QStringLiteral("jo"));
    QTest::keyClick(texto, Qt::Key_Down);
    QTest::mouseClick(dialogo->findChild<QPushButton*>(QStringLiteral("cmbOK")), Qt::LeftButton);
    respondido = true;
  });
  QCOMPARE(dialogo->exec(), int(QDialog::Accepted));
  QVERIFY(respondido);
  QVERIFY(!dialogo->Cancelado());
  QCOMPARE(dialogo->CodigoSelecionado(), QStringLiteral("9"));
  QVERIFY(dialogo->isHidden());
}

void tst_frmLocalizar::cancelarEEscCancelam_data() {
  QTest::addColumn<QString>("onde");
  QTest::newRow("botão Cancelar") << "cmbFechar";
  QTest::newRow("Esc na busca") << "txtDescricao";
  QTest::newRow("Esc na lista") << "lsvLocalizar";
  QTest::newRow("Esc no OK") << "cmbOK";
}

void tst_frmLocalizar::cancelarEEscCancelam() {
  QFETCH(QString, onde);
  dialogo_ = abrirDialogo(Cadastro::Pessoa);
  // Even with nothing listed.
  QTest::keyClicks(dialogo_->findChild<QLineEdit*>(QStringLiteral("txtDescricao")), QStringLiteral("xyz"));
  auto* alvo = dialogo_->findChild<QWidget*>(onde);
  if (onde == QLatin1String("cmbFechar")) {
    QTest::mouseClick(alvo, Qt::LeftButton);
  } else {
    alvo->setEnabled(true);
    alvo->setFocus();
    QTest::keyClick(alvo, Qt::Key_Escape);
  }
  QVERIFY(dialogo_->Cancelado());
  QVERIFY(dialogo_->isHidden());
}

void tst_frmLocalizar::botaoFecharDaJanelaRecusado() {
  dialogo_ = abrirDialogo(Cadastro::Pessoa);
  QVERIFY(!dialogo_->close());
  QVERIFY(dialogo_->isVisible());
  QVERIFY(!dialogo_->Cancelado());
}

void tst_frmLocalizar::referenteDeDuasLinhasNumaLinha() {
  QVERIFY(
      pasta_->executar(QStringLiteral("INSERT INTO tbReferente VALUES (1, 'Aluguel de março' || char(13, 10) || "
                                      "'sala 2' || char(10) || 'fundos')")));
  dialogo_ = abrirDialogo(Cadastro::Referente);
  auto* lista = dialogo_->findChild<QTreeView*>(QStringLiteral("lsvLocalizar"));
  QCOMPARE(lista->model()->index(0, ListaLocalizar::ColunaDescricao).data().toString(),
           QStringLiteral("Aluguel de março sala 2 fundos"));
  QCOMPARE(lista->model()->index(0, ListaLocalizar::ColunaCodigo).data().toString(), QStringLiteral("1"));
}

void tst_frmLocalizar::modeloCoerente() {
  ListaLocalizar lista(Cadastro::Pessoa);
  QAbstractItemModelTester verificador(&lista, QAbstractItemModelTester::FailureReportingMode::QtTest);
  QVERIFY(lista.Preencher(QString()).ok);
  QCOMPARE(lista.rowCount(), 5);
  QVERIFY(lista.Preencher(QStringLiteral("silva")).ok);
  QCOMPARE(lista.rowCount(), 1);
  QCOMPARE(lista.Chave(0), QStringLiteral("2"));
}

void tst_frmLocalizar::falhaDoBancoRelatadaUmaVez() {
  dialogo_ = abrirDialogo(Cadastro::Pessoa);
  QVERIFY(pasta_->executar(QStringLiteral("ALTER TABLE tbPessoa RENAME TO tbOutra")));
  auto* texto = dialogo_->findChild<QLineEdit*>(QStringLiteral("txtDescricao"));
  QTest::keyClicks(texto, QStringLiteral("ab"));
  QCOMPARE(pasta_->mensagens.quantas(), 1);
  QCOMPARE(pasta_->mensagens.ultima().titulo, QStringLiteral("Não foi possível localizar o registro"));
  QCOMPARE(pasta_->mensagens.ultima().icone, Icone::Critico);
  QVERIFY(pasta_->mensagens.ultima().texto.startsWith(QLatin1String("no such table: tbPessoa\r")));
  QVERIFY(codigosListados().isEmpty());
  QVERIFY(!dialogo_->findChild<QPushButton*>(QStringLiteral("cmbOK"))->isEnabled());
  QVERIFY(pasta_->executar(QStringLiteral("ALTER TABLE tbOutra RENAME TO tbPessoa")));
  QTest::keyClick(texto, Qt::Key_Backspace);
  QCOMPARE(codigosListados().size(), 5);
}

QTEST_MAIN(tst_frmLocalizar)
#include "tst_frmLocalizar.moc"
