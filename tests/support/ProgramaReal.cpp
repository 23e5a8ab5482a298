#include "tests/support/ProgramaReal.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <sys/syscall.h>

namespace ProgramaReal {

namespace {

// The visible windows titled exactly `nome`.
QStringList janelas(const QString& nome) {
  return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                  QLatin1Char('^') + QRegularExpression::escape(nome) + QLatin1Char('$')})
      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Whether the main thread of process `pid` waits in poll(2), where the event loop waits for the
// next event, with a time-out other than zero: the loop polls without waiting while an event is
// queued or a timer is due. The kernel shows the system call a thread is blocked in, with its
// arguments, in /proc; poll's third argument is its time-out.
bool emRepouso(qint64 pid) {
  QFile chamada(QStringLiteral("/proc/%1/syscall").arg(pid));
  if (!chamada.open(QIODevice::ReadOnly))
    return false;
  const QList<QByteArray> campos = chamada.readAll().simplified().split(' ');
  bool numero = false;
  const long chamadaAtual = campos.value(0).toLong(&numero);
  return numero && chamadaAtual == SYS_poll && campos.size() > 3 && campos.at(3) != "0x0";
}

}  // namespace

bool MontarPasta(const QString& pasta, bool criarBanco) {
  const QDir origem(qEnvironmentVariable("TALONIX_TEST_APPDIR"));
  QDir raiz(pasta);
  if (!raiz.mkpath(QStringLiteral("Dados")) || !raiz.mkpath(QStringLiteral("relatorio")) ||
      !raiz.mkpath(QStringLiteral("som")))
    return false;
  for (const QString& arquivo : {QStringLiteral("Talonix"), QStringLiteral("libverbalor.so"),
                                 QStringLiteral("relatorio/recibo01.rpt"), QStringLiteral("som/sucesso.wav")})
    if (!QFile::copy(origem.filePath(arquivo), raiz.filePath(arquivo)))
      return false;
  QFile(raiz.filePath(QStringLiteral("Talonix"))).setPermissions(QFileDevice::ExeOwner | QFileDevice::ReadOwner);
  return !criarBanco || QProcess::execute(qEnvironmentVariable("TALONIX_CRIAR_BANCO"),
                                          {raiz.filePath(QStringLiteral("Dados/bdRecibo.mdb"))}) == 0;
}

QString xdotool(const QStringList& argumentos) {
  QProcess processo;
  processo.start(QStringLiteral("xdotool"), argumentos);
  processo.waitForFinished(30000);
  return QString::fromUtf8(processo.readAllStandardOutput()).trimmed();
}

void teclas(const QStringList& nomes) {
  xdotool(QStringList{QStringLiteral("key")} + nomes);
}

void digitar(const QString& texto) {
  xdotool({QStringLiteral("type"), texto});
}

QString esperarJanela(const QString& nome, const QStringList& exceto, int ms) {
  QString achada;
  const bool veio = QTest::qWaitFor(
      [&] {
        for (const QString& id : janelas(nome))
          if (!exceto.contains(id))
            achada = id;
        return !achada.isEmpty();
      },
      ms);
  return veio ? achada : QString();
}

bool esperarSumir(const QString& id, const QString& nome, int ms) {
  return QTest::qWaitFor([&] { return !janelas(nome).contains(id); }, ms);
}

bool esperarTitulo(const QString& id, const QString& titulo, int ms) {
  return QTest::qWaitFor([&] { return xdotool({QStringLiteral("getwindowname"), id}) == titulo; }, ms);
}

void focar(const QString& id) {
  xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), id});
}

bool esperarOcioso(const QProcess& talonix, int ms) {
  return QTest::qWaitFor([&] { return emRepouso(talonix.processId()); }, ms);
}

QString janelasVisiveis() {
  QStringList linhas;
  const QStringList ids = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                   QStringLiteral(".")})
                              .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  for (const QString& id : ids)
    linhas << id + QStringLiteral(" \"") + xdotool({QStringLiteral("getwindowname"), id}) + QLatin1Char('"');
  return QStringLiteral("janelas visíveis: ") + (linhas.isEmpty() ? QStringLiteral("nenhuma") : linhas.join(u", "));
}

QString Iniciar(QProcess& talonix, const QString& aplicacao, const QString& casa) {
  QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
  ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  ambiente.insert(QStringLiteral("HOME"), casa);
  talonix.setProcessEnvironment(ambiente);
  // What the program says goes to the test's output, where a failed run shows it.
  talonix.setProcessChannelMode(QProcess::ForwardedChannels);
  talonix.start(aplicacao + QStringLiteral("/Talonix"), {});
  if (!talonix.waitForStarted())
    return {};
  const QString principal = esperarJanela(QStringLiteral("Talonix"));
  if (principal.isEmpty())
    return {};
  xdotool({QStringLiteral("windowmove"), principal, QStringLiteral("0"), QStringLiteral("0")});
  xdotool({QStringLiteral("windowsize"), principal, QStringLiteral("1200"), QStringLiteral("800")});
  focar(principal);
  return esperarOcioso(talonix) ? principal : QString();
}

bool EmitirRecibo(const QProcess& talonix, const QString& principal) {
  // The receipt screen opens on a new receipt with the focus in the amount.
  teclas({QStringLiteral("alt+e"), QStringLiteral("r")});
  digitar(QStringLiteral("1234,50"));
  teclas({QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("2"), QStringLiteral("Tab")});
  digitar(QStringLiteral("1"));
  teclas({QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab")});
  digitar(QStringLiteral("Aluguel do mês de dezembro"));
  teclas({QStringLiteral("Tab")});
  digitar(QStringLiteral("2"));
  teclas({QStringLiteral("Tab")});
  digitar(QStringLiteral("Pago em dinheiro"));
  teclas({QStringLiteral("F5")});
  // The preview opens maximized, captioned "Recibo", with the focus in its viewer.
  return esperarTitulo(principal, QStringLiteral("Talonix - [Recibo]")) && esperarOcioso(talonix);
}

bool Encerrar(QProcess& talonix, const QString& principal) {
  focar(principal);
  teclas({QStringLiteral("alt+s"), QStringLiteral("i")});
  // The question is titled as the main window is when nothing is maximized in it.
  const QString pergunta = esperarJanela(QStringLiteral("Talonix"), {principal});
  if (pergunta.isEmpty())
    return false;
  focar(pergunta);
  teclas({QStringLiteral("alt+s")});
  return talonix.waitForFinished(kLimite);
}

void capturar(const QString& nome) {
  const QString pasta = qEnvironmentVariable("TALONIX_E2E_CAPTURAS");
  if (!pasta.isEmpty())
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                 pasta + QLatin1Char('/') + nome + QStringLiteral(".png")});
}

}  // namespace ProgramaReal
