#include "app/core/Compactacao.h"
#include "app/core/Conexao.h"
#include "app/core/Esquema.h"
#include "app/core/modGeral.h"
#include "backup/RestauracaoBanco.h"
#include "backup/cZip.h"
#include "tests/support/PastaTeste.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QtTest>

// A process killed before any step of a restore or a compaction leaves a database that opens,
// passes the integrity check and holds all the old rows or all the new ones.
class tst_Queda : public QObject {
  Q_OBJECT

private:
  QTemporaryDir fixtures_;

  static bool inserirPessoas(PastaTeste& p, int de, int ate) {
    return p.executar(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT %1 UNION ALL SELECT i + 1 FROM n WHERE i < %2) "
                                     "INSERT INTO tbPessoa (Codigo, Descricao) SELECT i, 'Pessoa ' || i FROM n")
                          .arg(de)
                          .arg(ate));
  }

  // Count and sum of the people's codes: tells the old rows from the new ones.
  static QString assinatura(PastaTeste& p) {
    return p.valor(QStringLiteral("SELECT COUNT(*) || '/' || TOTAL(Codigo) FROM tbPessoa")).toString();
  }

  static int cair(const QString& modo, const QString& pasta, int etapa, const QString& zip = {}) {
    QProcess filho;
    filho.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    filho.start(QStringLiteral(TALONIX_AJUDANTE_QUEDA), {modo, pasta, QString::number(etapa), zip});
    if (!filho.waitForFinished(60000))
      return -1;
    return filho.exitStatus() == QProcess::CrashExit ? 1 : 0;
  }

  static void verificarBanco(PastaTeste& p, const QStringList& aceitas, const QString& etapa) {
    QVERIFY2(p.abrir(), qPrintable(etapa));
    QSqlDatabase banco = Conexao::Banco();
    QVERIFY2(Esquema::VerificarIntegridade(banco).ok, qPrintable(etapa));
    const QString encontrada = assinatura(p);
    QVERIFY2(aceitas.contains(encontrada), qPrintable(etapa + QStringLiteral(": ") + encontrada));
  }

private slots:
  void quedaEmCadaEtapaDaRestauracao() {
    QString zip;
    QString novas;
    {
      PastaTeste origem;
      QVERIFY(origem.abrir());
      QVERIFY(inserirPessoas(origem, 1, 300));
      novas = assinatura(origem);
      Conexao::FecharConexao();
      zip = fixtures_.filePath(QStringLiteral("novo.zip"));
      cZip z;
      z.setZipFile(zip);
      z.AddFileSpec(origem.banco());
      z.Zip();
      QVERIFY(z.Success());
    }
    const int etapas = static_cast<int>(RestauracaoBanco::Etapa::Concluir) + 1;
    for (int etapa = 0; etapa <= etapas; ++etapa) {
      PastaTeste p;
      QVERIFY(p.abrir());
      QVERIFY(inserirPessoas(p, 1000, 1010));
      const QString antigas = assinatura(p);
      Conexao::FecharConexao();

      QCOMPARE(cair(QStringLiteral("restaurar"), p.caminho(), etapa, zip), etapa < etapas ? 1 : 0);
      verificarBanco(p, {antigas, novas}, QStringLiteral("etapa ") + QString::number(etapa));
      Conexao::FecharConexao();

      // The next restore clears what the killed one left and succeeds.
      const Resultado r = RestauracaoBanco::RestaurarBanco(zip);
      QVERIFY2(r.ok, qPrintable(r.erro));
      QCOMPARE(QDir(modGeral::CaminhoDados()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
               QStringList({QStringLiteral("bdRecibo.mdb")}));
    }
  }

  void quedaEmCadaEtapaDaCompactacao() {
    const int etapas = static_cast<int>(Compactacao::Etapa::AbrirConexao) + 1;
    for (int etapa = 0; etapa <= etapas; ++etapa) {
      PastaTeste p;
      QVERIFY(p.abrir());
      QVERIFY(inserirPessoas(p, 1, 400));
      QVERIFY(p.executar(QStringLiteral("DELETE FROM tbPessoa WHERE Codigo % 2 = 0")));
      const QString linhas = assinatura(p);
      Conexao::FecharConexao();

      QCOMPARE(cair(QStringLiteral("compactar"), p.caminho(), etapa), etapa < etapas ? 1 : 0);
      verificarBanco(p, {linhas}, QStringLiteral("etapa ") + QString::number(etapa));

      const Resultado r = Compactacao::CompactarBanco();
      QVERIFY2(r.ok, qPrintable(r.erro));
      QVERIFY(!QFile::exists(modGeral::CaminhoDados() + Compactacao::NomeArquivoTemporario));
    }
  }
};

QTEST_GUILESS_MAIN(tst_Queda)
#include "tst_Queda.moc"
