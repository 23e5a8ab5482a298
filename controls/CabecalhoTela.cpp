#include "controls/CabecalhoTela.h"

#include <QLabel>
#include <QVBoxLayout>

CabecalhoTela::CabecalhoTela(const QString& titulo, const QString& subtitulo, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picCabecalho"));
  setAutoFillBackground(true);
  QPalette paleta = palette();
  paleta.setColor(QPalette::Window, paleta.color(QPalette::Base));
  setPalette(paleta);

  auto* textos = new QVBoxLayout(this);
  textos->setSpacing(0);
  auto* rotuloTitulo = new QLabel(titulo, this);
  QFont fonte = rotuloTitulo->font();
  fonte.setPointSize(fonte.pointSize() + 4);
  fonte.setBold(true);
  rotuloTitulo->setFont(fonte);
  textos->addWidget(rotuloTitulo);
  textos->addWidget(new QLabel(subtitulo, this));
}
