#include "receipts/ImpressaoRecibo.h"

#include "app/core/Conexao.h"
#include "app/core/ErroBanco.h"
#include "reports/engine/Relatorio.h"

#include <QSqlQuery>
#include <QVariant>

namespace ImpressaoRecibo {

namespace {

// The layout holds the receipt twice; the cut line is object 6 of section 7 and the second copy
// fills sections 9 to 14. Each copy is marked "1ª via" or "2ª via"; the first copy's mark is
// object 4 of section 3, and a single copy carries none.
constexpr int kSecaoRecorte = 7;
constexpr int kObjetoRecorte = 6;
constexpr int kSecaoMarcaPrimeiraVia = 3;
constexpr int kObjetoMarcaPrimeiraVia = 4;
constexpr int kPrimeiraSecaoSegundaVia = 9;
constexpr int kUltimaSecaoSegundaVia = 14;

}  // namespace

Resultado Preparar(qint64 numero, int ano, int vias, std::shared_ptr<Relatorio>& relatorio) {
  auto novo = std::make_shared<Relatorio>();
  if (Resultado r = novo->AbrirModelo(QStringLiteral("recibo01.rpt")); !r)
    return r;
  novo->DescartarDadosSalvos();
  // Receipt numbers go up to seven digits, so the number is handed over whole rather than cut
  // to a 16-bit integer.
  if (Resultado r = novo->DefinirParametro(QStringLiteral("CodigoRecibo"), numero); !r)
    return r;
  if (Resultado r = novo->DefinirParametro(QStringLiteral("AnoRecibo"), ano); !r)
    return r;
  if (vias < 2) {
    if (Resultado r = novo->SuprimirObjeto(kSecaoMarcaPrimeiraVia, kObjetoMarcaPrimeiraVia); !r)
      return r;
    if (Resultado r = novo->SuprimirObjeto(kSecaoRecorte, kObjetoRecorte); !r)
      return r;
    for (int secao = kPrimeiraSecaoSegundaVia; secao <= kUltimaSecaoSegundaVia; ++secao)
      if (Resultado r = novo->SuprimirSecao(secao); !r)
        return r;
  }
  relatorio = std::move(novo);
  return Resultado::sucesso();
}

QString NomePdf(qint64 numero, int ano) {
  QString nome = QStringLiteral("Recibo %1-%2").arg(numero, 6, 10, QLatin1Char('0')).arg(ano);
  QSqlQuery consulta(Conexao::Banco());
  // The name only helps the operator find the file: without the payer it still says which receipt.
  if (ErroBanco::Executar(consulta,
                          QStringLiteral("SELECT p.Descricao FROM tbRecibo r JOIN tbPessoa p ON p.Codigo = r.Recebi "
                                         "WHERE r.Codigo = ? AND r.Ano = ?"),
                          {numero, ano}) &&
      consulta.next())
    nome += QLatin1Char(' ') + consulta.value(0).toString().trimmed();
  return nome;
}

}  // namespace ImpressaoRecibo
