#include "app/core/ArquivosBanco.h"

#include <QDir>
#include <QFileInfo>

namespace ArquivosBanco {

bool NomeReservado(const QString& nome) {
  // Every name the program writes starts with one of these: the numbered copies, the journals
  // SQLite keeps beside any of its files and the backups' unique work folders among them.
  static const QString inicios[] = {modGeral::NomeArquivoBanco, Temporario, PastaRestauracao, PastaCopia};
  if (nome == modGeral::NomeArquivoBanco)
    return false;
  for (const QString& inicio : inicios)
    if (nome.startsWith(inicio, Qt::CaseInsensitive))
      return true;
  return false;
}

Resultado Resolver(const QString& caminho, Locais& locais) {
  const QFileInfo info(caminho);
  if (info.isSymbolicLink() && !info.exists())
    return Resultado::falha(QStringLiteral("O banco de dados ") + QDir::toNativeSeparators(caminho) +
                                QStringLiteral(" é uma ligação para ") +
                                QDir::toNativeSeparators(info.symLinkTarget()) +
                                QStringLiteral(", que não existe. Nada foi alterado: corrija ou apague a ligação."),
                            -1);
  // SQLite itself resolves every link of the path, folders included: the journal, and so every
  // file kept beside the database, lies beside the file it reaches.
  QString real = info.canonicalFilePath();
  if (real.isEmpty()) {
    const QString pasta = QFileInfo(info.absolutePath()).canonicalFilePath();
    real = pasta.isEmpty() ? info.absoluteFilePath() : modGeral::JuntarCaminho(pasta, info.fileName());
  }
  const QFileInfo alvo(real);
  if (NomeReservado(alvo.fileName()))
    return Resultado::falha(QStringLiteral("O banco de dados ") + QDir::toNativeSeparators(caminho) +
                                QStringLiteral(" leva ao arquivo ") + QDir::toNativeSeparators(real) +
                                QStringLiteral(", cujo nome o Talonix usa para os arquivos que guarda ao lado do banco "
                                               "de dados. Nada foi alterado: renomeie o arquivo e corrija a ligação."),
                            -1);
  locais.banco = real;
  locais.pasta = modGeral::JuntarCaminho(alvo.absolutePath(), QString());
  return Resultado::sucesso();
}

Resultado Resolver(Locais& locais) {
  return Resolver(modGeral::CaminhoDados() + modGeral::NomeArquivoBanco, locais);
}

}  // namespace ArquivosBanco
