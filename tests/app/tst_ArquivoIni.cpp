#include "app/core/ArquivoIni.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_ArquivoIni : public QObject {
  Q_OBJECT

private slots:
  void leitura_data();
  void leitura();
  void gravacao_data();
  void gravacao();
  void valorLongoCortadoEm254();
  void arquivoInexistenteCriadoNaGravacao();
  void leituraNaoAlteraArquivo();
  void quebraDeLinhaRecusada_data();
  void quebraDeLinhaRecusada();
};

void tst_ArquivoIni::leitura_data() {
  QTest::addColumn<QByteArray>("conteudo");
  QTest::addColumn<QString>("secao");
  QTest::addColumn<QString>("chave");
  QTest::addColumn<QString>("esperado");

  const QByteArray arquivo =
      "; comentário\r\n[Talonix]\r\nvias = 2 \r\nImprimir=0\r\nlinha sem igual\r\n"
      "[copiaseguranca]\r\nlocal=/dados/backup\r\n[talonix]\r\nvias=9\r\n";
  QTest::newRow("exact names") << arquivo << "Talonix"
                               << "vias"
                               << "2";
  QTest::newRow("section case ignored") << arquivo << "TALONIX"
                                        << "vias"
                                        << "2";
  QTest::newRow("key case ignored") << arquivo << "talonix"
                                    << "IMPRIMIR"
                                    << "0";
  QTest::newRow("first section wins") << arquivo << "talonix"
                                      << "vias"
                                      << "2";
  QTest::newRow("other section") << arquivo << "copiaseguranca"
                                 << "local"
                                 << "/dados/backup";
  QTest::newRow("missing key") << arquivo << "talonix"
                               << "cor"
                               << "padrão";
  QTest::newRow("missing section") << arquivo << "outra"
                                   << "vias"
                                   << "padrão";
  QTest::newRow("key of another section") << arquivo << "copiaseguranca"
                                          << "vias"
                                          << "padrão";
  QTest::newRow("line without equals is no key") << arquivo << "talonix"
                                                 << "linha sem igual"
                                                 << "padrão";
  QTest::newRow("empty value") << QByteArray("[a]\nb=\n") << "a"
                               << "b"
                               << "";
  QTest::newRow("LF endings") << QByteArray("[a]\nb=1\n") << "a"
                              << "b"
                              << "1";
  QTest::newRow("no final newline") << QByteArray("[a]\nb=1") << "a"
                                    << "b"
                                    << "1";
  QTest::newRow("accented value") << QByteArray("[a]\nb=São João\n") << "a"
                                  << "b"
                                  << "São João";
}

void tst_ArquivoIni::leitura() {
  QFETCH(QByteArray, conteudo);
  QFETCH(QString, secao);
  QFETCH(QString, chave);
  QFETCH(QString, esperado);
  QTemporaryDir pasta;
  QFile arquivo(pasta.filePath(QStringLiteral("a.ini")));
  QVERIFY(arquivo.open(QIODevice::WriteOnly));
  arquivo.write(conteudo);
  arquivo.close();
  QCOMPARE(ArquivoIni(arquivo.fileName()).ler(secao, chave, QStringLiteral("padrão")), esperado);
}

void tst_ArquivoIni::gravacao_data() {
  QTest::addColumn<QByteArray>("antes");
  QTest::addColumn<QString>("secao");
  QTest::addColumn<QString>("chave");
  QTest::addColumn<QString>("valor");
  QTest::addColumn<QByteArray>("depois");

  const QByteArray arquivo = "; mantido\r\n[talonix]\r\n  vias = 1\r\nestranha\r\nimprimir=1\r\n\r\n[outra]\r\nx=y\r\n";
  QTest::newRow("replace only that line, case ignored")
      << arquivo << "TALONIX"
      << "VIAS"
      << "2" << QByteArray("; mantido\r\n[talonix]\r\nVIAS=2\r\nestranha\r\nimprimir=1\r\n\r\n[outra]\r\nx=y\r\n");
  QTest::newRow("new key after the section's last line")
      << arquivo << "talonix"
      << "cor"
      << "azul"
      << QByteArray(
             "; mantido\r\n[talonix]\r\n  vias = 1\r\nestranha\r\nimprimir=1\r\ncor=azul\r\n\r\n[outra]\r\nx=y\r\n");
  QTest::newRow("new section at the end") << arquivo << "copiaseguranca"
                                          << "local"
                                          << "/b" << QByteArray(arquivo + "[copiaseguranca]\r\nlocal=/b\r\n");
  QTest::newRow("file without final newline") << QByteArray("[a]\nb=1") << "a"
                                              << "c"
                                              << "2" << QByteArray("[a]\nb=1\nc=2\n");
  QTest::newRow("LF file stays LF") << QByteArray("[a]\nb=1\n") << "z"
                                    << "k"
                                    << "v" << QByteArray("[a]\nb=1\n[z]\nk=v\n");
  QTest::newRow("empty file") << QByteArray() << "s"
                              << "k"
                              << "v" << QByteArray("[s]\r\nk=v\r\n");
}

void tst_ArquivoIni::gravacao() {
  QFETCH(QByteArray, antes);
  QFETCH(QString, secao);
  QFETCH(QString, chave);
  QFETCH(QString, valor);
  QFETCH(QByteArray, depois);
  QCOMPARE(ArquivoIni::comChave(antes, secao, chave, valor), depois);

  QTemporaryDir pasta;
  const QString caminho = pasta.filePath(QStringLiteral("a.ini"));
  QFile arquivo(caminho);
  QVERIFY(arquivo.open(QIODevice::WriteOnly));
  arquivo.write(antes);
  arquivo.close();
  QVERIFY(ArquivoIni(caminho).gravar(secao, chave, valor));
  QVERIFY(arquivo.open(QIODevice::ReadOnly));
  QCOMPARE(arquivo.readAll(), depois);
}

void tst_ArquivoIni::valorLongoCortadoEm254() {
  QTemporaryDir pasta;
  const ArquivoIni ini(pasta.filePath(QStringLiteral("a.ini")));
  const QString longo = QString(299, QLatin1Char('x')) + QLatin1Char('y');
  QVERIFY(ini.gravar(QStringLiteral("s"), QStringLiteral("k"), longo));
  QCOMPARE(ini.ler(QStringLiteral("s"), QStringLiteral("k"), {}), longo.left(254));
}

void tst_ArquivoIni::arquivoInexistenteCriadoNaGravacao() {
  QTemporaryDir pasta;
  const ArquivoIni ini(pasta.filePath(QStringLiteral("novo.ini")));
  QCOMPARE(ini.ler(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
  QVERIFY(!QFile::exists(pasta.filePath(QStringLiteral("novo.ini"))));
  QVERIFY(ini.gravar(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
  QCOMPARE(ini.ler(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")), QStringLiteral("v"));
}

void tst_ArquivoIni::leituraNaoAlteraArquivo() {
  QTemporaryDir pasta;
  const QString caminho = pasta.filePath(QStringLiteral("a.ini"));
  QFile arquivo(caminho);
  QVERIFY(arquivo.open(QIODevice::WriteOnly));
  arquivo.write("[a]\nb=1\n");
  arquivo.close();
  const QDateTime antes = QFileInfo(caminho).lastModified();
  QCOMPARE(ArquivoIni(caminho).ler(QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")), QStringLiteral("z"));
  QCOMPARE(QFileInfo(caminho).lastModified(), antes);
  QVERIFY(arquivo.open(QIODevice::ReadOnly));
  QCOMPARE(arquivo.readAll(), QByteArray("[a]\nb=1\n"));
}

// A line break anywhere would let the rest of the text be read back as lines of their own.
void tst_ArquivoIni::quebraDeLinhaRecusada_data() {
  QTest::addColumn<QString>("secao");
  QTest::addColumn<QString>("chave");
  QTest::addColumn<QString>("valor");
  const QString injetado = QStringLiteral("x%1[banco]%1tipo=postgresql%1servidor=10.9.8.7");
  const std::pair<const char*, QString> quebras[] = {{"LF", "\n"}, {"CR", "\r"}, {"CRLF", "\r\n"}};
  for (const auto& [nome, quebra] : quebras) {
    const QString texto = injetado.arg(quebra);
    QTest::addRow("%s in the section", nome) << texto << "pastapdf"
                                             << "/tmp";
    QTest::addRow("%s in the key", nome) << "talonix" << texto << "/tmp";
    QTest::addRow("%s in the value", nome) << "talonix"
                                           << "pastapdf" << texto;
  }
}

void tst_ArquivoIni::quebraDeLinhaRecusada() {
  QFETCH(QString, secao);
  QFETCH(QString, chave);
  QFETCH(QString, valor);
  QTemporaryDir pasta;
  const QString caminho = pasta.filePath(QStringLiteral("a.ini"));
  const ArquivoIni ini(caminho);
  QVERIFY(!ini.gravar(secao, chave, valor));
  QVERIFY(!QFile::exists(caminho));

  const QByteArray antes = "[talonix]\r\npastapdf=/home\r\n[banco]\r\ntipo=sqlite\r\n";
  QFile arquivo(caminho);
  QVERIFY(arquivo.open(QIODevice::WriteOnly));
  arquivo.write(antes);
  arquivo.close();
  QVERIFY(!ini.gravar(secao, chave, valor));
  QVERIFY(arquivo.open(QIODevice::ReadOnly));
  QCOMPARE(arquivo.readAll(), antes);
  QCOMPARE(ini.ler(QStringLiteral("banco"), QStringLiteral("tipo"), QString()), QStringLiteral("sqlite"));
  QCOMPARE(ini.ler(QStringLiteral("banco"), QStringLiteral("servidor"), QString()), QString());
  QCOMPARE(ini.ler(QStringLiteral("talonix"), QStringLiteral("pastapdf"), QString()), QStringLiteral("/home"));
}

QTEST_GUILESS_MAIN(tst_ArquivoIni)
#include "tst_ArquivoIni.moc"
