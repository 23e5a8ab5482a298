#include "controls/EscolhaArquivoQt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class tst_EscolhaArquivoQt : public QObject {
  Q_OBJECT

  const QString filtro = QStringLiteral("Cópias de segurança (*.zip)|*.zip|Todos os arquivo (*.*)|*.*");

private slots:
  void filtros_data() {
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<QStringList>("esperado");
    QTest::newRow("cópias") << filtro
                            << QStringList{QStringLiteral("Cópias de segurança (*.zip)"),
                                           QStringLiteral("Todos os arquivo (*)")};
    QTest::newRow("vários padrões") << QStringLiteral("Textos|*.txt;*.ini")
                                    << QStringList{QStringLiteral("Textos (*.txt *.ini)")};
    QTest::newRow("par incompleto") << QStringLiteral("Zip|*.zip|Sobra") << QStringList{QStringLiteral("Zip (*.zip)")};
  }
  void filtros() {
    QFETCH(QString, filtro);
    QFETCH(QStringList, esperado);
    QCOMPARE(EscolhaArquivoQt::FiltrosDialogo(filtro), esperado);
  }

  void abrirSoArquivoExistente() {
    QTemporaryDir pasta;
    QFileDialog dialogo;
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    EscolhaArquivoQt::Configurar(dialogo, ModoArquivo::Abrir, QStringLiteral("Título"), QStringLiteral("copia"), filtro,
                                 pasta.path(), QStringLiteral("zip"));
    QCOMPARE(dialogo.windowTitle(), QStringLiteral("Título"));
    QCOMPARE(dialogo.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialogo.fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialogo.defaultSuffix(), QStringLiteral("zip"));
    QCOMPARE(dialogo.directory().absolutePath(), QDir(pasta.path()).absolutePath());
  }

  // Choosing an existing file to save over asks first; "No" keeps the dialog open.
  void salvarPerguntaAntesDeSubstituir() {
    QTemporaryDir pasta;
    QFile existente(pasta.filePath(QStringLiteral("copia.zip")));
    QVERIFY(existente.open(QIODevice::WriteOnly));
    existente.close();

    QFileDialog dialogo;
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    EscolhaArquivoQt::Configurar(dialogo, ModoArquivo::Salvar, QStringLiteral("Título"), QStringLiteral("copia"),
                                 filtro, pasta.path(), QStringLiteral("zip"));
    QCOMPARE(dialogo.acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(!dialogo.testOption(QFileDialog::DontConfirmOverwrite));
    dialogo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialogo));

    bool perguntou = false;
    QTimer::singleShot(0, this, [&perguntou] {
      auto* pergunta = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      perguntou = pergunta != nullptr;
      if (pergunta != nullptr)
        pergunta->button(QMessageBox::No)->click();
    });
    QMetaObject::invokeMethod(&dialogo, "accept");
    QVERIFY(perguntou);
    QVERIFY(dialogo.isVisible());
  }
};

QTEST_MAIN(tst_EscolhaArquivoQt)
#include "tst_EscolhaArquivoQt.moc"
