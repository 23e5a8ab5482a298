#include "about/frmSobre.h"
#include "app/core/modGeral.h"
#include "app/mdiPrincipal.h"
#include "backup/frmCopiaSeguranca.h"
#include "controls/lvButtons.h"
#include "tests/support/AmbienteInstalado.h"
#include "tests/support/PastaTeste.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include <optional>

class tst_frmSobre : public QObject {
  Q_OBJECT

private:
  static QString texto(QWidget& tela, const QString& nome) { return tela.findChild<QLabel*>(nome)->text(); }

private slots:
  void rotulos() {
    PastaTeste pasta;
    frmSobre tela(pasta.contexto());
    QCOMPARE(tela.windowTitle(), QStringLiteral("Sobre"));
    QCOMPARE(texto(tela, QStringLiteral("lblSistema")), QStringLiteral("Sistema para controle e emissão de recibos"));
    QCOMPARE(texto(tela, QStringLiteral("lblGeral_0")), QStringLiteral("Local onde está sendo executado o sistema"));
    QCOMPARE(texto(tela, QStringLiteral("lblGeral_1")), QStringLiteral("Análise e Desenvolvimento"));
    QCOMPARE(texto(tela, QStringLiteral("lblExecutavelSistema")), QDir::toNativeSeparators(pasta.caminho()));
    QVERIFY(!texto(tela, QStringLiteral("lblGeral_2")).isEmpty());
    QCOMPARE(tela.findChild<lvButtons*>(QStringLiteral("btnSair"))->toolTip(),
             QStringLiteral("ESC - Fechar formulário"));
    // The logo, the icon with the program's name beside it, as rendered at build time.
    QCOMPARE(tela.findChild<QLabel*>(QStringLiteral("imgLogotipo"))->pixmap().size(), QSize(208, 64));
  }

  // Installed, the operator's files live apart from the program's: the box shows both folders.
  void pastasMostradas_data() {
    QTest::addColumn<bool>("instalado");
    QTest::newRow("portable") << false;
    QTest::newRow("installed") << true;
  }
  void pastasMostradas() {
    QFETCH(bool, instalado);
    PastaTeste pasta;
    std::optional<AmbienteInstalado> ambiente;
    if (instalado)
      ambiente.emplace(pasta.caminho());
    frmSobre tela(pasta.contexto());
    QCOMPARE(texto(tela, QStringLiteral("lblExecutavelSistema")), QDir::toNativeSeparators(pasta.caminho()));
    auto* dados = tela.findChild<QLabel*>(QStringLiteral("lblPastaDados"));
    QCOMPARE(dados != nullptr, instalado);
    if (instalado) {
      QCOMPARE(texto(tela, QStringLiteral("lblLocalDados")), QStringLiteral("Local dos dados"));
      QCOMPARE(dados->text(), QDir::toNativeSeparators(ambiente->pastaDados()));
    }
    QVERIFY(texto(tela, QStringLiteral("lblLicenca")).contains(QStringLiteral("GPL), versão 3 ou posterior")));
  }

  void versaoComADataDoExecutavel() {
    PastaTeste pasta;
    QFile executavel(frmSobre::ArquivoExecutavel());
    QVERIFY(executavel.open(QIODevice::WriteOnly));
    QVERIFY(executavel.setFileTime(QDateTime(QDate(2026, 12, 6), QTime(8, 11, 22)), QFileDevice::FileModificationTime));
    executavel.close();
    frmSobre tela(pasta.contexto());
    QCOMPARE(texto(tela, QStringLiteral("lblVersao")),
             QStringLiteral("Versão: " TALONIX_VERSAO " - Data: 06/12/2026 08:11:22"));
  }

  void executavelAusenteDaSoAVersao() {
    PastaTeste pasta;
    frmSobre tela(pasta.contexto());
    QCOMPARE(texto(tela, QStringLiteral("lblVersao")), QStringLiteral("Versão: " TALONIX_VERSAO));
  }

  void saiPorEscOuSairNuncaPelaMoldura() {
    PastaTeste pasta;
    frmSobre tela(pasta.contexto());
    tela.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tela));
    QVERIFY(!tela.close());
    QVERIFY(tela.isVisible());
    QTest::keyClick(&tela, Qt::Key_Escape);
    QVERIFY(!tela.isVisible());
    tela.show();
    tela.findChild<lvButtons*>(QStringLiteral("btnSair"))->click();
    QVERIFY(!tela.isVisible());
  }

  // The "Sistema" entries show their screens modally, a fresh one each time.
  void menuSistemaMostraAsTelasModais_data() {
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("tela");
    QTest::newRow("Sobre") << QStringLiteral("mnuSobre") << QStringLiteral("frmSobre");
    QTest::newRow("Cópia de segurança") << QStringLiteral("mnuSistemaBKP") << QStringLiteral("frmCopiaSeguranca");
  }
  void menuSistemaMostraAsTelasModais() {
    QFETCH(QString, entrada);
    QFETCH(QString, tela);
    PastaTeste pasta;
    QVERIFY(pasta.abrir());
    mdiPrincipal janela(pasta.contexto());
    janela.show();
    auto* acao = janela.findChild<QAction*>(entrada);
    QVERIFY(acao->isEnabled());
    for (int vez = 0; vez < 2; ++vez) {
      QPointer<QWidget> mostrada;
      QString nome;
      QWidget* dono = nullptr;
      QTimer::singleShot(0, this, [&] {
        mostrada = QApplication::activeModalWidget();
        if (!mostrada)
          return;
        nome = mostrada->objectName();
        dono = mostrada->parentWidget();
        QTest::keyClick(mostrada, Qt::Key_Escape);
      });
      acao->trigger();
      QCOMPARE(nome, tela);
      QCOMPARE(dono, &janela);
      QTRY_VERIFY(!mostrada);  // released when it closed
    }
  }
};

QTEST_MAIN(tst_frmSobre)
#include "tst_frmSobre.moc"
