#include "reports/preview/ExportacaoPdf.h"

#include "app/core/EscolhaArquivo.h"
#include "app/core/Mensagens.h"
#include "app/core/ProgramaExterno.h"
#include "app/core/modGeral.h"
#include "reports/engine/Relatorio.h"

#include <QDir>
#include <QFileInfo>

namespace ExportacaoPdf {

namespace {

const QString kTitulo = QStringLiteral("Exportar para PDF");
const QString kSecao = QStringLiteral("talonix");
const QString kChavePasta = QStringLiteral("pastapdf");
// Room for the extension and a folder's worth of path within the usual 255-byte name limit,
// even when every character takes two bytes.
constexpr int kTamanhoMaximo = 120;

QString pastaProposta() {
  const QString pasta = modGeral::LerIni(kSecao, kChavePasta, QString(), modGeral::ArquivoIni());
  return !pasta.isEmpty() && QFileInfo(pasta).isDir() ? pasta : QDir::homePath();
}

void entregar(const QString& programa, const QStringList& argumentos, const QString& acao, Mensagens& mensagens) {
  if (Resultado r = ProgramaExterno::Iniciar(programa, argumentos); !r)
    mensagens.mostrar(QStringLiteral("Não foi possível %1 o PDF: %2").arg(acao, r.erro), kTitulo, Icone::Exclamacao);
}

}  // namespace

QString NomeArquivo(const QString& base) {
  const QString proibidos = QStringLiteral("/\\:*?\"<>|");
  QString nome;
  nome.reserve(base.size());
  for (const QChar c : base) {
    if (c.category() == QChar::Other_Control || proibidos.contains(c))
      nome += QLatin1Char('-');
    else
      nome += c;
  }
  nome = nome.simplified().left(kTamanhoMaximo).trimmed();
  // A name that ends in a dot loses it on some systems, and one made of dots names a folder.
  while (nome.endsWith(QLatin1Char('.')))
    nome.chop(1);
  return nome.isEmpty() ? QStringLiteral("Relatório") : nome;
}

void Exportar(QWidget* dono, Contexto contexto, const Relatorio& relatorio, const QString& base) {
  const QString caminho = contexto.escolhaArquivo->EscolherArquivo(
      dono, ModoArquivo::Salvar, kTitulo, NomeArquivo(base) + QStringLiteral(".pdf"),
      QStringLiteral("Documentos PDF (*.pdf)|*.pdf"), pastaProposta(), QStringLiteral("pdf"));
  if (caminho.isEmpty())
    return;
  if (Resultado r = relatorio.ExportarPdf(caminho); !r) {
    contexto.mensagens->mostrar(r.erro, kTitulo, Icone::Critico);
    return;
  }
  modGeral::GravarIni(kSecao, kChavePasta, QFileInfo(caminho).absolutePath(), modGeral::ArquivoIni());
  const QString arquivo = QFileInfo(caminho).absoluteFilePath();
  switch (
      contexto.mensagens->mostrar(QStringLiteral("O PDF foi gravado em:\r%1").arg(QDir::toNativeSeparators(arquivo)),
                                  kTitulo, Icone::Informacao, Botoes::AbrirEnviarFechar, Resposta::Fechar)) {
  case Resposta::Abrir:
    entregar(QStringLiteral("xdg-open"), {arquivo}, QStringLiteral("abrir"), *contexto.mensagens);
    break;
  case Resposta::Enviar:
    entregar(QStringLiteral("xdg-email"), {QStringLiteral("--attach"), arquivo}, QStringLiteral("enviar"),
             *contexto.mensagens);
    break;
  default:
    break;
  }
}

}  // namespace ExportacaoPdf
