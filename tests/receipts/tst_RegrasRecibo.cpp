#include "app/core/Moeda.h"
#include "receipts/RegrasRecibo.h"

#include <QtTest>

#include <functional>

Q_DECLARE_METATYPE(std::function<void(Recibo&)>)
Q_DECLARE_METATYPE(RegrasRecibo::Campo)

namespace {

using Mudanca = std::function<void(Recibo&)>;

// A receipt that keeps every rule: 1.234,50 received by issuer 2 from payer 1, for beneficiary 3.
Recibo valido() {
  Recibo r;
  r.numero = 7;
  r.ano = 2026;
  r.dataEmissao = QDate(2026, 3, 15);
  r.valor = 12345000;
  r.recebi = 1;
  r.emitente = 2;
  r.beneficiario = 3;
  r.referente = QStringLiteral("Aluguel de março");
  return r;
}

const QString kPessoa = QStringLiteral("Por favor, informe a pessoa necessária ao campo.");

}  // namespace

// The receipt's rules as every path that writes a receipt meets them: the first one broken, its
// field and message, in the order the receipt screen has always checked them.
class tst_RegrasRecibo : public QObject {
  Q_OBJECT

private slots:
  void primeiraRegraQuebrada_data();
  void primeiraRegraQuebrada();
};

void tst_RegrasRecibo::primeiraRegraQuebrada_data() {
  QTest::addColumn<Mudanca>("mudanca");
  QTest::addColumn<bool>("valorInformado");
  QTest::addColumn<QString>("mensagem");  // empty: no rule broken
  QTest::addColumn<RegrasRecibo::Campo>("campo");
  using C = RegrasRecibo::Campo;
  const auto linha = [](const char* nome, Mudanca m, const QString& mensagem, C campo, bool informado = true) {
    QTest::newRow(nome) << m << informado << mensagem << campo;
  };
  linha(
      "valid", [](Recibo&) {}, QString(), C::Numero);
  linha(
      "no beneficiary", [](Recibo& r) { r.beneficiario.reset(); }, QString(), C::Numero);
  linha(
      "amount at the cap", [](Recibo& r) { r.valor = Moeda::MaximoAceito; }, QString(), C::Numero);
  linha(
      "last day of the year", [](Recibo& r) { r.dataEmissao = QDate(2026, 12, 31); }, QString(), C::Numero);
  linha(
      "no number", [](Recibo& r) { r.numero = 0; }, "Por favor, informe o número do recibo.", C::Numero);
  linha(
      "negative number", [](Recibo& r) { r.numero = -3; }, "Por favor, informe o número do recibo.", C::Numero);
  linha(
      "amount left blank", [](Recibo& r) { r.valor = 0; }, "Por favor, entre com o valor do recibo.", C::Valor, false);
  linha(
      "zero amount", [](Recibo& r) { r.valor = 0; }, "Por favor, informe um válido para o recibo.", C::Valor);
  linha(
      "negative amount", [](Recibo& r) { r.valor = -10000; }, "Por favor, informe um válido para o recibo.", C::Valor);
  linha(
      "amount above the cap", [](Recibo& r) { r.valor = Moeda::MaximoAceito + 100; },
      "Por favor, informe um válido para o recibo.", C::Valor);
  linha(
      "no date", [](Recibo& r) { r.dataEmissao = QDate(); }, "Por favor, informe a data de emissão do recibo.",
      C::DataEmissao);
  linha(
      "date of the year before", [](Recibo& r) { r.dataEmissao = QDate(2025, 12, 31); },
      "A data de emissão do recibo está incorreta, precisa \restar dentro do ano de 2026.", C::DataEmissao);
  linha(
      "no payer", [](Recibo& r) { r.recebi = 0; }, kPessoa, C::Recebi);
  linha(
      "payer not registered", [](Recibo& r) { r.recebi = 9; }, kPessoa, C::Recebi);
  linha(
      "referente of spaces and line breaks", [](Recibo& r) { r.referente = QStringLiteral(" \r\n\t"); },
      "Por favor, informe a referência a emissão do recibo.", C::Referente);
  linha(
      "no issuer", [](Recibo& r) { r.emitente = 0; }, kPessoa, C::Emitente);
  linha(
      "issuer not registered", [](Recibo& r) { r.emitente = 9; }, kPessoa, C::Emitente);
  linha(
      "issuer is the payer", [](Recibo& r) { r.emitente = 1; },
      "O emitente não pode ser a mesma pessoa de quem o valor foi recebido.", C::Emitente);
  linha(
      "beneficiary is the issuer", [](Recibo& r) { r.beneficiario = 2; },
      "O beneficiário não pode ser o emitente do recibo.", C::Beneficiario);
  linha(
      "beneficiary not registered", [](Recibo& r) { r.beneficiario = 9; },
      "O beneficiário informado não está cadastrado.", C::Beneficiario);
  linha(
      "number and amount: the number first",
      [](Recibo& r) {
        r.numero = 0;
        r.valor = 0;
      },
      "Por favor, informe o número do recibo.", C::Numero);
  linha(
      "payer and referente: the payer first",
      [](Recibo& r) {
        r.recebi = 9;
        r.referente.clear();
      },
      kPessoa, C::Recebi);
  linha(
      "referente and issuer: the referente first",
      [](Recibo& r) {
        r.referente.clear();
        r.emitente = 1;
      },
      "Por favor, informe a referência a emissão do recibo.", C::Referente);
}

void tst_RegrasRecibo::primeiraRegraQuebrada() {
  QFETCH(Mudanca, mudanca);
  QFETCH(bool, valorInformado);
  QFETCH(QString, mensagem);
  QFETCH(RegrasRecibo::Campo, campo);
  Recibo recibo = valido();
  mudanca(recibo);
  const auto recusa = RegrasRecibo::Conferir(recibo, {1, 2, 3}, valorInformado);
  QCOMPARE(recusa.has_value(), !mensagem.isEmpty());
  if (!recusa)
    return;
  QCOMPARE(recusa->mensagem, mensagem);
  QCOMPARE(recusa->campo, campo);
  QCOMPARE(recusa->titulo, campo == RegrasRecibo::Campo::DataEmissao && mensagem.contains(QLatin1String("ano"))
                               ? QStringLiteral("Data incorreta")
                               : QStringLiteral("Recibo"));
}

QTEST_GUILESS_MAIN(tst_RegrasRecibo)
#include "tst_RegrasRecibo.moc"
