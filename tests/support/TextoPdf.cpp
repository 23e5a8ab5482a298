#include "tests/support/TextoPdf.h"

#include <QProcess>

QString TextoPdf(const QString& arquivo) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), arquivo, QStringLiteral("-")});
  if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0)
    return {};
  return QString::fromUtf8(pdftotext.readAllStandardOutput());
}
