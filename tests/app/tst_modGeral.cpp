#include "app/core/modGeral.h"

#include "app/core/Relogio.h"
#include "tests/support/RelogioFixo.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_modGeral : public QObject {
  Q_OBJECT

private slots:
  void cleanup() { modGeral::DefinirPastaAplicacao(QString()); }
  void caminhos_data();
  void caminhos();
  void pastaDados_data();
  void pastaDados();
  void iniAparaArgumentos();
  void ultimoDiaMes_data();
  void ultimoDiaMes();
  void aguardarUsaORelogio();
};

void tst_modGeral::caminhos_data() {
  QTest::addColumn<QString>("pasta");
  QTest::addColumn<QString>("backup");
  QTest::addColumn<QString>("som");
  QTest::addColumn<QString>("dados");
  QTest::addColumn<QString>("ini");
  QTest::newRow("ordinary folder keeps its case") << "/opt/Talonix"
                                                  << "/opt/Talonix/backup"
                                                  << "/opt/Talonix/som"
                                                  << "/opt/Talonix/Dados/"
                                                  << "/opt/Talonix/cfgtalonix.ini";
  QTest::newRow("file-system root: one separator") << "/"
                                                   << "/backup"
                                                   << "/som"
                                                   << "/Dados/"
                                                   << "/cfgtalonix.ini";
  QTest::newRow("folder ending in a separator") << "/srv/app/"
                                                << "/srv/app/backup"
                                                << "/srv/app/som"
                                                << "/srv/app/Dados/"
                                                << "/srv/app/cfgtalonix.ini";
}

void tst_modGeral::caminhos() {
  QFETCH(QString, pasta);
  modGeral::DefinirPastaAplicacao(pasta);
  QTEST(modGeral::CaminhoBackup(), "backup");
  QTEST(modGeral::CaminhoSom(), "som");
  QTEST(modGeral::CaminhoDados(), "dados");
  QTEST(modGeral::ArquivoIni(), "ini");
  QCOMPARE(modGeral::CaminhoRelatorio(), modGeral::JuntarCaminho(pasta, QStringLiteral("relatorio/")));
}

// The installed program reads the user's data folder from the environment, where only an
// absolute $XDG_DATA_HOME counts; the portable one keeps everything beside its executable
// whatever the environment says.
void tst_modGeral::pastaDados_data() {
  QTest::addColumn<bool>("instalado");
  QTest::addColumn<bool>("definida");  // whether XDG_DATA_HOME is set at all
  QTest::addColumn<QString>("xdg");
  QTest::addColumn<QString>("dados");
  const QString padrao = QStringLiteral("/home/operador/.local/share/Talonix");
  QTest::newRow("portable ignores the user's folder") << false << true << "/xdg"
                                                      << "";
  QTest::newRow("installed, XDG_DATA_HOME") << true << true << "/xdg"
                                            << "/xdg/Talonix";
  QTest::newRow("installed, only HOME") << true << false << "" << padrao;
  QTest::newRow("installed, empty XDG_DATA_HOME") << true << true << "" << padrao;
  for (const char* relativa : {"dados", "./x", "../x"})
    QTest::addRow("installed, relative XDG_DATA_HOME %s", relativa) << true << true << relativa << padrao;
}

void tst_modGeral::pastaDados() {
  QFETCH(bool, instalado);
  QFETCH(bool, definida);
  QFETCH(QString, xdg);
  QFETCH(QString, dados);
  QTemporaryDir aplicacao;
  modGeral::DefinirPastaAplicacao(aplicacao.path());
  if (instalado)
    QVERIFY(QFile(aplicacao.filePath(QStringLiteral("instalado"))).open(QIODevice::WriteOnly));
  if (dados.isEmpty())
    dados = aplicacao.path();
  const QByteArray home = qgetenv("HOME");
  const QByteArray xdgAntes = qgetenv("XDG_DATA_HOME");
  qputenv("HOME", "/home/operador");
  if (definida)
    qputenv("XDG_DATA_HOME", xdg.toUtf8());
  else
    qunsetenv("XDG_DATA_HOME");
  const QStringList caminhos{modGeral::PastaDados(), modGeral::CaminhoDados(),     modGeral::CaminhoBackup(),
                             modGeral::ArquivoIni(), modGeral::CaminhoRelatorio(), modGeral::CaminhoSom()};
  const bool marcado = modGeral::Instalado();
  qputenv("HOME", home);
  if (xdgAntes.isEmpty())
    qunsetenv("XDG_DATA_HOME");
  else
    qputenv("XDG_DATA_HOME", xdgAntes);

  QCOMPARE(marcado, instalado);
  QCOMPARE(caminhos,
           QStringList({dados, dados + QStringLiteral("/Dados/"), dados + QStringLiteral("/backup"),
                        dados + QStringLiteral("/cfgtalonix.ini"), aplicacao.path() + QStringLiteral("/relatorio/"),
                        aplicacao.path() + QStringLiteral("/som")}));
}

void tst_modGeral::iniAparaArgumentos() {
  QTemporaryDir pasta;
  const QString arquivo = pasta.filePath(QStringLiteral("cfg.ini"));
  modGeral::GravarIni(QStringLiteral("  talonix "), QStringLiteral(" vias  "), QStringLiteral("  2  "),
                      QStringLiteral("  ") + arquivo + QStringLiteral(" "));
  QFile f(arquivo);
  QVERIFY(f.open(QIODevice::ReadOnly));
  QCOMPARE(f.readAll(), QByteArray("[talonix]\r\nvias=2\r\n"));
  QCOMPARE(modGeral::LerIni(QStringLiteral(" TALONIX"), QStringLiteral("VIAS "), QStringLiteral("1"), arquivo),
           QStringLiteral("2"));
  QCOMPARE(modGeral::LerIni(QStringLiteral("talonix"), QStringLiteral("imprimir"), QStringLiteral("  1  "), arquivo),
           QStringLiteral("1"));
}

void tst_modGeral::ultimoDiaMes_data() {
  QTest::addColumn<int>("ano");
  QTest::addColumn<int>("mes");
  QTest::addColumn<int>("dias");
  QTest::newRow("january") << 2026 << 1 << 31;
  QTest::newRow("february, common year") << 2026 << 2 << 28;
  QTest::newRow("february, leap year") << 2024 << 2 << 29;
  QTest::newRow("february, century not leap") << 2100 << 2 << 28;
  QTest::newRow("april") << 2026 << 4 << 30;
  QTest::newRow("december") << 2026 << 12 << 31;
  QTest::newRow("month 0") << 2026 << 0 << 0;
  QTest::newRow("month 13") << 2026 << 13 << 0;
}

void tst_modGeral::ultimoDiaMes() {
  QFETCH(int, ano);
  QFETCH(int, mes);
  const RelogioFixo relogio(QDateTime(QDate(ano, 6, 15), QTime(12, 0)));
  QTEST(modGeral::UltimoDiaMes(mes, relogio), "dias");
}

void tst_modGeral::aguardarUsaORelogio() {
  // The real clock waits at least the time asked for, and lets pending events run only when
  // asked to.
  RelogioSistema relogio;
  for (const bool processar : {true, false}) {
    bool executou = false;
    QTimer::singleShot(0, [&] { executou = true; });
    QElapsedTimer tempo;
    tempo.start();
    modGeral::Aguardar(0.06, processar, relogio);
    QVERIFY(tempo.elapsed() >= 60);
    QCOMPARE(executou, processar);
    QCoreApplication::processEvents();
    QVERIFY(executou);
  }
}

QTEST_GUILESS_MAIN(tst_modGeral)
#include "tst_modGeral.moc"
