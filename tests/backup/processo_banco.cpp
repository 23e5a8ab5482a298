// processo_banco APPDIR gravar ANO N PARADA: saves receipts 1..N of year ANO through the
// program's own save code until N are tried or the file PARADA exists, printing "OK n" for each
// receipt reported saved and "ERRO n text" for each refusal, one every 10 ms or so.
// processo_banco APPDIR numerar ANO N PARTIDA: once its connection is open it prints "PRONTO" and
// waits for the file PARTIDA, so that several desks start saving together; then saves N receipts
// of year ANO as the receipt screen does, each with the next number the store proposes, and on
// the refusal of a number another desk took meanwhile tries the next one; prints "OK number" for
// each receipt reported saved.
// processo_banco APPDIR manter OPERATION N ARCHIVE: runs OPERATION ("compactar", "copiar" or
// "restaurar") N times, the backups into ARCHIVE.n, the restores from ARCHIVE; prints "OK i" or
// "ERRO i text" for each.
// processo_banco APPDIR editar MARCA N PARTIDA: prints "PRONTO" once its connection is open, waits
// for the file PARTIDA, then N times loads person 1 and saves its district and city as MARCA-i,
// and loads receipt 1 of 2026 and saves its referente and observation as MARCA-i, as the screens
// do; prints "PESSOA OK before after" or "RECIBO OK before after" for each save reported done,
// "PESSOA ALTERADO before" or "RECIBO ALTERADO before" for each refused because the other desk
// saved in between, and "PESSOA ERRO text" or "RECIBO ERRO text" for anything else.
// Together they are the two Talonix processes sharing one data folder.

#include "app/core/Compactacao.h"
#include "app/core/Conexao.h"
#include "app/core/Numeracao.h"
#include "app/core/RegistroAlterado.h"
#include "app/core/modGeral.h"
#include "backup/CopiaSeguranca.h"
#include "backup/RestauracaoBanco.h"
#include "receipts/RegistroRecibo.h"
#include "registries/TabelaCadastro.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlRecord>
#include <QTextStream>
#include <QThread>

namespace {

void relatar(QTextStream& saida, int i, const Resultado& r) {
  if (r)
    saida << "OK " << i << '\n';
  else
    saida << "ERRO " << i << ' ' << QString(r.erro).replace(QLatin1Char('\r'), QLatin1Char(' ')) << '\n';
  saida.flush();
}

Resultado manter(const QString& operacao, const QString& arquivo, int i) {
  if (operacao == QLatin1String("compactar"))
    return Compactacao::CompactarBanco();
  if (operacao == QLatin1String("copiar"))
    return CopiaSeguranca::Realizar(arquivo + QLatin1Char('.') + QString::number(i));
  // The screen closes its connection around a restore.
  Conexao::FecharConexao();
  const Resultado r = RestauracaoBanco::RestaurarBanco(arquivo);
  const Resultado aberta = Conexao::AbrirConexao();
  return r ? aberta : r;
}

Recibo novo(qint64 numero, int ano) {
  Recibo recibo;
  recibo.numero = numero;
  recibo.ano = ano;
  recibo.dataEmissao = QDate(ano, 1, 1);
  recibo.valor = 10000 * numero;
  // People 1 and 2 are registered in every folder these processes work on: the store refuses a
  // receipt naming nobody.
  recibo.recebi = 1;
  recibo.emitente = 2;
  recibo.referente = QStringLiteral("Recibo de teste ") + QString::number(numero);
  recibo.observacao = QStringLiteral("");
  return recibo;
}

// Saves one receipt under the next free number; a failure other than a taken number is reported
// as the receipt's own.
void numerar(QTextStream& saida, int ano, int i) {
  qint64 numero = 0;
  Resultado r = Numeracao::ProximoNumeroRecibo(ano, numero);
  while (r) {
    r = RegistroRecibo::Inserir(novo(numero, ano));
    if (r) {
      relatar(saida, static_cast<int>(numero), r);
      return;
    }
    if (r.numero != RegistroRecibo::ErroNumeroExistente)
      break;
    ++numero;
    r = Resultado::sucesso();
  }
  relatar(saida, i, r);
}

void relatarEdicao(QTextStream& saida, const char* tabela, const Resultado& r, const QString& antes,
                   const QString& depois) {
  saida << tabela;
  if (r)
    saida << " OK " << antes << ' ' << depois;
  else if (r.numero == RegistroAlterado::Erro)
    saida << " ALTERADO " << antes;
  else
    saida << " ERRO " << QString(r.erro).replace(QLatin1Char('\r'), QLatin1Char(' '));
  saida << '\n';
  saida.flush();
}

// The operator's typing between opening a record and saving it, in which the other desk's save
// may get in: up to a millisecond.
void digitar() {
  QThread::usleep(QRandomGenerator::global()->bounded(1000));
}

// One round of a desk correcting the same person and the same receipt as another desk does.
void editar(QTextStream& saida, const QString& marca) {
  const TabelaCadastro pessoas(Numeracao::Cadastro::Pessoa);
  bool encontrada = false;
  QSqlRecord pessoa;
  Resultado r = pessoas.Localizar(1, encontrada, pessoa);
  const QString antesPessoa = pessoa.value(QStringLiteral("Cidade")).toString();
  if (r && !encontrada)
    r = Resultado::falha(QStringLiteral("a pessoa 1 sumiu"));
  digitar();
  if (r)
    r = pessoas.Alterar(pessoa, {{QStringLiteral("Bairro"), marca}, {QStringLiteral("Cidade"), marca}});
  relatarEdicao(saida, "PESSOA", r, antesPessoa, marca);

  std::optional<Recibo> recibo;
  r = RegistroRecibo::Carregar(1, 2026, recibo);
  if (r && !recibo)
    r = Resultado::falha(QStringLiteral("o recibo 1/2026 sumiu"));
  const QString antesRecibo = recibo ? recibo->observacao : QString();
  digitar();
  if (r) {
    Recibo corrigido = *recibo;
    corrigido.referente = marca;
    corrigido.observacao = marca;
    r = RegistroRecibo::Atualizar(*recibo, corrigido);
  }
  relatarEdicao(saida, "RECIBO", r, antesRecibo, marca);
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication aplicacao(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 6)
    return 2;
  modGeral::DefinirPastaAplicacao(args.at(1));
  QTextStream saida(stdout);
  if (const Resultado aberta = Conexao::AbrirConexao(); !aberta) {
    relatar(saida, 0, aberta);
    return 3;
  }
  const int n = args.at(4).toInt();
  if (args.at(2) == QLatin1String("numerar") || args.at(2) == QLatin1String("editar")) {
    saida << "PRONTO\n";
    saida.flush();
    while (!QFileInfo::exists(args.at(5)))
      QThread::msleep(10);
    for (int i = 1; i <= n; ++i) {
      if (args.at(2) == QLatin1String("numerar"))
        numerar(saida, args.at(3).toInt(), i);
      else
        editar(saida, args.at(3) + QLatin1Char('-') + QString::number(i));
    }
  } else if (args.at(2) == QLatin1String("gravar")) {
    for (int i = 1; i <= n && !QFileInfo::exists(args.at(5)); ++i) {
      relatar(saida, i, RegistroRecibo::Inserir(novo(i, args.at(3).toInt())));
      // An operator, or a program fed by one, never saves back to back: there is a gap in which
      // the other process's reads get in.
      QThread::msleep(10);
    }
  } else {
    for (int i = 1; i <= n; ++i) {
      relatar(saida, i, manter(args.at(3), args.at(5), i));
      QThread::msleep(20);  // the other process's saves fall between operations as well as into them
    }
  }
  Conexao::FecharConexao();
  return 0;
}
