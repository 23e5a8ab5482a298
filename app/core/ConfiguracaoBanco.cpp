#include "app/core/ConfiguracaoBanco.h"

#include "app/core/modGeral.h"

Resultado ConfiguracaoBanco::Ler(ConfiguracaoBanco& configuracao) {
  const QString ini = modGeral::ArquivoIni();
  const auto ler = [&ini](const char* chave, const QString& padrao = {}) {
    return modGeral::LerIni(QStringLiteral("banco"), QString::fromLatin1(chave), padrao, ini);
  };
  configuracao = ConfiguracaoBanco();
  const QString tipo = ler("tipo", QStringLiteral("sqlite")).toLower();
  if (tipo == QLatin1String("postgresql")) {
    configuracao.tipo = Dialeto::Tipo::Postgresql;
  } else if (tipo != QLatin1String("sqlite")) {
    return Resultado::falha(QStringLiteral("O tipo de banco de dados \"") + tipo +
                                QStringLiteral("\" da seção [banco] do arquivo de configuração não é conhecido: use "
                                               "sqlite ou postgresql."),
                            -1);
  }
  configuracao.servidor = ler("servidor", QStringLiteral("localhost"));
  bool numero = false;
  configuracao.porta = ler("porta", QStringLiteral("5432")).toInt(&numero);
  if (!numero || configuracao.porta <= 0 || configuracao.porta > 65535)
    return Resultado::falha(QStringLiteral("A porta do servidor na seção [banco] do arquivo de configuração não é "
                                           "um número de porta válido."),
                            -1);
  configuracao.nome = ler("nome", QStringLiteral("talonix"));
  configuracao.usuario = ler("usuario", QStringLiteral("talonix"));
  configuracao.permitirRede = ler("permitir_rede", QStringLiteral("0")) == QLatin1String("1");
  return Resultado::sucesso();
}
