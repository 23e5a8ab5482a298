#include "receipts/TabelaRecibo.h"

#include <QSqlQuery>
#include <QStringList>

namespace TabelaRecibo {
namespace {

const QString kFormatoData = QStringLiteral("yyyy-MM-dd");

QString texto(const QVariant& valor) {
  return valor.isNull() ? QString() : valor.toString();
}

// A field whose member is a whole number of any width.
template <typename T>
Campo inteiro(const char* coluna, int versao, T Recibo::*membro, bool chave = false, Tipo tipo = Tipo::Inteiro) {
  return {QString::fromLatin1(coluna),
          tipo,
          versao,
          chave,
          [membro](const Recibo& r) { return QVariant::fromValue(static_cast<qint64>(r.*membro)); },
          [membro](Recibo& r, const QVariant& v) { r.*membro = static_cast<T>(v.toLongLong()); }};
}

Campo textoAparado(const char* coluna, QString Recibo::*membro) {
  return {QString::fromLatin1(coluna),
          Tipo::Texto,
          0,
          false,
          [membro](const Recibo& r) { return QVariant((r.*membro).trimmed()); },
          [membro](Recibo& r, const QVariant& v) { r.*membro = texto(v); }};
}

QList<Campo> campos() {
  return {
      inteiro("Codigo", 0, &Recibo::numero, true),
      inteiro("Ano", 0, &Recibo::ano, true),
      {QStringLiteral("DataEmissao"), Tipo::Data, 0, false,
       [](const Recibo& r) { return QVariant(r.dataEmissao.toString(kFormatoData)); },
       [](Recibo& r, const QVariant& v) { r.dataEmissao = QDate::fromString(v.toString(), kFormatoData); }},
      inteiro("Valor", 0, &Recibo::valor, false, Tipo::Moeda),
      inteiro("Recebi", 0, &Recibo::recebi),
      inteiro("Emitente", 0, &Recibo::emitente),
      textoAparado("Referente", &Recibo::referente),
      textoAparado("Observacao", &Recibo::observacao),
      // The number of copies is one of the list's own texts, "1" or "2", kept as it is.
      {QStringLiteral("Vias"), Tipo::Texto, 0, false, [](const Recibo& r) { return QVariant(r.vias); },
       [](Recibo& r, const QVariant& v) { r.vias = texto(v); }},
      inteiro("FormaPagamento", 1, &Recibo::formaPagamento),
      {QStringLiteral("Beneficiario"), Tipo::Inteiro, 1, false,
       [](const Recibo& r) {
         return r.beneficiario ? QVariant(*r.beneficiario) : QVariant(QMetaType::fromType<qint64>());
       },
       [](Recibo& r, const QVariant& v) {
         r.beneficiario = v.isNull() ? std::nullopt : std::optional<qint64>(v.toLongLong());
       }},
  };
}

QStringList colunas(bool comChave) {
  QStringList nomes;
  for (const Campo& campo : Campos())
    if (comChave || !campo.chave)
      nomes << campo.coluna;
  return nomes;
}

const QString kOndeChave = QStringLiteral(" WHERE Codigo=? AND Ano=?");

}  // namespace

const QList<Campo>& Campos() {
  static const QList<Campo> todos = campos();
  return todos;
}

QString SelecaoPorChave() {
  return QStringLiteral("SELECT ") + colunas(true).join(QStringLiteral(", ")) + QStringLiteral(" FROM tbRecibo") +
         kOndeChave;
}

QString Insercao() {
  const QStringList nomes = colunas(true);
  return QStringLiteral("INSERT INTO tbRecibo (%1) VALUES (%2)")
      .arg(nomes.join(QStringLiteral(", ")), QStringList(nomes.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
}

QString Atualizacao() {
  return QStringLiteral("UPDATE tbRecibo SET ") + colunas(false).join(QStringLiteral("=?, ")) + QStringLiteral("=?") +
         kOndeChave;
}

QVariantList ValoresInsercao(const Recibo& recibo) {
  QVariantList valores;
  for (const Campo& campo : Campos())
    valores << campo.valor(recibo);
  return valores;
}

QVariantList ValoresAtualizacao(const Recibo& recibo) {
  QVariantList valores;
  for (const Campo& campo : Campos())
    if (!campo.chave)
      valores << campo.valor(recibo);
  return valores << recibo.numero << recibo.ano;
}

Recibo Ler(const QSqlQuery& consulta) {
  Recibo recibo;
  for (int i = 0; i < Campos().size(); ++i)
    Campos().at(i).ler(recibo, consulta.value(i));
  return recibo;
}

}  // namespace TabelaRecibo
