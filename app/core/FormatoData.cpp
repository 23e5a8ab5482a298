#include "app/core/FormatoData.h"

#include "app/core/Mensagens.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace FormatoData {
namespace {

#ifdef _WIN32
QString formatoDoComputador() {
  const LCID local = GetUserDefaultLCID();
  const int tamanho = GetLocaleInfoA(local, LOCALE_SSHORTDATE, nullptr, 0);
  if (tamanho <= 0)
    return {};
  std::vector<char> texto(static_cast<std::size_t>(tamanho) + 1, '\0');
  GetLocaleInfoA(local, LOCALE_SSHORTDATE, texto.data(), tamanho);
  return QString::fromLocal8Bit(texto.data());
}
#else
// Dates are formatted and parsed by the program itself, always as day/month/year.
QString formatoDoComputador() {
  return FormatoEsperado;
}
#endif

}  // namespace

bool PrecisaPerguntar(const QString& formato) {
  const QString t = formato.trimmed();
  return !t.isEmpty() && t != FormatoEsperado;
}

QString TextoPergunta(const QString& formato) {
  return QStringLiteral("O formato da data nas configurações regionais de seu computador é: ") + formato +
         QLatin1Char('\r') +
         QStringLiteral("Para melhor utilização do sistema é recomendado utilizar o formato: dd/MM/yyyy") +
         QLatin1Char('\r') + QLatin1Char('\r') + QStringLiteral("Deseja que o sistema modifique o formato da data ?");
}

void VerificarFormatoData(Mensagens& mensagens) {
  const QString formato = formatoDoComputador();
  if (!PrecisaPerguntar(formato))
    return;
  if (mensagens.mostrar(TextoPergunta(formato), QStringLiteral("Aviso"), Icone::Exclamacao, Botoes::SimNao,
                        Resposta::Sim) != Resposta::Sim)
    return;
#ifdef _WIN32
  SetLocaleInfoA(GetUserDefaultLCID(), LOCALE_SSHORTDATE, "dd/MM/yyyy");
#endif
  mensagens.mostrar(QStringLiteral("Alteração do formato da data realizada."), QStringLiteral("Formato da data"),
                    Icone::Informacao);
}

}  // namespace FormatoData
