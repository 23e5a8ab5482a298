#include "app/core/Compactacao.h"
#include "app/core/Conexao.h"
#include "app/core/SubstituicaoBanco.h"
#include "app/core/modGeral.h"
#include "backup/CopiaSeguranca.h"
#include "backup/RestauracaoBanco.h"

#include "tests/support/PastaTeste.h"

#include <QFile>
#include <QSqlQuery>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct stat estado(const QString& caminho) {
  struct stat dados {};
  if (::stat(QFile::encodeName(caminho).constData(), &dados) != 0)
    qWarning("stat: %s", qPrintable(caminho));
  return dados;
}

// A group other than the file's own, to see it kept: the administrator may give any.
gid_t outroGrupo(gid_t atual) {
  return atual == 65534 ? 0 : 65534;
}

}  // namespace

class tst_SubstituicaoBanco : public QObject {
  Q_OBJECT

private slots:
  // The file that takes the database's place keeps its mode and group, after a compaction as
  // after a restore.
  void substituicaoMantemPermissoes_data() {
    QTest::addColumn<bool>("restaurar");
    QTest::addColumn<int>("modo");
    for (const int modo : {0600, 0640, 0660}) {
      QTest::addRow("compactação %o", modo) << false << modo;
      QTest::addRow("restauração %o", modo) << true << modo;
    }
  }
  void substituicaoMantemPermissoes() {
    QFETCH(bool, restaurar);
    QFETCH(int, modo);
    PastaTeste p;
    QVERIFY(p.abrir());
    QTemporaryDir arquivos;
    const QString arquivo = arquivos.filePath(QStringLiteral("copia.zip"));
    QVERIFY(CopiaSeguranca::Realizar(arquivo));
    QCOMPARE(::chmod(QFile::encodeName(p.banco()).constData(), static_cast<mode_t>(modo)), 0);
    const gid_t grupo = outroGrupo(estado(p.banco()).st_gid);
    const bool administrador = ::geteuid() == 0;
    if (administrador)
      QCOMPARE(::chown(QFile::encodeName(p.banco()).constData(), static_cast<uid_t>(-1), grupo), 0);

    Resultado r;
    if (restaurar) {
      Conexao::FecharConexao();
      r = RestauracaoBanco::RestaurarBanco(arquivo);
    } else {
      r = Compactacao::CompactarBanco();
    }
    QVERIFY2(r, qPrintable(r.erro));
    const struct stat depois = estado(p.banco());
    QCOMPARE(static_cast<int>(depois.st_mode & 07777), modo);
    if (administrador)
      QCOMPARE(depois.st_gid, grupo);
  }

  // A journal that holds no transaction (empty, or with a zeroed header, as a crash while one
  // starts or ends leaves it) does not stop a replacement; one that a live transaction holds does.
  void diarioMortoNaoBloqueiaManutencao_data() {
    QTest::addColumn<QByteArray>("diario");
    QTest::addColumn<bool>("aceita");
    QTest::newRow("vazio") << QByteArray() << true;
    QTest::newRow("cabeçalho zerado") << (QByteArray(28, '\0') + QByteArray(4068, 'x')) << true;
    QTest::newRow("transação viva") << QByteArray() << false;
  }
  void diarioMortoNaoBloqueiaManutencao() {
    QFETCH(QByteArray, diario);
    QFETCH(bool, aceita);
    PastaTeste p;
    QVERIFY(p.abrir());
    QVERIFY(p.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Antiga')")));
    Conexao::FecharConexao();
    const QString novo = p.banco() + QStringLiteral(".novo");
    QVERIFY(QFile::copy(p.banco(), novo));
    QVERIFY(Conexao::AbrirArquivo(QStringLiteral("novo"), novo));
    QVERIFY(QSqlQuery(QSqlDatabase::database(QStringLiteral("novo"), false))
                .exec(QStringLiteral("UPDATE tbPessoa SET Descricao='Nova'")));
    Conexao::Descartar(QStringLiteral("novo"));

    const QString nomeDono = QStringLiteral("dono");
    if (aceita) {
      QFile arquivo(SubstituicaoBanco::ArquivoDiario(p.banco()));
      QVERIFY(arquivo.open(QIODevice::WriteOnly));
      arquivo.write(diario);
    } else {
      QVERIFY(Conexao::AbrirArquivo(nomeDono, p.banco()));
      QSqlQuery dono(QSqlDatabase::database(nomeDono, false));
      QVERIFY(dono.exec(QStringLiteral("BEGIN IMMEDIATE")));
      QVERIFY(dono.exec(QStringLiteral("UPDATE tbPessoa SET Descricao='Pela metade'")));
    }
    const Resultado r = SubstituicaoBanco::Substituir(novo, p.banco());
    QCOMPARE(r.ok, aceita);
    Conexao::Descartar(nomeDono);
    QVERIFY(!QFile::exists(SubstituicaoBanco::ArquivoDiario(p.banco())));
    QVERIFY(p.abrir());
    QCOMPARE(p.valor(QStringLiteral("SELECT Descricao FROM tbPessoa")).toString(),
             aceita ? QStringLiteral("Nova") : QStringLiteral("Antiga"));
  }
};

QTEST_GUILESS_MAIN(tst_SubstituicaoBanco)
#include "tst_SubstituicaoBanco.moc"
