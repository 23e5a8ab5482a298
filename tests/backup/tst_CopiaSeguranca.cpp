#include "app/core/ArquivosBanco.h"
#include "app/core/Compactacao.h"
#include "app/core/Conexao.h"
#include "app/core/Plataforma.h"
#include "app/core/SubstituicaoBanco.h"
#include "app/core/modGeral.h"
#include "backup/CopiaSeguranca.h"
#include "backup/RestauracaoBanco.h"
#include "tests/backup/FabricaZip.h"
#include "tests/backup/RelatoProcesso.h"
#include "tests/support/PastaTeste.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QtTest>

#include <QThread>

#include <algorithm>

#include <sys/stat.h>

namespace {

constexpr int kAno = 2026;

// SQLite's and the system's English words; none may reach the operator.
bool emPortugues(const QString& texto) {
  static const QRegularExpression ingles(
      QStringLiteral("\\b(database|attempt|unable|locked|disk|error|file|no such|readonly)\\b"),
      QRegularExpression::CaseInsensitiveOption);
  return !ingles.match(texto).hasMatch();
}

// The people the saving process names on its receipts.
const QString kPessoas = QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Ana'), (2, 'Bia')");

QProcess* gravador(QObject* pai, const QString& pasta, const QString& parada) {
  auto* processo = new QProcess(pai);
  processo->start(QStringLiteral(PROCESSO_BANCO),
                  {pasta, QStringLiteral("gravar"), QString::number(kAno), QStringLiteral("1000000"), parada});
  return processo;
}

}  // namespace

class tst_CopiaSeguranca : public QObject {
  Q_OBJECT

private:
  QTemporaryDir arquivos_;

private slots:
  // The archive holds the database alone, restores, and is no more readable than the database.
  void copiaTemSoOBancoComAsPermissoesDele_data() {
    QTest::addColumn<int>("modo");
    QTest::newRow("0600") << 0600;
    QTest::newRow("0640") << 0640;
    QTest::newRow("0660") << 0660;
  }
  void copiaTemSoOBancoComAsPermissoesDele() {
    QFETCH(int, modo);
    PastaTeste p;
    QVERIFY(p.abrir());
    QVERIFY(p.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Ana')")));
    QCOMPARE(::chmod(QFile::encodeName(p.banco()).constData(), static_cast<mode_t>(modo)), 0);
    const QString arquivo = arquivos_.filePath(QStringLiteral("copia.zip"));
    const Resultado r = CopiaSeguranca::Realizar(arquivo);
    QVERIFY2(r, qPrintable(r.erro));
    QCOMPARE(FabricaZip::nomes(arquivo), QStringList({QStringLiteral("bdRecibo.mdb")}));
    QCOMPARE(QFile::permissions(arquivo), QFile::permissions(p.banco()));
    QCOMPARE(QDir(modGeral::CaminhoDados())
                 .entryList({ArquivosBanco::PastaCopia + QLatin1Char('*')}, QDir::AllEntries | QDir::Hidden),
             QStringList());

    QVERIFY(p.executar(QStringLiteral("DELETE FROM tbPessoa")));
    Conexao::FecharConexao();
    QVERIFY(RestauracaoBanco::RestaurarBanco(arquivo));
    QVERIFY(p.abrir());
    QCOMPARE(p.valor(QStringLiteral("SELECT Descricao FROM tbPessoa")).toString(), QStringLiteral("Ana"));
  }

  // One process compacts, backs up or restores in a loop while another saves receipts: every
  // receipt reported saved is there afterwards (a restore drops only what its archive lacks),
  // every backup restores, and every refusal is Portuguese.
  void gravacoesDeOutroProcessoSobrevivemAManutencao_data() {
    QTest::addColumn<QString>("operacao");
    QTest::addColumn<int>("vezes");
    QTest::newRow("compactação") << QStringLiteral("compactar") << 40;
    QTest::newRow("cópia de segurança") << QStringLiteral("copiar") << 25;
    QTest::newRow("restauração") << QStringLiteral("restaurar") << 40;
  }
  void gravacoesDeOutroProcessoSobrevivemAManutencao() {
    QFETCH(QString, operacao);
    QFETCH(int, vezes);
    const QString arquivo = arquivos_.filePath(operacao + QStringLiteral(".zip"));
    const QString parada = arquivos_.filePath(operacao + QStringLiteral(".parar"));
    RelatoProcesso gravacoes, manutencao;
    {
      PastaTeste p;
      QVERIFY(p.abrir());
      QVERIFY(p.executar(kPessoas));
      // The archive the restores use holds no receipt of the year the other process saves in.
      QVERIFY(CopiaSeguranca::Realizar(arquivo));
      Conexao::FecharConexao();

      QScopedPointer<QProcess> gravando(gravador(nullptr, p.caminho(), parada));
      QVERIFY(gravando->waitForReadyRead(30000));
      QProcess mantendo;
      mantendo.start(QStringLiteral(PROCESSO_BANCO),
                     {p.caminho(), QStringLiteral("manter"), operacao, QString::number(vezes), arquivo});
      QVERIFY(mantendo.waitForFinished(60000));
      const QByteArray saidaManutencao = mantendo.readAllStandardOutput();
      QVERIFY2(mantendo.exitCode() == 0, saidaManutencao.constData());
      const std::optional<QByteArray> saida = RelatoProcesso::Encerrar(*gravando, parada);
      QVERIFY(saida);
      gravacoes = RelatoProcesso::Ler(*saida);
      manutencao = RelatoProcesso::Ler(saidaManutencao);

      QVERIFY(p.abrir());
      const QSet<int> salvos = RecibosDoAno(kAno);
      QSet<int> alheios = salvos;
      QVERIFY(alheios.subtract(QSet<int>(gravacoes.feitos.cbegin(), gravacoes.feitos.cend())).isEmpty());
      QVERIFY(!salvos.isEmpty());
      // A restore puts the archive's receipts in place: what was saved before the last one is
      // gone, everything saved after it is there.
      const int primeiro =
          operacao == QLatin1String("restaurar") ? *std::min_element(salvos.cbegin(), salvos.cend()) : 0;
      for (int numero : gravacoes.feitos)
        if (numero >= primeiro)
          QVERIFY2(salvos.contains(numero), qPrintable(QStringLiteral("recibo %1 perdido").arg(numero)));
      QVERIFY(SubstituicaoBanco::Verificar(p.banco(), SubstituicaoBanco::Verificacao::Integridade));
    }
    QVERIFY(!manutencao.feitos.isEmpty());
    for (const QString& recusa : gravacoes.recusas + manutencao.recusas)
      QVERIFY2(emPortugues(recusa), qPrintable(recusa));
    qInfo("%s: %lld de %d operações feitas, %lld recibos gravados, %lld gravações recusadas", qPrintable(operacao),
          static_cast<long long>(manutencao.feitos.size()), vezes, static_cast<long long>(gravacoes.feitos.size()),
          static_cast<long long>(gravacoes.recusas.size()));

    if (operacao == QLatin1String("copiar")) {
      for (int i : manutencao.feitos) {
        PastaTeste q;
        const Resultado r = RestauracaoBanco::RestaurarBanco(arquivo + QLatin1Char('.') + QString::number(i));
        QVERIFY2(r, qPrintable(QString::number(i) + QLatin1Char(' ') + r.erro));
      }
    }
  }

  // A process killed at any instant of a save leaves at most a journal, hot or dead: the next
  // start allows both a compaction and a restore, and the data is as of the last whole save.
  void quedaDuranteGravacaoNaoBloqueiaManutencao() {
    QRandomGenerator sorteio(13);
    const QString arquivo = arquivos_.filePath(QStringLiteral("queda.zip"));
    for (int rodada = 0; rodada < 12; ++rodada) {
      PastaTeste p;
      QVERIFY(p.abrir());
      QVERIFY(p.executar(kPessoas));
      QVERIFY(CopiaSeguranca::Realizar(arquivo));
      Conexao::FecharConexao();
      QScopedPointer<QProcess> gravando(gravador(nullptr, p.caminho(), arquivos_.filePath(QStringLiteral("nunca"))));
      QVERIFY(gravando->waitForReadyRead(30000));
      QThread::msleep(sorteio.bounded(40));
      gravando->kill();
      QVERIFY(gravando->waitForFinished(30000));
      const QList<int> feitos = RelatoProcesso::Ler(gravando->readAllStandardOutput()).feitos;

      QVERIFY(p.abrir());
      const QSet<int> presentes = RecibosDoAno(kAno);
      for (int numero : feitos)
        QVERIFY(presentes.contains(numero));
      const Resultado compactada = Compactacao::CompactarBanco();
      QVERIFY2(compactada, qPrintable(QString::number(rodada) + QLatin1Char(' ') + compactada.erro));
      QCOMPARE(RecibosDoAno(kAno), presentes);
      Conexao::FecharConexao();
      const Resultado restaurada = RestauracaoBanco::RestaurarBanco(arquivo);
      QVERIFY2(restaurada, qPrintable(QString::number(rodada) + QLatin1Char(' ') + restaurada.erro));
    }
  }

  // A file or a folder of the operator's named like a backup's work folder stops no backup and
  // is left as it was.
  void nomeDaPastaDeTrabalhoOcupado_data() {
    QTest::addColumn<bool>("pasta");
    QTest::newRow("arquivo .copia") << false;
    QTest::newRow("pasta .copia") << true;
  }
  void nomeDaPastaDeTrabalhoOcupado() {
    QFETCH(bool, pasta);
    PastaTeste p;
    const QString ocupado = modGeral::CaminhoDados() + QStringLiteral(".copia");
    const QString nota = pasta ? ocupado + QStringLiteral("/nota.txt") : ocupado;
    QVERIFY(!pasta || QDir().mkpath(ocupado));
    QFile arquivo(nota);
    QVERIFY(arquivo.open(QIODevice::WriteOnly) && arquivo.write("do operador") > 0);
    arquivo.close();
    const QString copia = arquivos_.filePath(QStringLiteral("ocupado.zip"));
    const Resultado r = CopiaSeguranca::Realizar(copia);
    QVERIFY2(r, qPrintable(r.erro));
    QCOMPARE(FabricaZip::nomes(copia), QStringList({QStringLiteral("bdRecibo.mdb")}));
    QCOMPARE(FabricaZip::conteudo(nota), QByteArray("do operador"));
    QCOMPARE(
        QDir(modGeral::CaminhoDados()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList({QStringLiteral(".copia"), QStringLiteral("bdRecibo.mdb"), QStringLiteral("bdRecibo.mdb.trava")}));
  }

  // The work folder a killed backup left, with its snapshot of the database, goes with the next
  // backup; one that a backup still running holds stays.
  void pastaDeUmaCopiaInterrompidaEhApagada() {
    PastaTeste p;
    const QString dados = modGeral::CaminhoDados();
    const QString morta = dados + QStringLiteral(".copia-Mr7aXb");
    const QString viva = dados + QStringLiteral(".copia-Vv3kQz");
    for (const QString& pasta : {morta, viva})
      QVERIFY(QDir().mkpath(pasta) && QFile::copy(p.banco(), pasta + QStringLiteral("/bdRecibo.mdb")));
    const Plataforma::Descritor emUso = Plataforma::TravarPasta(viva);
    QVERIFY(emUso >= 0);
    const Resultado r = CopiaSeguranca::Realizar(arquivos_.filePath(QStringLiteral("seguinte.zip")));
    Plataforma::FecharTrava(emUso);
    QVERIFY2(r, qPrintable(r.erro));
    QVERIFY(!QFileInfo::exists(morta));
    QVERIFY(QFileInfo::exists(viva + QStringLiteral("/bdRecibo.mdb")));
  }
};

QTEST_GUILESS_MAIN(tst_CopiaSeguranca)
#include "tst_CopiaSeguranca.moc"
