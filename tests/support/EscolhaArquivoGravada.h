#pragma once

#include "app/core/EscolhaArquivo.h"

#include <QList>
#include <QQueue>
#include <QString>

/// A file chooser for tests: records every call and answers from a script (an empty text, as
/// a cancel, when the script is empty).
class EscolhaArquivoGravada final : public EscolhaArquivo {
public:
  struct Chamada {
    ModoArquivo modo;
    QString titulo;
    QString nomeInicial;
    QString filtro;
    QString pastaInicial;
    QString extensaoPadrao;
  };

  QString EscolherArquivo(QWidget*, ModoArquivo modo, const QString& titulo, const QString& nomeInicial,
                          const QString& filtro, const QString& pastaInicial, const QString& extensaoPadrao) override {
    chamadas.append({modo, titulo, nomeInicial, filtro, pastaInicial, extensaoPadrao});
    return respostas.isEmpty() ? QString() : respostas.dequeue();
  }

  /// The path to give to the next call.
  void responder(const QString& caminho) { respostas.enqueue(caminho); }

  QList<Chamada> chamadas;
  QQueue<QString> respostas;
};
