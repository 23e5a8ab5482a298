#include "app/frmSenhaBanco.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmSenhaBanco::frmSenhaBanco(const QString& motivo, QWidget* parent) : QDialog(parent), txtSenha_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("frmSenhaBanco"));
  setWindowTitle(QStringLiteral("Talonix - Senha do banco de dados"));
  auto* texto = new QLabel(QString(motivo).replace(QLatin1Char('\r'), QLatin1Char('\n')) +
                               QStringLiteral("\n\nDigite a senha do usuário no servidor:"),
                           this);
  texto->setObjectName(QStringLiteral("lblMotivo"));
  texto->setWordWrap(true);
  txtSenha_->setObjectName(QStringLiteral("txtSenha"));
  txtSenha_->setEchoMode(QLineEdit::Password);
  auto* botoes = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  botoes->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
  botoes->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancelar"));
  connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(texto);
  layout->addWidget(txtSenha_);
  layout->addWidget(botoes);
  txtSenha_->setFocus();
}

QString frmSenhaBanco::senha() const {
  return txtSenha_->text();
}

std::optional<QString> frmSenhaBanco::Pedir(const QString& motivo, QWidget* parent) {
  frmSenhaBanco dialogo(motivo, parent);
  if (dialogo.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialogo.senha();
}
