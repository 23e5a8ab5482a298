#include "about/frmSobre.h"

#include "app/core/modGeral.h"
#include "controls/lvButtons.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLabel* rotulo(QWidget* pai, const QString& nome, const QString& texto) {
  auto* l = new QLabel(texto, pai);
  l->setObjectName(nome);
  l->setWordWrap(true);
  return l;
}

QLabel* negrito(QLabel* l) {
  QFont fonte = l->font();
  fonte.setBold(true);
  l->setFont(fonte);
  return l;
}

}  // namespace

QString frmSobre::ArquivoExecutavel() {
#ifdef _WIN32
  return modGeral::JuntarCaminho(modGeral::PastaAplicacao(), QStringLiteral("Talonix.exe"));
#else
  return modGeral::JuntarCaminho(modGeral::PastaAplicacao(), QStringLiteral("Talonix"));
#endif
}

QString frmSobre::TextoVersao() {
  QString texto = QStringLiteral("Versão: %1.%2.%3")
                      .arg(TALONIX_VERSAO_MAIOR)
                      .arg(TALONIX_VERSAO_MENOR)
                      .arg(TALONIX_VERSAO_REVISAO);
  // An executable renamed or moved leaves the date out rather than the whole box.
  const QFileInfo executavel(ArquivoExecutavel());
  if (executavel.isFile())
    texto += QStringLiteral(" - Data: ") + executavel.lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
  return texto;
}

frmSobre::frmSobre(Contexto contexto, QWidget* parent) : TelaModal(parent), contexto_(contexto) {
  setObjectName(QStringLiteral("frmSobre"));
  setWindowTitle(QStringLiteral("Sobre"));

  auto* imgSobre = new QLabel(this);
  imgSobre->setObjectName(QStringLiteral("imgSobre"));
  imgSobre->setPixmap(windowIcon().pixmap(96, 96));
  imgSobre->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  auto* lblSistema =
      negrito(rotulo(this, QStringLiteral("lblSistema"), QStringLiteral("Sistema para controle e emissão de recibos")));
  QFont grande = lblSistema->font();
  grande.setPointSizeF(grande.pointSizeF() * 1.3);
  lblSistema->setFont(grande);
  auto* lblVersao = rotulo(this, QStringLiteral("lblVersao"), TextoVersao());

  auto* shpSobre = new QFrame(this);
  shpSobre->setObjectName(QStringLiteral("shpSobre"));
  shpSobre->setFrameShape(QFrame::HLine);
  shpSobre->setFrameShadow(QFrame::Sunken);

  auto* lblLocal =
      negrito(rotulo(this, QStringLiteral("lblGeral_0"), QStringLiteral("Local onde está sendo executado o sistema")));
  auto* lblExecutavelSistema =
      rotulo(this, QStringLiteral("lblExecutavelSistema"), QDir::toNativeSeparators(modGeral::PastaAplicacao()));
  lblExecutavelSistema->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // An installed program keeps the operator's files apart from its own, read-only ones.
  QLabel* lblLocalDados = nullptr;
  QLabel* lblPastaDados = nullptr;
  if (modGeral::Instalado()) {
    lblLocalDados = negrito(rotulo(this, QStringLiteral("lblLocalDados"), QStringLiteral("Local dos dados")));
    lblPastaDados = rotulo(this, QStringLiteral("lblPastaDados"), QDir::toNativeSeparators(modGeral::PastaDados()));
    lblPastaDados->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
  auto* lblAnalise = negrito(rotulo(this, QStringLiteral("lblGeral_1"), QStringLiteral("Análise e Desenvolvimento")));
  auto* lblCreditos = rotulo(this, QStringLiteral("lblGeral_2"), QStringLiteral("Equipe do Talonix"));
  auto* lblLicenca = rotulo(this, QStringLiteral("lblLicenca"),
                            QStringLiteral("Software livre sob a Licença Pública Geral GNU (GPL), "
                                           "versão 3 ou posterior, sem nenhuma garantia."));
  auto* lblNota = rotulo(this, QStringLiteral("lblGeral_3"),
                         QStringLiteral("Recibos numerados por ano, impressos com o valor por extenso, "
                                        "com cópia de segurança do banco de dados."));
  lblNota->setEnabled(false);

  auto* imgLogotipo = new QLabel(this);
  imgLogotipo->setObjectName(QStringLiteral("imgLogotipo"));
  imgLogotipo->setPixmap(QPixmap(QStringLiteral(":/imagens/logotipo.png")));

  auto* btnSair = new lvButtons(QStringLiteral("&Sair"), style()->standardIcon(QStyle::SP_DialogCloseButton),
                                QStringLiteral("ESC - Fechar formulário"), this);
  btnSair->setObjectName(QStringLiteral("btnSair"));
  connect(btnSair, &QPushButton::clicked, this, &frmSobre::fecharTela);

  auto* texto = new QVBoxLayout;
  texto->addWidget(lblSistema);
  texto->addWidget(lblVersao);
  texto->addWidget(shpSobre);
  texto->addWidget(lblLocal);
  texto->addWidget(lblExecutavelSistema);
  if (lblPastaDados) {
    texto->addWidget(lblLocalDados);
    texto->addWidget(lblPastaDados);
  }
  texto->addSpacing(8);
  texto->addWidget(lblAnalise);
  texto->addWidget(lblCreditos);
  texto->addWidget(lblLicenca);
  texto->addSpacing(8);
  texto->addWidget(lblNota);
  texto->addStretch(1);
  auto* rodape = new QHBoxLayout;
  rodape->addWidget(imgLogotipo);
  rodape->addStretch(1);
  rodape->addWidget(btnSair);
  texto->addLayout(rodape);

  auto* linha = new QHBoxLayout(this);
  linha->addWidget(imgSobre);
  linha->addLayout(texto, 1);
  setFixedWidth(520);
  btnSair->setFocus();
}
