#include "backup/cUnzip.h"
#include "backup/cZip.h"
#include "tests/backup/FabricaZip.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void escrever(const QString& caminho, const QByteArray& dados) {
  QDir().mkpath(QFileInfo(caminho).absolutePath());
  QFile arquivo(caminho);
  QVERIFY(arquivo.open(QIODevice::WriteOnly));
  arquivo.write(dados);
}

}  // namespace

class tst_cZip : public QObject {
  Q_OBJECT

private:
  QTemporaryDir pasta_;
  QString origem() const { return pasta_.filePath(QStringLiteral("origem")); }
  QString zip() const { return pasta_.filePath(QStringLiteral("saida/copia.zip")); }

private slots:
  void init() {
    QDir(pasta_.path()).removeRecursively();
    QDir().mkpath(pasta_.filePath(QStringLiteral("saida")));
    escrever(origem() + QStringLiteral("/a.txt"), "primeiro");
    escrever(origem() + QStringLiteral("/sub/b.txt"), "segundo");
    escrever(origem() + QStringLiteral("/sub/c.dat"), "terceiro");
  }

  void novoObjetoDescartaPastasSemRecursao() {
    cZip z;
    QVERIFY(!z.StoreFolderNames());
    QVERIFY(!z.StoreDirectories());
    QVERIFY(!z.RecurseSubDirs());
    QCOMPARE(z.MessageLevel(), 2);
    QCOMPARE(z.Opcoes().descartarPastas, 1);
    QCOMPARE(z.Opcoes().semEntradasPasta, 1);
    QCOMPARE(z.Opcoes().recursao, 0);

    z.setZipFile(zip());
    z.AddFileSpec(origem() + QStringLiteral("/*"));
    z.AddFileSpec(origem() + QStringLiteral("/sub/b.txt"));
    z.Zip();
    QVERIFY(z.Success());
    QCOMPARE(FabricaZip::nomes(zip()), QStringList({QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    QCOMPARE(FabricaZip::ler(zip(), QStringLiteral("b.txt")), QByteArray("segundo"));
  }

  void recursaoGuardaDoisComPastas() {
    cZip z;
    z.setRecurseSubDirs(true);
    QVERIFY(z.RecurseSubDirs());
    QCOMPARE(z.Opcoes().recursao, 2);
    z.setStoreFolderNames(true);
    z.setStoreDirectories(true);
    z.setBasePath(origem());
    z.setZipFile(zip());
    z.AddFileSpec(QStringLiteral("*.txt"));
    z.Zip();
    QVERIFY(z.Success());
    QCOMPARE(FabricaZip::nomes(zip()),
             QStringList({QStringLiteral("a.txt"), QStringLiteral("sub/"), QStringLiteral("sub/b.txt")}));
  }

  void nivelDeMensagem_data() {
    QTest::addColumn<QList<int>>("niveis");
    QTest::addColumn<int>("esperado");
    QTest::newRow("verboso") << QList<int>{0} << 0;
    QTest::newRow("silencioso") << QList<int>{1} << 1;
    QTest::newRow("normal") << QList<int>{0, 2} << 2;
    QTest::newRow("5 mantém o anterior") << QList<int>{1, 5} << 1;
    QTest::newRow("-1 mantém o anterior") << QList<int>{0, -1} << 0;
  }
  void nivelDeMensagem() {
    QFETCH(QList<int>, niveis);
    QFETCH(int, esperado);
    cZip z;
    for (int nivel : niveis)
      z.setMessageLevel(nivel);
    QCOMPARE(z.MessageLevel(), esperado);
  }

  void listaDeEspecificacoes() {
    cZip z;
    z.AddFileSpec(QStringLiteral("um"));
    z.AddFileSpec(QStringLiteral("dois"));
    QCOMPARE(z.FileSpecCount(), 2);
    QCOMPARE(z.FileSpec(2), QStringLiteral("dois"));
    z.ClearFileSpecs();
    QCOMPARE(z.FileSpecCount(), 0);
  }

  void falhaVoltaNormalmenteSemSucesso_data() {
    QTest::addColumn<QString>("arquivoZip");
    QTest::addColumn<QString>("especificacao");
    QTest::newRow("pasta do arquivo inexistente") << QStringLiteral("nao/existe/copia.zip") << QStringLiteral("a.txt");
    QTest::newRow("arquivo a compactar inexistente") << QStringLiteral("saida/copia.zip") << QStringLiteral("nada.txt");
    QTest::newRow("destino que não é zip") << QStringLiteral("origem/a.txt") << QStringLiteral("sub/b.txt");
  }
  void falhaVoltaNormalmenteSemSucesso() {
    QFETCH(QString, arquivoZip);
    QFETCH(QString, especificacao);
    cZip z;
    QSignalSpy mensagens(&z, &cZip::Progress);
    z.setZipFile(pasta_.filePath(arquivoZip));
    z.AddFileSpec(origem() + QLatin1Char('/') + especificacao);
    z.Zip();
    QVERIFY(!z.Success());
    QVERIFY(z.CodigoResultado() != 0);
    QVERIFY(!mensagens.isEmpty());
    QCOMPARE(FabricaZip::conteudo(origem() + QStringLiteral("/a.txt")), QByteArray("primeiro"));
  }

  void progressoChegaACem() {
    escrever(origem() + QStringLiteral("/grande.bin"), QByteArray(4 << 20, 'x'));
    cZip z;
    QSignalSpy progresso(&z, &cZip::Progress);
    z.setZipFile(zip());
    z.AddFileSpec(origem() + QStringLiteral("/grande.bin"));
    z.Zip();
    QVERIFY(z.Success());
    QVERIFY(!progresso.isEmpty());
    QCOMPARE(progresso.last().at(0).toInt(), 100);
  }

  void arquivoExistenteRecebeEntradasESubstituiIguais() {
    cZip z;
    z.setZipFile(zip());
    z.AddFileSpec(origem() + QStringLiteral("/a.txt"));
    z.Zip();
    escrever(origem() + QStringLiteral("/a.txt"), "mudou");
    z.AddFileSpec(origem() + QStringLiteral("/sub/b.txt"));
    z.Zip();
    QVERIFY(z.Success());
    QCOMPARE(FabricaZip::nomes(zip()), QStringList({QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    QCOMPARE(FabricaZip::ler(zip(), QStringLiteral("a.txt")), QByteArray("mudou"));
  }

  void renovarSoTocaEntradasExistentes() {
    cZip z;
    z.setZipFile(zip());
    z.AddFileSpec(origem() + QStringLiteral("/a.txt"));
    z.Zip();
    z.setFreshenFiles(true);
    z.ClearFileSpecs();
    z.AddFileSpec(origem() + QStringLiteral("/sub/*"));
    z.Zip();
    QCOMPARE(FabricaZip::nomes(zip()), QStringList({QStringLiteral("a.txt")}));
  }

  void excluirTiraAsEntradasQueCasam() {
    cZip z;
    z.setZipFile(zip());
    z.AddFileSpec(origem() + QStringLiteral("/a.txt"));
    z.AddFileSpec(origem() + QStringLiteral("/sub/*"));
    z.Zip();
    z.ClearFileSpecs();
    z.AddFileSpec(QStringLiteral("*.txt"));
    z.Delete();
    QVERIFY(z.Success());
    QCOMPARE(FabricaZip::nomes(zip()), QStringList({QStringLiteral("c.dat")}));
    QCOMPARE(z.Opcoes().excluirEntradas, 0);
  }

  void converteFinsDeLinha() {
    escrever(origem() + QStringLiteral("/texto.txt"), "um\r\ndois\n");
    cZip z;
    z.setZipFile(zip());
    z.AddFileSpec(origem() + QStringLiteral("/texto.txt"));
    z.setConvertCRLFToLF(true);
    z.Zip();
    QCOMPARE(FabricaZip::ler(zip(), QStringLiteral("texto.txt")), QByteArray("um\ndois\n"));
    z.setConvertCRLFToLF(false);
    z.setConvertLFToCRLF(true);
    z.Zip();
    QCOMPARE(FabricaZip::ler(zip(), QStringLiteral("texto.txt")), QByteArray("um\r\ndois\r\n"));
  }

  void criptografiaPedeSenha() {
    cZip z;
    z.setEncrypt(true);
    z.setZipFile(zip());
    z.AddFileSpec(origem() + QStringLiteral("/a.txt"));
    z.Zip();
    QVERIFY(!z.Success());  // nobody gave a password

    connect(&z, &cZip::PasswordRequest, this, [](QString& senha) { senha = QStringLiteral("segredo"); });
    z.Zip();
    QVERIFY(z.Success());
    cUnzip u;
    u.setZipFile(zip());
    QVERIFY(u.Directory());
    QVERIFY(u.FileEncrypted(1));
  }

  void comentarioPedido() {
    cZip z;
    z.setAddComment(true);
    connect(&z, &cZip::CommentRequest, this, [](QString& texto) { texto = QStringLiteral("cópia de teste"); });
    z.setZipFile(zip());
    z.AddFileSpec(origem() + QStringLiteral("/a.txt"));
    z.Zip();
    QVERIFY(z.Success());
    QVERIFY(FabricaZip::conteudo(zip()).contains(QStringLiteral("cópia de teste").toUtf8()));
  }

  void cancelarNaoDeixaArquivo() {
    escrever(origem() + QStringLiteral("/grande.bin"), QByteArray(4 << 20, 'y'));
    cZip z;
    connect(&z, &cZip::Cancel, this, [](bool& cancelar) { cancelar = true; });
    z.setZipFile(zip());
    z.AddFileSpec(origem() + QStringLiteral("/grande.bin"));
    z.Zip();
    QVERIFY(!z.Success());
    QVERIFY(!QFile::exists(zip()));
  }
};

QTEST_GUILESS_MAIN(tst_cZip)
#include "tst_cZip.moc"
