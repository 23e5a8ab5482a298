#include "backup/SomQt.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <QtEndian>

namespace {

// Beyond the sound's own length, the most the program waits for the device to report its end.
constexpr int kMargemMs = 1500;
// The wait when the length cannot be read from the file.
constexpr int kEsperaSemDuracaoMs = 10000;

}  // namespace

qint64 SomQt::DuracaoWave(const QString& arquivo) {
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly))
    return -1;
  const QByteArray cabecalho = f.read(12);
  if (cabecalho.size() < 12 || !cabecalho.startsWith("RIFF") || cabecalho.mid(8, 4) != "WAVE")
    return -1;
  quint32 bytesPorSegundo = 0;
  for (;;) {
    const QByteArray pedaco = f.read(8);
    if (pedaco.size() < 8)
      return -1;
    const quint32 tamanho = qFromLittleEndian<quint32>(pedaco.constData() + 4);
    if (pedaco.startsWith("fmt ")) {
      const QByteArray formato = f.read(tamanho);
      if (formato.size() < 12)
        return -1;
      bytesPorSegundo = qFromLittleEndian<quint32>(formato.constData() + 8);
      if (tamanho % 2 != 0)
        f.read(1);
    } else if (pedaco.startsWith("data")) {
      if (bytesPorSegundo == 0)
        return -1;
      return static_cast<qint64>(tamanho) * 1000 / bytesPorSegundo;
    } else if (!f.seek(f.pos() + tamanho + (tamanho % 2))) {
      return -1;
    }
  }
}

void SomQt::TocarSom(const QString& arquivo) {
  // Without a device the effect says "ready" and then plays forever; without the file there is
  // nothing to play.
  if (!QFileInfo(arquivo).isFile() || QMediaDevices::audioOutputs().isEmpty())
    return;
  const qint64 duracao = DuracaoWave(arquivo);

  QSoundEffect efeito;
  QEventLoop laco;
  QTimer limite;
  limite.setSingleShot(true);
  QObject::connect(&limite, &QTimer::timeout, &laco, &QEventLoop::quit);
  const int espera = static_cast<int>(duracao < 0 ? kEsperaSemDuracaoMs : duracao + kMargemMs);
  bool iniciado = false;
  auto acompanhar = [&] {
    if (efeito.status() == QSoundEffect::Error) {
      laco.quit();
    } else if (efeito.status() == QSoundEffect::Ready && !iniciado) {
      iniciado = true;
      efeito.play();
      limite.start(espera);
    }
  };
  QObject::connect(&efeito, &QSoundEffect::statusChanged, &laco, acompanhar);
  QObject::connect(&efeito, &QSoundEffect::playingChanged, &laco, [&] {
    if (iniciado && !efeito.isPlaying())
      laco.quit();
  });
  efeito.setSource(QUrl::fromLocalFile(QFileInfo(arquivo).absoluteFilePath()));
  acompanhar();
  if (efeito.status() == QSoundEffect::Error)
    return;
  if (!iniciado)
    limite.start(espera);  // the file must load within the cap as well
  laco.exec(QEventLoop::ExcludeUserInputEvents);
  efeito.stop();
}
