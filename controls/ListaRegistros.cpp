#include "controls/ListaRegistros.h"

#include "controls/AjusteTela.h"
#include "controls/ModeloRegistros.h"
#include "controls/lvButtons.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTreeView>

#include <algorithm>
#include <array>
#include <numeric>

namespace {

// How many of the widest rows of a column are measured exactly.
constexpr std::size_t kLinhasMedidas = 50;

}  // namespace

ListaRegistros::ListaRegistros(const QString& titulo, QWidget* parent)
    : QDialog(parent), modelo_(new ModeloRegistros(this)), filtro_(new QLineEdit(this)), lista_(new QTreeView(this)) {
  setWindowTitle(titulo);
  filtro_->setObjectName(QStringLiteral("txtFiltro"));
  lista_->setObjectName(QStringLiteral("lsvRegistros"));
  lista_->setModel(modelo_);
  lista_->setRootIsDecorated(false);
  lista_->setUniformRowHeights(true);
  lista_->setAllColumnsShowFocus(true);
  lista_->setSelectionBehavior(QAbstractItemView::SelectRows);
  lista_->setSelectionMode(QAbstractItemView::SingleSelection);
  lista_->setEditTriggers(QAbstractItemView::NoEditTriggers);

  auto* rotulo = new QLabel(QStringLiteral("&Localizar:"), this);
  rotulo->setBuddy(filtro_);
  auto* ok = new lvButtons(QStringLiteral("&OK"), this);
  auto* cancelar = new lvButtons(QStringLiteral("&Cancelar"), this);
  // The search box runs across the top, where the typing starts; the buttons close the list.
  auto* busca = new QHBoxLayout;
  busca->addWidget(rotulo);
  busca->addWidget(filtro_, 1);
  auto* botoes = new QHBoxLayout;
  botoes->addStretch(1);
  botoes->addWidget(ok);
  botoes->addWidget(cancelar);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(busca);
  layout->addWidget(lista_, 1);
  layout->addLayout(botoes);
  resize(560, 360);

  connect(filtro_, &QLineEdit::textChanged, this, &ListaRegistros::filtrar);
  connect(lista_, &QTreeView::doubleClicked, this, &ListaRegistros::escolher);
  connect(ok, &QPushButton::clicked, this, &ListaRegistros::escolher);
  connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
  filtro_->installEventFilter(this);
  lista_->installEventFilter(this);
}

void ListaRegistros::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  // It stays where it dropped, under its selector, as far as the screen allows.
  AjusteTela::Ajustar(this, AjusteTela::Lugar::Atual);
  filtro_->setFocus(Qt::PopupFocusReason);
}

void ListaRegistros::carregar(QSqlQuery& consulta, const QString& codigoAtual) {
  modelo_->carregar(consulta);
  const int linha = modelo_->linhaDoCodigo(codigoAtual);
  lista_->setCurrentIndex(modelo_->index(std::max(linha, 0), 0));
}

QList<int> ListaRegistros::largurasDoConteudo(const QList<int>& minimas) const {
  // Every row is ranked by the widths of its characters, which is quick on thousands of
  // people; the widest few are then measured as the list draws them.
  const QFontMetrics medida(lista_->font());
  std::array<int, 256> porCaractere{};
  porCaractere.fill(-1);
  const auto larguraAproximada = [&](const QString& texto) {
    int total = 0;
    for (const QChar c : texto) {
      if (c.unicode() >= porCaractere.size()) {
        total += medida.horizontalAdvance(c);
        continue;
      }
      int& largura = porCaractere[c.unicode()];
      if (largura < 0)
        largura = medida.horizontalAdvance(c);
      total += largura;
    }
    return total;
  };
  QList<int> larguras;
  for (int coluna = 0; coluna < modelo_->columnCount(); ++coluna) {
    int largura = std::max(minimas.value(coluna), lista_->header()->sectionSizeHint(coluna));
    for (const int linha : modelo_->linhasMaisLargas(coluna, kLinhasMedidas, larguraAproximada))
      largura = std::max(largura, lista_->sizeHintForIndex(modelo_->index(linha, coluna)).width());
    larguras << largura;
  }
  return larguras;
}

void ListaRegistros::ajustar(const QList<int>& minimas, const QWidget* seletor) {
  const QList<int> larguras = largurasDoConteudo(minimas);
  const QRect tela = seletor->screen()->availableGeometry();
  const QMargins margens = layout()->contentsMargins();
  const int bordas =
      lista_->verticalScrollBar()->sizeHint().width() + 2 * lista_->frameWidth() + margens.left() + margens.right();
  const int desejada = std::accumulate(larguras.cbegin(), larguras.cend(), 0) + bordas;
  const int largura = std::min(std::max(desejada, seletor->width()), tela.width());
  // The code keeps its width; the description takes the rest, never less than it was given.
  const int ultima = static_cast<int>(larguras.size()) - 1;
  int antes = 0;
  for (int coluna = 0; coluna < ultima; ++coluna) {
    lista_->setColumnWidth(coluna, larguras.at(coluna));
    antes += larguras.at(coluna);
  }
  lista_->setColumnWidth(ultima, std::max(minimas.value(ultima), largura - bordas - antes));
  lista_->header()->setStretchLastSection(true);
  resize(largura, std::min(height(), tela.height()));

  // Dropped under the selector, as a list drops; kept inside the screen as it shows.
  move(seletor->mapToGlobal(QPoint(0, seletor->height())));
}

QString ListaRegistros::codigoEscolhido() const {
  return modelo_->codigo(lista_->currentIndex().row());
}

void ListaRegistros::escolher() {
  if (lista_->currentIndex().isValid())
    accept();
}

void ListaRegistros::filtrar(const QString& termo) {
  modelo_->filtrar(termo);
  lista_->setCurrentIndex(modelo_->index(0, 0));
}

bool ListaRegistros::eventFilter(QObject* alvo, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress) {
    auto* tecla = static_cast<QKeyEvent*>(evento);
    switch (tecla->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      escolher();
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      // Moving in the list while the focus stays in the search text.
      if (alvo == filtro_) {
        QCoreApplication::sendEvent(lista_, tecla);
        return true;
      }
      break;
    default:
      break;
    }
  }
  return QDialog::eventFilter(alvo, evento);
}
