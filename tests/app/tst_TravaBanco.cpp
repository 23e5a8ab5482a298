#include "app/core/Compactacao.h"
#include "app/core/Conexao.h"
#include "app/core/Transacao.h"
#include "app/core/TravaBanco.h"
#include "app/core/modGeral.h"
#include "receipts/RegistroRecibo.h"

#include "tests/support/PastaTeste.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

// The people the receipts of these tests name.
const QString kPessoas = QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Ana'), (2, 'Bia')");

Recibo recibo(qint64 numero) {
  Recibo r;
  r.numero = numero;
  r.ano = 2026;
  r.dataEmissao = QDate(2026, 3, 1);
  r.valor = 10000;
  r.recebi = 1;
  r.emitente = 2;
  r.referente = QStringLiteral("Aluguel");
  r.observacao = QStringLiteral("");
  return r;
}

}  // namespace

class tst_TravaBanco : public QObject {
  Q_OBJECT

private slots:
  // While a compaction, restore or backup holds the database, a save waits, then is refused
  // with a message naming what is in progress; nothing is written, and it works once released.
  void gravacaoDuranteManutencaoEhRecusadaEmPortugues_data() {
    QTest::addColumn<QString>("operacao");
    QTest::newRow("compactação") << TravaBanco::Compactacao;
    QTest::newRow("restauração") << TravaBanco::Restauracao;
  }
  void gravacaoDuranteManutencaoEhRecusadaEmPortugues() {
    QFETCH(QString, operacao);
    PastaTeste p;
    QVERIFY(p.abrir());
    QVERIFY(p.executar(kPessoas));
    {
      const TravaBanco outroProcesso(operacao);
      QVERIFY(outroProcesso.resultado());
      const Resultado r = RegistroRecibo::Inserir(recibo(1));
      QVERIFY(!r);
      QCOMPARE(r.erro, QStringLiteral("O banco de dados está ocupado: outra janela do Talonix está fazendo a ") +
                           operacao + QStringLiteral(". Tente novamente em instantes."));
      QCOMPARE(p.valor(QStringLiteral("SELECT COUNT(*) FROM tbRecibo")).toInt(), 0);
    }
    const Resultado depois = RegistroRecibo::Inserir(recibo(1));
    QVERIFY2(depois, qPrintable(depois.erro));
    QCOMPARE(p.valor(QStringLiteral("SELECT COUNT(*) FROM tbRecibo")).toInt(), 1);
  }

  // A compaction waits for a save in progress, then is refused without touching anything.
  void compactacaoEsperaGravacaoEmCurso() {
    PastaTeste p;
    QVERIFY(p.abrir());
    {
      Transacao gravacao;
      QVERIFY(gravacao.resultado());
      const Resultado r = Compactacao::CompactarBanco();
      QVERIFY(!r);
      QVERIFY2(r.erro.contains(QStringLiteral("está gravando")), qPrintable(r.erro));
      QVERIFY(Conexao::Banco().isOpen());
    }
    QVERIFY(Compactacao::CompactarBanco());
  }

  // Two data folders whose databases are one file (the second's a link to the first's) share
  // one lock: a compaction reached through one path holds off a save through the other.
  void bancoLigadoTemATravaDoArquivo() {
    PastaTeste p;
    QVERIFY(p.abrir());
    QVERIFY(p.executar(kPessoas));
    QTemporaryDir ligada;
    QVERIFY(QDir(ligada.path()).mkpath(QStringLiteral("Dados")));
    QVERIFY(QFile::link(p.banco(), ligada.filePath(QStringLiteral("Dados/bdRecibo.mdb"))));
    {
      const TravaBanco outroProcesso(TravaBanco::Compactacao);
      QVERIFY(outroProcesso.resultado());
      modGeral::DefinirPastaAplicacao(ligada.path());
      QVERIFY(p.abrir());
      const Resultado r = RegistroRecibo::Inserir(recibo(1));
      QVERIFY(!r);
      QVERIFY2(r.erro.contains(TravaBanco::Compactacao), qPrintable(r.erro));
    }
    const Resultado depois = RegistroRecibo::Inserir(recibo(1));
    QVERIFY2(depois, qPrintable(depois.erro));
    QCOMPARE(p.valor(QStringLiteral("SELECT COUNT(*) FROM tbRecibo")).toInt(), 1);
  }
};

QTEST_GUILESS_MAIN(tst_TravaBanco)
#include "tst_TravaBanco.moc"
