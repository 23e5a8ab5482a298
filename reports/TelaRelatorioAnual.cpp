#include "reports/TelaRelatorioAnual.h"

#include "app/core/Conexao.h"
#include "app/core/ErroBanco.h"
#include "app/core/Mensagens.h"
#include "app/core/Relogio.h"
#include "controls/uscSelecionaRegistro.h"
#include "controls/uscTextBox.h"

#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// Years the dates of the store can hold and a person can mean.
constexpr int kPrimeiroAno = 1900;
constexpr int kUltimoAno = 2999;

}  // namespace

TelaRelatorioAnual::TelaRelatorioAnual(Contexto contexto, const QString& titulo, QWidget* parent)
    : TelaListagem(contexto, parent), titulo_(titulo) {
  setWindowTitle(titulo);
  uscEmitente_ = seletorPessoa(QStringLiteral("uscEmitente"), QStringLiteral("Emitente"));
  txtAno_ = new uscTextBox(this);
  txtAno_->setObjectName(QStringLiteral("txtAno"));
  txtAno_->setTipoCaracter(uscTextBox::Digitos);
  txtAno_->setMaxLength(4);
  txtAno_->setAlinhamento(Qt::AlignRight | Qt::AlignVCenter);
  txtAno_->setMaximumWidth(txtAno_->fontMetrics().horizontalAdvance(QStringLiteral("000000000")));
  txtAno_->setText(QString::number(hoje().year()));
  // The screen opens with the cursor in the issuer.
  setFocusProxy(uscEmitente_);

  grade_ = new QGridLayout;
  grade_->addWidget(new QLabel(QStringLiteral("Emitente:"), this), 0, 0);
  grade_->addWidget(uscEmitente_, 0, 1);
  grade_->addWidget(new QLabel(QStringLiteral("Ano:"), this), 1, 0);
  grade_->addWidget(txtAno_, 1, 1, Qt::AlignLeft);
  grade_->setColumnStretch(1, 1);
  setMinimumWidth(520);
}

QDate TelaRelatorioAnual::hoje() const {
  return contexto_.relogio != nullptr ? contexto_.relogio->hoje() : QDate::currentDate();
}

uscSelecionaRegistro* TelaRelatorioAnual::seletorPessoa(const QString& nome, const QString& titulo) {
  auto* seletor = new uscSelecionaRegistro(*contexto_.mensagens, this);
  seletor->setObjectName(nome);
  seletor->ListarPessoas(titulo);
  return seletor;
}

int TelaRelatorioAnual::codigoEscolhido(uscSelecionaRegistro* seletor, const QString& falta) {
  bool ok = false;
  const int codigo = seletor->Text(0).toInt(&ok);
  if (ok && codigo > 0 && !seletor->Text(1).isEmpty())
    return codigo;
  contexto_.mensagens->informar(falta, titulo_);
  seletor->Focar();
  return 0;
}

std::optional<TelaRelatorioAnual::Escolha> TelaRelatorioAnual::conferir() {
  Escolha escolha;
  escolha.emitente = codigoEscolhido(uscEmitente_, QStringLiteral("Por favor, selecione o emitente."));
  if (escolha.emitente == 0)
    return std::nullopt;
  escolha.ano = txtAno_->Text().toInt();
  if (escolha.ano < kPrimeiroAno || escolha.ano > kUltimoAno) {
    contexto_.mensagens->informar(
        QStringLiteral("Informe o ano com quatro dígitos, de %1 a %2.").arg(kPrimeiroAno).arg(kUltimoAno), titulo_);
    txtAno_->Focar();
    return std::nullopt;
  }
  return escolha;
}

bool TelaRelatorioAnual::haRecibos(const Escolha& escolha, int pagador) {
  // "+Emitente" keeps SQLite off the issuer's index, which can hold a tenth of the receipts:
  // the payer's index, or the dates of the year, find the first receipt sooner.
  QSqlQuery consulta(Conexao::Banco());
  QVariantList valores{escolha.emitente, QStringLiteral("%1-01-01").arg(escolha.ano),
                       QStringLiteral("%1-12-31").arg(escolha.ano)};
  if (pagador != 0)
    valores.append(pagador);
  if (const Resultado falha = ErroBanco::Executar(
          consulta,
          QStringLiteral("SELECT 1 FROM tbRecibo WHERE +Emitente = ? AND DataEmissao BETWEEN ? AND ?") +
              (pagador != 0 ? QStringLiteral(" AND Recebi = ?") : QString()) + QStringLiteral(" LIMIT 1"),
          valores);
      !falha) {
    contexto_.mensagens->falhar(falha.erro, falha.numero, QStringLiteral("Não foi possível visualizar o relatório"));
    return false;
  }
  if (consulta.next())
    return true;
  contexto_.mensagens->informar(QStringLiteral("Não há recibos deste emitente com data em %1%2.")
                                    .arg(escolha.ano)
                                    .arg(pagador != 0 ? QStringLiteral(" para este pagador") : QString()),
                                titulo_);
  return false;
}
