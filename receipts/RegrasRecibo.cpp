#include "receipts/RegrasRecibo.h"

#include "app/core/Moeda.h"

namespace RegrasRecibo {
namespace {

const QString kTitulo = QStringLiteral("Recibo");
const QString kPessoaNecessaria = QStringLiteral("Por favor, informe a pessoa necessária ao campo.");

Recusa recusa(Campo campo, const QString& mensagem) {
  return {campo, mensagem, kTitulo};
}

}  // namespace

std::optional<Recusa> DataNoAno(const QDate& data, int ano) {
  if (data.year() == ano)
    return std::nullopt;
  return Recusa{Campo::DataEmissao,
                QStringLiteral("A data de emissão do recibo está incorreta, precisa \restar dentro do ano de ") +
                    QString::number(ano) + QLatin1Char('.'),
                QStringLiteral("Data incorreta")};
}

std::optional<Recusa> Conferir(const Recibo& recibo, const QSet<qint64>& cadastradas, bool valorInformado) {
  if (recibo.numero <= 0)
    return recusa(Campo::Numero, QStringLiteral("Por favor, informe o número do recibo."));
  if (!valorInformado)
    return recusa(Campo::Valor, QStringLiteral("Por favor, entre com o valor do recibo."));
  if (recibo.valor <= 0 || recibo.valor > Moeda::MaximoAceito)
    return recusa(Campo::Valor, QStringLiteral("Por favor, informe um válido para o recibo."));
  if (!recibo.dataEmissao.isValid())
    return recusa(Campo::DataEmissao, QStringLiteral("Por favor, informe a data de emissão do recibo."));
  if (auto fora = DataNoAno(recibo.dataEmissao, recibo.ano))
    return fora;
  if (recibo.recebi <= 0 || !cadastradas.contains(recibo.recebi))
    return recusa(Campo::Recebi, kPessoaNecessaria);
  if (recibo.referente.trimmed().isEmpty())
    return recusa(Campo::Referente, QStringLiteral("Por favor, informe a referência a emissão do recibo."));
  if (recibo.emitente <= 0 || !cadastradas.contains(recibo.emitente))
    return recusa(Campo::Emitente, kPessoaNecessaria);
  if (recibo.emitente == recibo.recebi)
    return recusa(Campo::Emitente,
                  QStringLiteral("O emitente não pode ser a mesma pessoa de quem o valor foi recebido."));
  if (!recibo.beneficiario)
    return std::nullopt;
  if (*recibo.beneficiario == recibo.emitente)
    return recusa(Campo::Beneficiario, QStringLiteral("O beneficiário não pode ser o emitente do recibo."));
  if (!cadastradas.contains(*recibo.beneficiario))
    return recusa(Campo::Beneficiario, QStringLiteral("O beneficiário informado não está cadastrado."));
  return std::nullopt;
}

}  // namespace RegrasRecibo
