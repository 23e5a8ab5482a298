// bench_backup DATABASE: a whole backup of DATABASE (its snapshot, the snapshot's check and the
// archive) and the archive step of a restore (cUnzip), next to "zip -6 -j" and "unzip" of the
// same file in the same run. Prints the median seconds of each and the archive sizes in MB:
//   zip zip.piso tamanho tamanho.piso unzip unzip.piso

#include "backup/CopiaSeguranca.h"
#include "backup/cUnzip.h"
#include "bench/CopiaBanco.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double cronometrar(const std::function<bool()>& passo) {
  QElapsedTimer tempo;
  tempo.start();
  if (!passo()) {
    std::fprintf(stderr, "falhou\n");
    std::exit(1);
  }
  return static_cast<double>(tempo.nsecsElapsed()) / 1e9;
}

bool executar(const QString& programa, const QStringList& argumentos) {
  QProcess processo;
  processo.setProcessChannelMode(QProcess::ForwardedChannels);
  processo.start(programa, argumentos);
  return processo.waitForFinished(-1) && processo.exitStatus() == QProcess::NormalExit && processo.exitCode() == 0;
}

double megabytes(const QString& arquivo) {
  return static_cast<double>(QFileInfo(arquivo).size()) / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication aplicacao(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "uso: bench_backup BANCO\n");
    return 2;
  }
  QTemporaryDir pasta;
  const QString banco = CopiaBanco::Abrir(pasta, QString::fromLocal8Bit(argv[1]));
  if (banco.isEmpty())
    return 1;
  const QString nosso = pasta.filePath(QStringLiteral("nosso.zip"));
  const QString deles = pasta.filePath(QStringLiteral("deles.zip"));
  const QString extraido = pasta.filePath(QStringLiteral("extraido"));

  std::vector<double> zip, zipPiso, unzip, unzipPiso;
  for (int i = 0; i < 3; ++i) {
    QFile::remove(deles);
    zipPiso.push_back(cronometrar([&] {
      return executar(QStringLiteral("zip"),
                      {QStringLiteral("-6"), QStringLiteral("-j"), QStringLiteral("-q"), deles, banco});
    }));
    QFile::remove(nosso);
    zip.push_back(cronometrar([&] { return CopiaSeguranca::Realizar(nosso).ok; }));

    QDir(extraido).removeRecursively();
    QDir().mkpath(extraido);
    unzipPiso.push_back(cronometrar([&] {
      return executar(QStringLiteral("unzip"),
                      {QStringLiteral("-o"), QStringLiteral("-qq"), deles, QStringLiteral("-d"), extraido});
    }));
    QDir(extraido).removeRecursively();
    QDir().mkpath(extraido);
    unzip.push_back(cronometrar([&] {
      cUnzip u;
      u.setZipFile(nosso);
      u.setUseFolderNames(false);
      u.setOverwriteExisting(true);
      u.setUnzipFolder(extraido);
      return u.Directory() && !u.Unzip();
    }));
  }
  std::printf("%.2f %.2f %.1f %.1f %.2f %.2f\n", CopiaBanco::Mediana(zip), CopiaBanco::Mediana(zipPiso),
              megabytes(nosso), megabytes(deles), CopiaBanco::Mediana(unzip), CopiaBanco::Mediana(unzipPiso));
  return 0;
}
