#include "controls/SeletorArquivoQt.h"

#include <QApplication>
#include <QFileDialog>

QString SeletorArquivoQt::salvar(const QString& titulo, const QString& sugestao, const QString& filtro,
                                 const QString& sufixo) {
  QFileDialog dialogo(QApplication::activeWindow(), titulo, sugestao, filtro);
  dialogo.setAcceptMode(QFileDialog::AcceptSave);
  dialogo.setFileMode(QFileDialog::AnyFile);
  dialogo.setDefaultSuffix(sufixo);
  dialogo.selectFile(sugestao);
  if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
    return {};
  return dialogo.selectedFiles().constFirst();
}
