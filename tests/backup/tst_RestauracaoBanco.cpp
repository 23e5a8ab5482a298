#include "app/core/ArquivosBanco.h"
#include "app/core/Conexao.h"
#include "app/core/Esquema.h"
#include "app/core/SubstituicaoBanco.h"
#include "app/core/modGeral.h"
#include "backup/RestauracaoBanco.h"
#include "backup/cZip.h"
#include "tests/backup/FabricaZip.h"
#include "tests/support/PastaTeste.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

using FabricaZip::Entrada;

namespace {

// A Talonix database file of `versao` at `caminho` holding `pessoas` people named "Pessoa N",
// changed by the statements of `alteracoes`.
QByteArray bancoCom(const QString& caminho, int pessoas, const QStringList& alteracoes = {},
                    int versao = Esquema::VersaoAtual) {
  QFile::remove(caminho);
  if (!Esquema::CriarBanco(caminho, versao))
    return {};
  {
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
    banco.setDatabaseName(caminho);
    banco.open();
    QSqlQuery q(banco);
    for (int i = 1; i <= pessoas; ++i)
      q.exec(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (%1, 'Pessoa %1')").arg(i));
    for (const QString& alteracao : alteracoes)
      if (!q.exec(alteracao))
        qWarning("%s", qPrintable(alteracao));
    banco.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
  return FabricaZip::conteudo(caminho);
}

// A SQLite file that is not a Talonix database.
QByteArray bancoAlheio(const QString& caminho) {
  {
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("alheio"));
    banco.setDatabaseName(caminho);
    banco.open();
    QSqlQuery(banco).exec(QStringLiteral("CREATE TABLE clientes (id INTEGER)"));
    banco.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("alheio"));
  return FabricaZip::conteudo(caminho);
}

// The files of the data folder, but for the lock the processes share.
QStringList arquivosDados() {
  QStringList nomes = QDir(modGeral::CaminhoDados()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  nomes.removeAll(ArquivosBanco::Trava);
  nomes.sort();
  return nomes;
}

}  // namespace

class tst_RestauracaoBanco : public QObject {
  Q_OBJECT

private:
  QTemporaryDir fixtures_;
  QString fixture(const QString& nome) const { return fixtures_.filePath(nome); }

  QVariant contar(PastaTeste& p) { return p.valor(QStringLiteral("SELECT COUNT(*) FROM tbPessoa")); }

private slots:
  void copiaERestauracaoDevolvemOsDados() {
    PastaTeste p;
    QVERIFY(p.abrir());
    for (int i = 1; i <= 3; ++i)
      QVERIFY(p.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (%1, 'João %1')").arg(i)));
    Conexao::FecharConexao();

    cZip z;
    z.setZipFile(p.caminho() + QStringLiteral("/copia.zip"));
    z.AddFileSpec(p.banco());
    z.Zip();
    QVERIFY(z.Success());
    QCOMPARE(FabricaZip::nomes(z.ZipFile()), QStringList({QStringLiteral("bdRecibo.mdb")}));

    QVERIFY(p.abrir());
    QVERIFY(p.executar(QStringLiteral("DELETE FROM tbPessoa WHERE Codigo < 3")));
    QVERIFY(p.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (9, 'Outra')")));
    Conexao::FecharConexao();

    const Resultado r = RestauracaoBanco::RestaurarBanco(z.ZipFile());
    QVERIFY2(r.ok, qPrintable(r.erro));
    QVERIFY(p.abrir());
    QCOMPARE(contar(p).toInt(), 3);
    QCOMPARE(p.valor(QStringLiteral("SELECT Descricao FROM tbPessoa WHERE Codigo = 1")).toString(),
             QStringLiteral("João 1"));
    QCOMPARE(arquivosDados(), QStringList({QStringLiteral("bdRecibo.mdb")}));
  }

  // A backup made by an earlier Talonix passes the checks of its own version and is upgraded when
  // the program opens it, with a copy of it as restored kept beside it.
  void copiaDeVersaoAntigaEhRestauradaEAtualizada() {
    PastaTeste p;
    const QByteArray antigo = bancoCom(fixture(QStringLiteral("antigo.mdb")), 6, {}, 0);
    const QString zip = fixture(QStringLiteral("antiga.zip"));
    QVERIFY(FabricaZip::criar(zip, {{QStringLiteral("bdRecibo.mdb"), antigo}}));
    const Resultado r = RestauracaoBanco::RestaurarBanco(zip);
    QVERIFY2(r.ok, qPrintable(r.erro));
    QVERIFY(p.abrir());
    QCOMPARE(contar(p).toInt(), 6);
    QCOMPARE(p.valor(QStringLiteral("PRAGMA user_version")).toInt(), Esquema::VersaoAtual);
    QCOMPARE(p.valor(QStringLiteral("SELECT count(*) FROM tbPessoa WHERE RegistroProfissional = ''")).toInt(), 6);
    QCOMPARE(FabricaZip::conteudo(p.banco() + QStringLiteral(".versao0")).size(), antigo.size());
  }

  void entradasComPastasChegamSemElas() {
    PastaTeste p;
    const QByteArray novo = bancoCom(fixture(QStringLiteral("novo.mdb")), 5);
    const QString zip = fixture(QStringLiteral("pastas.zip"));
    QVERIFY(FabricaZip::criar(zip, {{QStringLiteral("Dados/antigo/"), {}},
                                    {QStringLiteral("Dados/antigo/bdRecibo.mdb"), novo},
                                    {QStringLiteral("Dados/leia-me.txt"), "nota"},
                                    {QStringLiteral("Dados\\outra.txt"), "barra invertida"}}));
    const Resultado r = RestauracaoBanco::RestaurarBanco(zip);
    QVERIFY2(r.ok, qPrintable(r.erro));
    QCOMPARE(arquivosDados(),
             QStringList({QStringLiteral("bdRecibo.mdb"), QStringLiteral("leia-me.txt"), QStringLiteral("outra.txt")}));
    QCOMPARE(FabricaZip::conteudo(p.banco()), novo);
    QCOMPARE(FabricaZip::conteudo(modGeral::CaminhoDados() + QStringLiteral("leia-me.txt")), QByteArray("nota"));
    QVERIFY(p.abrir());
    QCOMPARE(contar(p).toInt(), 5);
  }

  // Each bad archive is refused and leaves the database byte for byte as it was.
  void arquivoRuimNaoTocaNoBanco_data() {
    QTest::addColumn<QList<Entrada>>("entradas");
    QTest::addColumn<QString>("estrago");
    QTest::addColumn<qint64>("limite");
    const QByteArray novo = bancoCom(fixture(QStringLiteral("bom.mdb")), 4);
    const Entrada banco{QStringLiteral("bdRecibo.mdb"), novo};
    const qint64 semLimite = qint64(1) << 40;
    QTest::newRow("não é zip") << QList<Entrada>{} << QStringLiteral("texto") << semLimite;
    QTest::newRow("sem bdRecibo.mdb") << QList<Entrada>{{QStringLiteral("outro.mdb"), novo}} << QString() << semLimite;
    QTest::newRow("nome com outra caixa")
        << QList<Entrada>{{QStringLiteral("BDRECIBO.MDB"), novo}} << QString() << semLimite;
    QTest::newRow("entrada danificada") << QList<Entrada>{banco} << QStringLiteral("danificar") << semLimite;
    QTest::newRow("texto no lugar do banco")
        << QList<Entrada>{{QStringLiteral("bdRecibo.mdb"), "não sou um banco de dados"}} << QString() << semLimite;
    QTest::newRow("banco de outro programa")
        << QList<Entrada>{{QStringLiteral("bdRecibo.mdb"), bancoAlheio(fixture(QStringLiteral("alheio.db")))}}
        << QString() << semLimite;
    QTest::newRow("banco truncado") << QList<Entrada>{{QStringLiteral("bdRecibo.mdb"), novo.left(novo.size() / 2)}}
                                    << QString() << semLimite;
    QTest::newRow("nome que sai da pasta")
        << QList<Entrada>{banco, {QStringLiteral("../../fora.txt"), "x"}} << QString() << semLimite;
    QTest::newRow("caminho absoluto") << QList<Entrada>{banco, {QStringLiteral("/tmp/fora.txt"), "x"}} << QString()
                                      << semLimite;
    QTest::newRow("ligação simbólica") << QList<Entrada>{{QStringLiteral("bdRecibo.mdb"), "/etc/passwd", 0120777}}
                                       << QString() << semLimite;
    QTest::newRow("diário do banco junto")
        << QList<Entrada>{banco, {QStringLiteral("bdRecibo.mdb-journal"), "x"}} << QString() << semLimite;
    QTest::newRow("passa do limite") << QList<Entrada>{banco} << QString() << qint64(novo.size() - 1);
    QList<Entrada> muitas{banco};
    for (int i = 0; i <= RestauracaoBanco::MaisOutrasEntradas; ++i)
      muitas.append({QStringLiteral("nota%1.txt").arg(i), "x"});
    QTest::newRow("outros arquivos demais") << muitas << QString() << semLimite;
    QTest::newRow("outro arquivo grande demais")
        << QList<Entrada>{banco, {QStringLiteral("zeros.bin"), QByteArray(RestauracaoBanco::MaiorOutroArquivo + 1, 0)}}
        << QString() << semLimite;
    QTest::newRow("entradas sobrepostas") << QList<Entrada>{banco} << QStringLiteral("sobrepor") << semLimite;
    // Files with the program's tables and something more that would act behind its back.
    QList<std::pair<const char*, QStringList>> alheios = {
        {"gatilho que apaga os recibos",
         {QStringLiteral("CREATE TRIGGER tgApaga AFTER INSERT ON tbRecibo BEGIN DELETE FROM tbRecibo; END")}},
        {"visão no lugar de tbRecibo",
         {QStringLiteral("ALTER TABLE tbRecibo RENAME TO tbReciboReal"),
          QStringLiteral("CREATE VIEW tbRecibo AS SELECT * FROM tbReciboReal")}},
        {"tabela a mais", {QStringLiteral("CREATE TABLE tbExtra (x INTEGER)")}},
        {"índice a mais", {QStringLiteral("CREATE INDEX ixExtra ON tbPessoa (Descricao)")}},
        {"índice trocado",
         {QStringLiteral("DROP INDEX ixReciboRecebi"),
          QStringLiteral("CREATE INDEX ixReciboRecebi ON tbRecibo (Valor)")}},
        {"índice ausente", {QStringLiteral("DROP INDEX ixReciboEmitente")}},
    };
    alheios.append({"banco de uma versão mais nova do Talonix",
                    {QStringLiteral("PRAGMA user_version = %1").arg(Esquema::VersaoAtual + 1)}});
    for (const auto& [nome, alteracoes] : alheios) {
      const QByteArray alterado = bancoCom(fixture(QStringLiteral("alterado.mdb")), 4, alteracoes);
      QTest::newRow(nome) << QList<Entrada>{{QStringLiteral("bdRecibo.mdb"), alterado}} << QString() << semLimite;
    }
  }
  void arquivoRuimNaoTocaNoBanco() {
    QFETCH(QList<Entrada>, entradas);
    QFETCH(QString, estrago);
    QFETCH(qint64, limite);
    PastaTeste p;
    QVERIFY(p.abrir());
    QVERIFY(p.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Antiga')")));
    Conexao::FecharConexao();
    const QByteArray antes = FabricaZip::conteudo(p.banco());

    const QString zip = fixture(QStringLiteral("ruim.zip"));
    if (estrago == QLatin1String("texto")) {
      QFile arquivo(zip);
      QVERIFY(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
      arquivo.write("PK isto não é um arquivo zip");
    } else if (estrago == QLatin1String("sobrepor")) {
      // The database's entry lies inside the data of another one, which carries it out again.
      FabricaZip::EntradaBruta dentro{entradas.first().nome, entradas.first().dados};
      const FabricaZip::EntradaBruta fora{QStringLiteral("zeros.bin"), FabricaZip::local(dentro)};
      dentro.posicao = 30 + fora.nome.size();
      QVERIFY(FabricaZip::criarBruto(zip, {fora, dentro}));
    } else {
      QVERIFY(FabricaZip::criar(zip, entradas));
    }
    if (estrago == QLatin1String("danificar")) {
      QByteArray bruto = FabricaZip::conteudo(zip);
      bruto[bruto.size() / 2] = static_cast<char>(~bruto[bruto.size() / 2]);
      QFile arquivo(zip);
      QVERIFY(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
      arquivo.write(bruto);
    }

    const Resultado r = RestauracaoBanco::RestaurarBanco(zip, {}, limite);
    QVERIFY(!r.ok);
    QVERIFY(!r.erro.isEmpty());
    QCOMPARE(FabricaZip::conteudo(p.banco()), antes);
    QCOMPARE(arquivosDados(), QStringList({QStringLiteral("bdRecibo.mdb")}));
    QVERIFY(!QFile::exists(QStringLiteral("/tmp/fora.txt")));
    QVERIFY(p.abrir());
    QCOMPARE(contar(p).toInt(), 1);
  }

  // Every name the program writes beside the database is refused, in any case, before anything
  // is written: a restored ".copia" would stop every later backup, a journal would be rolled into
  // the database, a lock or a kept copy taken for the program's own.
  void nomeDoProgramaEhRecusado_data() {
    QTest::addColumn<QString>("nome");
    for (const char* nome : {"bdRecibo.mdb-journal", "bdRecibo.mdb-wal", "bdRecibo.mdb.trava", "bdRecibo.mdb.anterior",
                             "bdRecibo.mdb.anterior.2", "bdRecibo.mdb.versao0", "bdRecibo.mdb.versao1.tmp",
                             "bdRecibo.tmp", "bdRecibo.tmp-journal", ".restauracao", ".copia", ".copia-Ab12Cd",
                             "BDRECIBO.TMP", ".Copia", "BdRecibo.Mdb.Trava", ".RESTAURACAO"})
      QTest::newRow(nome) << QString::fromUtf8(nome);
  }
  void nomeDoProgramaEhRecusado() {
    QFETCH(QString, nome);
    PastaTeste p;
    const QByteArray antes = FabricaZip::conteudo(p.banco());
    const QString zip = fixture(QStringLiteral("reservado.zip"));
    QVERIFY(FabricaZip::criar(
        zip, {{QStringLiteral("bdRecibo.mdb"), bancoCom(fixture(QStringLiteral("r.mdb")), 3)}, {nome, "x"}}));
    const Resultado r = RestauracaoBanco::RestaurarBanco(zip);
    QVERIFY(!r);
    QVERIFY2(r.erro.contains(QStringLiteral("reserva")) && r.erro.endsWith(nome), qPrintable(r.erro));
    QCOMPARE(FabricaZip::conteudo(p.banco()), antes);
    QCOMPARE(arquivosDados(), QStringList({QStringLiteral("bdRecibo.mdb")}));
  }

  // A restore that reports a failure, at whatever step, leaves the previous database in place.
  void falhaEmCadaEtapaDeixaOBancoAntigo() {
    const QByteArray novo = bancoCom(fixture(QStringLiteral("novo.mdb")), 7);
    const QString zip = fixture(QStringLiteral("etapas.zip"));
    QVERIFY(FabricaZip::criar(zip, {{QStringLiteral("bdRecibo.mdb"), novo}, {QStringLiteral("nota.txt"), "n"}}));
    for (int etapa = 0; etapa <= static_cast<int>(RestauracaoBanco::Etapa::Concluir); ++etapa) {
      PastaTeste p;
      const QByteArray antes = FabricaZip::conteudo(p.banco());
      const Resultado r = RestauracaoBanco::RestaurarBanco(
          zip, [etapa](RestauracaoBanco::Etapa e) { return static_cast<int>(e) != etapa; });
      QVERIFY(!r.ok);
      const QByteArray depois = FabricaZip::conteudo(p.banco());
      QVERIFY2(depois == antes, qPrintable(QString::number(etapa)));
      QVERIFY(!QFile::exists(modGeral::CaminhoDados() + ArquivosBanco::Anterior));
      QVERIFY(!QFile::exists(modGeral::CaminhoDados() + ArquivosBanco::PastaRestauracao));
    }
  }

  // A process killed before any step leaves a database that opens, passes the integrity check
  // and holds all the old rows or all the new ones; the next restore clears what it left.
  void quedaEmCadaEtapa() {
    const QByteArray novo = bancoCom(fixture(QStringLiteral("queda.mdb")), 300);
    const QString zip = fixture(QStringLiteral("queda.zip"));
    QVERIFY(FabricaZip::criar(zip, {{QStringLiteral("bdRecibo.mdb"), novo}, {QStringLiteral("nota.txt"), "n"}}));
    const int etapas = static_cast<int>(RestauracaoBanco::Etapa::Concluir) + 1;
    for (int etapa = 0; etapa < etapas; ++etapa) {
      PastaTeste p;
      QVERIFY(p.abrir());
      QVERIFY(p.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1000, 'Antiga')")));
      Conexao::FecharConexao();
      const QByteArray antes = FabricaZip::conteudo(p.banco());

      QProcess processo;
      processo.start(QStringLiteral(RESTAURAR_E_MORRER), {p.caminho(), QString::number(etapa), zip});
      QVERIFY(processo.waitForFinished(60000));
      QCOMPARE(processo.exitStatus(), QProcess::CrashExit);

      const QByteArray depois = FabricaZip::conteudo(p.banco());
      QVERIFY2(depois == antes || depois == novo, qPrintable(QString::number(etapa)));
      QVERIFY(SubstituicaoBanco::Verificar(p.banco(), SubstituicaoBanco::Verificacao::Integridade));
      QVERIFY(p.abrir());
      QCOMPARE(contar(p).toInt(), depois == antes ? 1 : 300);
      Conexao::FecharConexao();

      const Resultado r = RestauracaoBanco::RestaurarBanco(zip);
      QVERIFY2(r.ok, qPrintable(r.erro));
      QCOMPARE(arquivosDados(), QStringList({QStringLiteral("bdRecibo.mdb"), QStringLiteral("nota.txt")}));
    }
  }

  // The previous database that a failed swap-back kept survives the next failed restore, and
  // goes only when a restore succeeds.
  void anteriorGuardadoSobreviveAteUmaRestauracaoBemSucedida() {
    PastaTeste p;
    const QString guardado = modGeral::CaminhoDados() + ArquivosBanco::Anterior;
    QVERIFY(QFile::copy(p.banco(), guardado));
    const QByteArray antes = FabricaZip::conteudo(guardado);
    const QString zip = fixture(QStringLiteral("guardado.zip"));
    QVERIFY(FabricaZip::criar(zip, {{QStringLiteral("bdRecibo.mdb"), bancoCom(fixture(QStringLiteral("g.mdb")), 2)}}));
    for (int etapa = 0; etapa <= static_cast<int>(RestauracaoBanco::Etapa::Concluir); ++etapa) {
      QVERIFY(!RestauracaoBanco::RestaurarBanco(
          zip, [etapa](RestauracaoBanco::Etapa e) { return static_cast<int>(e) != etapa; }));
      QVERIFY2(FabricaZip::conteudo(guardado) == antes, qPrintable(QString::number(etapa)));
    }
    QVERIFY(RestauracaoBanco::RestaurarBanco(zip));
    QCOMPARE(arquivosDados(), QStringList({QStringLiteral("bdRecibo.mdb")}));
  }

  void restosDeUmaRestauracaoInterrompidaSaoApagados() {
    PastaTeste p;
    const QString dados = modGeral::CaminhoDados();
    QDir().mkpath(dados + ArquivosBanco::PastaRestauracao);
    QFile resto(dados + ArquivosBanco::PastaRestauracao + QStringLiteral("/bdRecibo.mdb"));
    QVERIFY(resto.open(QIODevice::WriteOnly));
    resto.close();
    QVERIFY(QFile::copy(p.banco(), dados + ArquivosBanco::Anterior));
    const QString zip = fixture(QStringLiteral("restos.zip"));
    QVERIFY(FabricaZip::criar(zip, {{QStringLiteral("bdRecibo.mdb"), bancoCom(fixture(QStringLiteral("r.mdb")), 2)}}));
    const Resultado r = RestauracaoBanco::RestaurarBanco(zip);
    QVERIFY2(r.ok, qPrintable(r.erro));
    QCOMPARE(arquivosDados(), QStringList({QStringLiteral("bdRecibo.mdb")}));
  }
};

QTEST_GUILESS_MAIN(tst_RestauracaoBanco)
#include "tst_RestauracaoBanco.moc"
