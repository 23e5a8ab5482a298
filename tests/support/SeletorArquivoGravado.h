#pragma once

#include "app/core/SeletorArquivo.h"

#include <QList>
#include <QQueue>
#include <QString>

/// A file chooser for tests: records each question and answers from a script (an empty
/// answer, as a cancelled dialog, when the script is empty).
class SeletorArquivoGravado final : public SeletorArquivo {
public:
  struct Pedido {
    QString titulo;
    QString sugestao;
    QString filtro;
    QString sufixo;
  };

  QString salvar(const QString& titulo, const QString& sugestao, const QString& filtro,
                 const QString& sufixo) override {
    pedidos_.append({titulo, sugestao, filtro, sufixo});
    return respostas_.isEmpty() ? QString() : respostas_.dequeue();
  }

  void responder(const QString& caminho) { respostas_.enqueue(caminho); }
  const QList<Pedido>& pedidos() const { return pedidos_; }

private:
  QList<Pedido> pedidos_;
  QQueue<QString> respostas_;
};
