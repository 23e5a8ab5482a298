#include "reports/frmRelRendimentoMensal.h"

#include "app/core/Conexao.h"
#include "app/core/EscolhaArquivo.h"
#include "app/core/Mensagens.h"
#include "controls/lvButtons.h"
#include "reports/RendimentosMensais.h"

#include <QGridLayout>
#include <QSaveFile>
#include <QVBoxLayout>

frmRelRendimentoMensal::frmRelRendimentoMensal(Contexto contexto, QWidget* parent)
    : TelaRelatorioAnual(contexto, QStringLiteral("Rendimentos mensais"), parent) {
  setObjectName(QStringLiteral("frmRelRendimentoMensal"));
  auto* campos = new QVBoxLayout;
  campos->addLayout(grade());
  btnExportarCsv_ = new lvButtons(QStringLiteral("E&xportar CSV"), this);
  btnExportarCsv_->setObjectName(QStringLiteral("btnExportarCsv"));
  montar(campos, btnExportarCsv_);
  btnVisualizar_->setEnabled(true);
  connect(btnVisualizar_, &lvButtons::clicked, this, &frmRelRendimentoMensal::Visualizar);
  connect(btnExportarCsv_, &lvButtons::clicked, this, &frmRelRendimentoMensal::ExportarCsv);
}

int frmRelRendimentoMensal::preparar() {
  const auto escolha = conferir();
  if (!escolha || !haRecibos(*escolha))
    return 0;
  if (Resultado r = RendimentosMensais::Preparar(Conexao::Banco(), escolha->emitente, escolha->ano); !r) {
    contexto_.mensagens->falhar(r.erro, r.numero, QStringLiteral("Não foi possível reunir os rendimentos"));
    return 0;
  }
  return escolha->ano;
}

void frmRelRendimentoMensal::Visualizar() {
  if (preparar() != 0)
    visualizar(QStringLiteral("rendimentosmensais.rpt"), QString(), {}, QStringLiteral("Rendimentos mensais"));
}

void frmRelRendimentoMensal::ExportarCsv() {
  const int ano = preparar();
  if (ano == 0)
    return;
  QByteArray csv;
  if (Resultado r = RendimentosMensais::Csv(Conexao::Banco(), csv); !r) {
    contexto_.mensagens->falhar(r.erro, r.numero, QStringLiteral("Não foi possível reunir os rendimentos"));
    return;
  }
  const QString caminho = contexto_.escolhaArquivo->EscolherArquivo(
      this, ModoArquivo::Salvar, QStringLiteral("Exportar CSV"), QStringLiteral("rendimentos-%1.csv").arg(ano),
      QStringLiteral("Planilhas CSV (*.csv)|*.csv"), QString(), QStringLiteral("csv"));
  if (caminho.isEmpty())
    return;
  QSaveFile arquivo(caminho);
  if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(csv) != csv.size() || !arquivo.commit()) {
    contexto_.mensagens->mostrar(
        QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(caminho, arquivo.errorString()),
        QStringLiteral("Exportar CSV"), Icone::Critico);
    return;
  }
  contexto_.mensagens->informar(QStringLiteral("Rendimentos de %1 exportados para %2.").arg(ano).arg(caminho),
                                QStringLiteral("Exportar CSV"));
}
