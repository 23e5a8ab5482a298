#include "app/core/TravaBanco.h"

#include "app/core/ArquivosBanco.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

namespace {

// Writes are short; a compaction or a restore of a large file takes seconds, and a screen that
// waits longer than this tells the operator instead of looking frozen.
constexpr int kEsperaMs = 5000;
constexpr int kIntervaloMs = 10;

}  // namespace

TravaBanco::TravaBanco(const QString& operacao) {
  ArquivosBanco::Locais locais;
  if (resultado_ = ArquivosBanco::Resolver(locais); !resultado_)
    return;
  const bool exclusiva = !operacao.isEmpty();
  trava_ = Plataforma::AbrirTrava(locais.em(ArquivosBanco::Trava), locais.banco);
  if (trava_ < 0) {
    // A folder where not even the lock can be made allows no change to the database either;
    // a write is left to fail with the store's own message.
    if (exclusiva)
      resultado_ =
          Resultado::falha(QStringLiteral("A pasta do banco de dados não permite gravação: não é possível fazer a ") +
                               operacao + QStringLiteral(".\r") + locais.pasta,
                           -1);
    return;
  }
  QDeadlineTimer prazo(kEsperaMs);
  while (!Plataforma::Travar(trava_, exclusiva)) {
    if (prazo.hasExpired()) {
      QString motivo;
      // A shared lock that can be had means the others are only writing.
      if (exclusiva && Plataforma::Travar(trava_, false))
        motivo = QStringLiteral("outra janela do Talonix está gravando no banco de dados");
      else if (const QString nome = QString::fromUtf8(Plataforma::LerTrava(trava_)).trimmed(); !nome.isEmpty())
        motivo = QStringLiteral("outra janela do Talonix está fazendo a ") + nome;
      else
        motivo = QStringLiteral("outra janela do Talonix está usando o banco de dados");
      Plataforma::FecharTrava(trava_);
      trava_ = -1;
      resultado_ = Resultado::falha(QStringLiteral("O banco de dados está ocupado: ") + motivo +
                                        QStringLiteral(". Tente novamente em instantes."),
                                    -1);
      return;
    }
    QThread::msleep(kIntervaloMs);
  }
  if (exclusiva)
    Plataforma::EscreverTrava(trava_, operacao.toUtf8());
}

TravaBanco::~TravaBanco() {
  Plataforma::FecharTrava(trava_);
}
