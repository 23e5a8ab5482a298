#include "app/core/Compactacao.h"
#include "app/core/Conexao.h"
#include "app/core/Esquema.h"
#include "app/core/SubstituicaoBanco.h"
#include "app/core/modGeral.h"
#include "backup/CopiaSeguranca.h"
#include "backup/RestauracaoBanco.h"

#include "tests/support/PastaTeste.h"

#include <QDir>
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

// Moves the folder's database to `alvo` and leaves in its place a link to it.
bool ligarBanco(PastaTeste& p, const QString& alvo) {
  Conexao::FecharConexao();
  return QFile::rename(p.banco(), alvo) && QFile::link(alvo, p.banco());
}

// The names in `pasta`, hidden ones too.
QStringList nomes(const QString& pasta) {
  return QDir(pasta).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray conteudo(const QString& arquivo) {
  QFile f(arquivo);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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
    // The journal SQLite keeps lies beside the file the link leads to.
    QTest::newRow("transação viva, banco ligado") << QByteArray("ligado") << false;
  }
  void diarioMortoNaoBloqueiaManutencao() {
    QFETCH(QByteArray, diario);
    QFETCH(bool, aceita);
    PastaTeste p;
    QTemporaryDir outra;
    if (diario == "ligado")
      QVERIFY(ligarBanco(p, outra.filePath(QStringLiteral("talonix.db"))));
    QVERIFY(p.abrir());
    QVERIFY(p.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Antiga')")));
    Conexao::FecharConexao();
    const QString novo = p.banco() + QStringLiteral(".novo");
    QVERIFY(QFile::copy(p.banco(), novo));
    QVERIFY(Conexao::AbrirArquivo(QStringLiteral("novo"), novo));
    QVERIFY(QSqlQuery(QSqlDatabase::database(QStringLiteral("novo"), false))
                .exec(QStringLiteral("UPDATE tbPessoa SET Descricao='Nova'")));
    Conexao::Descartar(QStringLiteral("novo"));

    ArquivosBanco::Locais locais;
    QVERIFY(ArquivosBanco::Resolver(p.banco(), locais));
    const QString nomeDono = QStringLiteral("dono");
    if (aceita) {
      QFile arquivo(locais.diario());
      QVERIFY(arquivo.open(QIODevice::WriteOnly));
      arquivo.write(diario);
    } else {
      QVERIFY(Conexao::AbrirArquivo(nomeDono, p.banco()));
      QSqlQuery dono(QSqlDatabase::database(nomeDono, false));
      QVERIFY(dono.exec(QStringLiteral("BEGIN IMMEDIATE")));
      QVERIFY(dono.exec(QStringLiteral("UPDATE tbPessoa SET Descricao='Pela metade'")));
    }
    const Resultado r = SubstituicaoBanco::Substituir(novo, locais);
    QCOMPARE(r.ok, aceita);
    Conexao::Descartar(nomeDono);
    QVERIFY(!QFile::exists(locais.diario()));
    QVERIFY(p.abrir());
    QCOMPARE(p.valor(QStringLiteral("SELECT Descricao FROM tbPessoa")).toString(),
             aceita ? QStringLiteral("Nova") : QStringLiteral("Antiga"));
  }

  // With Dados/bdRecibo.mdb a link to a file of another folder, a compaction and a restore put
  // the new file in the place of that file, and an upgrade keeps its copy beside it: the link
  // stays a link, and the saves that follow reach the file it leads to.
  void bancoLigadoContinuaLigado_data() {
    QTest::addColumn<int>("operacao");
    QTest::addColumn<QStringList>("aoLado");
    const QStringList trava{QStringLiteral("bdRecibo.mdb.trava"), QStringLiteral("talonix.db")};
    QTest::newRow("compactação") << 0 << trava;
    QTest::newRow("restauração") << 1 << trava;
    QTest::newRow("atualização") << 2
                                 << QStringList{QStringLiteral("bdRecibo.mdb.trava"),
                                                QStringLiteral("bdRecibo.mdb.versao0"), QStringLiteral("talonix.db")};
  }
  void bancoLigadoContinuaLigado() {
    QFETCH(int, operacao);
    QFETCH(QStringList, aoLado);
    const bool restaurar = operacao == 1;
    PastaTeste p;
    QTemporaryDir outra;
    const QString alvo = outra.filePath(QStringLiteral("talonix.db"));
    if (operacao == 2)
      QVERIFY(QFile::remove(p.banco()) && Esquema::CriarBanco(p.banco(), 0));
    QVERIFY(ligarBanco(p, alvo));
    QVERIFY(p.abrir());
    QCOMPARE(p.valor(QStringLiteral("PRAGMA user_version")).toInt(), Esquema::VersaoAtual);
    QVERIFY(p.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Guardada')")));
    QTemporaryDir arquivos;
    const QString copia = arquivos.filePath(QStringLiteral("copia.zip"));
    QVERIFY(CopiaSeguranca::Realizar(copia));
    QVERIFY(p.executar(QStringLiteral("UPDATE tbPessoa SET Descricao = 'Atual'")));

    Conexao::FecharConexao();
    Resultado r;
    if (operacao == 0)
      r = Compactacao::CompactarBanco();
    else if (restaurar)
      r = RestauracaoBanco::RestaurarBanco(copia);
    QVERIFY2(r, qPrintable(r.erro));
    QVERIFY(QFileInfo(p.banco()).isSymbolicLink());
    QCOMPARE(QFileInfo(p.banco()).symLinkTarget(), alvo);
    QVERIFY(Conexao::Banco().isOpen() || p.abrir());
    QCOMPARE(p.valor(QStringLiteral("SELECT Descricao FROM tbPessoa WHERE Codigo = 1")).toString(),
             restaurar ? QStringLiteral("Guardada") : QStringLiteral("Atual"));
    QVERIFY(p.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (2, 'Depois')")));
    Conexao::FecharConexao();
    QVERIFY(Conexao::AbrirArquivo(QStringLiteral("alvo"), alvo));
    QSqlQuery consulta(QSqlDatabase::database(QStringLiteral("alvo"), false));
    QVERIFY(consulta.exec(QStringLiteral(
                "SELECT group_concat(Descricao) FROM (SELECT Descricao FROM tbPessoa ORDER BY Codigo)")) &&
            consulta.next());
    QCOMPARE(consulta.value(0).toString(),
             restaurar ? QStringLiteral("Guardada,Depois") : QStringLiteral("Atual,Depois"));
    consulta.finish();
    Conexao::Descartar(QStringLiteral("alvo"));
    // Nothing was left beside the link; beside the file lies the lock the processes share.
    QCOMPARE(nomes(modGeral::CaminhoDados()), QStringList({QStringLiteral("bdRecibo.mdb")}));
    QCOMPARE(nomes(outra.path()), aoLado);
  }

  // A link that leads nowhere, or to a file named like one the program keeps beside the
  // database, is refused by every maintenance, with the reason; nothing is created or changed.
  void ligacaoRecusada_data() {
    QTest::addColumn<int>("operacao");
    QTest::addColumn<bool>("pendente");
    QTest::addColumn<QString>("alvo");
    QTest::addColumn<QString>("motivo");
    const char* operacoes[] = {"compactação", "restauração", "cópia de segurança"};
    for (int operacao = 0; operacao < 3; ++operacao) {
      QTest::addRow("%s, ligação pendente", operacoes[operacao])
          << operacao << true << QStringLiteral("sumiu.db") << QStringLiteral("que não existe");
      QTest::addRow("%s, ligação a bdRecibo.tmp", operacoes[operacao])
          << operacao << false << QStringLiteral("bdRecibo.tmp") << QStringLiteral("cujo nome o Talonix usa");
    }
  }
  void ligacaoRecusada() {
    QFETCH(int, operacao);
    QFETCH(bool, pendente);
    QFETCH(QString, alvo);
    QFETCH(QString, motivo);
    PastaTeste p;
    QTemporaryDir arquivos;
    const QString copia = arquivos.filePath(QStringLiteral("copia.zip"));
    QVERIFY(CopiaSeguranca::Realizar(copia));
    QVERIFY(QFile::remove(modGeral::CaminhoDados() + QStringLiteral("bdRecibo.mdb.trava")));
    QTemporaryDir outra;
    if (pendente)
      QVERIFY(QFile::remove(p.banco()) && QFile::link(outra.filePath(alvo), p.banco()));
    else
      QVERIFY(ligarBanco(p, outra.filePath(alvo)));
    const QStringList antes = nomes(outra.path());
    const QByteArray conteudoAntes = conteudo(outra.filePath(alvo));

    Resultado r;
    if (operacao == 0)
      r = Compactacao::CompactarBanco();
    else if (operacao == 1)
      r = RestauracaoBanco::RestaurarBanco(copia);
    else
      r = CopiaSeguranca::Realizar(arquivos.filePath(QStringLiteral("nova.zip")));
    QVERIFY(!r);
    QVERIFY2(r.erro.contains(motivo) && r.erro.contains(outra.filePath(alvo)), qPrintable(r.erro));
    QVERIFY(QFileInfo(p.banco()).isSymbolicLink());
    QCOMPARE(nomes(modGeral::CaminhoDados()), QStringList({QStringLiteral("bdRecibo.mdb")}));
    QCOMPARE(nomes(outra.path()), antes);
    QCOMPARE(conteudo(outra.filePath(alvo)), conteudoAntes);
    QCOMPARE(nomes(arquivos.path()), QStringList({QStringLiteral("copia.zip")}));
  }
};

QTEST_GUILESS_MAIN(tst_SubstituicaoBanco)
#include "tst_SubstituicaoBanco.moc"
