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
  const auto rotulo = [&](const QString& texto, QWidget* campo, QWidget* pai) {
    auto* r = new QLabel(texto, pai);
    r->setObjectName(QStringLiteral("lblLabel_%1").arg(proximoRotulo++));
    r->setBuddy(campo);
    return r;
  };
  const auto caixa = [](const char* nome, QWidget* pai) {
    auto* c = new uscTextBox(pai);
    c->setObjectName(QString::fromLatin1(nome));
    return c;
  };

  auto* grade = new QGridLayout;
  grade->setColumnStretch(1, 3);
  grade->setColumnStretch(3, 2);

  txtNome_ = caixa("txtNome", this);
  grade->addWidget(rotulo(QStringLiteral("Nome:"), txtNome_, this), 0, 0);
  grade->addWidget(txtNome_, 0, 1, 1, 3);

  auto* tipos = new QHBoxLayout;
  const QString nomesTipo[] = {QStringLiteral("Física"), QStringLiteral("Jurídica")};
  for (int i = 0; i < 2; ++i) {
    optTipoPessoa_[i] = new QRadioButton(nomesTipo[i], this);
    optTipoPessoa_[i]->setObjectName(QStringLiteral("optTipoPessoa_%1").arg(i));
    tipos->addWidget(optTipoPessoa_[i]);
    connect(optTipoPessoa_[i], &QRadioButton::toggled, this, [this](bool marcado) {
      if (marcado)
        aplicarTipo();
    });
  }
  tipos->addStretch();
  grade->addWidget(rotulo(QStringLiteral("Tipo pessoa:"), optTipoPessoa_[0], this), 1, 0);
  grade->addLayout(tipos, 1, 1, 1, 3);

  txtDoc1_ = caixa("txtDoc1", this);
  auto* txtDoc2 = caixa("txtDoc2", this);
  lblDoc1_ = rotulo(QStringLiteral("CPF:"), txtDoc1_, this);
  lblDoc2_ = rotulo(QStringLiteral("RG:"), txtDoc2, this);
  grade->addWidget(lblDoc1_, 2, 0);
  grade->addWidget(txtDoc1_, 2, 1);
  grade->addWidget(lblDoc2_, 2, 2);
  grade->addWidget(txtDoc2, 2, 3);

  auto* txtEndereco = caixa("txtEndereco", this);
  auto* txtNumero = caixa("txtNumero", this);
  txtNumero->setAlinhamento(Qt::AlignHCenter | Qt::AlignVCenter);
  grade->addWidget(rotulo(QStringLiteral("Endereço:"), txtEndereco, this), 3, 0);
  grade->addWidget(txtEndereco, 3, 1);
  grade->addWidget(rotulo(QStringLiteral("Número:"), txtNumero, this), 3, 2);
  grade->addWidget(txtNumero, 3, 3);

  auto* txtComplemento = caixa("txtComplemento", this);
  auto* txtBairro = caixa("txtBairro", this);
  grade->addWidget(rotulo(QStringLiteral("Complemento:"), txtComplemento, this), 4, 0);
  grade->addWidget(txtComplemento, 4, 1);
  grade->addWidget(rotulo(QStringLiteral("Bairro:"), txtBairro, this), 4, 2);
  grade->addWidget(txtBairro, 4, 3);

  auto* txtCidade = caixa("txtCidade", this);
  auto* txtUF = caixa("txtUF", this);
  txtUF->setTipoCaracter(uscTextBox::Letras);
  txtUF->setMaxLength(2);
  txtUF->setAlinhamento(Qt::AlignHCenter | Qt::AlignVCenter);
  txtUF->setFixedWidth(40);
  txtCep_ = new uscMaskBox(this);
  txtCep_->setObjectName(QStringLiteral("txtCep"));
  txtCep_->setMascara(QStringLiteral("#####-###"));
  grade->addWidget(rotulo(QStringLiteral("Cidade:"), txtCidade, this), 5, 0);
  grade->addWidget(txtCidade, 5, 1);
  auto* ufCep = new QHBoxLayout;
  ufCep->addWidget(rotulo(QStringLiteral("UF:"), txtUF, this));
  ufCep->addWidget(txtUF);
  ufCep->addWidget(rotulo(QStringLiteral("CEP:"), txtCep_, this));
  ufCep->addWidget(txtCep_, 1);
  grade->addLayout(ufCep, 5, 2, 1, 2);
  areaCampos()->addLayout(grade);

  auto* fraContato = new QGroupBox(QStringLiteral("Contato"), this);
  fraContato->setObjectName(QStringLiteral("fraContato"));
  auto* contato = new QGridLayout(fraContato);
  contato->setColumnStretch(1, 1);
  contato->setColumnStretch(3, 1);
  contato->setColumnStretch(5, 1);
  auto* txtTelefone = caixa("txtTelefone", fraContato);
  auto* txtCelular = caixa("txtCelular", fraContato);
  auto* txtFax = caixa("txtFax", fraContato);
  auto* txtEMail = caixa("txtEMail", fraContato);
  auto* txtHomePage = caixa("txtHomePage", fraContato);
  contato->addWidget(rotulo(QStringLiteral("Telefone:"), txtTelefone, fraContato), 0, 0);
  contato->addWidget(txtTelefone, 0, 1);
  contato->addWidget(rotulo(QStringLiteral("Celular:"), txtCelular, fraContato), 0, 2);
  contato->addWidget(txtCelular, 0, 3);
  contato->addWidget(rotulo(QStringLiteral("Fax:"), txtFax, fraContato), 0, 4);
  contato->addWidget(txtFax, 0, 5);
  contato->addWidget(rotulo(QStringLiteral("E-Mail:"), txtEMail, fraContato), 1, 0);
  contato->addWidget(txtEMail, 1, 1, 1, 5);
  contato->addWidget(rotulo(QStringLiteral("Homepage:"), txtHomePage, fraContato), 2, 0);
  contato->addWidget(txtHomePage, 2, 1, 1, 5);
  areaCampos()->addWidget(fraContato);

  campos_ = {{txtDoc1_, QStringLiteral("Documento01")},
             {txtDoc2, QStringLiteral("Documento02")},
             {txtEndereco, QStringLiteral("Endereco")},
             {txtNumero, QStringLiteral("Numero")},
             {txtComplemento, QStringLiteral("Complemento")},
             {txtBairro, QStringLiteral("Bairro")},
             {txtCidade, QStringLiteral("Cidade")},
             {txtUF, QStringLiteral("UF")},
             {txtCep_, QStringLiteral("Cep")},
             {txtTelefone, QStringLiteral("Telefone")},
             {txtCelular, QStringLiteral("Celular")},
             {txtFax, QStringLiteral("Fax")},
             {txtEMail, QStringLiteral("EMail")},
             {txtHomePage, QStringLiteral("Homepage")}};

  connect(txtDoc1_, &uscTextBox::validar, this, &frmPessoa::aoValidarDocumento);
  selecionarTipo(0);

  QList<QWidget*> ordem{txtNome_, optTipoPessoa_[0], optTipoPessoa_[1]};
  for (const CampoTexto& campo : campos_)
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
