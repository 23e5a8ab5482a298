#include "app/Inicializacao.h"
#include "app/core/Conexao.h"
#include "app/core/Esquema.h"
#include "app/core/FormatoData.h"
#include "app/core/modGeral.h"
#include "app/mdiPrincipal.h"
#include "controls/EstiloTalonix.h"

#include "tests/support/AmbienteInstalado.h"
#include "tests/support/PastaTeste.h"

#include <QAbstractButton>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QtTest>

namespace {

QByteArray lerArquivo(const QString& caminho) {
  QFile arquivo(caminho);
  return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

// Every file and folder under `pasta` with each file's content: anything made or changed shows.
QMap<QString, QByteArray> arvore(const QString& pasta) {
  QMap<QString, QByteArray> itens;
  QDirIterator it(pasta, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString caminho = it.next();
    itens.insert(caminho, QFileInfo(caminho).isDir() ? QByteArray("/") : lerArquivo(caminho));
  }
  return itens;
}

// Counts the main windows shown while it lives.
class JanelasPrincipaisMostradas : public QObject {
public:
  JanelasPrincipaisMostradas() { qApp->installEventFilter(this); }
  int quantas = 0;

protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override {
    if (evento->type() == QEvent::Show && qobject_cast<QMainWindow*>(alvo) != nullptr)
      ++quantas;
    return false;
  }
};

}  // namespace

class tst_Inicializacao : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void primeiraExecucaoCriaBackupEIni();
  void segundaExecucaoNaoTocaIni();
  void falhasNaPartida_data();
  void falhasNaPartida();
  void instaladoCriaAPastaDeDadosNaPrimeiraExecucao();
  void instaladoSemPastaDeDadosUtilNaoCriaNada_data();
  void instaladoSemPastaDeDadosUtilNaoCriaNada();
  void formatoData_data();
  void formatoData();
  void textoPerguntaFormato();
  void semPerguntaDeFormatoNestaPlataforma();
  void aplicacaoPreparada();
};

void tst_Inicializacao::initTestCase() {
  // As the program starts: the fonts are read on another thread, which every start below hands
  // the application to, waits for, and never leaves running.
  Inicializacao::LerFontesAoLado();
}

void tst_Inicializacao::primeiraExecucaoCriaBackupEIni() {
  PastaTeste pasta;
  JanelasPrincipaisMostradas mostradas;
  const auto janela = Inicializacao::Iniciar(pasta.contexto());
  QVERIFY(janela);
  QVERIFY(janela->isVisible());
  QCOMPARE(mostradas.quantas, 1);
  QCOMPARE(pasta.mensagens.quantas(), 0);
  QVERIFY(QFileInfo(pasta.caminho() + QStringLiteral("/backup")).isDir());
  QCOMPARE(lerArquivo(modGeral::ArquivoIni()),
           QByteArray("[copiaseguranca]\r\nlocal=") + QFile::encodeName(pasta.caminho()) + "/backup\r\n");
  QCOMPARE(modGeral::PastaSom(), pasta.caminho() + QStringLiteral("/som"));
  QVERIFY(Conexao::Banco().isOpen());
}

void tst_Inicializacao::segundaExecucaoNaoTocaIni() {
  PastaTeste pasta;
  QVERIFY(Inicializacao::Iniciar(pasta.contexto()));
  Conexao::FecharConexao();
  // The operator has since chosen another place for backups.
  modGeral::GravarIni(QStringLiteral("copiaseguranca"), QStringLiteral("local"), QStringLiteral("/mnt/pendrive"),
                      modGeral::ArquivoIni());
  const QByteArray antes = lerArquivo(modGeral::ArquivoIni());
  QVERIFY(Inicializacao::Iniciar(pasta.contexto()));
  QCOMPARE(lerArquivo(modGeral::ArquivoIni()), antes);
}

void tst_Inicializacao::falhasNaPartida_data() {
  QTest::addColumn<QString>("caso");
  QTest::addColumn<QString>("trecho");
  QTest::newRow("no Dados folder") << "semDados"
                                   << "bdRecibo.mdb";
  QTest::newRow("no database file") << "semBanco"
                                    << "bdRecibo.mdb";
  QTest::newRow("file is not a database") << "naoBanco"
                                          << "26";
  QTest::newRow("backup folder cannot be made") << "backupImpossivel"
                                                << "backup";
}

void tst_Inicializacao::falhasNaPartida() {
  QFETCH(QString, caso);
  QFETCH(QString, trecho);
  PastaTeste pasta(false);
  const QString dados = pasta.caminho() + QStringLiteral("/Dados");
  QByteArray conteudoBanco;
  if (caso == QLatin1String("semDados")) {
    QVERIFY(QDir(dados).removeRecursively());
  } else if (caso == QLatin1String("naoBanco")) {
    conteudoBanco = QByteArray("Isto não é um banco de dados.\n").repeated(200);
    QFile arquivo(pasta.banco());
    QVERIFY(arquivo.open(QIODevice::WriteOnly));
    arquivo.write(conteudoBanco);
  } else if (caso == QLatin1String("backupImpossivel")) {
    // A file where the backup folder should be: the folder cannot be made.
    QFile arquivo(pasta.caminho() + QStringLiteral("/backup"));
    QVERIFY(arquivo.open(QIODevice::WriteOnly));
    QVERIFY(Esquema::CriarBanco(pasta.banco()));
  }

  JanelasPrincipaisMostradas mostradas;
  const auto janela = Inicializacao::Iniciar(pasta.contexto());
  QVERIFY(!janela);
  // The window is made while the database opens, but a failed start never shows it.
  QCOMPARE(mostradas.quantas, 0);
  QCOMPARE(pasta.mensagens.quantas(), 1);
  QCOMPARE(pasta.mensagens.ultima().icone, Icone::Critico);
  QVERIFY2(pasta.mensagens.ultima().texto.contains(trecho), qPrintable(pasta.mensagens.ultima().texto));
  QVERIFY(!Conexao::Banco().isOpen());
  // Nothing is created in the place of a missing or foreign database.
  if (caso == QLatin1String("naoBanco"))
    QCOMPARE(lerArquivo(pasta.banco()), conteudoBanco);
  else if (caso != QLatin1String("backupImpossivel"))
    QVERIFY(!QFile::exists(pasta.banco()));
}

void tst_Inicializacao::instaladoCriaAPastaDeDadosNaPrimeiraExecucao() {
  PastaTeste pasta(false);
  AmbienteInstalado instalado(pasta.caminho());
  const auto programa = arvore(pasta.caminho());
  const QString dados = instalado.pastaDados();
  QVERIFY(Inicializacao::Iniciar(pasta.contexto()));
  QCOMPARE(pasta.mensagens.quantas(), 0);
  QCOMPARE(Conexao::Banco().databaseName(), dados + QStringLiteral("/Dados/bdRecibo.mdb"));
  QVERIFY(QFileInfo(dados + QStringLiteral("/backup")).isDir());
  QCOMPARE(lerArquivo(dados + QStringLiteral("/cfgtalonix.ini")),
           QByteArray("[copiaseguranca]\r\nlocal=") + QFile::encodeName(dados) + "/backup\r\n");
  // The operator's data is the user's alone; nothing is left beside it, nor beside the program.
  QCOMPARE(QFileInfo(dados).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
           QFileDevice::Permissions());
  QCOMPARE(QDir(instalado.xdg()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
           QStringList(QStringLiteral("Talonix")));
  QCOMPARE(arvore(pasta.caminho()), programa);

  // A second start opens the same database.
  QVERIFY(pasta.executar(QStringLiteral("INSERT INTO tbReferente (Codigo, Descricao) VALUES (7, 'Aluguel')")));
  Conexao::FecharConexao();
  QVERIFY(Inicializacao::Iniciar(pasta.contexto()));
  QCOMPARE(pasta.valor(QStringLiteral("SELECT Descricao FROM tbReferente WHERE Codigo = 7")).toString(),
           QStringLiteral("Aluguel"));
  QCOMPARE(pasta.mensagens.quantas(), 0);
}

void tst_Inicializacao::instaladoSemPastaDeDadosUtilNaoCriaNada_data() {
  QTest::addColumn<bool>("pastaExiste");
  QTest::addColumn<QString>("trecho");
  QTest::newRow("data folder without its database") << true << "bdRecibo.mdb";
  QTest::newRow("data folder cannot be made") << false << "Não foi possível criar a pasta de dados";
}

void tst_Inicializacao::instaladoSemPastaDeDadosUtilNaoCriaNada() {
  QFETCH(bool, pastaExiste);
  QFETCH(QString, trecho);
  PastaTeste pasta(false);
  AmbienteInstalado instalado(pasta.caminho());
  if (pastaExiste) {
    // The database was lost; the rest of the folder is still there.
    QVERIFY(QDir().mkpath(instalado.pastaDados() + QStringLiteral("/Dados")));
    QVERIFY(QDir().mkpath(instalado.pastaDados() + QStringLiteral("/backup")));
    modGeral::GravarIni(QStringLiteral("copiaseguranca"), QStringLiteral("local"), QStringLiteral("/mnt/pendrive"),
                        modGeral::ArquivoIni());
  } else {
    // $XDG_DATA_HOME under a file: no folder can be made there.
    QFile arquivo(instalado.xdg() + QStringLiteral("/arquivo"));
    QVERIFY(arquivo.open(QIODevice::WriteOnly));
    qputenv("XDG_DATA_HOME", QFile::encodeName(arquivo.fileName() + QStringLiteral("/dados")));
  }
  const auto antes = arvore(instalado.xdg());
  const auto programa = arvore(pasta.caminho());

  QVERIFY(!Inicializacao::Iniciar(pasta.contexto()));
  QCOMPARE(pasta.mensagens.quantas(), 1);
  QCOMPARE(pasta.mensagens.ultima().icone, Icone::Critico);
  QVERIFY2(pasta.mensagens.ultima().texto.contains(trecho), qPrintable(pasta.mensagens.ultima().texto));
  QVERIFY(!Conexao::Banco().isOpen());
  QCOMPARE(arvore(instalado.xdg()), antes);
  QCOMPARE(arvore(pasta.caminho()), programa);
}

void tst_Inicializacao::formatoData_data() {
  QTest::addColumn<QString>("formato");
  QTest::addColumn<bool>("pergunta");
  QTest::newRow("expected format") << "dd/MM/yyyy" << false;
  QTest::newRow("expected, with blanks") << "  dd/MM/yyyy " << false;
  QTest::newRow("empty") << "" << false;
  QTest::newRow("blanks only") << "   " << false;
  QTest::newRow("no leading zeros") << "d/M/yyyy" << true;
  QTest::newRow("other separator") << "dd-MM-yyyy" << true;
  QTest::newRow("lower-case month") << "dd/mm/yyyy" << true;
  QTest::newRow("two-digit year") << "dd/MM/yy" << true;
  QTest::newRow("american") << "M/d/yyyy" << true;
}

void tst_Inicializacao::formatoData() {
  QFETCH(QString, formato);
  QTEST(FormatoData::PrecisaPerguntar(formato), "pergunta");
}

void tst_Inicializacao::textoPerguntaFormato() {
  QCOMPARE(FormatoData::TextoPergunta(QStringLiteral("M/d/yyyy")),
           QStringLiteral("O formato da data nas configurações regionais de seu computador é: M/d/yyyy\r"
                          "Para melhor utilização do sistema é recomendado utilizar o formato: dd/MM/yyyy\r\r"
                          "Deseja que o sistema modifique o formato da data ?"));
}

void tst_Inicializacao::semPerguntaDeFormatoNestaPlataforma() {
  MensagensGravadas mensagens;
  FormatoData::VerificarFormatoData(mensagens);
#ifdef _WIN32
  QSKIP("depends on the computer's regional settings");
#endif
  QCOMPARE(mensagens.quantas(), 0);
}

void tst_Inicializacao::aplicacaoPreparada() {
  Inicializacao::PrepararAplicacao(*qApp);
  QCOMPARE(QApplication::applicationName(), QStringLiteral("Talonix"));
  QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.talonix.Talonix"));
  QVERIFY(qobject_cast<EstiloTalonix*>(QApplication::style()));
  QMessageBox caixa;
  caixa.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  QCOMPARE(caixa.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Sim"));
  QCOMPARE(caixa.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Não"));
  QCOMPARE(caixa.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Cancelar"));
  QCOMPARE(QLocale().toString(1234.5, 'f', 2), QStringLiteral("1.234,50"));
}

QTEST_MAIN(tst_Inicializacao)
#include "tst_Inicializacao.moc"
