#include "tests/support/ProgramaReal.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

namespace ProgramaReal {

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

void pausa(int ms) {
  QThread::msleep(static_cast<unsigned long>(ms));
}

void teclas(const QStringList& nomes) {
  xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("150")} + nomes);
  pausa();
}

void digitar(const QString& texto) {
  xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("60"), texto});
  pausa(300);
}

QString esperarJanela(const QString& nome, int ms) {
  QElapsedTimer tempo;
  tempo.start();
  while (tempo.elapsed() < ms) {
    const QStringList ids =
        xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                 QLatin1Char('^') + QRegularExpression::escape(nome) + QLatin1Char('$')})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!ids.isEmpty())
      return ids.last();
    pausa(250);
  }
  return {};
}

void EmitirRecibo() {
  // The receipt screen opens on a new receipt with the focus in the amount.
  teclas({QStringLiteral("alt+e"), QStringLiteral("r")});
  pausa(1500);
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
  pausa(3000);
}

void capturar(const QString& nome) {
  const QString pasta = qEnvironmentVariable("TALONIX_E2E_CAPTURAS");
  if (!pasta.isEmpty())
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                 pasta + QLatin1Char('/') + nome + QStringLiteral(".png")});
}

}  // namespace ProgramaReal
