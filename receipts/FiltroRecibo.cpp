#include "receipts/FiltroRecibo.h"

#include "app/core/Relogio.h"
#include "app/core/modGeral.h"

namespace {

const QString kMensagemAno = QStringLiteral("Entre com um ano válido.");
const QString kMensagemNumero = QStringLiteral("Entre com um número de recibo válido, de 0 a 2147483647.");

// The boxes hold digits only, but a number longer than the store's receipt number (32 bits) or
// year (16 bits) must be refused rather than wrap around.
std::optional<qint32> numero32(const QString& texto) {
  bool ok = false;
  const int valor = texto.trimmed().toInt(&ok);
  if (!ok)
    return std::nullopt;
  return valor;
}

std::optional<qint16> numero16(const QString& texto) {
  bool ok = false;
  const short valor = texto.trimmed().toShort(&ok);
  if (!ok)
    return std::nullopt;
  return valor;
}

// Comparisons between two boxes read a text as a number the way the operator reads it; a box
// that holds no number counts as zero.
qint64 valor(const QString& texto) {
  return texto.trimmed().toLongLong();
}

// A person's code as the selector holds it; nothing when no person is chosen.
std::optional<qint64> codigoPessoa(const QString& texto) {
  bool ok = false;
  const qint64 codigo = texto.trimmed().toLongLong(&ok);
  if (!ok)
    return std::nullopt;
  return codigo;
}

QString campoSql(const char* nome) {
  return QStringLiteral("tbRecibo.") + QLatin1String(nome);
}

QString campoFormula(const char* nome) {
  return QStringLiteral("{tbRecibo.") + QLatin1String(nome) + QLatin1Char('}');
}

QString periodoSql(const QDate& inicial, const QDate& final) {
  const QString formato = QStringLiteral("MM/dd/yyyy");
  return QStringLiteral("tbRecibo.DataEmissao BETWEEN #") + inicial.toString(formato) + QStringLiteral("# AND #") +
         final.toString(formato) + QLatin1Char('#');
}

QString periodoFormula(const QDate& inicial, const QDate& final) {
  const QString formato = QStringLiteral("yyyy,MM,dd,00,00,00");
  return QStringLiteral("{tbRecibo.DataEmissao} in DateTime (") + inicial.toString(formato) +
         QStringLiteral(") to DateTime (") + final.toString(formato) + QLatin1Char(')');
}

}  // namespace

bool FiltroRecibo::Periodo(TipoData tipo, const Relogio& relogio, QDate& inicial, QDate& final) {
  const QDate hoje = relogio.hoje();
  switch (tipo) {
  case NaoUtilizar:
    return false;
  case Diario:
    inicial = hoje;
    break;
  case Semanal:
    inicial = hoje.addDays(-7);
    break;
  case Mensal:
    inicial = hoje.addDays(-modGeral::UltimoDiaMes(hoje.month(), relogio));
    break;
  case Anual:
    inicial = QDate(hoje.year(), 1, 1);
    final = QDate(hoje.year(), 12, 31);
    return true;
  }
  final = hoje;
  return true;
}

std::optional<FiltroRecibo::Recusa> FiltroRecibo::ValidarSaida(Campo campo) const {
  const auto recusa = [campo](const QString& texto) { return Recusa{texto, TituloValidacao, campo}; };
  switch (campo) {
  case Campo::AnoInicial:
    if (anoInicial.size() < 4 || !numero16(anoInicial))
      return recusa(kMensagemAno);
    if (valor(anoInicial) > valor(anoFinal))
      return recusa(QStringLiteral("O ano inicial não pode ser maior que o ano final."));
    break;
  case Campo::AnoFinal:
    if (anoFinal.size() < 4 || !numero16(anoFinal))
      return recusa(kMensagemAno);
    if (valor(anoFinal) < valor(anoInicial))
      return recusa(QStringLiteral("O ano final não pode ser menor que o ano inicial."));
    break;
  case Campo::CodigoInicial:
    if (codigoInicial.trimmed().isEmpty())
      break;
    if (!numero32(codigoInicial))
      return recusa(kMensagemNumero);
    if (anoInicial == anoFinal && valor(codigoInicial) > valor(codigoFinal))
      return recusa(QStringLiteral("O código do recibo inicial não pode ser maior que o código do recibo final."));
    break;
  case Campo::CodigoFinal:
    if (codigoFinal.trimmed().isEmpty())
      break;
    if (!numero32(codigoFinal))
      return recusa(kMensagemNumero);
    if (valor(anoInicial) >= valor(anoFinal) && valor(codigoFinal) < valor(codigoInicial))
      return recusa(QStringLiteral("O código do recibo final não pode ser menor que o código do recibo inicial."));
    break;
  case Campo::Recebi:
  case Campo::Emitente:
    break;
  }
  return std::nullopt;
}

std::optional<FiltroRecibo::Recusa> FiltroRecibo::ConferirSelecao() const {
  const QString semPessoa = QStringLiteral("Por favor, selecione a pessoa a filtrar.");
  if (tipoFiltro == PorRecebi && !codigoPessoa(recebi))
    return Recusa{semPessoa, QStringLiteral("Recibos impressos - Recebi de"), Campo::Recebi};
  if (tipoFiltro == PorEmitente && !codigoPessoa(emitente))
    return Recusa{semPessoa, QStringLiteral("Recibos impressos - Emitente"), Campo::Emitente};
  for (const Campo campo : {Campo::CodigoInicial, Campo::CodigoFinal})
    if (auto recusa = ValidarSaida(campo))
      return recusa;
  if (tipoFiltro != PorNumero)
    return std::nullopt;
  // The range is written into the filter as numbers: a box left without one cannot be.
  if (!numero32(codigoInicial))
    return Recusa{kMensagemNumero, TituloValidacao, Campo::CodigoInicial};
  if (!numero16(anoInicial))
    return Recusa{kMensagemAno, TituloValidacao, Campo::AnoInicial};
  if (!numero32(codigoFinal))
    return Recusa{kMensagemNumero, TituloValidacao, Campo::CodigoFinal};
  if (!numero16(anoFinal))
    return Recusa{kMensagemAno, TituloValidacao, Campo::AnoFinal};
  return std::nullopt;
}

QString FiltroRecibo::montar(const Dialeto& dialeto) const {
  const QString d = tipoData == NaoUtilizar ? QString() : dialeto.periodo(dataInicial, dataFinal);
  const QString c = d.trimmed().isEmpty() ? QString() : QStringLiteral(" AND ");
  const auto decimal = [](auto numero) { return QString::number(numero.value_or(0)); };
  switch (tipoFiltro) {
  case SemFiltro:
    return d;
  case PorNumero: {
    // The period goes into both halves, so that joined by OR each half keeps it.
    const QString juncao = anoInicial == anoFinal ? QStringLiteral("AND ") : QStringLiteral("OR ");
    return d + c + QLatin1Char('(') + dialeto.campo("Codigo") + QStringLiteral(">=") +
           decimal(numero32(codigoInicial)) + QStringLiteral(" AND ") + dialeto.campo("Ano") + QLatin1Char('=') +
           decimal(numero16(anoInicial)) + QStringLiteral(") ") + juncao + d + c + QLatin1Char('(') +
           dialeto.campo("Codigo") + QStringLiteral("<=") + decimal(numero32(codigoFinal)) + QStringLiteral(" AND ") +
           dialeto.campo("Ano") + QLatin1Char('=') + decimal(numero16(anoFinal)) + QStringLiteral(") ");
  }
  case PorRecebi:
    return d + c + dialeto.campo("Recebi") + QLatin1Char('=') + decimal(codigoPessoa(recebi));
  case PorEmitente:
    return d + c + dialeto.campo("Emitente") + QLatin1Char('=') + decimal(codigoPessoa(emitente));
  }
  return d;
}

QString FiltroRecibo::TextoFiltro() const {
  return montar({campoSql, periodoSql});
}

QString FiltroRecibo::FormulaSelecao() const {
  return montar({campoFormula, periodoFormula});
}

QString FiltroRecibo::PeriodoSelecionado() const {
  const QString formato = QStringLiteral("dd/MM/yyyy");
  return QStringLiteral("'PERÍODO DE ") + dataInicial.toString(formato) + QStringLiteral(" A ") +
         dataFinal.toString(formato) + QLatin1Char('\'');
}

QList<int> FiltroRecibo::PosicoesOrdenacao() const {
  QList<int> posicoes;
  if (ordem != OrdemNumero)
    posicoes << (ordem == OrdemDataEmissao ? 4 : 3);
  return posicoes << 2 << 1;
}
