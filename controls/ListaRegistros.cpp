#include "controls/ListaRegistros.h"

#include "controls/AjusteTela.h"
#include "controls/ModeloRegistros.h"
#include "controls/lvButtons.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTreeView>

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
  auto* layout = new QGridLayout(this);
  layout->addWidget(lista_, 0, 0, 1, 4);
  layout->addWidget(rotulo, 1, 0);
  layout->addWidget(filtro_, 1, 1);
  layout->addWidget(ok, 1, 2);
  layout->addWidget(cancelar, 1, 3);
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
  AjusteTela::Ajustar(this);
  filtro_->setFocus(Qt::PopupFocusReason);
}

void ListaRegistros::carregar(QSqlQuery& consulta, const QString& codigoAtual) {
  modelo_->carregar(consulta);
  const int linha = modelo_->linhaDoCodigo(codigoAtual);
  lista_->setCurrentIndex(modelo_->index(std::max(linha, 0), 0));
}

void ListaRegistros::setLarguras(const QList<int>& larguras) {
  int total = 0;
  for (int coluna = 0; coluna < larguras.size(); ++coluna) {
    if (larguras.at(coluna) > 0)
      lista_->setColumnWidth(coluna, larguras.at(coluna));
    total += lista_->columnWidth(coluna);
  }
  // The columns keep the widths asked for; the window is made as wide as they are.
  lista_->header()->setStretchLastSection(false);
  const QMargins margens = layout()->contentsMargins();
  resize(total + lista_->verticalScrollBar()->sizeHint().width() + 2 * lista_->frameWidth() + margens.left() +
             margens.right(),
         height());
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
