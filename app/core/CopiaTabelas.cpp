#include "app/core/CopiaTabelas.h"

#include "app/core/CursorLinhas.h"
#include "app/core/Dialeto.h"
#include "app/core/ErroBanco.h"
#include "app/core/Esquema.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace CopiaTabelas {
namespace {

// Rows written by one statement: a round trip to the server per row would make a restore of a
// large database take minutes.
constexpr int kLinhasPorComando = 200;

QString insercao(const QString& tabela, const QStringList& colunas, int linhas) {
  const QString linha =
      QLatin1Char('(') + QStringList(colunas.size(), QStringLiteral("?")).join(u',') + QLatin1Char(')');
  return QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(tabela, colunas.join(u',')) +
         QStringList(linhas, linha).join(u',');
}

Resultado gravar(QSqlQuery& comando, const QString& sql, const QVariantList& valores) {
  if (!comando.prepare(sql))
    return ErroBanco::Falha(comando.lastError());
  for (int i = 0; i < valores.size(); ++i)
    comando.bindValue(i, valores.at(i));
  return comando.exec() ? Resultado::sucesso() : ErroBanco::Falha(comando.lastError());
}

Resultado copiarTabela(const QSqlDatabase& origem, const QSqlDatabase& destino, const QString& tabela) {
  QSqlRecord registro;
  if (Resultado lidas = Esquema::LerColunas(destino, tabela, registro); !lidas)
    return lidas;
  QStringList colunas;
  QList<bool> inteiras;
  for (int i = 0; i < registro.count(); ++i) {
    colunas.append(registro.fieldName(i));
    const int tipo = registro.field(i).metaType().id();
    inteiras.append(tipo == QMetaType::LongLong || tipo == QMetaType::Int || tipo == QMetaType::ULongLong ||
                    tipo == QMetaType::UInt);
  }
  CursorLinhas cursor(origem);
  const Dialeto::Tipo dialeto = Dialeto::De(origem);
  if (!cursor.Preparar(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                           .arg(colunas.join(u','), tabela, Dialeto::OrdemGravacao(dialeto, tabela, tabela))))
    return cursor.resultado();
  QSqlQuery comando(destino);
  const QString cheio = insercao(tabela, colunas, kLinhasPorComando);
  QVariantList valores;
  int linhas = 0;
  Resultado resultado;
  while (resultado && cursor.Proxima()) {
    for (int i = 0; i < colunas.size(); ++i) {
      if (cursor.Nulo(i)) {
        valores.append(QVariant(inteiras.at(i) ? QMetaType::fromType<qint64>() : QMetaType::fromType<QString>()));
      } else if (inteiras.at(i)) {
        valores.append(cursor.Inteiro(i));
      } else {
        const std::string_view texto = cursor.Texto(i);
        valores.append(QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())));
      }
    }
    if (++linhas == kLinhasPorComando) {
      resultado = gravar(comando, cheio, valores);
      valores.clear();
      linhas = 0;
    }
  }
  if (!cursor.resultado())
    return cursor.resultado();
  if (resultado && linhas > 0)
    resultado = gravar(comando, insercao(tabela, colunas, linhas), valores);
  return resultado;
}

}  // namespace

const QStringList& Tabelas() {
  // In lower case, as the server's catalogue holds them; SQLite takes a name in any case.
  static const QStringList tabelas = {QStringLiteral("tbpessoa"), QStringLiteral("tbreferente"),
                                      QStringLiteral("tbrecibo")};
  return tabelas;
}

Resultado Copiar(const QSqlDatabase& origem, const QSqlDatabase& destino) {
  for (const QString& tabela : Tabelas())
    if (Resultado copiada = copiarTabela(origem, destino, tabela); !copiada)
      return copiada;
  return Resultado::sucesso();
}

}  // namespace CopiaTabelas
