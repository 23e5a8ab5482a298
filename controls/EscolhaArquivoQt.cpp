#include "controls/EscolhaArquivoQt.h"

#include <QFileDialog>
#include <QRegularExpression>

QStringList EscolhaArquivoQt::FiltrosDialogo(const QString& filtro) {
  QStringList filtros;
  const QStringList partes = filtro.split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
    QStringList padroes = partes.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& padrao : padroes) {
      padrao = padrao.trimmed();
      if (padrao == QLatin1String("*.*"))
        padrao = QStringLiteral("*");
    }
    // The dialog reads the patterns from the last parentheses: the description keeps its own
    // words and gets the patterns the dialog will use.
    QString descricao = partes.at(i).trimmed();
    descricao.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
    filtros.append(descricao + QStringLiteral(" (") + padroes.join(QLatin1Char(' ')) + QLatin1Char(')'));
  }
  return filtros;
}

void EscolhaArquivoQt::Configurar(QFileDialog& dialogo, ModoArquivo modo, const QString& titulo,
                                  const QString& nomeInicial, const QString& filtro, const QString& pastaInicial,
                                  const QString& extensaoPadrao) {
  dialogo.setWindowTitle(titulo);
  dialogo.setDirectory(pastaInicial);
  dialogo.setNameFilters(FiltrosDialogo(filtro));
  dialogo.setDefaultSuffix(extensaoPadrao);
  if (modo == ModoArquivo::Abrir) {
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    dialogo.setFileMode(QFileDialog::ExistingFile);
  } else {
    // Saving asks before an existing file is replaced (the dialog's own question).
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setOption(QFileDialog::DontConfirmOverwrite, false);
  }
  if (!nomeInicial.isEmpty())
    dialogo.selectFile(nomeInicial);
}

QString EscolhaArquivoQt::EscolherArquivo(QWidget* dono, ModoArquivo modo, const QString& titulo,
                                          const QString& nomeInicial, const QString& filtro,
                                          const QString& pastaInicial, const QString& extensaoPadrao) {
  QFileDialog dialogo(dono);
  Configurar(dialogo, modo, titulo, nomeInicial, filtro, pastaInicial, extensaoPadrao);
  if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
    return {};
  return dialogo.selectedFiles().constFirst();
}
