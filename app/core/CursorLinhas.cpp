#include "app/core/CursorLinhas.h"

#include "app/core/Conexao.h"
#include "app/core/Dialeto.h"
#include "app/core/ErroBanco.h"

#include <QSqlError>

#include <sqlite3.h>

CursorLinhas::CursorLinhas(const QSqlDatabase& banco)
    : banco_(banco), nativo_(Conexao::Nativo(banco)), consulta_(banco) {
  consulta_.setForwardOnly(true);
}

CursorLinhas::~CursorLinhas() {
  sqlite3_finalize(comando_);
}

Resultado CursorLinhas::falhaNativa() const {
  return Resultado::falha(QString::fromUtf8(sqlite3_errmsg(nativo_)), sqlite3_errcode(nativo_));
}

Resultado CursorLinhas::Preparar(const QString& sql) {
  if (!banco_.isOpen()) {
    resultado_ = Resultado::falha(QStringLiteral("A conexão com o banco de dados não está aberta."), -1);
  } else if (nativo_ != nullptr) {
    const QByteArray texto = sql.toUtf8();
    resultado_ =
        sqlite3_prepare_v2(nativo_, texto.constData(), static_cast<int>(texto.size()), &comando_, nullptr) == SQLITE_OK
            ? Resultado::sucesso()
            : falhaNativa();
  } else {
    resultado_ = consulta_.prepare(Dialeto::Adaptar(Dialeto::De(banco_), sql))
                     ? Resultado::sucesso()
                     : ErroBanco::Falha(consulta_.lastError());
  }
  return resultado_;
}

Resultado CursorLinhas::Vincular(int indice, const QVariant& valor) {
  if (!resultado_)
    return resultado_;
  if (nativo_ == nullptr) {
    consulta_.bindValue(indice, valor.typeId() == QMetaType::Bool ? QVariant(valor.toInt()) : valor);
    return resultado_;
  }
  int r = SQLITE_OK;
  switch (valor.typeId()) {
  case QMetaType::UnknownType:
    r = sqlite3_bind_null(comando_, indice + 1);
    break;
  case QMetaType::Int:
  case QMetaType::LongLong:
  case QMetaType::Bool:
    r = sqlite3_bind_int64(comando_, indice + 1, valor.toLongLong());
    break;
  case QMetaType::Double:
    r = sqlite3_bind_double(comando_, indice + 1, valor.toDouble());
    break;
  default: {
    const QByteArray texto = valor.toString().toUtf8();
    r = sqlite3_bind_text(comando_, indice + 1, texto.constData(), static_cast<int>(texto.size()), SQLITE_TRANSIENT);
  }
  }
  if (r != SQLITE_OK)
    resultado_ = falhaNativa();
  return resultado_;
}

bool CursorLinhas::Proxima() {
  if (!resultado_)
    return false;
  if (nativo_ != nullptr) {
    const int passo = sqlite3_step(comando_);
    if (passo != SQLITE_ROW && passo != SQLITE_DONE)
      resultado_ = falhaNativa();
    return passo == SQLITE_ROW;
  }
  if (!executada_) {
    executada_ = true;
    if (!consulta_.exec()) {
      resultado_ = ErroBanco::Falha(consulta_.lastError());
      return false;
    }
  }
  if (consulta_.next())
    return true;
  if (consulta_.lastError().isValid())
    resultado_ = ErroBanco::Falha(consulta_.lastError());
  return false;
}

bool CursorLinhas::Nulo(int coluna) const {
  return nativo_ != nullptr ? sqlite3_column_type(comando_, coluna) == SQLITE_NULL : consulta_.isNull(coluna);
}

qint64 CursorLinhas::Inteiro(int coluna) const {
  return nativo_ != nullptr ? sqlite3_column_int64(comando_, coluna) : consulta_.value(coluna).toLongLong();
}

double CursorLinhas::Decimal(int coluna) const {
  return nativo_ != nullptr ? sqlite3_column_double(comando_, coluna) : consulta_.value(coluna).toDouble();
}

std::string_view CursorLinhas::Texto(int coluna) {
  if (nativo_ != nullptr) {
    const auto* texto = reinterpret_cast<const char*>(sqlite3_column_text(comando_, coluna));
    if (texto == nullptr)
      return {};
    return {texto, static_cast<std::size_t>(sqlite3_column_bytes(comando_, coluna))};
  }
  const auto i = static_cast<std::size_t>(coluna);
  if (textos_.size() <= i)
    textos_.resize(i + 1);
  textos_[i] = consulta_.value(coluna).toString().toUtf8();
  return {textos_[i].constData(), static_cast<std::size_t>(textos_[i].size())};
}
