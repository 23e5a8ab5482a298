#include "app/mdiPrincipal.h"

#include "about/frmSobre.h"
#include "app/Icones.h"
#include "app/core/Compactacao.h"
#include "app/core/Conexao.h"
#include "app/core/Mensagens.h"
#include "backup/frmCopiaSeguranca.h"
#include "controls/TelaFilha.h"
#include "controls/Twips.h"
#include "receipts/frmRecibo2.h"
#include "registries/frmPessoa.h"
#include "registries/frmReferente.h"
#include "reports/frmRelDeclaracaoAnual.h"
#include "reports/frmRelPessoaCadastrada.h"
#include "reports/frmRelReciboImpresso.h"
#include "reports/frmRelReferenteCadastrado.h"
#include "reports/frmRelRendimentoMensal.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kLargura = Twips::Pixels(12240);
constexpr int kAltura = Twips::Pixels(9135);

QAction* entrada(QMenu* menu, const QString& texto, const char* nome) {
  QAction* acao = menu->addAction(texto);
  acao->setObjectName(QString::fromLatin1(nome));
  return acao;
}

QMenu* submenu(QMenuBar* barra, const QString& texto, const char* nome) {
  QMenu* menu = barra->addMenu(texto);
  menu->setObjectName(QString::fromLatin1(nome));
  menu->menuAction()->setObjectName(QString::fromLatin1(nome));
  return menu;
}

}  // namespace

mdiPrincipal::mdiPrincipal(Contexto contexto, QWidget* parent) : QMainWindow(parent), contexto_(contexto) {
  setObjectName(QStringLiteral("mdiPrincipal"));
  setWindowTitle(QStringLiteral("Talonix"));
  setWindowIcon(Icones::Programa());
  resize(kLargura, kAltura);

  auto* centro = new QWidget(this);
  auto* coluna = new QVBoxLayout(centro);
  coluna->setContentsMargins(0, 0, 0, 0);
  coluna->setSpacing(0);
  mdiArea_ = new QMdiArea(centro);
  mdiArea_->setObjectName(QStringLiteral("mdiArea"));
  mdiArea_->setBackground(QColor(0x5a, 0x6e, 0x82));
  coluna->addWidget(mdiArea_, 1);
  setCentralWidget(centro);

  criarMenus();
  criarBarraFerramentas();
  criarFaixaInferior();
  coluna->addWidget(picPrincipal_);
}

void mdiPrincipal::criarMenus() {
  QMenuBar* barra = menuBar();

  QMenu* cadastro = submenu(barra, QStringLiteral("&Cadastro"), "mnuCadastro");
  QAction* pessoa = entrada(cadastro, QStringLiteral("&Pessoa"), "mnuCadastroPessoa");
  QAction* referente = entrada(cadastro, QStringLiteral("&Referente"), "mnuCadastroReferente");

  QMenu* recibo = submenu(barra, QStringLiteral("&Emissão"), "mnuRecibo");
  QAction* emissao = entrada(recibo, QStringLiteral("&Recibo comercial"), "mnuReciboEmissao");

  QMenu* relatorio = submenu(barra, QStringLiteral("&Relatório"), "mnuRelatorio");
  QAction* relPessoa = entrada(relatorio, QStringLiteral("&Pessoas cadastradas"), "mnuRelatorioPessoa");
  QAction* relReferente = entrada(relatorio, QStringLiteral("Re&ferentes cadastrados"), "mnuRelatorioReferentes");
  QMenu* impressos = relatorio->addMenu(QStringLiteral("&Recibos impressos"));
  impressos->setObjectName(QStringLiteral("mnuRelatorioReciboImpresso"));
  impressos->menuAction()->setObjectName(QStringLiteral("mnuRelatorioReciboImpresso"));
  QAction* relRecibo =
      entrada(impressos, QStringLiteral("Recibo &comercial"), "mnuRelatorioReciboImpressoReciboComercial");
  QAction* relDeclaracao =
      entrada(relatorio, QStringLiteral("&Declaração anual de pagamentos"), "mnuRelatorioDeclaracaoAnual");
  QAction* relRendimentos = entrada(relatorio, QStringLiteral("Rendimentos &mensais"), "mnuRelatorioRendimentoMensal");

  QMenu* sistema = submenu(barra, QStringLiteral("&Sistema"), "mnuSistema");
  QAction* sobre = entrada(sistema, QStringLiteral("So&bre"), "mnuSobre");
  QAction* compactar = entrada(sistema, QStringLiteral("Compactar &banco de dados"), "mnuSistemaCompactarBD");
  QAction* copia = entrada(sistema, QStringLiteral("&Cópia de segurança"), "mnuSistemaBKP");
  QAction* sair = entrada(sistema, QStringLiteral("Sa&ir"), "mnuSair");

  connect(pessoa, &QAction::triggered, this, &mdiPrincipal::MostrarPessoa);
  connect(referente, &QAction::triggered, this, &mdiPrincipal::MostrarReferente);
  connect(emissao, &QAction::triggered, this, &mdiPrincipal::MostrarRecibo);
  connect(relPessoa, &QAction::triggered, this,
          [this] { mostrarTela(frmRelPessoaCadastrada_, [this] { return new frmRelPessoaCadastrada(contexto_); }); });
  connect(relReferente, &QAction::triggered, this, [this] {
    mostrarTela(frmRelReferenteCadastrado_, [this] { return new frmRelReferenteCadastrado(contexto_); });
  });
  connect(relRecibo, &QAction::triggered, this,
          [this] { mostrarTela(frmRelReciboImpresso_, [this] { return new frmRelReciboImpresso(contexto_); }); });
  connect(relDeclaracao, &QAction::triggered, this,
          [this] { mostrarTela(frmRelDeclaracaoAnual_, [this] { return new frmRelDeclaracaoAnual(contexto_); }); });
  connect(relRendimentos, &QAction::triggered, this,
          [this] { mostrarTela(frmRelRendimentoMensal_, [this] { return new frmRelRendimentoMensal(contexto_); }); });
  connect(sobre, &QAction::triggered, this,
          [this] { mostrarModal(frmSobre_, [this] { return new frmSobre(contexto_, this); }); });
  connect(compactar, &QAction::triggered, this, &mdiPrincipal::CompactarBancoDados);
  connect(copia, &QAction::triggered, this,
          [this] { mostrarModal(frmCopiaSeguranca_, [this] { return new frmCopiaSeguranca(contexto_, this); }); });
  connect(sair, &QAction::triggered, this, &mdiPrincipal::Sair);
}

void mdiPrincipal::criarBarraFerramentas() {
  imlPrincipal_ = Icones::ListaPrincipal();
  tobPrincipal_ = addToolBar(QStringLiteral("Principal"));
  tobPrincipal_->setObjectName(QStringLiteral("tobPrincipal"));
  tobPrincipal_->setMovable(false);
  tobPrincipal_->setIconSize(QSize(24, 24));
  tobPrincipal_->setToolButtonStyle(Qt::ToolButtonIconOnly);

  // Button, picture of the image list, and the menu entry whose handler it runs.
  struct Botao {
    int indice;
    int imagem;
    const char* entradaMenu;
  };
  const Botao botoes[] = {{1, 1, "mnuCadastroPessoa"}, {2, 3, "mnuCadastroReferente"}, {4, 2, "mnuReciboEmissao"}};
  for (const Botao& b : botoes) {
    if (b.indice == 4)
      tobPrincipal_->addSeparator()->setObjectName(QStringLiteral("tobPrincipal_3"));
    auto* menu = findChild<QAction*>(QString::fromLatin1(b.entradaMenu));
    QAction* botao = tobPrincipal_->addAction(imlPrincipal_.at(b.imagem - 1), menu->text().remove(QLatin1Char('&')));
    botao->setObjectName(QStringLiteral("tobPrincipal_") + QString::number(b.indice));
    botao->setEnabled(menu->isEnabled());
    connect(menu, &QAction::enabledChanged, botao, &QAction::setEnabled);
    connect(botao, &QAction::triggered, menu, &QAction::trigger);
  }
}

void mdiPrincipal::criarFaixaInferior() {
  picPrincipal_ = new QWidget(this);
  picPrincipal_->setObjectName(QStringLiteral("picPrincipal"));
  auto* linha = new QHBoxLayout(picPrincipal_);
  linha->setContentsMargins(0, 0, 0, 0);
  stbPrincipal_ = new QStatusBar(picPrincipal_);
  stbPrincipal_->setObjectName(QStringLiteral("stbPrincipal"));
  stbPrincipal_->setSizeGripEnabled(false);
  // The strip lays the status bar out across its whole width.
  linha->addWidget(stbPrincipal_);
  auto* nome = new QLabel(QStringLiteral("Talonix — emissão de recibos"), stbPrincipal_);
  stbPrincipal_->addWidget(nome, 1);
  auto* data = new QLabel(
      QLocale(QLocale::Portuguese, QLocale::Brazil).toString(QDate::currentDate(), QStringLiteral("dd/MM/yyyy")),
      stbPrincipal_);
  stbPrincipal_->addPermanentWidget(data);
}

void mdiPrincipal::mostrarTela(QPointer<TelaFilha>& slot, const std::function<TelaFilha*()>& criar) {
  if (slot) {
    if (auto* janela = qobject_cast<QMdiSubWindow*>(slot->parentWidget()))
      mdiArea_->setActiveSubWindow(janela);
    slot->raise();
    return;
  }
  TelaFilha* tela = criar();
  slot = tela;
  QMdiSubWindow* janela = mdiArea_->addSubWindow(tela);
  janela->setAttribute(Qt::WA_DeleteOnClose);
  janela->setWindowIcon(tela->windowIcon());
  janela->adjustSize();
  tela->CentralizarFormulario();
  janela->show();
  tela->setFocus();
}

void mdiPrincipal::MostrarPessoa() {
  mostrarTela(frmPessoa_, [this] { return new frmPessoa(contexto_); });
}

void mdiPrincipal::MostrarReferente() {
  mostrarTela(frmReferente_, [this] { return new frmReferente(contexto_); });
}

void mdiPrincipal::MostrarRecibo() {
  mostrarTela(frmRecibo2_, [this] {
    auto* tela = new frmRecibo2(contexto_);
    // F3 on the receipt screen opens the registries, each in its one instance.
    connect(tela, &frmRecibo2::pedirTelaPessoa, this, &mdiPrincipal::MostrarPessoa);
    connect(tela, &frmRecibo2::pedirTelaReferente, this, &mdiPrincipal::MostrarReferente);
    return tela;
  });
}

void mdiPrincipal::mostrarModal(QPointer<QDialog>& slot, const std::function<QDialog*()>& criar) {
  if (!slot) {
    slot = criar();
    slot->setAttribute(Qt::WA_DeleteOnClose);
  }
  slot->exec();
}

void mdiPrincipal::Sair() {
  if (contexto_.mensagens->perguntar(QStringLiteral("Confirma o encerramento do sistema ?"), QStringLiteral("Talonix")))
    close();
}

void mdiPrincipal::CompactarBancoDados() {
  const QString titulo = QStringLiteral("Compactar banco de dados");
  const QString pergunta =
      QStringLiteral("Esta operação irá compactar a base de dados, reduzindo o tamanho do banco de dados.") +
      QStringLiteral("\r\r** ANTES DE REALIZAR ESTA OPERAÇÃO FAÇA UMA CÓPIA DE SEGURANÇA DA BASE DE DADOS **") +
      QStringLiteral("\r\rDeseja realiza a compactação do banco de dados agora ?");
  if (!contexto_.mensagens->perguntar(pergunta, titulo))
    return;
  const Resultado resultado = Compactacao::CompactarBanco();
  if (resultado)
    contexto_.mensagens->informar(QStringLiteral("Operação completada com sucesso."), titulo);
  else
    contexto_.mensagens->falhar(resultado.erro, resultado.numero,
                                QStringLiteral("Não foi possível compactar o banco de dados"));
  // The failure's text said the database could not be reopened: without it the program ends.
  if (!Conexao::Banco().isOpen())
    close();
}

void mdiPrincipal::closeEvent(QCloseEvent* evento) {
  // Closing the main window ends the program: every screen goes with it, without a question.
  for (QMdiSubWindow* janela : mdiArea_->subWindowList())
    if (auto* tela = qobject_cast<TelaFilha*>(janela->widget()))
      tela->permitirFechamento();
  mdiArea_->closeAllSubWindows();
  Conexao::FecharConexao();
  evento->accept();
}
