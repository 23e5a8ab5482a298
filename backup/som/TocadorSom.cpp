// The sound player, a module of its own that the program loads the first time it plays a sound,
// so that the multimedia libraries are not loaded at every start.

#include <QAudioDevice>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QString>
#include <QTimer>
#include <QUrl>

/// Plays `arquivo` and returns when it has ended, or after `esperaMs` at the most. Without an
/// output device it returns at once: the effect would report "ready" and then play forever.
extern "C" Q_DECL_EXPORT void talonix_tocar_som(const QString* arquivo, int esperaMs) {
  if (arquivo == nullptr || QMediaDevices::audioOutputs().isEmpty())
    return;
  QSoundEffect efeito;
  QEventLoop laco;
  QTimer limite;
  limite.setSingleShot(true);
  QObject::connect(&limite, &QTimer::timeout, &laco, &QEventLoop::quit);
  bool iniciado = false;
  auto acompanhar = [&] {
    if (efeito.status() == QSoundEffect::Error) {
      laco.quit();
    } else if (efeito.status() == QSoundEffect::Ready && !iniciado) {
      iniciado = true;
      efeito.play();
      limite.start(esperaMs);
    }
  };
  QObject::connect(&efeito, &QSoundEffect::statusChanged, &laco, acompanhar);
  QObject::connect(&efeito, &QSoundEffect::playingChanged, &laco, [&] {
    if (iniciado && !efeito.isPlaying())
      laco.quit();
  });
  efeito.setSource(QUrl::fromLocalFile(QFileInfo(*arquivo).absoluteFilePath()));
  acompanhar();
  if (efeito.status() == QSoundEffect::Error)
    return;
  if (!iniciado)
    limite.start(esperaMs);  // the file must load within the cap as well
  laco.exec(QEventLoop::ExcludeUserInputEvents);
  efeito.stop();
}
