#pragma once

// What the benchmarks that drive a real screen share: a message service that ends the run at the
// first box (a search that asks anything has failed), and the screen's controls found by name.

#include "app/core/Mensagens.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace TelaBench {

class MensagensFalham final : public Mensagens {
public:
  Resposta mostrar(const QString& texto, const QString&, Icone, Botoes, Resposta padrao) override {
    std::fprintf(stderr, "mensagem inesperada: %s\n", qPrintable(texto));
    std::exit(1);
    return padrao;
  }
};

/// The control `nome` of `tela`; a missing one ends the run.
template <typename T>
T* Controle(QWidget* tela, const QString& nome) {
  T* c = tela->findChild<T*>(nome);
  if (c == nullptr) {
    std::fprintf(stderr, "controle ausente: %s\n", qPrintable(nome));
    std::exit(1);
  }
  return c;
}

/// Seven rounds of the bare query (`consultaNua`, which returns its row count) against the search
/// of the receipt search dialog `busca` as it is filtered ("Selecionar registros" clicked and the
/// list painted), each time in milliseconds into `piso` and `tela`; `linhas` is the rows found.
/// False, with the reason on stderr, when the dialog lists other than the bare query's rows.
template <typename Consulta>
bool MedirBusca(Consulta consultaNua, QWidget* busca, const char* nome, std::vector<double>& tela,
                std::vector<double>& piso, int& linhas) {
  auto* botao = Controle<QAbstractButton>(busca, QStringLiteral("btnSelecionaRegistrps"));
  auto* lista = Controle<QAbstractItemView>(busca, QStringLiteral("lsvRecibo"));
  for (int i = 0; i < 7; ++i) {
    QElapsedTimer tempo;
    tempo.start();
    linhas = consultaNua();
    piso.push_back(static_cast<double>(tempo.nsecsElapsed()) / 1e6);
    tempo.restart();
    botao->click();
    lista->repaint();
    tela.push_back(static_cast<double>(tempo.nsecsElapsed()) / 1e6);
    if (lista->model()->rowCount() != linhas) {
      std::fprintf(stderr, "%s: %d linhas na lista, %d na consulta\n", nome, lista->model()->rowCount(), linhas);
      return false;
    }
  }
  return true;
}

}  // namespace TelaBench
