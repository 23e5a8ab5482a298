#include "app/core/modGeral.h"
#include "backup/SomQt.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QtTest>

class tst_SomQt : public QObject {
  Q_OBJECT

private slots:
  void duracaoDoSomDoPrograma() {
    // The chime laid out with the application folder: 0.9 s of 44.1 kHz mono samples.
    const QString som = qEnvironmentVariable("TALONIX_TEST_APPDIR") + QStringLiteral("/som/sucesso.wav");
    if (!QFile::exists(som))
      QSKIP("the application folder has no sound yet");
    QCOMPARE(SomQt::DuracaoWave(som), 900);
  }

  void duracaoDesconhecida() {
    QTemporaryDir pasta;
    QFile texto(pasta.filePath(QStringLiteral("nota.wav")));
    QVERIFY(texto.open(QIODevice::WriteOnly));
    texto.write("RIFF0000WAVEdata");
    texto.close();
    QCOMPARE(SomQt::DuracaoWave(texto.fileName()), -1);
    QCOMPARE(SomQt::DuracaoWave(pasta.filePath(QStringLiteral("nenhum.wav"))), -1);
  }

  // The player is a module of the application folder, found by the name the program asks for.
  void tocadorNaPastaDoPrograma() {
    modGeral::DefinirPastaAplicacao(qEnvironmentVariable("TALONIX_TEST_APPDIR"));
    QLibrary tocador(SomQt::ArquivoTocador());
    QVERIFY2(tocador.load(), qPrintable(tocador.errorString()));
    QVERIFY(tocador.resolve("talonix_tocar_som") != nullptr);
  }

  // Through the module: played to its end, or skipped at once without a sound device; never
  // longer than the sound and its margin.
  void tocaOSomDoPrograma() {
    const QString pasta = qEnvironmentVariable("TALONIX_TEST_APPDIR");
    modGeral::DefinirPastaAplicacao(pasta);
    QElapsedTimer tempo;
    tempo.start();
    SomQt().TocarSom(pasta + QStringLiteral("/som/sucesso.wav"));
    QVERIFY(tempo.elapsed() < 900 + 1500 + 1000);
  }

  void arquivoAusenteNaoEspera() {
    QElapsedTimer tempo;
    tempo.start();
    SomQt().TocarSom(QStringLiteral("/nao/existe/sucesso.wav"));
    QVERIFY(tempo.elapsed() < 1000);
  }
};

QTEST_MAIN(tst_SomQt)
#include "tst_SomQt.moc"
