#include "tests/support/ProgramaReal.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

#include <sys/syscall.h>

namespace ProgramaReal {

namespace {

// The visible windows titled exactly `nome`.
QStringList janelas(const QString& nome) {
  return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                  QLatin1Char('^') + QRegularExpression::escape(nome) + QLatin1Char('$')})
      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Whether the main thread of process `pid` waits in its event loop with nothing to do. The loop
// waits in poll(2) on a list of its own (on the heap), with a time-out other than zero: it polls
// without waiting while an event is queued or a timer is due. Other waits of the main thread in
// poll(2), for a reply of the X server or of the database server, poll one descriptor of the
// stack. The kernel shows the system call a thread is blocked in, with its arguments, in /proc.
bool emRepouso(qint64 pid) {
  QFile chamada(QStringLiteral("/proc/%1/syscall").arg(pid));
  QFile mapa(QStringLiteral("/proc/%1/maps").arg(pid));
  if (!chamada.open(QIODevice::ReadOnly) || !mapa.open(QIODevice::ReadOnly))
    return false;
  const QList<QByteArray> campos = chamada.readAll().simplified().split(' ');
  bool numero = false;
  if (campos.value(0).toLong(&numero) != SYS_poll || !numero || campos.size() < 4 || campos.at(3) == "0x0")
    return false;
  const quint64 lista = campos.at(1).toULongLong(nullptr, 16);
  for (const QByteArray& linha : mapa.readAll().split('\n'))
    if (linha.endsWith("[stack]")) {
      const QList<QByteArray> faixa = linha.left(linha.indexOf(' ')).split('-');
      return faixa.size() == 2 &&
             (lista < faixa.at(0).toULongLong(nullptr, 16) || lista >= faixa.at(1).toULongLong(nullptr, 16));
    }
  return false;
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

bool PrepararTeclado() {
  // xdotool types a character the keyboard lacks by putting it on a spare key and taking it away
  // right after; a program that reads the new keyboard map only once it was taken away (the
  // sanitizer build on a busy machine) gets no character. Put on empty keys for good, before the
  // program starts, the letters are found where they are. Xlib, which xdotool itself needs, is
  // the one way to change the map that the display's packages are sure to bring.
  QLibrary xlib(QStringLiteral("X11"), 6);
  using Abrir = void* (*)(const char*);
  using Faixa = int (*)(void*, int*, int*);
  using Ler = unsigned long* (*)(void*, unsigned char, int, int*);
  using Mudar = int (*)(void*, int, int, unsigned long*, int);
  using Sincronizar = int (*)(void*, int);
  using Soltar = int (*)(void*);
  const auto abrir = reinterpret_cast<Abrir>(xlib.resolve("XOpenDisplay"));
  const auto faixa = reinterpret_cast<Faixa>(xlib.resolve("XDisplayKeycodes"));
  const auto ler = reinterpret_cast<Ler>(xlib.resolve("XGetKeyboardMapping"));
  const auto mudar = reinterpret_cast<Mudar>(xlib.resolve("XChangeKeyboardMapping"));
  const auto sincronizar = reinterpret_cast<Sincronizar>(xlib.resolve("XSync"));
  const auto liberar = reinterpret_cast<Soltar>(xlib.resolve("XFree"));
  if (!abrir || !faixa || !ler || !mudar || !sincronizar || !liberar)
    return false;
  void* tela = abrir(nullptr);
  if (tela == nullptr)
    return false;
  int menor = 0;
  int maior = 0;
  faixa(tela, &menor, &maior);
  int porTecla = 0;
  unsigned long* mapa = ler(tela, static_cast<unsigned char>(menor), maior - menor + 1, &porTecla);
  // The keysyms of the Latin-1 letters are their code points; a key takes a letter and its capital.
  const QString letras = QStringLiteral("áàâãéêíóôõúç");
  qsizetype posta = 0;
  for (int tecla = maior; tecla >= menor && posta < letras.size() && mapa != nullptr; --tecla) {
    const unsigned long* simbolos = mapa + static_cast<qsizetype>(tecla - menor) * porTecla;
    if (std::any_of(simbolos, simbolos + porTecla, [](unsigned long s) { return s != 0; }))
      continue;
    const QChar letra = letras.at(posta++);
    unsigned long par[] = {letra.unicode(), letra.toUpper().unicode()};
    mudar(tela, tecla, 2, par, 1);
  }
  if (mapa != nullptr)
    liberar(mapa);
  sincronizar(tela, 0);
  // The connection stays open until the test ends: an X server that loses its last client starts
  // anew, with the keyboard it had first.
  return posta == letras.size();
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
