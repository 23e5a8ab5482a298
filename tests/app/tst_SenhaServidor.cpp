// The password of the office's server: read by the client library from the user's password file,
// or asked at the start through the real dialog when the server wants one and the file has none.
#include "app/Inicializacao.h"
#include "app/core/Conexao.h"
#include "app/core/modGeral.h"
#include "app/mdiPrincipal.h"

#include "tests/support/PastaTeste.h"
#include "tests/support/ServidorTeste.h"

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const QString kUsuario = QStringLiteral("talonix_senha");
const QString kSenha = QStringLiteral("segredo de balcao");

// Answers the password dialog as soon as it shows (looking for it for a few seconds): types
// `senha` and confirms, or presses Esc when `senha` is empty. `pedida` tells whether it showed.
void responderDialogo(const QString& senha, const std::shared_ptr<bool>& pedida, int tentativas = 200) {
  QTimer::singleShot(25, [senha, pedida, tentativas] {
    QDialog* dialogo = nullptr;
    for (QWidget* janela : QApplication::topLevelWidgets())
      if (janela->isVisible() && janela->objectName() == QLatin1String("frmSenhaBanco"))
        dialogo = qobject_cast<QDialog*>(janela);
    if (dialogo == nullptr) {
      if (tentativas > 0)
        responderDialogo(senha, pedida, tentativas - 1);
      return;
    }
    *pedida = true;
    auto* caixa = dialogo->findChild<QLineEdit*>(QStringLiteral("txtSenha"));
    QVERIFY(caixa != nullptr);
    QCOMPARE(caixa->echoMode(), QLineEdit::Password);
    if (senha.isEmpty()) {
      QTest::keyClick(caixa, Qt::Key_Escape);
      return;
    }
    QTest::keyClicks(caixa, senha);
    QTest::keyClick(caixa, Qt::Key_Return);
  });
}

}  // namespace

class tst_SenhaServidor : public QObject {
  Q_OBJECT
  std::unique_ptr<PastaTeste> pasta_;
  QTemporaryDir senhas_;

private slots:
  void initTestCase() {
    if (!ServidorTeste::Ativo())
      QSKIP("no server named (the test runs in the postgres-labelled run)");
    // A server kept from an earlier run may have the role already.
    QVERIFY(ServidorTeste::Administrar(
        QStringLiteral("DO $$BEGIN CREATE ROLE %1 LOGIN; EXCEPTION WHEN duplicate_object THEN NULL; END$$")
            .arg(kUsuario)));
    QVERIFY(ServidorTeste::Administrar(QStringLiteral("ALTER ROLE %1 PASSWORD '%2'").arg(kUsuario, kSenha)));
  }
  void init() {
    Conexao::DefinirSenha(QString());
    pasta_ = std::make_unique<PastaTeste>();
    // The database is the password user's, so that the program may make its tables in it.
    QVERIFY(ServidorTeste::Administrar(
        QStringLiteral("ALTER DATABASE %1 OWNER TO %2").arg(pasta_->bancoServidor(), kUsuario)));
    ServidorTeste::EscreverIni(modGeral::ArquivoIni(), pasta_->bancoServidor(), kUsuario);
    qputenv("PGPASSFILE", QFile::encodeName(senhas_.filePath(QStringLiteral("nenhum"))));
  }
  void cleanup() {
    pasta_.reset();
    Conexao::DefinirSenha(QString());
    qunsetenv("PGPASSFILE");
  }

  // With the password in the file PGPASSFILE names, the program starts without asking.
  void senhaDoArquivoDeSenhas() {
    const QString arquivo = senhas_.filePath(QStringLiteral("pgpass"));
    QFile pgpass(arquivo);
    QVERIFY(pgpass.open(QIODevice::WriteOnly));
    pgpass.write(QStringLiteral("127.0.0.1:%1:%2:%3:%4\n")
                     .arg(ServidorTeste::Porta())
                     .arg(pasta_->bancoServidor(), kUsuario, QString(kSenha).replace(u':', QStringLiteral("\\:")))
                     .toUtf8());
    pgpass.close();
    // The client library ignores a password file others may read.
    QVERIFY(pgpass.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    qputenv("PGPASSFILE", QFile::encodeName(arquivo));
    const auto pedida = std::make_shared<bool>(false);
    responderDialogo(QString(), pedida, 0);
    const auto janela = Inicializacao::Iniciar(pasta_->contexto());
    // The watch runs out here, not in the next case's dialog.
    QTest::qWait(100);
    QVERIFY(janela);
    QVERIFY(!*pedida);
    QCOMPARE(pasta_->mensagens.quantas(), 0);
    QVERIFY(pasta_->executar(QStringLiteral("INSERT INTO tbReferente (Codigo, Descricao) VALUES (1, 'Aluguel')")));
  }

  void semArquivoODialogoPede_data() {
    QTest::addColumn<QString>("digitada");
    QTest::addColumn<bool>("abre");
    QTest::addColumn<QString>("trecho");
    QTest::newRow("senha certa") << kSenha << true << QString();
    QTest::newRow("Esc encerra a partida") << QString() << false << QStringLiteral("pede uma senha");
    QTest::newRow("senha errada") << QStringLiteral("errada") << false << kUsuario;
  }
  void semArquivoODialogoPede() {
    QFETCH(QString, digitada);
    QFETCH(bool, abre);
    QFETCH(QString, trecho);
    const auto pedida = std::make_shared<bool>(false);
    responderDialogo(digitada, pedida);
    const auto janela = Inicializacao::Iniciar(pasta_->contexto());
    QVERIFY2(*pedida, qPrintable(pasta_->mensagens.quantas() > 0 ? pasta_->mensagens.ultima().texto : QString()));
    QCOMPARE(bool(janela), abre);
    QCOMPARE(Conexao::Banco().isOpen(), abre);
    if (abre) {
      QCOMPARE(pasta_->mensagens.quantas(), 0);
      return;
    }
    // The program's usual start-up failure, saying why.
    QCOMPARE(pasta_->mensagens.quantas(), 1);
    QCOMPARE(pasta_->mensagens.ultima().icone, Icone::Critico);
    const QString texto = pasta_->mensagens.ultima().texto;
    QVERIFY2(texto.startsWith(QStringLiteral("Não foi possível abrir o banco de dados do servidor")),
             qPrintable(texto));
    QVERIFY2(texto.contains(trecho), qPrintable(texto));
    QVERIFY2(!texto.contains(kSenha), qPrintable(texto));
  }
};

QTEST_MAIN(tst_SenhaServidor)
#include "tst_SenhaServidor.moc"
