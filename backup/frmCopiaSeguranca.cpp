#include "backup/frmCopiaSeguranca.h"

#include "app/core/Conexao.h"
#include "app/core/EscolhaArquivo.h"
#include "app/core/Mensagens.h"
#include "app/core/Relogio.h"
#include "app/core/modGeral.h"
#include "backup/CopiaSeguranca.h"
#include "backup/RestauracaoBanco.h"
#include "backup/Som.h"
#include "controls/Twips.h"
#include "controls/lvButtons.h"
#include "controls/uscTextBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

const QString frmCopiaSeguranca::Extensao = QStringLiteral(".zip");

namespace {

const QString kTitulo = QStringLiteral("Cópia de segurança");
const QString kTituloEscolha = QStringLiteral("Local e nome do arquivo da cópia de segurança");
const QString kFiltro = QStringLiteral("Cópias de segurança (*.zip)|*.zip|Todos os arquivo (*.*)|*.*");
const QColor kAmarelo(255, 255, 0);

constexpr int kEsquerdaPaineis = Twips::Pixels(2640);
constexpr int kTopoPrincipal = Twips::Pixels(720);
constexpr int kTopoOperacao = Twips::Pixels(480);
constexpr int kLarguraPainel = 440;
constexpr int kAlturaPainel = 270;

QLabel* rotulo(QWidget* pai, int indice, const QString& texto) {
  auto* l = new QLabel(texto, pai);
  l->setObjectName(QStringLiteral("lblGeral_") + QString::number(indice));
  return l;
}

QLabel* tituloPainel(QWidget* pai, int indice) {
  QLabel* l = rotulo(pai, indice, kTitulo);
  QFont fonte = l->font();
  fonte.setBold(true);
  fonte.setPointSizeF(fonte.pointSizeF() * 1.4);
  l->setFont(fonte);
  return l;
}

lvButtons* botao(QWidget* pai, const QString& nome, const QString& legenda, QStyle::StandardPixmap icone,
                 const QString& dica = {}) {
  auto* b = new lvButtons(legenda, pai->style()->standardIcon(icone), dica, pai);
  b->setObjectName(nome);
  return b;
}

QFrame* quadro(QWidget* pai, const QString& nome) {
  auto* f = new QFrame(pai);
  f->setObjectName(nome);
  f->setFrameShape(QFrame::StyledPanel);
  f->setAutoFillBackground(true);
  return f;
}

// The screen's picture: the database (a cylinder) going into an archive box, drawn so that it is
// sharp at any screen scale.
QPixmap imagemCopia(int lado, qreal escala) {
  QPixmap imagem(QSize(lado, lado) * escala);
  imagem.setDevicePixelRatio(escala);
  imagem.fill(Qt::transparent);
  QPainter p(&imagem);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal u = lado / 24.0;
  // The archive box.
  p.setPen(QPen(QColor(0x8a, 0x5a, 0x1c), u * 0.6));
  p.setBrush(QColor(0xe8, 0xb0, 0x5a));
  p.drawRoundedRect(QRectF(2 * u, 13 * u, 20 * u, 9.5 * u), u, u);
  p.setBrush(QColor(0xd0, 0x94, 0x3c));
  p.drawRect(QRectF(2 * u, 13 * u, 20 * u, 2.5 * u));
  // The database above it.
  const QColor azul(0x3a, 0x6e, 0xa5);
  p.setPen(QPen(azul.darker(140), u * 0.5));
  p.setBrush(azul);
  p.drawRect(QRectF(6 * u, 3 * u, 12 * u, 6 * u));
  p.drawEllipse(QRectF(6 * u, 7 * u, 12 * u, 4 * u));
  p.setBrush(azul.lighter(140));
  p.drawEllipse(QRectF(6 * u, 1 * u, 12 * u, 4 * u));
  // The arrow into the box.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2e, 0x8b, 0x3e));
  const QPointF seta[] = {{10.5 * u, 10.5 * u}, {13.5 * u, 10.5 * u}, {13.5 * u, 14 * u}, {16 * u, 14 * u},
                          {12 * u, 19 * u},     {8 * u, 14 * u},      {10.5 * u, 14 * u}};
  p.drawPolygon(seta, 7);
  return imagem;
}

// The screen's own message of a failed operation, with the reason the operation gave on its next
// line.
QString comMotivo(const QString& mensagem, const Resultado& resultado) {
  if (resultado.erro.isEmpty())
    return mensagem;
  return mensagem + QLatin1Char('\r') + resultado.erro;
}

QHBoxLayout* linhaBotoes(lvButtons* ok, lvButtons* cancelar) {
  auto* linha = new QHBoxLayout;
  linha->addStretch(1);
  linha->addWidget(ok);
  linha->addWidget(cancelar);
  return linha;
}

}  // namespace

frmCopiaSeguranca::frmCopiaSeguranca(Contexto contexto, QWidget* parent) : TelaModal(parent), contexto_(contexto) {
  setObjectName(QStringLiteral("frmCopiaSeguranca"));
  setWindowTitle(kTitulo);
  setFixedSize(kEsquerdaPaineis + kLarguraPainel + 16, kTopoOperacao + kAlturaPainel + 16);

  auto* imgBKP = new QLabel(this);
  imgBKP->setObjectName(QStringLiteral("imgBKP"));
  imgBKP->setPixmap(imagemCopia(96, devicePixelRatioF()));
  imgBKP->setAlignment(Qt::AlignCenter);
  imgBKP->setGeometry(16, kTopoPrincipal, kEsquerdaPaineis - 32, 128);

  criarPainelPrincipal();
  criarPainel(realizar_, QStringLiteral("Rea"), 2, QStringLiteral("Local onde será gravada a cópia de segurança"),
              QStringLiteral("Indicar o local para realizar a cópia de segurança"),
              QStringLiteral("REALIZAR CÓPIA DE SEGURANÇA"));
  criarPainel(restaurar_, QStringLiteral("Res"), 6, QStringLiteral("Local onde está gravada a cópia de segurança"),
              QStringLiteral("Indicar o local onde está a cópia de segurança"),
              QStringLiteral("RESTAURAR CÓPIA DE SEGURANÇA"));
  realizar_.fra->setObjectName(QStringLiteral("fraRealizar"));
  restaurar_.fra->setObjectName(QStringLiteral("fraRestaurar"));

  connect(realizar_.btnLocal, &QPushButton::clicked, this, [this] { procurar(realizar_, true); });
  connect(restaurar_.btnLocal, &QPushButton::clicked, this, [this] { procurar(restaurar_, false); });
  connect(realizar_.btnOK, &QPushButton::clicked, this, &frmCopiaSeguranca::btnReaOK_Click);
  connect(restaurar_.btnOK, &QPushButton::clicked, this, &frmCopiaSeguranca::btnResOK_Click);
  connect(realizar_.btnCancelar, &QPushButton::clicked, this, [this] { voltarAoPrincipal(realizar_); });
  connect(restaurar_.btnCancelar, &QPushButton::clicked, this, [this] { voltarAoPrincipal(restaurar_); });
}

void frmCopiaSeguranca::criarPainelPrincipal() {
  fraPrincipal_ = quadro(this, QStringLiteral("fraPrincipal"));
  fraPrincipal_->setGeometry(kEsquerdaPaineis, kTopoPrincipal, kLarguraPainel, kAlturaPainel - 2 * kTopoOperacao);
  auto* coluna = new QVBoxLayout(fraPrincipal_);
  coluna->addWidget(tituloPainel(fraPrincipal_, 0));
  coluna->addWidget(rotulo(fraPrincipal_, 1, QStringLiteral("Selecione a operação que deseja realizar")));
  const QString legendas[2] = {QStringLiteral("Realizar cópia de segurança"),
                               QStringLiteral("Restaurar cópia de segurança")};
  for (int i = 0; i < 2; ++i) {
    optOperacao_[i] = new QRadioButton(legendas[i], fraPrincipal_);
    optOperacao_[i]->setObjectName(QStringLiteral("optOperacao_") + QString::number(i));
    coluna->addWidget(optOperacao_[i]);
  }
  coluna->addStretch(1);
  btnPrincOK_ =
      botao(fraPrincipal_, QStringLiteral("btnPrincOK"), QStringLiteral("&Realizar"), QStyle::SP_DialogApplyButton);
  btnPrincCancelar_ = botao(fraPrincipal_, QStringLiteral("btnPrincCancelar"), QStringLiteral("&Cancelar"),
                            QStyle::SP_DialogCancelButton);
  coluna->addLayout(linhaBotoes(btnPrincOK_, btnPrincCancelar_));

  connect(optOperacao_[0], &QRadioButton::clicked, this, [this] { btnPrincOK_->setText(QStringLiteral("&Realizar")); });
  connect(optOperacao_[1], &QRadioButton::clicked, this,
          [this] { btnPrincOK_->setText(QStringLiteral("&Restaurar")); });
  connect(btnPrincOK_, &QPushButton::clicked, this, &frmCopiaSeguranca::escolherOperacao);
  connect(btnPrincCancelar_, &QPushButton::clicked, this, &frmCopiaSeguranca::fecharTela);
}

void frmCopiaSeguranca::criarPainel(Painel& painel, const QString& sufixo, int primeiroRotulo,
                                    const QString& rotuloLocal, const QString& dicaLocal, const QString& repouso) {
  painel.fra = quadro(this, QString());
  painel.fra->setGeometry(kEsquerdaPaineis, kTopoOperacao, kLarguraPainel, kAlturaPainel);
  painel.fra->hide();
  painel.repouso = repouso;
  auto* coluna = new QVBoxLayout(painel.fra);
  coluna->addWidget(tituloPainel(painel.fra, primeiroRotulo));

  painel.status = rotulo(painel.fra, primeiroRotulo + 1, repouso);
  painel.status->setAlignment(Qt::AlignCenter);
  painel.status->setFrameShape(QFrame::Panel);
  painel.status->setFrameShadow(QFrame::Sunken);
  painel.status->setAutoFillBackground(true);
  painel.status->setMinimumHeight(28);
  QFont negrito = painel.status->font();
  negrito.setBold(true);
  painel.status->setFont(negrito);
  coluna->addWidget(painel.status);
  colorirStatus(painel, false);

  coluna->addWidget(rotulo(painel.fra, primeiroRotulo + 2, rotuloLocal));
  auto* linhaLocal = new QHBoxLayout;
  painel.txtLocal = new QLineEdit(painel.fra);
  painel.txtLocal->setObjectName(QStringLiteral("txtLocal") + sufixo + QStringLiteral("BKP"));
  painel.btnLocal = botao(painel.fra, QStringLiteral("btn") + sufixo + QStringLiteral("LocalBKP"), QString(),
                          QStyle::SP_DirOpenIcon, dicaLocal);
  linhaLocal->addWidget(painel.txtLocal, 1);
  linhaLocal->addWidget(painel.btnLocal);
  coluna->addLayout(linhaLocal);

  coluna->addWidget(rotulo(painel.fra, primeiroRotulo + 3, QStringLiteral("Nome do arquivo da cópia de segurança")));
  painel.txtNome = new uscTextBox(painel.fra);
  painel.txtNome->setObjectName(QStringLiteral("txt") + sufixo + QStringLiteral("NomeBKP"));
  coluna->addWidget(painel.txtNome);
  coluna->addStretch(1);

  painel.btnOK = botao(painel.fra, QStringLiteral("btn") + sufixo + QStringLiteral("OK"), QStringLiteral("&OK"),
                       QStyle::SP_DialogOkButton);
  painel.btnCancelar = botao(painel.fra, QStringLiteral("btn") + sufixo + QStringLiteral("Cancelar"),
                             QStringLiteral("&Cancelar"), QStyle::SP_DialogCancelButton);
  coluna->addLayout(linhaBotoes(painel.btnOK, painel.btnCancelar));
}

void frmCopiaSeguranca::escolherOperacao() {
  if (optOperacao_[0]->isChecked()) {
    mostrarPainel(realizar_);
    PrepararCopia();
    realizar_.btnLocal->setFocus();
  } else if (optOperacao_[1]->isChecked()) {
    mostrarPainel(restaurar_);
    PrepararRestauracao();
    restaurar_.btnLocal->setFocus();
  }
}

void frmCopiaSeguranca::mostrarPainel(Painel& painel) {
  fraPrincipal_->hide();
  painel.fra->show();
}

void frmCopiaSeguranca::voltarAoPrincipal(Painel& painel) {
  painel.fra->hide();
  fraPrincipal_->show();
  optOperacao_[0]->setFocus();
}

namespace {

QString pastaProposta() {
  return modGeral::LerIni(QStringLiteral("copiaseguranca"), QStringLiteral("local"), modGeral::CaminhoBackup(),
                          modGeral::ArquivoIni())
      .trimmed();
}

}  // namespace

void frmCopiaSeguranca::PrepararCopia() {
  realizar_.txtLocal->setText(pastaProposta());
  nomeGerado_ = QStringLiteral("BKP_Talonix_") + contexto_.relogio->agora().toString(QStringLiteral("ddMMyyyyHHmmss"));
  realizar_.txtNome->setText(nomeGerado_);
}

void frmCopiaSeguranca::PrepararRestauracao() {
  restaurar_.txtLocal->setText(pastaProposta());
}

void frmCopiaSeguranca::procurar(Painel& painel, bool salvar) {
  const QString escolhido =
      contexto_.escolhaArquivo
          ->EscolherArquivo(this, salvar ? ModoArquivo::Salvar : ModoArquivo::Abrir, kTituloEscolha,
                            painel.txtNome->Text(), kFiltro, painel.txtLocal->text(), QStringLiteral("zip"))
          .trimmed();
  if (escolhido.isEmpty() || escolhido.right(3).toUpper() != QLatin1String("ZIP"))
    return;
  const qsizetype barra = escolhido.lastIndexOf(QLatin1Char('/'));
  const QString arquivo = escolhido.mid(barra + 1);
  // The name keeps the case it was chosen with, and so does its ending: on a file system that
  // tells case apart, "Copia.ZIP" is not "Copia.zip".
  painel.nomeEscolhido = arquivo.left(arquivo.size() - 4);
  painel.extensaoEscolhida = arquivo.right(4);
  painel.txtNome->setText(painel.nomeEscolhido);
  if (barra >= 0)
    painel.txtLocal->setText(barra == 0 ? QStringLiteral("/") : escolhido.left(barra).trimmed());
}

QString frmCopiaSeguranca::caminhoArquivo(Painel& painel, const Textos& textos, bool nomeGerado) {
  const QString local = painel.txtLocal->text().trimmed();
  if (local.isEmpty() || !QFileInfo(local).isDir()) {
    contexto_.mensagens->informar(local.isEmpty() ? textos.localVazio : textos.localInexistente, kTitulo);
    painel.txtLocal->setFocus();
    return {};
  }
  QString nome = painel.txtNome->Text().trimmed();
  if (nome.isEmpty()) {
    contexto_.mensagens->informar(textos.nomeVazio, kTitulo);
    painel.txtNome->Focar();
    return {};
  }
  QString extensao = Extensao;
  if (nomeGerado && nome == nomeGerado_)
    nome = nome.toLower();  // the name the program made up is written in lower case, browsed or not
  else if (!painel.nomeEscolhido.isEmpty() && nome == painel.nomeEscolhido)
    extensao = painel.extensaoEscolhida;
  return modGeral::JuntarCaminho(local, nome + extensao);
}

void frmCopiaSeguranca::btnReaOK_Click() {
  static const Textos textos{
      QStringLiteral("O local informado para a gravação da cópia de segurança não existe."),
      QStringLiteral("Informe o local de gravação da cópia de segurança."),
      QStringLiteral("Informe o nome do arquivo da cópia de segurança."),
      QStringLiteral("REALIZANDO CÓPIA DE SEGURANÇA"),
      QStringLiteral("CÓPIA DE SEGURANÇA REALIZADA"),
  };
  const QString arquivo = caminhoArquivo(realizar_, textos, true);
  if (arquivo.isEmpty())
    return;
  const bool feita = executar(realizar_, textos, true, [&] {
    const Resultado resultado = CopiaSeguranca::Realizar(arquivo);
    if (!resultado)
      contexto_.mensagens->mostrar(comMotivo(arquivo + QStringLiteral("\rErro ao compactar o arquivo"), resultado),
                                   QString(), Icone::Critico);
    return resultado.ok;
  });
  modGeral::GravarIni(QStringLiteral("copiaseguranca"), QStringLiteral("local"), realizar_.txtLocal->text().trimmed(),
                      modGeral::ArquivoIni());
  if (feita)
    contexto_.mensagens->informar(QStringLiteral("A cópia de segurança foi realizada com sucesso."), kTitulo);
}

void frmCopiaSeguranca::btnResOK_Click() {
  static const Textos textos{
      QStringLiteral("O local informado para a leitura da cópia de segurança não existe."),
      QStringLiteral("Informe o local de leitura da cópia de segurança."),
      QStringLiteral("Informe o nome do arquivo da cópia de segurança a restaurar."),
      QStringLiteral("RESTAURANDO CÓPIA DE SEGURANÇA"),
      QStringLiteral("CÓPIA DE SEGURANÇA RESTAURADA"),
  };
  const QString arquivo = caminhoArquivo(restaurar_, textos, false);
  if (arquivo.isEmpty())
    return;
  if (!QFileInfo(arquivo).isFile()) {
    contexto_.mensagens->informar(
        QStringLiteral("O arquivo da cópia de segurança selecionado para restaurar não foi localizado."), kTitulo);
    restaurar_.txtNome->Focar();
    return;
  }
  // Nothing of the archive takes the place of the database before it has been read whole and
  // found to be a Talonix database.
  const bool feita = executar(restaurar_, textos, false, [&] {
    const Resultado resultado = RestauracaoBanco::RestaurarBanco(arquivo);
    if (!resultado)
      contexto_.mensagens->mostrar(
          comMotivo(QStringLiteral("Problema ao descompactar a cópia de segurança."), resultado),
          QStringLiteral("UnZip"), Icone::Critico);
    return resultado.ok;
  });
  if (feita)
    contexto_.mensagens->informar(QStringLiteral("A cópia de segurança foi restaurada com sucesso."), kTitulo);
}

bool frmCopiaSeguranca::executar(Painel& painel, const Textos& textos, bool pausaAntesDeTrabalhar,
                                 const std::function<bool()>& operacao) {
  const QList<QWidget*> botoes = {painel.btnOK, painel.btnCancelar, painel.btnLocal};
  for (QWidget* b : botoes)
    b->setEnabled(false);
  status(painel, QStringLiteral("FECHANDO CONEXÃO COM BASE DE DADOS"));
  aguardar(1);
  Conexao::FecharConexao();
  if (pausaAntesDeTrabalhar)
    aguardar(1);
  status(painel, textos.trabalhando);
  colorirStatus(painel, true);
  if (!pausaAntesDeTrabalhar)
    aguardar(1);

  const bool feita = operacao();
  if (feita)
    status(painel, textos.concluida);

  colorirStatus(painel, false);
  aguardar(1);
  const Resultado aberta = Conexao::AbrirConexao();
  if (!aberta) {
    // Without its database the program cannot go on: it says why and ends.
    contexto_.mensagens->falhar(aberta.erro, aberta.numero, QStringLiteral("Não foi possível abrir o banco de dados"));
    QCoreApplication::exit(1);
    fecharTela();
    return false;
  }
  status(painel, QStringLiteral("ABRINDO CONEXÃO COM O BANCO DE DADOS"));
  aguardar(3);
  status(painel, painel.repouso);
  if (feita)
    contexto_.som->TocarSom(modGeral::JuntarCaminho(modGeral::PastaSom(), QStringLiteral("sucesso.wav")));
  for (QWidget* b : botoes)
    b->setEnabled(true);
  return feita;
}

void frmCopiaSeguranca::status(Painel& painel, const QString& texto) {
  painel.status->setText(texto);
  painel.status->repaint();
}

void frmCopiaSeguranca::colorirStatus(Painel& painel, bool trabalhando) {
  QPalette paleta = painel.status->palette();
  paleta.setColor(QPalette::Window, trabalhando ? kAmarelo : QApplication::palette().color(QPalette::Window));
  painel.status->setPalette(paleta);
  painel.status->repaint();
}

void frmCopiaSeguranca::aguardar(double segundos) {
  modGeral::Aguardar(segundos, true, *contexto_.relogio);
}

bool frmCopiaSeguranca::escFecha() const {
  return fraPrincipal_->isVisible();
}
