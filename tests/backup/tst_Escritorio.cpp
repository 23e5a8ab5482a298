// Several desks on one store, run on the desk's file and on the office's server: numbering from
// four processes at once, two desks correcting one record, a restore while another desk saves, and backups that carry
// the same rows from either store to the other.
#include "app/core/Compactacao.h"
#include "app/core/Conexao.h"
#include "app/core/Dialeto.h"
#include "app/core/Esquema.h"
#include "app/core/modGeral.h"
#include "backup/CopiaSeguranca.h"
#include "backup/RestauracaoBanco.h"
#include "tests/backup/FabricaZip.h"
#include "tests/backup/RelatoProcesso.h"
#include "tests/support/PastaTeste.h"
#include "tests/support/ServidorTeste.h"

#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

constexpr int kAno = 2026;

// People, referentes and receipts with what is hardest to carry: accents, quotes, Nulls, line
// breaks and the largest amount a receipt takes.
bool preencher(const PastaTeste& p) {
  return p.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao, Documento01, Cep, RegistroProfissional) "
                                   "VALUES (1, 'João D''Ávila', '123.456.789-09', NULL, 'CRM 1')")) &&
         p.executar(
             QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao, Cep) VALUES (2, 'Ærø Ltda', '01310-100')")) &&
         p.executar(QStringLiteral("INSERT INTO tbReferente (Codigo, Descricao) VALUES (7, ?)"),
                    {QStringLiteral("Aluguel\r\nde março; 100%")}) &&
         p.executar(
             QStringLiteral("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, Referente, "
                            "Observacao, Vias, FormaPagamento, Beneficiario) VALUES "
                            "(1, 2025, '2025-12-31', 99999999999999900, 1, 2, 'Consulta', '', '2', 3, 1)")) &&
         p.executar(QStringLiteral("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente) VALUES "
                                   "(2, 2025, '2025-01-02', 1, 9, 2)"));
}

QProcess* iniciar(const QString& pasta, const QStringList& argumentos) {
  auto* processo = new QProcess;
  processo->start(QStringLiteral(PROCESSO_BANCO), QStringList{pasta} + argumentos);
  return processo;
}

// Starts one desk for each list of arguments and, once every one has its connection open, lets
// them all go at once through the file `partida`.
std::vector<std::unique_ptr<QProcess>> iniciarJuntas(const QString& pasta, const QList<QStringList>& argumentos,
                                                     const QString& partida) {
  std::vector<std::unique_ptr<QProcess>> estacoes;
  for (const QStringList& deUma : argumentos) {
    estacoes.emplace_back(iniciar(pasta, deUma + QStringList{partida}));
    if (!estacoes.back()->waitForReadyRead(30000) || estacoes.back()->readLine().trimmed() != "PRONTO")
      return {};
  }
  QFile(partida).open(QIODevice::WriteOnly);
  return estacoes;
}

// What two desks editing one record reported: the saves done, each as the value it loaded and the
// value it wrote, and how many were refused because the other desk saved in between.
struct Edicoes {
  QList<QPair<QString, QString>> feitas;
  int recusadas = 0;
  QStringList erros;
};

// Whether the saves done form one chain from `inicial`, each loading what the one before wrote,
// ending at `fim`: then no save undid another without having seen it.
bool umaCorrente(const Edicoes& edicoes, const QString& inicial, const QString& fim, QString& porque) {
  QHash<QString, QString> seguinte;
  for (const auto& [antes, depois] : edicoes.feitas) {
    if (seguinte.contains(antes)) {
      porque = QStringLiteral("duas gravações sobre %1: %2 desfez %3").arg(antes, depois, seguinte.value(antes));
      return false;
    }
    seguinte.insert(antes, depois);
  }
  QString valor = inicial;
  for (qsizetype i = 0; i < edicoes.feitas.size(); ++i) {
    if (!seguinte.contains(valor)) {
      porque = QStringLiteral("nenhuma gravação carregou %1").arg(valor);
      return false;
    }
    valor = seguinte.value(valor);
  }
  porque = QStringLiteral("termina em %1, o banco tem %2").arg(valor, fim);
  return valor == fim;
}

}  // namespace

class tst_Escritorio : public QObject {
  Q_OBJECT
  QTemporaryDir arquivos_;

private slots:
  void quatroEstacoesNumeramSemRepetir();
  void duasEstacoesEditamOMesmoRegistro();
  void restauracaoEnquantoOutraEstacaoGrava();
  void copiaRestauraNaOutraLoja_data();
  void copiaRestauraNaOutraLoja();
  void copiaDeVersaoAnteriorRestaurada();
  void compactacaoGuardaAsLinhas();
};

// Four desks save 250 receipts each in the same year, each taking the number the store proposes
// and the next one when another desk got there first: every receipt reported saved is there with
// a number of its own, and nothing else is. The server serves all 1,000, numbered 1 to 1,000; four
// processes on one desk's file may be told, now and then, that the file is busy.
void tst_Escritorio::quatroEstacoesNumeramSemRepetir() {
  PastaTeste p;
  QVERIFY(p.abrir());
  QVERIFY(p.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Ana'), (2, 'Bia')")));
  Conexao::FecharConexao();
  const QStringList numerar{QStringLiteral("numerar"), QString::number(kAno), QStringLiteral("250")};
  const auto estacoes =
      iniciarJuntas(p.caminho(), {numerar, numerar, numerar, numerar}, arquivos_.filePath(QStringLiteral("partida")));
  QCOMPARE(estacoes.size(), size_t(4));
  QList<int> feitos;
  for (auto& estacao : estacoes) {
    QVERIFY(estacao->waitForFinished(240000));
    const QByteArray saida = estacao->readAllStandardOutput();
    QVERIFY2(estacao->exitCode() == 0, saida.constData());
    const RelatoProcesso relato = RelatoProcesso::Ler(saida);
    QCOMPARE(relato.feitos.size() + relato.recusas.size(), 250);
    for (const QString& recusa : relato.recusas)
      QVERIFY2(!ServidorTeste::Ativo() && recusa.contains(QStringLiteral("ocupado")), qPrintable(recusa));
    feitos += relato.feitos;
  }
  const QSet<int> distintos(feitos.cbegin(), feitos.cend());
  QCOMPARE(distintos.size(), feitos.size());
  if (ServidorTeste::Ativo()) {
    QCOMPARE(feitos.size(), 1000);
    QCOMPARE(*std::max_element(feitos.cbegin(), feitos.cend()), 1000);
  }
  QVERIFY(p.abrir());
  QCOMPARE(RecibosDoAno(kAno), distintos);
}

// Two desks correct the same person and the same receipt 200 times each, as fast as they can:
// every save either lands whole or is refused with the message that the record changed, and the
// saves that landed follow one another, none undoing another that it never saw.
void tst_Escritorio::duasEstacoesEditamOMesmoRegistro() {
  PastaTeste p;
  QVERIFY(p.abrir());
  QVERIFY(
      p.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao, Bairro, Cidade) VALUES "
                                "(1, 'Ana', 'inicial', 'inicial'), (2, 'Bia', '', '')")));
  QVERIFY(
      p.executar(QStringLiteral("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, "
                                "Referente, Observacao) VALUES (1, 2026, '2026-02-03', 10000, 1, 2, 'inicial', "
                                "'inicial')")));
  Conexao::FecharConexao();
  constexpr int kVezes = 200;
  const auto estacoes = iniciarJuntas(p.caminho(),
                                      {{QStringLiteral("editar"), QStringLiteral("A"), QString::number(kVezes)},
                                       {QStringLiteral("editar"), QStringLiteral("B"), QString::number(kVezes)}},
                                      arquivos_.filePath(QStringLiteral("partida-edicao")));
  QCOMPARE(estacoes.size(), size_t(2));
  QMap<QByteArray, Edicoes> porTabela;
  for (const auto& estacao : estacoes) {
    QVERIFY(estacao->waitForFinished(240000));
    const QByteArray saida = estacao->readAllStandardOutput();
    QVERIFY2(estacao->exitCode() == 0, saida.constData());
    for (const QByteArray& linha : saida.split('\n')) {
      const QList<QByteArray> partes = linha.split(' ');
      if (partes.size() < 2)
        continue;
      Edicoes& edicoes = porTabela[partes.at(0)];
      if (partes.at(1) == "OK" && partes.size() == 4)
        edicoes.feitas.append({QString::fromUtf8(partes.at(2)), QString::fromUtf8(partes.at(3))});
      else if (partes.at(1) == "ALTERADO")
        ++edicoes.recusadas;
      else
        edicoes.erros << QString::fromUtf8(linha);
    }
  }
  QVERIFY(p.abrir());
  const QStringList pessoa =
      p.valor(QStringLiteral("SELECT Bairro || '|' || Cidade FROM tbPessoa WHERE Codigo=1")).toString().split(u'|');
  const QStringList recibo =
      p.valor(QStringLiteral("SELECT Referente || '|' || Observacao FROM tbRecibo WHERE Codigo=1"))
          .toString()
          .split(u'|');
  QCOMPARE(porTabela.keys(), QList<QByteArray>({"PESSOA", "RECIBO"}));
  for (const auto& [tabela, fim] : {std::pair{"PESSOA", pessoa}, std::pair{"RECIBO", recibo}}) {
    const Edicoes& edicoes = porTabela[tabela];
    QVERIFY2(edicoes.erros.isEmpty(), qPrintable(edicoes.erros.join(u'\n')));
    QCOMPARE(edicoes.feitas.size() + edicoes.recusadas, 2 * kVezes);
    QCOMPARE(fim.size(), 2);
    QCOMPARE(fim.at(0), fim.at(1));  // both columns of the last save, never half of one
    QString porque;
    QVERIFY2(umaCorrente(edicoes, QStringLiteral("inicial"), fim.at(1), porque), qPrintable(porque));
    qInfo("%s: %lld gravações feitas, %d recusadas", tabela, static_cast<long long>(edicoes.feitas.size()),
          edicoes.recusadas);
  }
}

// One desk restores a backup again and again while another saves receipts: each save either
// waits and succeeds or is refused with a clear message; afterwards the store holds the backup's
// rows and, of the saves, exactly those made after the last restore.
void tst_Escritorio::restauracaoEnquantoOutraEstacaoGrava() {
  const QString arquivo = arquivos_.filePath(QStringLiteral("restaurar.zip"));
  const QString parada = arquivos_.filePath(QStringLiteral("parar"));
  PastaTeste p;
  QVERIFY(p.abrir());
  QVERIFY(preencher(p));
  const QStringList daCopia = PastaTeste::Linhas();
  QVERIFY(CopiaSeguranca::Realizar(arquivo));
  // What the restores must undo.
  QVERIFY(p.executar(QStringLiteral("UPDATE tbPessoa SET Descricao = 'mudada' WHERE Codigo = 2")));
  QVERIFY(p.executar(QStringLiteral("UPDATE tbReferente SET Descricao = 'mudado'")));
  Conexao::FecharConexao();

  std::unique_ptr<QProcess> gravando(
      iniciar(p.caminho(), {QStringLiteral("gravar"), QString::number(kAno), QStringLiteral("1000000"), parada}));
  QVERIFY(gravando->waitForReadyRead(30000));
  std::unique_ptr<QProcess> restaurando(
      iniciar(p.caminho(), {QStringLiteral("manter"), QStringLiteral("restaurar"), QStringLiteral("15"), arquivo}));
  QVERIFY(restaurando->waitForFinished(120000));
  const RelatoProcesso restauracoes = RelatoProcesso::Ler(restaurando->readAllStandardOutput());
  const std::optional<QByteArray> saida = RelatoProcesso::Encerrar(*gravando, parada);
  QVERIFY(saida);
  const RelatoProcesso gravacoes = RelatoProcesso::Ler(*saida);

  QVERIFY2(!restauracoes.feitos.isEmpty(), qPrintable(restauracoes.recusas.join(u'\n')));
  for (const QString& recusa : restauracoes.recusas + gravacoes.recusas)
    QVERIFY2(recusa.contains(QStringLiteral("ocupado")), qPrintable(recusa));
  QVERIFY(p.abrir());
  const QSet<int> salvos = RecibosDoAno(kAno);
  QVERIFY(!salvos.isEmpty());
  // Saves are numbered in order: the last restore dropped those before the first one left.
  const int primeiro = *std::min_element(salvos.cbegin(), salvos.cend());
  QSet<int> esperados;
  for (int numero : gravacoes.feitos)
    if (numero >= primeiro)
      esperados << numero;
  QCOMPARE(salvos, esperados);
  QStringList semAsGravacoes;
  for (const QString& linha : PastaTeste::Linhas())
    if (!linha.contains(QStringLiteral("|%1|").arg(kAno)))
      semAsGravacoes << linha;
  QCOMPARE(semAsGravacoes, daCopia);
  qInfo("%lld restaurações feitas, %lld recusadas; %lld recibos gravados, %lld recusados",
        static_cast<long long>(restauracoes.feitos.size()), static_cast<long long>(restauracoes.recusas.size()),
        static_cast<long long>(gravacoes.feitos.size()), static_cast<long long>(gravacoes.recusas.size()));
}

void tst_Escritorio::copiaRestauraNaOutraLoja_data() {
  QTest::addColumn<bool>("doArquivo");
  QTest::newRow("da loja da execução para um arquivo") << false;
  QTest::newRow("de um arquivo para a loja da execução") << true;
}

// A backup carries the same rows from the run's store to a desk's file, and back.
void tst_Escritorio::copiaRestauraNaOutraLoja() {
  QFETCH(bool, doArquivo);
  const QString arquivo = arquivos_.filePath(QStringLiteral("cruzada.zip"));
  QStringList originais;
  {
    PastaTeste origem(true, doArquivo ? PastaTeste::Loja::Arquivo : PastaTeste::Loja::DaExecucao);
    QVERIFY(origem.abrir());
    QVERIFY(preencher(origem));
    originais = PastaTeste::Linhas();
    const Resultado feita = CopiaSeguranca::Realizar(arquivo);
    QVERIFY2(feita, qPrintable(feita.erro));
  }
  QCOMPARE(FabricaZip::nomes(arquivo), QStringList{QStringLiteral("bdRecibo.mdb")});
  PastaTeste destino(true, doArquivo ? PastaTeste::Loja::DaExecucao : PastaTeste::Loja::Arquivo);
  QVERIFY(destino.abrir());
  // The rows the restore replaces.
  QVERIFY(destino.executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (50, 'Some')")));
  Conexao::FecharConexao();
  const Resultado restaurada = RestauracaoBanco::RestaurarBanco(arquivo);
  QVERIFY2(restaurada, qPrintable(restaurada.erro));
  QVERIFY(destino.abrir());
  QCOMPARE(PastaTeste::Linhas(), originais);
}

// A backup of an earlier Talonix restores on either store, brought to the current schema.
void tst_Escritorio::copiaDeVersaoAnteriorRestaurada() {
  QTemporaryDir pasta;
  const QString antigo = pasta.filePath(QStringLiteral("bdRecibo.mdb"));
  QVERIFY(Esquema::CriarBanco(antigo, 0));
  {
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("antigo"));
    banco.setDatabaseName(antigo);
    QVERIFY(banco.open());
    QVERIFY(QSqlQuery(banco).exec(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (3, 'Antiga')")));
    banco.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("antigo"));
  QFile arquivoAntigo(antigo);
  QVERIFY(arquivoAntigo.open(QIODevice::ReadOnly));
  const QString arquivo = arquivos_.filePath(QStringLiteral("antiga.zip"));
  QVERIFY(FabricaZip::criar(arquivo, {{QStringLiteral("bdRecibo.mdb"), arquivoAntigo.readAll()},
                                      {QStringLiteral("leia-me.txt"), QByteArray("nota")}}));
  PastaTeste p;
  QVERIFY(p.abrir());
  Conexao::FecharConexao();
  const Resultado restaurada = RestauracaoBanco::RestaurarBanco(arquivo);
  QVERIFY2(restaurada, qPrintable(restaurada.erro));
  QVERIFY(p.abrir());
  int versao = -1;
  QSqlDatabase banco = Conexao::Banco();
  QVERIFY(Esquema::LerVersao(banco, versao));
  QCOMPARE(versao, Esquema::VersaoAtual);
  QCOMPARE(p.valor(QStringLiteral("SELECT COUNT(*) FROM tbPessoa")).toInt(), 1);
  QCOMPARE(p.valor(QStringLiteral("SELECT Descricao FROM tbPessoa WHERE Codigo = 3")).toString(),
           QStringLiteral("Antiga"));
  QCOMPARE(p.valor(QStringLiteral("SELECT RegistroProfissional FROM tbPessoa WHERE Codigo = 3")).toString(), QString());
  // The archive's other files land in the data folder on either store.
  QVERIFY(QFile::exists(modGeral::CaminhoDados() + QStringLiteral("leia-me.txt")));
}

void tst_Escritorio::compactacaoGuardaAsLinhas() {
  PastaTeste p;
  QVERIFY(p.abrir());
  QVERIFY(preencher(p));
  QVERIFY(p.executar(QStringLiteral("DELETE FROM tbRecibo WHERE Codigo = 2")));
  const QStringList antes = PastaTeste::Linhas();
  const Resultado compactada = Compactacao::CompactarBanco();
  QVERIFY2(compactada, qPrintable(compactada.erro));
  QVERIFY(Conexao::Banco().isOpen());
  QCOMPARE(PastaTeste::Linhas(), antes);
}

QTEST_GUILESS_MAIN(tst_Escritorio)
#include "tst_Escritorio.moc"
