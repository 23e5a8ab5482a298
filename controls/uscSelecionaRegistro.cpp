#include "controls/uscSelecionaRegistro.h"

#include "app/core/Conexao.h"
#include "app/core/ErroBanco.h"
#include "app/core/Mensagens.h"
#include "controls/ListaRegistros.h"
#include "controls/Twips.h"
#include "controls/ValidacaoFoco.h"
#include "controls/uscTextBox.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QToolButton>

namespace {

QString nomeSql(QString nome) {
  return u'"' + nome.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

}  // namespace

uscSelecionaRegistro::uscSelecionaRegistro(Mensagens& mensagens, QWidget* parent)
    : QWidget(parent),
      mensagens_(mensagens),
      conexao_(&Conexao::Banco),
      codigo_(new uscTextBox(this)),
      descricao_(new QLineEdit(this)),
      botaoLista_(new QToolButton(this)) {
  ValidacaoFoco::ativar();
  codigo_->setObjectName(QStringLiteral("txtCodigo"));
  descricao_->setObjectName(QStringLiteral("txtDescricao"));
  botaoLista_->setObjectName(QStringLiteral("btnLista"));
  codigo_->setMaximumWidth(codigo_->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
  descricao_->setReadOnly(true);
  descricao_->setFocusPolicy(Qt::NoFocus);
  QPalette paleta = descricao_->palette();
  paleta.setColor(QPalette::Base, paleta.color(QPalette::Button));
  descricao_->setPalette(paleta);
  botaoLista_->setArrowType(Qt::DownArrow);
  botaoLista_->setFocusPolicy(Qt::NoFocus);
  botaoLista_->setToolTip(QStringLiteral("Lista (F4)"));

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(codigo_);
  layout->addWidget(botaoLista_);
  layout->addWidget(descricao_, 1);
  setFocusProxy(codigo_);

  connect(codigo_, &uscTextBox::valorAlterado, this, &uscSelecionaRegistro::codigoDigitado);
  connect(botaoLista_, &QToolButton::clicked, this, &uscSelecionaRegistro::abrirLista);
  codigo_->focusProxy()->installEventFilter(this);
}

void uscSelecionaRegistro::setConexao(FonteConexao fonte) {
  conexao_ = std::move(fonte);
}

void uscSelecionaRegistro::setCodigoNumerico(bool numerico) {
  codigoNumerico_ = numerico;
  codigo_->setTipoCaracter(numerico ? uscTextBox::Digitos : uscTextBox::Livre);
}

QString uscSelecionaRegistro::Text(int coluna) const {
  return coluna == 0 ? codigo_->Text() : descricao_->text();
}

void uscSelecionaRegistro::setText(int coluna, const QString& texto) {
  Q_ASSERT_X(coluna == 0, "uscSelecionaRegistro::setText", "only the code is written; the description is looked up");
  if (coluna != 0)
    return;
  const QString antes = codigo_->Text();
  escrevendo_ = true;
  codigo_->setText(texto);
  escrevendo_ = false;
  Pesquisar();
  if (codigo_->Text() != antes)
    emit valorAlterado();
}

void uscSelecionaRegistro::codigoDigitado() {
  if (escrevendo_)
    return;
  // The description shown belonged to the code before; it is looked up again on leaving.
  descricao_->clear();
  emit valorAlterado();
}

QString uscSelecionaRegistro::consulta(const QString& filtro) const {
  QStringList condicoes;
  if (!condicao_.trimmed().isEmpty())
    condicoes << u'(' + condicao_ + u')';
  if (!filtro.isEmpty())
    condicoes << filtro;
  // The server wants a name for every query read as a table.
  QString texto = QStringLiteral("SELECT * FROM (") + sql_ + QStringLiteral(") AS consulta");
  if (!condicoes.isEmpty())
    texto += QStringLiteral(" WHERE ") + condicoes.join(QStringLiteral(" AND "));
  return texto;
}

bool uscSelecionaRegistro::executar(QSqlQuery& consulta, const QString& sql, const QVariantList& valores,
                                    const QString& tituloFalha) {
  const Resultado falha = ErroBanco::Executar(consulta, sql, valores);
  if (falha)
    return true;
  mensagens_.falhar(falha.erro, falha.numero, tituloFalha);
  return false;
}

void uscSelecionaRegistro::Pesquisar() {
  const QString codigo = Text(0).trimmed();
  descricao_->clear();
  if (codigo.isEmpty() || sql_.trimmed().isEmpty())
    return;
  QVariant chave = codigo;
  if (codigoNumerico_) {
    bool cabe = false;
    chave = codigo.toLongLong(&cabe);
    if (!cabe)
      return;  // a code too long for a number has no row
  }
  const QSqlDatabase banco = conexao_();
  QSqlQuery colunas(banco);
  if (!executar(colunas, QStringLiteral("SELECT * FROM (") + sql_ + QStringLiteral(") AS consulta LIMIT 0"), {},
                TituloFalhaPesquisa))
    return;
  QSqlQuery busca(banco);
  busca.setForwardOnly(true);
  if (executar(busca, consulta(nomeSql(colunas.record().fieldName(0)) + QStringLiteral(" = ?")), {chave},
               TituloFalhaPesquisa) &&
      busca.next())
    descricao_->setText(busca.value(1).toString().simplified());
}

void uscSelecionaRegistro::LarguraColuna(int coluna, int larguraTwips) {
  larguras_[coluna] = larguraTwips;
}

void uscSelecionaRegistro::ListarPessoas(const QString& titulo) {
  setSQL(QStringLiteral("SELECT Codigo,Descricao FROM tbPessoa"));
  setCondicao(QString());
  setCodigoNumerico(true);
  setTitulo(titulo);
  LarguraColuna(0, 1000);
  LarguraColuna(1, 5985);
}

void uscSelecionaRegistro::Focar() {
  codigo_->Focar();
}

void uscSelecionaRegistro::abrirLista() {
  if (!isEnabled())
    return;
  // The list button enters the selector first, as a click on its code box would: the control
  // being left is checked, and the screen's "focus gained" handlers may set the SQL and the
  // condition of the list.
  Focar();
  const QWidget* foco = window()->focusWidget();
  if (foco == nullptr || (foco != this && !isAncestorOf(foco)) || sql_.trimmed().isEmpty())
    return;
  // The list is a window of the selector's own, so moving into it is not leaving the selector.
  ListaRegistros lista(titulo_, this);
  {
    QSqlQuery linhas(conexao_());
    linhas.setForwardOnly(true);
    if (!executar(linhas, consulta(), {}, TituloFalhaLista))
      return;
    lista.carregar(linhas, Text(0).trimmed());
  }
  QList<int> minimas;
  for (int coluna = 0; coluna < 2; ++coluna)
    minimas << Twips::Pixels(larguraColuna(coluna));
  lista.ajustar(minimas, this);
  const bool escolheu = lista.exec() == QDialog::Accepted;
  Focar();
  if (escolheu)
    setText(0, lista.codigoEscolhido());
}

void uscSelecionaRegistro::validarSaida(bool& cancelar) {
  Pesquisar();
  emit validar(cancelar);
}

bool uscSelecionaRegistro::eventFilter(QObject* alvo, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress) {
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    if (tecla->key() == Qt::Key_F4 || (tecla->key() == Qt::Key_Down && (tecla->modifiers() & Qt::AltModifier))) {
      abrirLista();
      return true;
    }
  }
  return QWidget::eventFilter(alvo, evento);
}

// Keys sent to the selector itself are typed into its code box.
void uscSelecionaRegistro::keyPressEvent(QKeyEvent* evento) {
  repasse_.repassar(evento, codigo_);
}
void uscSelecionaRegistro::keyReleaseEvent(QKeyEvent* evento) {
  repasse_.repassar(evento, codigo_);
}
