#include "backup/cUnzip.h"
#include "tests/backup/FabricaZip.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

using FabricaZip::Entrada;

class tst_cUnzip : public QObject {
  Q_OBJECT

private:
  QTemporaryDir pasta_;
  QString zip() const { return pasta_.filePath(QStringLiteral("arquivo.zip")); }
  QString destino() const { return pasta_.filePath(QStringLiteral("destino")); }
  QString noDestino(const QString& nome) const { return destino() + QLatin1Char('/') + nome; }
  QStringList conteudoDestino() const {
    QStringList nomes;
    QDirIterator it(destino(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
      nomes.append(QDir(destino()).relativeFilePath(it.next()));
    nomes.sort();
    return nomes;
  }

  void preparar(const QList<Entrada>& entradas) { QVERIFY(FabricaZip::criar(zip(), entradas)); }

  void gravar(const QString& caminho, const QByteArray& dados) {
    QFile arquivo(caminho);
    QVERIFY(arquivo.open(QIODevice::WriteOnly));
    arquivo.write(dados);
  }

  const QList<Entrada> tresEntradas = {{QStringLiteral("a.txt"), "alfa"},
                                       {QStringLiteral("pasta/sub/b.txt"), "beta"},
                                       {QStringLiteral("pasta/c.txt"), "gama"}};

private slots:
  void init() {
    QDir(destino()).removeRecursively();
    QDir().mkpath(destino());
    QFile::remove(zip());
  }

  void diretorioListaEntradasSelecionadas() {
    preparar(tresEntradas);
    cUnzip u;
    u.setZipFile(zip());
    QVERIFY(u.Directory());
    QCOMPARE(u.FileCount(), 3);
    QCOMPARE(u.Filename(2), QStringLiteral("b.txt"));
    QCOMPARE(u.FileDirectory(2), QStringLiteral("pasta/sub"));
    QCOMPARE(u.FileDirectory(1), QString());
    QCOMPARE(u.FileSize(1), 4);
    QCOMPARE(u.FileCRC(1), 0xea01e0d1u);                             // crc32("alfa")
    QCOMPARE(u.FileCompressionMethod(1), QStringLiteral("Stored"));  // too small to gain from deflate
    QVERIFY(!u.FileEncrypted(1));
    for (int i = 1; i <= 3; ++i)
      QVERIFY(u.FileSelected(i));
    QVERIFY(!u.GetVersion().isEmpty());
  }

  void listaDeInclusao() {
    preparar(tresEntradas);
    cUnzip u;
    u.setZipFile(zip());
    QVERIFY(u.Directory());
    QVERIFY(u.ListaInclusao().isEmpty());
    u.setFileSelected(1, false);
    QCOMPARE(u.ListaInclusao(), QStringList({QStringLiteral("pasta/sub/b.txt"), QStringLiteral("pasta/c.txt")}));

    u.setUnzipFolder(destino());
    QVERIFY(!u.Unzip());
    QCOMPARE(conteudoDestino(), QStringList({QStringLiteral("b.txt"), QStringLiteral("c.txt")}));
  }

  void semArquivoNaoFalhaNemExtrai() {
    cUnzip u;
    u.setUnzipFolder(destino());
    QVERIFY(!u.Unzip());
    QVERIFY(conteudoDestino().isEmpty());
  }

  void extraiNomesSemPastasSubstituindo() {
    preparar(tresEntradas);
    gravar(noDestino(QStringLiteral("a.txt")), "antigo");
    cUnzip u;
    u.setZipFile(zip());
    QVERIFY(u.Directory());
    u.setUseFolderNames(false);
    u.setOverwriteExisting(true);
    u.setUnzipFolder(destino());
    QVERIFY(!u.Unzip());
    QCOMPARE(conteudoDestino(),
             QStringList({QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")}));
    QCOMPARE(FabricaZip::conteudo(noDestino(QStringLiteral("a.txt"))), QByteArray("alfa"));
  }

  void extraiComPastas() {
    preparar(tresEntradas);
    cUnzip u;
    u.setZipFile(zip());
    u.setUseFolderNames(true);
    u.setUnzipFolder(destino());
    QVERIFY(!u.Unzip());
    QCOMPARE(FabricaZip::conteudo(noDestino(QStringLiteral("pasta/sub/b.txt"))), QByteArray("beta"));
  }

  void existenteSoSubstituidoQuandoPermitido() {
    preparar(tresEntradas);
    gravar(noDestino(QStringLiteral("a.txt")), "antigo");
    cUnzip u;
    u.setZipFile(zip());
    u.setUnzipFolder(destino());
    QVERIFY(!u.Unzip());
    QCOMPARE(FabricaZip::conteudo(noDestino(QStringLiteral("a.txt"))), QByteArray("antigo"));

    u.setPromptToOverwrite(true);
    int perguntas = 0;
    connect(&u, &cUnzip::OverwritePrompt, this, [&perguntas](const QString&, bool& sim) {
      ++perguntas;
      sim = true;
    });
    QVERIFY(!u.Unzip());
    QCOMPARE(perguntas, 3);  // the first run wrote the two files that were missing
    QCOMPARE(FabricaZip::conteudo(noDestino(QStringLiteral("a.txt"))), QByteArray("alfa"));
  }

  // Each archive below is refused before anything is written, and nothing lands outside.
  void recusaSemGravarNada_data() {
    QTest::addColumn<QList<Entrada>>("entradas");
    QTest::addColumn<bool>("comPastas");
    const Entrada bom{QStringLiteral("bom.txt"), "bom"};
    QTest::newRow("sobe de pasta") << QList<Entrada>{bom, {QStringLiteral("../fora.txt"), "x"}} << true;
    QTest::newRow("sobe no meio") << QList<Entrada>{bom, {QStringLiteral("a/../../fora.txt"), "x"}} << true;
    QTest::newRow("sobe sem pastas") << QList<Entrada>{bom, {QStringLiteral("../fora.txt"), "x"}} << false;
    QTest::newRow("caminho absoluto") << QList<Entrada>{bom, {QStringLiteral("/tmp/fora.txt"), "x"}} << true;
    QTest::newRow("letra de unidade") << QList<Entrada>{bom, {QStringLiteral("C:/fora.txt"), "x"}} << false;
    QTest::newRow("barra invertida") << QList<Entrada>{bom, {QStringLiteral("..\\fora.txt"), "x"}} << true;
    QTest::newRow("ligação simbólica") << QList<Entrada>{bom, {QStringLiteral("link"), "/etc/passwd", 0120777}}
                                       << false;
    QTest::newRow("fila nomeada") << QList<Entrada>{bom, {QStringLiteral("fifo"), "", 010644}} << false;
  }
  void recusaSemGravarNada() {
    QFETCH(QList<Entrada>, entradas);
    QFETCH(bool, comPastas);
    preparar(entradas);
    cUnzip u;
    QSignalSpy mensagens(&u, &cUnzip::Mensagem);
    u.setZipFile(zip());
    QVERIFY(u.Directory());
    u.setUseFolderNames(comPastas);
    u.setOverwriteExisting(true);
    u.setUnzipFolder(destino());
    QVERIFY(u.Unzip());
    QVERIFY(conteudoDestino().isEmpty());
    QVERIFY(!QFile::exists(pasta_.filePath(QStringLiteral("fora.txt"))));
    QVERIFY(!mensagens.isEmpty());
  }

  void limiteDeTamanho() {
    preparar({{QStringLiteral("grande.bin"), QByteArray(100000, 'z')}});
    cUnzip u;
    u.setZipFile(zip());
    u.setUnzipFolder(destino());
    u.setLimiteDescompactado(99999);
    QVERIFY(u.Unzip());
    QVERIFY(conteudoDestino().isEmpty());
    u.setLimiteDescompactado(100000);
    QVERIFY(!u.Unzip());
  }

  void entradaDanificadaNaoSubstituiArquivo() {
    QByteArray dados;
    for (int i = 0; i < 20000; ++i)
      dados += QByteArray::number(i * 7919 % 10007) + ' ';
    preparar({{QStringLiteral("dados.txt"), dados}});
    QByteArray bruto = FabricaZip::conteudo(zip());
    bruto[bruto.size() / 2] = static_cast<char>(bruto[bruto.size() / 2] ^ 0x5a);
    gravar(zip(), bruto);
    gravar(noDestino(QStringLiteral("dados.txt")), "anterior");

    cUnzip u;
    u.setZipFile(zip());
    u.setTestZip(true);
    QVERIFY(u.Unzip());
    u.setTestZip(false);
    u.setOverwriteExisting(true);
    u.setUnzipFolder(destino());
    QVERIFY(u.Unzip());
    QCOMPARE(FabricaZip::conteudo(noDestino(QStringLiteral("dados.txt"))), QByteArray("anterior"));
    QCOMPARE(conteudoDestino(), QStringList({QStringLiteral("dados.txt")}));
  }

  void arquivoQueNaoEZip() {
    gravar(zip(), "isto não é um arquivo zip");
    cUnzip u;
    u.setZipFile(zip());
    QVERIFY(!u.Directory());
    u.setUnzipFolder(destino());
    QVERIFY(u.Unzip());
  }

  void finsDeLinhaSoEmTexto() {
    preparar({{QStringLiteral("texto.txt"), "um\ndois\r\ntr\xc3\xaas\n"},
              {QStringLiteral("dados.bin"), QByteArray("\0\n\x01", 3)}});
    cUnzip u;
    u.setZipFile(zip());
    u.setConvertCRToCRLF(true);
    u.setUnzipFolder(destino());
    QVERIFY(!u.Unzip());
    QCOMPARE(FabricaZip::conteudo(noDestino(QStringLiteral("texto.txt"))), QByteArray("um\r\ndois\r\ntr\xc3\xaas\r\n"));
    QCOMPARE(FabricaZip::conteudo(noDestino(QStringLiteral("dados.bin"))), QByteArray("\0\n\x01", 3));
  }

  // Entries whose bytes overlap inflate to many times the archive: the outer one holds the inner
  // one's header and data. The same entries side by side extract.
  void arquivoComEntradasSobrepostasEhRecusado_data() {
    QTest::addColumn<bool>("sobrepostas");
    QTest::newRow("sobrepostas") << true;
    QTest::newRow("lado a lado") << false;
  }
  void arquivoComEntradasSobrepostasEhRecusado() {
    QFETCH(bool, sobrepostas);
    FabricaZip::EntradaBruta dentro{QStringLiteral("b.txt"), QByteArray(100, 'b')};
    const FabricaZip::EntradaBruta fora{QStringLiteral("a.txt"), FabricaZip::local(dentro)};
    if (sobrepostas)
      dentro.posicao = 30 + 5;  // where a.txt's data starts
    QVERIFY(FabricaZip::criarBruto(zip(), {fora, dentro}));
    cUnzip u;
    QSignalSpy mensagens(&u, &cUnzip::Mensagem);
    u.setZipFile(zip());
    u.setUnzipFolder(destino());
    QCOMPARE(u.Unzip(), sobrepostas);
    QCOMPARE(conteudoDestino(),
             sobrepostas ? QStringList() : QStringList({QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    if (sobrepostas)
      QVERIFY(mensagens.constLast().at(0).toString().contains(QStringLiteral("sobrepõem")));
  }

  // The headers declare a petabyte (in the Zip64 form) for two bytes of deflate: no disk has the
  // room, and that is found before anything is written, whatever the cap.
  void arquivoMaiorQueOEspacoLivreEhRecusado() {
    const qint64 petabyte = qint64(1) << 50;
    QVERIFY(FabricaZip::criarBruto(zip(), {{QStringLiteral("enorme.bin"), QByteArray("\x03\x00", 2), true, petabyte}}));
    cUnzip u;
    QSignalSpy mensagens(&u, &cUnzip::Mensagem);
    u.setZipFile(zip());
    QVERIFY(u.Directory());
    QCOMPARE(u.FileSize(1), petabyte);
    u.setUnzipFolder(destino());
    u.setLimiteDescompactado(std::numeric_limits<qint64>::max());
    QVERIFY(u.Unzip());
    QVERIFY(conteudoDestino().isEmpty());
    QVERIFY(!mensagens.isEmpty());
    QVERIFY2(mensagens.constLast().at(0).toString().contains(QStringLiteral("espaço livre")),
             qPrintable(mensagens.constLast().at(0).toString()));
  }

  // "sub\nota.txt" is the file nota.txt in the folder sub, listed and extracted alike.
  void barraInvertidaTratadaComoPasta() {
    preparar({{QStringLiteral("sub\\nota.txt"), "nota"}});
    cUnzip u;
    u.setZipFile(zip());
    QVERIFY(u.Directory());
    QCOMPARE(u.Filename(1), QStringLiteral("nota.txt"));
    QCOMPARE(u.FileDirectory(1), QStringLiteral("sub"));
    u.setUnzipFolder(destino());
    QVERIFY(!u.Unzip());
    QCOMPARE(conteudoDestino(), QStringList({QStringLiteral("nota.txt")}));
    u.setUseFolderNames(true);
    QVERIFY(!u.Unzip());
    QCOMPARE(conteudoDestino(),
             QStringList({QStringLiteral("nota.txt"), QStringLiteral("sub"), QStringLiteral("sub/nota.txt")}));
  }

  void trocaEspacos() {
    preparar({{QStringLiteral("com espaço.txt"), "x"}});
    cUnzip u;
    u.setZipFile(zip());
    u.setSpaceToUnderScore(true);
    u.setUnzipFolder(destino());
    QVERIFY(!u.Unzip());
    QCOMPARE(conteudoDestino(), QStringList({QStringLiteral("com_espaço.txt")}));
  }
};

QTEST_GUILESS_MAIN(tst_cUnzip)
#include "tst_cUnzip.moc"
