// talonix_gerar_dados --saida PATH [--pessoas N] [--referentes M] [--recibos R] [--anos Y]
//                     [--ultimo-ano A] [--semente S] [--emitente-principal]

#include "bench/dados/GeradorDados.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char* argv[]) {
  QCoreApplication aplicacao(argc, argv);
  QCommandLineParser opcoes;
  opcoes.addHelpOption();
  const QCommandLineOption saida(QStringLiteral("saida"), QStringLiteral("database file to write"),
                                 QStringLiteral("PATH"));
  const QCommandLineOption pessoas(QStringLiteral("pessoas"), QStringLiteral("people"), QStringLiteral("N"),
                                   QStringLiteral("100000"));
  const QCommandLineOption referentes(QStringLiteral("referentes"), QStringLiteral("referentes"), QStringLiteral("M"),
                                      QStringLiteral("500"));
  const QCommandLineOption recibos(QStringLiteral("recibos"), QStringLiteral("receipts"), QStringLiteral("R"),
                                   QStringLiteral("1000000"));
  const QCommandLineOption anos(QStringLiteral("anos"), QStringLiteral("years"), QStringLiteral("Y"),
                                QStringLiteral("5"));
  const QCommandLineOption ultimoAno(QStringLiteral("ultimo-ano"), QStringLiteral("last year"), QStringLiteral("A"),
                                     QStringLiteral("2026"));
  const QCommandLineOption semente(QStringLiteral("semente"), QStringLiteral("seed"), QStringLiteral("S"),
                                   QStringLiteral("1"));
  const QCommandLineOption principal(QStringLiteral("emitente-principal"),
                                     QStringLiteral("issuer 1 holds a tenth of the receipts"));
  opcoes.addOptions({saida, pessoas, referentes, recibos, anos, ultimoAno, semente, principal});
  opcoes.process(aplicacao);

  QTextStream erro(stderr);
  if (!opcoes.isSet(saida)) {
    erro << "--saida is required\n";
    return 2;
  }
  GeradorDados gerador;
  gerador.pessoas = opcoes.value(pessoas).toLongLong();
  gerador.referentes = opcoes.value(referentes).toLongLong();
  gerador.recibos = opcoes.value(recibos).toLongLong();
  gerador.anos = opcoes.value(anos).toInt();
  gerador.ultimoAno = opcoes.value(ultimoAno).toInt();
  gerador.semente = opcoes.value(semente).toULongLong();
  gerador.emitentePrincipal = opcoes.isSet(principal);
  if (gerador.pessoas < 2 || gerador.referentes < 1 || gerador.recibos < 0 || gerador.anos < 1) {
    erro << "need at least 2 people, 1 referente and 1 year\n";
    return 2;
  }

  QElapsedTimer tempo;
  tempo.start();
  const Resultado r = gerador.gerar(opcoes.value(saida));
  if (!r) {
    erro << r.erro << " (" << r.numero << ")\n";
    return 1;
  }
  QTextStream(stdout) << "generated " << opcoes.value(saida) << " in " << tempo.elapsed() << " ms\n";
  return 0;
}
