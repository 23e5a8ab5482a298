#include "backup/SomQt.h"

#include "app/core/modGeral.h"

#include <QFile>
#include <QFileInfo>
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

QString SomQt::ArquivoTocador() {
  return modGeral::JuntarCaminho(modGeral::PastaAplicacao(), QStringLiteral("talonix_som"));
}

void SomQt::TocarSom(const QString& arquivo) {
  if (!QFileInfo(arquivo).isFile())
    return;
  if (!tocador_.isLoaded()) {
    // By its full path: the player is looked for in the application folder only. Without it the
    // program goes on in silence, as without a sound device.
    tocador_.setFileName(ArquivoTocador());
    if (!tocador_.load())
      return;
  }
  using Tocar = void (*)(const QString*, int);
  const auto tocar = reinterpret_cast<Tocar>(tocador_.resolve("talonix_tocar_som"));
  if (tocar == nullptr)
    return;
  const qint64 duracao = DuracaoWave(arquivo);
  tocar(&arquivo, static_cast<int>(duracao < 0 ? kEsperaSemDuracaoMs : duracao + kMargemMs));
}
