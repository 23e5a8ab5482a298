#include "controls/MensagensQt.h"

#include "controls/AjusteTela.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace {

QMessageBox::StandardButton botaoDe(Resposta resposta) {
  switch (resposta) {
  case Resposta::Ok:
    return QMessageBox::Ok;
  case Resposta::Cancelar:
    return QMessageBox::Cancel;
  case Resposta::Sim:
    return QMessageBox::Yes;
  case Resposta::Nao:
    return QMessageBox::No;
  case Resposta::Abrir:
  case Resposta::Enviar:
  case Resposta::Fechar:
    break;
  }
  return QMessageBox::NoButton;
}

QMessageBox::Icon iconeDe(Icone icone) {
  switch (icone) {
  case Icone::Nenhum:
    return QMessageBox::NoIcon;
  case Icone::Informacao:
    return QMessageBox::Information;
  case Icone::Exclamacao:
    return QMessageBox::Warning;
  case Icone::Pergunta:
    return QMessageBox::Question;
  case Icone::Critico:
    return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

/// The program's main window once it shows; until then the window in front.
QWidget* janelaPrincipal() {
  for (QWidget* janela : QApplication::topLevelWidgets())
    if (qobject_cast<QMainWindow*>(janela) != nullptr && janela->isVisible())
      return janela;
  return QApplication::activeWindow();
}

/// A message box that centres itself on its parent (the main window) once it has its final size,
/// and stays inside the screen.
class CaixaCentrada : public QMessageBox {
public:
  using QMessageBox::QMessageBox;

protected:
  void showEvent(QShowEvent* evento) override {
    QMessageBox::showEvent(evento);
    AjusteTela::Ajustar(this);
  }
};

}  // namespace

Resposta MensagensQt::mostrar(const QString& texto, const QString& titulo, Icone icone, Botoes botoes,
                              Resposta padrao) {
  CaixaCentrada caixa(iconeDe(icone), titulo, QString(texto).replace(QLatin1Char('\r'), QLatin1Char('\n')),
                      QMessageBox::NoButton, janelaPrincipal());
  std::map<QAbstractButton*, Resposta> proprios;
  switch (botoes) {
  case Botoes::Ok:
    caixa.setStandardButtons(QMessageBox::Ok);
    break;
  case Botoes::OkCancelar:
    caixa.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    break;
  case Botoes::SimNao:
    caixa.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    break;
  case Botoes::SimNaoCancelar:
    caixa.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    break;
  case Botoes::AbrirEnviarFechar: {
    QPushButton* abrir = caixa.addButton(QStringLiteral("&Abrir"), QMessageBox::AcceptRole);
    QPushButton* enviar = caixa.addButton(QStringLiteral("&Enviar por e-mail"), QMessageBox::ActionRole);
    QPushButton* fechar = caixa.addButton(QStringLiteral("&Fechar"), QMessageBox::RejectRole);
    proprios = {{abrir, Resposta::Abrir}, {enviar, Resposta::Enviar}, {fechar, Resposta::Fechar}};
    caixa.setEscapeButton(fechar);
    for (const auto& [botao, resposta] : proprios)
      if (resposta == padrao)
        caixa.setDefaultButton(static_cast<QPushButton*>(botao));
    break;
  }
  }
  if (proprios.empty())
    caixa.setDefaultButton(botaoDe(padrao));
  const int escolhido = caixa.exec();
  if (const auto proprio = proprios.find(caixa.clickedButton()); proprio != proprios.end())
    return proprio->second;
  switch (escolhido) {
  case QMessageBox::Yes:
    return Resposta::Sim;
  case QMessageBox::No:
    return Resposta::Nao;
  case QMessageBox::Cancel:
    return Resposta::Cancelar;
  case QMessageBox::Ok:
    return Resposta::Ok;
  default:
    break;
  }
  // Closed without a button (Esc on a Yes/No box): the safe answer.
  switch (botoes) {
  case Botoes::Ok:
    return Resposta::Ok;
  case Botoes::OkCancelar:
    return Resposta::Cancelar;
  case Botoes::AbrirEnviarFechar:
    return Resposta::Fechar;
  case Botoes::SimNao:
  case Botoes::SimNaoCancelar:
    break;
  }
  return Resposta::Nao;
}
