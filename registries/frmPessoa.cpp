#include "registries/frmPessoa.h"

#include "app/core/Mensagens.h"
#include "controls/uscMaskBox.h"
#include "controls/uscTextBox.h"
#include "registries/ValidacaoDocumento.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSqlRecord>

namespace {

constexpr int kTamanhoCpf = 11;
constexpr int kTamanhoCnpj = 14;
// A CNPJ may hold letters in its first twelve positions; the two check digits are digits.
constexpr int kCorpoCnpj = 12;

std::optional<QChar> caractereCnpj(qsizetype posicao, QChar c) {
  if (c >= u'0' && c <= u'9')
    return c;
  const QChar maiuscula = c.toUpper();
  if (posicao < kCorpoCnpj && maiuscula >= u'A' && maiuscula <= u'Z')
    return maiuscula;
  return std::nullopt;
}

}  // namespace

frmPessoa::frmPessoa(Contexto contexto, QWidget* parent)
    : TelaCadastro(
          {Numeracao::Cadastro::Pessoa, QStringLiteral("frmPessoa"), QStringLiteral("Pessoas"),
           QStringLiteral("Pessoas"), QStringLiteral("Cadastro de pessoas"), QStringLiteral("txtCodigoEmitente"),
           QStringLiteral("stbPessoa"), QStringLiteral("Pessoa"), QStringLiteral("Excluir pessoa"), 0, 1},
          contexto, parent) {
  int proximoRotulo = 0;
  // A label and its field side by side in a grid; the field may span several columns.
  const auto par = [&](QGridLayout* grade, int linha, int coluna, const QString& texto, QWidget* campo,
                       int extensao = 1) {
    auto* rotulo = new QLabel(texto, grade->parentWidget() != nullptr ? grade->parentWidget() : this);
    rotulo->setObjectName(QStringLiteral("lblLabel_%1").arg(proximoRotulo++));
    rotulo->setBuddy(campo);
    grade->addWidget(rotulo, linha, coluna);
    grade->addWidget(campo, linha, coluna + 1, 1, extensao);
    return rotulo;
  };
  // A box for a column of the table, loaded and written in the order the boxes are made.
  const auto caixa = [this](const char* nome, const QString& coluna, QWidget* pai) {
    auto* c = new uscTextBox(pai);
    c->setObjectName(QString::fromLatin1(nome));
    if (!coluna.isEmpty())
      campos_.append({c, coluna});
    return c;
  };

  // The professional register (council, number and UF: "OAB/SP 123.456") came after the other
  // fields and follows Sair in the tab order, so the order the operators learnt stays as it was.
  // The boxes take the focus in the order they are made, after the buttons: it is made first.
  auto* txtRegistroProfissional = caixa("txtRegistroProfissional", QStringLiteral("RegistroProfissional"), this);

  auto* grade = new QGridLayout;
  grade->setColumnStretch(1, 3);
  grade->setColumnStretch(3, 2);
  txtNome_ = caixa("txtNome", QString(), this);
  par(grade, 0, 0, QStringLiteral("Nome:"), txtNome_, 3);

  auto* tipos = new QWidget(this);
  auto* linhaTipos = new QHBoxLayout(tipos);
  linhaTipos->setContentsMargins(0, 0, 0, 0);
  const QString nomesTipo[] = {QStringLiteral("Física"), QStringLiteral("Jurídica")};
  for (int i = 0; i < 2; ++i) {
    optTipoPessoa_[i] = new QRadioButton(nomesTipo[i], tipos);
    optTipoPessoa_[i]->setObjectName(QStringLiteral("optTipoPessoa_%1").arg(i));
    linhaTipos->addWidget(optTipoPessoa_[i]);
    connect(optTipoPessoa_[i], &QRadioButton::toggled, this, [this](bool marcado) {
      if (marcado)
        aplicarTipo();
    });
  }
  linhaTipos->addStretch();
  par(grade, 1, 0, QStringLiteral("Tipo pessoa:"), tipos, 3)->setBuddy(optTipoPessoa_[0]);

  txtDoc1_ = caixa("txtDoc1", QStringLiteral("Documento01"), this);
  lblDoc1_ = par(grade, 2, 0, QStringLiteral("CPF:"), txtDoc1_);
  lblDoc2_ = par(grade, 2, 2, QStringLiteral("RG:"), caixa("txtDoc2", QStringLiteral("Documento02"), this));
  par(grade, 3, 0, QStringLiteral("Endereço:"), caixa("txtEndereco", QStringLiteral("Endereco"), this));
  auto* txtNumero = caixa("txtNumero", QStringLiteral("Numero"), this);
  txtNumero->setAlinhamento(Qt::AlignHCenter | Qt::AlignVCenter);
  par(grade, 3, 2, QStringLiteral("Número:"), txtNumero);
  par(grade, 4, 0, QStringLiteral("Complemento:"), caixa("txtComplemento", QStringLiteral("Complemento"), this));
  par(grade, 4, 2, QStringLiteral("Bairro:"), caixa("txtBairro", QStringLiteral("Bairro"), this));
  par(grade, 5, 0, QStringLiteral("Cidade:"), caixa("txtCidade", QStringLiteral("Cidade"), this));

  auto* ufCep = new QWidget(this);
  auto* gradeUfCep = new QGridLayout(ufCep);
  gradeUfCep->setContentsMargins(0, 0, 0, 0);
  gradeUfCep->setColumnStretch(3, 1);
  auto* txtUF = caixa("txtUF", QStringLiteral("UF"), ufCep);
  txtUF->setTipoCaracter(uscTextBox::Letras);
  txtUF->setMaxLength(2);
  txtUF->setAlinhamento(Qt::AlignHCenter | Qt::AlignVCenter);
  txtUF->setFixedWidth(40);
  txtCep_ = new uscMaskBox(ufCep);
  txtCep_->setObjectName(QStringLiteral("txtCep"));
  txtCep_->setMascara(QStringLiteral("#####-###"));
  campos_.append({txtCep_, QStringLiteral("Cep")});
  par(gradeUfCep, 0, 0, QStringLiteral("UF:"), txtUF);
  par(gradeUfCep, 0, 2, QStringLiteral("CEP:"), txtCep_);
  grade->addWidget(ufCep, 5, 2, 1, 2);
  par(grade, 6, 0, QStringLiteral("Registro profissional:"), txtRegistroProfissional, 3);
  areaCampos()->addLayout(grade);

  auto* fraContato = new QGroupBox(QStringLiteral("Contato"), this);
  fraContato->setObjectName(QStringLiteral("fraContato"));
  auto* contato = new QGridLayout(fraContato);
  for (int coluna : {1, 3, 5})
    contato->setColumnStretch(coluna, 1);
  par(contato, 0, 0, QStringLiteral("Telefone:"), caixa("txtTelefone", QStringLiteral("Telefone"), fraContato));
  par(contato, 0, 2, QStringLiteral("Celular:"), caixa("txtCelular", QStringLiteral("Celular"), fraContato));
  par(contato, 0, 4, QStringLiteral("Fax:"), caixa("txtFax", QStringLiteral("Fax"), fraContato));
  par(contato, 1, 0, QStringLiteral("E-Mail:"), caixa("txtEMail", QStringLiteral("EMail"), fraContato), 5);
  par(contato, 2, 0, QStringLiteral("Homepage:"), caixa("txtHomePage", QStringLiteral("Homepage"), fraContato), 5);
  areaCampos()->addWidget(fraContato);

  connect(txtDoc1_, &uscTextBox::validar, this, &frmPessoa::aoValidarDocumento);
  selecionarTipo(0);

  QList<QWidget*> ordem{txtNome_, optTipoPessoa_[0], optTipoPessoa_[1]};
  for (const CampoTexto& campo : campos_)
    if (campo.caixa != txtRegistroProfissional)
      ordem << campo.caixa;
  concluirMontagem(ordem);
}

void frmPessoa::habilitarCampos(bool habilitar) {
  txtNome_->setEnabled(habilitar);
  for (QRadioButton* opcao : optTipoPessoa_)
    opcao->setEnabled(habilitar);
  for (const CampoTexto& campo : campos_)
    campo.caixa->setEnabled(habilitar);
}

void frmPessoa::limparCampos() {
  txtNome_->setText(QString());
  for (const CampoTexto& campo : campos_)
    campo.caixa->setText(QString());
  selecionarTipo(0);
}

void frmPessoa::carregarCampos(const QSqlRecord& registro) {
  txtNome_->setText(registro.value(QStringLiteral("Descricao")).toString());
  // The kind comes first: choosing it empties the document loaded next.
  selecionarTipo(registro.value(QStringLiteral("TipoPessoa")).toInt() == 0 ? 0 : 1);
  for (const CampoTexto& campo : campos_)
    campo.caixa->setText(registro.value(campo.coluna).toString());
}

bool frmPessoa::conferirCampos() {
  if (!txtNome_->Text().trimmed().isEmpty())
    return true;
  contexto_.mensagens->informar(QStringLiteral("Por favor, entre com o nome."), QStringLiteral("Pessoa"));
  txtNome_->Focar();
  return false;
}

QList<TabelaCadastro::Coluna> frmPessoa::colunasGravadas() const {
  QList<TabelaCadastro::Coluna> colunas{{QStringLiteral("Descricao"), txtNome_->Text().trimmed()},
                                        {QStringLiteral("TipoPessoa"), juridica() ? 1 : 0}};
  for (const CampoTexto& campo : campos_) {
    const QString texto = campo.caixa->Text().trimmed();
    // An empty postal code is stored as Null; every other empty field as empty text.
    const bool nulo = campo.caixa == txtCep_ && texto.isEmpty();
    colunas.append({campo.coluna, nulo ? QVariant() : QVariant(texto)});
  }
  return colunas;
}

void frmPessoa::focarPrimeiroCampo() {
  txtNome_->Focar();
}

bool frmPessoa::juridica() const {
  return optTipoPessoa_[1]->isChecked();
}

void frmPessoa::selecionarTipo(int tipo) {
  if (optTipoPessoa_[tipo]->isChecked())
    aplicarTipo();
  else
    optTipoPessoa_[tipo]->setChecked(true);
}

void frmPessoa::aplicarTipo() {
  txtDoc1_->setText(QString());
  if (juridica()) {
    txtDoc1_->setRegraCaractere(caractereCnpj);
    txtDoc1_->setMaxLength(kTamanhoCnpj);
    lblDoc1_->setText(QStringLiteral("CNPJ:"));
    lblDoc2_->setText(QStringLiteral("Inscr. Est.:"));
  } else {
    txtDoc1_->setTipoCaracter(uscTextBox::Digitos);
    txtDoc1_->setMaxLength(kTamanhoCpf);
    lblDoc1_->setText(QStringLiteral("CPF:"));
    lblDoc2_->setText(QStringLiteral("RG:"));
  }
}

void frmPessoa::aoValidarDocumento(bool& cancelar) {
  const QString documento = txtDoc1_->Text();
  if (documento.trimmed().isEmpty())
    return;
  const bool valido =
      juridica() ? ValidarCNPJ(documento, *contexto_.mensagens) : ValidarCPF(documento, *contexto_.mensagens);
  if (!valido) {
    cancelar = true;
    txtDoc1_->Focar();
  }
}
