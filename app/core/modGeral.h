#pragma once

#include <QString>

class Relogio;

/// The program's general module: the application folder, the data folder and the paths built
/// from them, the settings file, and the small date and time helpers the screens share.
namespace modGeral {

/// The folder that holds the executable; every path is built from it.
QString PastaAplicacao();
/// Points the program at another application folder (tests run on temporary folders).
void DefinirPastaAplicacao(const QString& pasta);

/// `pasta` + "/" + `nome`, without a second separator when `pasta` already ends in one.
QString JuntarCaminho(const QString& pasta, const QString& nome);

/// File name of the database inside the data folder.
inline const QString NomeArquivoBanco = QStringLiteral("bdRecibo.mdb");

/// Whether the program was installed from the package: the marker file "instalado" lies in the
/// application folder.
bool Instalado();
/// Where the operator's files live: the application folder itself for a portable program; for
/// an installed one, whose own files are read-only, "Talonix" in the user's data folder
/// ($XDG_DATA_HOME when it is an absolute path, or else $HOME/.local/share).
QString PastaDados();

QString CaminhoDados();      ///< data folder + "/Dados/"
QString CaminhoRelatorio();  ///< application folder + "/relatorio/"
QString CaminhoBackup();     ///< data folder + "/backup"
QString CaminhoSom();        ///< application folder + "/som"
QString ArquivoIni();        ///< data folder + "/cfgtalonix.ini"

/// The first of `base`, `base`.1, `base`.2... that names no file: for copies kept beside a
/// file, none of which is ever overwritten.
QString NomeLivre(const QString& base);

/// The sound folder kept by start-up.
QString PastaSom();
void DefinirPastaSom(const QString& pasta);

/// Reads one value of the settings file; every argument is trimmed first, at most 254
/// characters come back, trimmed; a missing file, section or key gives the trimmed default.
QString LerIni(const QString& secao, const QString& chave, const QString& padrao, const QString& arquivo);
/// Creates or replaces one value of the settings file. Failures are not reported: a value that
/// cannot be written (the file cannot be replaced, or a name or the value holds a line break) is
/// just not remembered, and the file stays as it was.
void GravarIni(const QString& secao, const QString& chave, const QString& valor, const QString& arquivo);

/// The number of days of `mes` (1 to 12) in the current year; 0 for any other month.
int UltimoDiaMes(int mes, const Relogio& relogio);

/// Waits `segundos`, letting the interface repaint while it waits when `processarEventos`.
void Aguardar(double segundos, bool processarEventos, Relogio& relogio);

}  // namespace modGeral
