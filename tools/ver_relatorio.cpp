// Shows a report layout on a database, in the preview window or written to a PDF file: the
// tool for writing and checking layouts.
//   talonix_ver_relatorio [--pasta PASTA] MODELO [--selecao F] [--ordem T.P]... [--formula NOME=TEXTO]...
//                         [--parametro NOME=VALOR]... [--suprimir-secao N]... [--suprimir-objeto S.O]...
//                         [--zoom Z] [--pdf SAIDA]
// PASTA is an application folder (default: the one beside this tool); MODELO a file of its
// "relatorio" folder.
#include "app/core/Conexao.h"
#include "app/core/modGeral.h"
#include "controls/EscolhaArquivoQt.h"
#include "controls/MensagensQt.h"
#include "reports/engine/Relatorio.h"
#include "reports/preview/frmPreviewRelatorio.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>

namespace {

int falhar(const QString& texto) {
  QTextStream(stderr) << texto << '\n';
  return 1;
}

std::pair<QString, QString> parNomeValor(const QString& texto) {
  const qsizetype igual = texto.indexOf(QLatin1Char('='));
  return {texto.left(igual), texto.mid(igual + 1)};
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  QString pasta = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../Talonix"));
  QString pdf;
  int zoom = 130;
  auto relatorio = std::make_shared<Relatorio>();
  QList<std::function<Resultado()>> passos;
  QString modelo;
  for (int i = 0; i < args.size(); ++i) {
    const QString a = args.at(i);
    const QString v = args.value(i + 1);
    if (a == QLatin1String("--pasta")) {
      pasta = v;
    } else if (a == QLatin1String("--pdf")) {
      pdf = v;
    } else if (a == QLatin1String("--zoom")) {
      zoom = v.toInt();
    } else if (a == QLatin1String("--selecao")) {
      passos.append([=] { return relatorio->DefinirFormulaSelecao(v); });
    } else if (a == QLatin1String("--ordem")) {
      passos.append([=] { return relatorio->AdicionarOrdem(v.section('.', 0, 0).toInt(), v.section('.', 1).toInt()); });
    } else if (a == QLatin1String("--formula")) {
      passos.append([=] { return relatorio->DefinirFormula(parNomeValor(v).first, parNomeValor(v).second); });
    } else if (a == QLatin1String("--parametro")) {
      passos.append([=] { return relatorio->DefinirParametro(parNomeValor(v).first, parNomeValor(v).second); });
    } else if (a == QLatin1String("--suprimir-secao")) {
      passos.append([=] { return relatorio->SuprimirSecao(v.toInt()); });
    } else if (a == QLatin1String("--suprimir-objeto")) {
      passos.append([=] { return relatorio->SuprimirObjeto(v.section('.', 0, 0).toInt(), v.section('.', 1).toInt()); });
    } else {
      modelo = a;
      continue;
    }
    ++i;
  }
  if (modelo.isEmpty())
    return falhar(QStringLiteral("uso: talonix_ver_relatorio [--pasta PASTA] MODELO [opções] [--pdf SAIDA]"));

  modGeral::DefinirPastaAplicacao(QDir(pasta).absolutePath());
  if (Resultado r = Conexao::AbrirConexao(); !r)
    return falhar(r.erro);
  if (Resultado r = relatorio->AbrirModelo(modelo); !r)
    return falhar(r.erro);
  relatorio->DescartarDadosSalvos();
  for (const auto& passo : passos)
    if (Resultado r = passo(); !r)
      return falhar(r.erro);

  if (!pdf.isEmpty()) {
    Resultado r = relatorio->Preparar();
    if (r)
      r = relatorio->ExportarPdf(pdf);
    if (!r)
      return falhar(r.erro);
    for (const QString& aviso : relatorio->avisos())
      QTextStream(stderr) << aviso << '\n';
    QTextStream(stdout) << relatorio->quantasPaginas() << " páginas, " << relatorio->quantosRegistros()
                        << " registros\n";
    return 0;
  }
  MensagensQt mensagens;
  EscolhaArquivoQt arquivos;
  Contexto contexto{&mensagens, nullptr, &arquivos};
  if (frmPreviewRelatorio::Mostrar(nullptr, contexto, relatorio, zoom, relatorio->titulo(), relatorio->titulo()) ==
      nullptr)
    return 1;
  return QApplication::exec();
}
