#include "app/core/modGeral.h"

#include "app/core/ArquivoIni.h"
#include "app/core/Relogio.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace modGeral {
namespace {

QString& pastaAplicacao() {
  static QString pasta;
  return pasta;
}

QString& pastaSom() {
  static QString pasta;
  return pasta;
}

}  // namespace

QString PastaAplicacao() {
  if (pastaAplicacao().isEmpty())
    return QCoreApplication::applicationDirPath();
  return pastaAplicacao();
}

void DefinirPastaAplicacao(const QString& pasta) {
  pastaAplicacao() = pasta;
}

QString JuntarCaminho(const QString& pasta, const QString& nome) {
  if (pasta.endsWith(QLatin1Char('/')))
    return pasta + nome;
  return pasta + QLatin1Char('/') + nome;
}

bool Instalado() {
  return QFileInfo::exists(JuntarCaminho(PastaAplicacao(), QStringLiteral("instalado")));
}

QString PastaDados() {
  if (!Instalado())
    return PastaAplicacao();
  // Only an absolute $XDG_DATA_HOME counts, as the base-directory rules ask: a relative one would
  // name a new, empty data folder under every working folder the program is started from.
  const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
  const QString base =
      QDir::isAbsolutePath(xdg) ? xdg : JuntarCaminho(QDir::homePath(), QStringLiteral(".local/share"));
  return JuntarCaminho(base, QStringLiteral("Talonix"));
}

QString CaminhoDados() {
  return JuntarCaminho(PastaDados(), QStringLiteral("Dados/"));
}

QString CaminhoRelatorio() {
  return JuntarCaminho(PastaAplicacao(), QStringLiteral("relatorio/"));
}

// Only the names the program makes up are lower case: on a file system that tells case apart,
// lower-casing the whole path would point at a folder that does not exist.
QString CaminhoBackup() {
  return JuntarCaminho(PastaDados(), QStringLiteral("backup"));
}

QString CaminhoSom() {
  return JuntarCaminho(PastaAplicacao(), QStringLiteral("som"));
}

QString ArquivoIni() {
  return JuntarCaminho(PastaDados(), QStringLiteral("cfgtalonix.ini"));
}

QString NomeLivre(const QString& base) {
  QString nome = base;
  for (int i = 1; QFileInfo::exists(nome); ++i)
    nome = base + QLatin1Char('.') + QString::number(i);
  return nome;
}

QString PastaSom() {
  return pastaSom();
}

void DefinirPastaSom(const QString& pasta) {
  pastaSom() = pasta;
}

QString LerIni(const QString& secao, const QString& chave, const QString& padrao, const QString& arquivo) {
  return ::ArquivoIni(arquivo.trimmed()).ler(secao.trimmed(), chave.trimmed(), padrao.trimmed());
}

void GravarIni(const QString& secao, const QString& chave, const QString& valor, const QString& arquivo) {
  (void)::ArquivoIni(arquivo.trimmed()).gravar(secao.trimmed(), chave.trimmed(), valor.trimmed());
}

int UltimoDiaMes(int mes, const Relogio& relogio) {
  if (mes < 1 || mes > 12)
    return 0;
  return QDate(relogio.hoje().year(), mes, 1).daysInMonth();
}

void Aguardar(double segundos, bool processarEventos, Relogio& relogio) {
  relogio.aguardar(segundos, processarEventos);
}

}  // namespace modGeral
