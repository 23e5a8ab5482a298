#include "reports/preview/VisualizadorRelatorio.h"

#include "app/core/Mensagens.h"
#include "reports/engine/Relatorio.h"
#include "reports/preview/ExportacaoPdf.h"
#include "reports/preview/PaginaRelatorio.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kZooms[] = {25, 50, 75, 90, 100, 130, 150, 200, 300, 400};
constexpr int kZoomMinimo = 10;
constexpr int kZoomMaximo = 400;
const QString kLargura = QStringLiteral("Largura da página");
const QString kPaginaInteira = QStringLiteral("Página inteira");
constexpr int kFolga = 24;  // grey space around the page

}  // namespace

VisualizadorRelatorio::VisualizadorRelatorio(Contexto contexto, QWidget* parent)
    : QWidget(parent), contexto_(contexto) {
  setObjectName(QStringLiteral("prvRelatorio"));
  setFocusPolicy(Qt::StrongFocus);
  auto* coluna = new QVBoxLayout(this);
  coluna->setContentsMargins(0, 0, 0, 0);
  coluna->setSpacing(0);
  criarBarra();
  coluna->addWidget(barra_);

  lblAviso_ = new QLabel(this);
  lblAviso_->setObjectName(QStringLiteral("lblAviso"));
  lblAviso_->setWordWrap(true);
  lblAviso_->setStyleSheet(
      QStringLiteral("background:#fff4ce; color:#5c4400; padding:6px 10px; "
                     "border-bottom:1px solid #e0c97a;"));
  lblAviso_->hide();
  coluna->addWidget(lblAviso_);

  rolagem_ = new QScrollArea(this);
  rolagem_->setObjectName(QStringLiteral("rolPagina"));
  rolagem_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  rolagem_->setBackgroundRole(QPalette::Dark);
  rolagem_->setStyleSheet(QStringLiteral("QScrollArea { background:#7d8996; border:none; }"));
  folha_ = new PaginaRelatorio;
  folha_->setObjectName(QStringLiteral("pagRelatorio"));
  auto* fundo = new QWidget;
  fundo->setStyleSheet(QStringLiteral("background:#7d8996;"));
  auto* centro = new QVBoxLayout(fundo);
  centro->setContentsMargins(kFolga, kFolga, kFolga, kFolga);
  centro->addWidget(folha_, 0, Qt::AlignHCenter | Qt::AlignTop);
  rolagem_->setWidget(fundo);
  rolagem_->setWidgetResizable(true);
  coluna->addWidget(rolagem_, 1);
  connect(folha_, &PaginaRelatorio::paginaDesenhada, this, [this](int p) { emit paginaMostrada(p + 1); });
}

VisualizadorRelatorio::~VisualizadorRelatorio() = default;

QToolButton* VisualizadorRelatorio::botao(const char* nome, const QString& dica, const QIcon& icone,
                                          void (VisualizadorRelatorio::*acao)()) {
  auto* b = new QToolButton(barra_);
  b->setObjectName(QString::fromLatin1(nome));
  b->setToolTip(dica);
  b->setAutoRaise(true);
  if (icone.isNull()) {
    b->setText(dica);
  } else {
    b->setIcon(icone);
    b->setText(dica);
  }
  connect(b, &QToolButton::clicked, this, acao);
  barra_->layout()->addWidget(b);
  return b;
}

void VisualizadorRelatorio::criarBarra() {
  barra_ = new QWidget(this);
  barra_->setObjectName(QStringLiteral("barraVisualizador"));
  auto* linha = new QHBoxLayout(barra_);
  linha->setContentsMargins(6, 3, 6, 3);
  linha->setSpacing(2);
  const QStyle* s = style();

  botao("btnPrimeiraPagina", QStringLiteral("Primeira página"), s->standardIcon(QStyle::SP_MediaSkipBackward),
        &VisualizadorRelatorio::PrimeiraPagina);
  botao("btnPaginaAnterior", QStringLiteral("Página anterior"), s->standardIcon(QStyle::SP_MediaSeekBackward),
        &VisualizadorRelatorio::PaginaAnterior);
  txtPagina_ = new QSpinBox(barra_);
  txtPagina_->setObjectName(QStringLiteral("txtPagina"));
  txtPagina_->setButtonSymbols(QAbstractSpinBox::NoButtons);
  txtPagina_->setAlignment(Qt::AlignRight);
  txtPagina_->setKeyboardTracking(false);
  txtPagina_->setMinimumWidth(56);
  txtPagina_->setToolTip(QStringLiteral("Número da página"));
  linha->addWidget(txtPagina_);
  lblTotal_ = new QLabel(barra_);
  lblTotal_->setObjectName(QStringLiteral("lblTotalPaginas"));
  linha->addWidget(lblTotal_);
  connect(txtPagina_, &QSpinBox::valueChanged, this, [this](int p) { IrParaPagina(p); });
  botao("btnProximaPagina", QStringLiteral("Próxima página"), s->standardIcon(QStyle::SP_MediaSeekForward),
        &VisualizadorRelatorio::ProximaPagina);
  botao("btnUltimaPagina", QStringLiteral("Última página"), s->standardIcon(QStyle::SP_MediaSkipForward),
        &VisualizadorRelatorio::UltimaPagina);
  linha->addSpacing(16);

  botao("btnDiminuirZoom", QStringLiteral("Diminuir"), QIcon(), &VisualizadorRelatorio::DiminuirZoom)
      ->setText(QStringLiteral("−"));
  cboZoom_ = new QComboBox(barra_);
  cboZoom_->setObjectName(QStringLiteral("cboZoom"));
  cboZoom_->setEditable(true);
  cboZoom_->setInsertPolicy(QComboBox::NoInsert);
  cboZoom_->setToolTip(QStringLiteral("Zoom"));
  for (int z : kZooms)
    cboZoom_->addItem(QStringLiteral("%1%").arg(z));
  cboZoom_->addItem(kLargura);
  cboZoom_->addItem(kPaginaInteira);
  cboZoom_->setMinimumContentsLength(14);
  linha->addWidget(cboZoom_);
  connect(cboZoom_, &QComboBox::activated, this, [this](int) { aplicarZoomDigitado(); });
  connect(cboZoom_->lineEdit(), &QLineEdit::returnPressed, this, &VisualizadorRelatorio::aplicarZoomDigitado);
  botao("btnAumentarZoom", QStringLiteral("Aumentar"), QIcon(), &VisualizadorRelatorio::AumentarZoom)
      ->setText(QStringLiteral("+"));
  linha->addStretch(1);

  auto* imprimir = botao("btnImprimir", QStringLiteral("Imprimir..."),
                         QIcon::fromTheme(QStringLiteral("document-print")), &VisualizadorRelatorio::Imprimir);
  imprimir->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  auto* exportar = botao("btnExportarPdf", QStringLiteral("Exportar PDF..."),
                         QIcon::fromTheme(QStringLiteral("document-save-as")), &VisualizadorRelatorio::ExportarPdf);
  exportar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  linha->addSpacing(16);
  auto* fechar = botao("btnFechar", QStringLiteral("Fechar"), QIcon::fromTheme(QStringLiteral("window-close")),
                       &VisualizadorRelatorio::fecharPedido);
  fechar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  fechar->setToolTip(QStringLiteral("Fechar a visualização (Esc)"));
}

void VisualizadorRelatorio::DefinirRelatorio(std::shared_ptr<Relatorio> relatorio) {
  relatorio_ = std::move(relatorio);
  pagina_ = 1;
}

Resultado VisualizadorRelatorio::VerRelatorio() {
  if (!relatorio_)
    return Resultado::falha(QStringLiteral("Nenhum relatório para visualizar."));
  if (!relatorio_->preparado())
    if (Resultado r = relatorio_->Preparar(); !r)
      return r;
  lblAviso_->setText(relatorio_->avisos().join(QLatin1Char('\n')));
  lblAviso_->setVisible(!relatorio_->avisos().isEmpty());
  pagina_ = 1;
  atualizar();
  return Resultado::sucesso();
}

int VisualizadorRelatorio::quantasPaginas() const {
  return relatorio_ && relatorio_->preparado() ? relatorio_->quantasPaginas() : 0;
}

double VisualizadorRelatorio::escala() const {
  if (!relatorio_)
    return 1;
  const QSizeF pagina = relatorio_->tamanhoPagina();
  const QSize area = rolagem_->viewport()->size() - QSize(2 * kFolga + 4, 2 * kFolga + 4);
  if (ajuste_ == Ajuste::Largura)
    return std::max(0.05, area.width() / pagina.width());
  if (ajuste_ == Ajuste::Pagina)
    return std::max(0.05, std::min(area.width() / pagina.width(), area.height() / pagina.height()));
  return zoom_ / 100.0 * logicalDpiX() / 720.0;
}

void VisualizadorRelatorio::atualizar() {
  const int total = quantasPaginas();
  pagina_ = std::clamp(pagina_, 1, std::max(total, 1));
  {
    const QSignalBlocker bloqueio(txtPagina_);
    txtPagina_->setRange(total > 0 ? 1 : 0, total);
    txtPagina_->setValue(total > 0 ? pagina_ : 0);
  }
  lblTotal_->setText(QStringLiteral(" de %1 ").arg(total));
  if (ajuste_ != Ajuste::Nenhum)
    zoom_ = qRound(escala() * 720.0 / logicalDpiX() * 100.0);
  if (!cboZoom_->lineEdit()->hasFocus())
    cboZoom_->setEditText(ajuste_ == Ajuste::Largura  ? kLargura
                          : ajuste_ == Ajuste::Pagina ? kPaginaInteira
                                                      : QStringLiteral("%1%").arg(zoom_));
  if (total > 0)
    folha_->definir(relatorio_, pagina_ - 1, escala());
}

void VisualizadorRelatorio::Zoom(int percentual) {
  ajuste_ = Ajuste::Nenhum;
  zoom_ = std::clamp(percentual, kZoomMinimo, kZoomMaximo);
  atualizar();
}

void VisualizadorRelatorio::aplicarZoomDigitado() {
  const QString texto = cboZoom_->currentText().trimmed();
  if (texto == kLargura) {
    AjustarLargura();
    return;
  }
  if (texto == kPaginaInteira) {
    AjustarPagina();
    return;
  }
  bool ok = false;
  const int valor = QString(texto).remove(QLatin1Char('%')).trimmed().toInt(&ok);
  if (ok)
    Zoom(valor);
  else
    atualizar();
}

void VisualizadorRelatorio::PrimeiraPagina() {
  IrParaPagina(1);
}
void VisualizadorRelatorio::PaginaAnterior() {
  IrParaPagina(pagina_ - 1);
}
void VisualizadorRelatorio::ProximaPagina() {
  IrParaPagina(pagina_ + 1);
}
void VisualizadorRelatorio::UltimaPagina() {
  IrParaPagina(quantasPaginas());
}

void VisualizadorRelatorio::IrParaPagina(int pagina) {
  pagina_ = pagina;
  atualizar();
  rolagem_->verticalScrollBar()->setValue(0);
}

void VisualizadorRelatorio::AumentarZoom() {
  for (int z : kZooms)
    if (z > zoom_) {
      Zoom(z);
      return;
    }
}

void VisualizadorRelatorio::DiminuirZoom() {
  for (auto it = std::rbegin(kZooms); it != std::rend(kZooms); ++it)
    if (*it < zoom_) {
      Zoom(*it);
      return;
    }
}

void VisualizadorRelatorio::AjustarLargura() {
  ajuste_ = Ajuste::Largura;
  atualizar();
}

void VisualizadorRelatorio::AjustarPagina() {
  ajuste_ = Ajuste::Pagina;
  atualizar();
}

void VisualizadorRelatorio::resizeEvent(QResizeEvent* evento) {
  QWidget::resizeEvent(evento);
  if (ajuste_ != Ajuste::Nenhum)
    atualizar();
}

Resultado VisualizadorRelatorio::ImprimirEm(QPrinter& impressora) {
  if (quantasPaginas() == 0)
    return Resultado::falha(QStringLiteral("Não há páginas para imprimir."));
  int primeira = 0;
  int ultima = quantasPaginas() - 1;
  if (impressora.printRange() == QPrinter::PageRange) {
    primeira = impressora.fromPage() - 1;
    ultima = impressora.toPage() - 1;
  } else if (impressora.printRange() == QPrinter::CurrentPage) {
    primeira = ultima = pagina_ - 1;
  }
  return relatorio_->Imprimir(impressora, primeira, ultima);
}

void VisualizadorRelatorio::Imprimir() {
  if (quantasPaginas() == 0)
    return;
  QPrinter impressora(QPrinter::HighResolution);
  impressora.setPageLayout(relatorio_->layoutPagina());
  impressora.setFullPage(true);
  impressora.setDocName(relatorio_->titulo());
  QPrintDialog dialogo(&impressora, this);
  dialogo.setWindowTitle(QStringLiteral("Imprimir"));
  dialogo.setMinMax(1, quantasPaginas());
  dialogo.setOption(QAbstractPrintDialog::PrintCurrentPage);
  if (dialogo.exec() != QDialog::Accepted)
    return;
  if (Resultado r = ImprimirEm(impressora); !r)
    contexto_.mensagens->mostrar(r.erro, QStringLiteral("Imprimir"), Icone::Critico);
}

void VisualizadorRelatorio::ExportarPdf() {
  if (quantasPaginas() > 0)
    ExportacaoPdf::Exportar(this, contexto_, *relatorio_, nomePdf_);
}

void VisualizadorRelatorio::keyPressEvent(QKeyEvent* evento) {
  const bool ctrl = evento->modifiers() & Qt::ControlModifier;
  switch (evento->key()) {
  case Qt::Key_PageDown:
    ProximaPagina();
    return;
  case Qt::Key_PageUp:
    PaginaAnterior();
    return;
  case Qt::Key_Home:
    if (ctrl) {
      PrimeiraPagina();
      return;
    }
    break;
  case Qt::Key_End:
    if (ctrl) {
      UltimaPagina();
      return;
    }
    break;
  case Qt::Key_Plus:
  case Qt::Key_Equal:
    if (ctrl) {
      AumentarZoom();
      return;
    }
    break;
  case Qt::Key_Minus:
    if (ctrl) {
      DiminuirZoom();
      return;
    }
    break;
  case Qt::Key_P:
    if (ctrl) {
      Imprimir();
      return;
    }
    break;
  default:
    break;
  }
  QWidget::keyPressEvent(evento);
}
