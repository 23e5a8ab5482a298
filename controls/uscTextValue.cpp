#include "controls/uscTextValue.h"

#include "app/core/Mensagens.h"
#include "app/core/Moeda.h"

uscTextValue::uscTextValue(Mensagens& mensagens, QWidget* parent) : CaixaEdicao(parent), mensagens_(mensagens) {
  setAlinhamento(Qt::AlignRight | Qt::AlignVCenter);
}

namespace {

// The text read as an amount the box accepts: past `Moeda::MaximoAceito` the receipt could not
// write it out in words exactly.
Moeda::Leitura lerAceito(const QString& texto) {
  Moeda::Leitura leitura = Moeda::Ler(texto);
  if (leitura.estado == Moeda::Leitura::Valido &&
      (leitura.valor > Moeda::MaximoAceito || leitura.valor < -Moeda::MaximoAceito))
    leitura = {Moeda::Leitura::ForaDoLimite};
  return leitura;
}

}  // namespace

std::optional<qint64> uscTextValue::valorDecimosMilesimos() const {
  const Moeda::Leitura leitura = lerAceito(Text());
  if (leitura.estado != Moeda::Leitura::Valido)
    return std::nullopt;
  return Moeda::ArredondarCentavos(leitura.valor);
}

void uscTextValue::setValorDecimosMilesimos(qint64 valor) {
  setText(Moeda::Formatar(valor));
}

// Only what can be part of an amount gets in.
QString uscTextValue::filtrar(const QString& texto) const {
  QString aceito;
  for (const QChar c : texto) {
    if ((c >= u'0' && c <= u'9') || c == u',' || c == u'.' || c == u'-')
      aceito.append(c);
  }
  return aceito;
}

// A text the program writes that reads as an amount is shown formatted at once.
QString uscTextValue::escrito(const QString& texto) const {
  const Moeda::Leitura leitura = Moeda::Ler(texto);
  return leitura.estado == Moeda::Leitura::Valido ? Moeda::Formatar(leitura.valor) : filtrar(texto);
}

bool uscTextValue::conferirSaida() {
  const Moeda::Leitura leitura = lerAceito(Text());
  switch (leitura.estado) {
  case Moeda::Leitura::Vazio:
    return true;
  case Moeda::Leitura::Valido:
    setText(Moeda::Formatar(leitura.valor));
    return true;
  case Moeda::Leitura::Invalido:
    mensagens_.informar(QStringLiteral("O valor informado não é um valor válido. Use a vírgula para os centavos, "
                                       "por exemplo 1.234,50."),
                        TituloMensagem);
    break;
  case Moeda::Leitura::ForaDoLimite:
    mensagens_.informar(QStringLiteral("O valor informado está fora do limite aceito, de -%1 a %1.")
                            .arg(Moeda::Formatar(Moeda::MaximoAceito)),
                        TituloMensagem);
    break;
  }
  Focar();
  return false;
}
