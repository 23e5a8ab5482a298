#include "app/core/Conexao.h"

#include "app/core/AtualizacaoBanco.h"
#include "app/core/ConfiguracaoBanco.h"
#include "app/core/Dialeto.h"
#include "app/core/ErroBanco.h"
#include "app/core/Esquema.h"
#include "app/core/Plataforma.h"
#include "app/core/TextoDobrado.h"
#include "app/core/modGeral.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <sqlite3.h>

namespace Conexao {
namespace {

const QString kNomePrincipal = QStringLiteral("talonix");

// The file the program's connection opened: another process may rename a new database over it.
Plataforma::Identidade identidadeAberta;

bool noServidor = false;
QString senhaDigitada;
// The settings the program's connection to the server was opened with, for reconnecting.
ConfiguracaoBanco configuracaoAberta;

// talonix_contem(texto, termo): 1 when the folded term appears in the folded text. The term is
// the same for every row of a search, so it is folded once per statement.
void sqlContem(sqlite3_context* contexto, int, sqlite3_value** argumentos) {
  const auto* texto = reinterpret_cast<const char*>(sqlite3_value_text(argumentos[0]));
  const auto* termo = reinterpret_cast<const char*>(sqlite3_value_text(argumentos[1]));
  // No term (Null or empty) finds everything; a Null text is found only by no term.
  if (termo == nullptr || *termo == '\0') {
    sqlite3_result_int(contexto, 1);
    return;
  }
  if (texto == nullptr) {
    sqlite3_result_int(contexto, 0);
    return;
  }
  auto* termoDobrado = static_cast<std::string*>(sqlite3_get_auxdata(contexto, 1));
  if (termoDobrado == nullptr) {
    termoDobrado = new std::string;
    TextoDobrado::dobrar(std::string_view(termo, static_cast<std::size_t>(sqlite3_value_bytes(argumentos[1]))),
                         *termoDobrado);
    sqlite3_set_auxdata(contexto, 1, termoDobrado, [](void* dado) { delete static_cast<std::string*>(dado); });
    // SQLite may have released it already when it could not keep it.
    termoDobrado = static_cast<std::string*>(sqlite3_get_auxdata(contexto, 1));
    if (termoDobrado == nullptr) {
      sqlite3_result_error_nomem(contexto);
      return;
    }
  }
  const std::string_view t(texto, static_cast<std::size_t>(sqlite3_value_bytes(argumentos[0])));
  sqlite3_result_int(contexto, TextoDobrado::contemDobrado(t, *termoDobrado) ? 1 : 0);
}

// talonix_dobra(texto): the folded text, for ordering or comparing folded values.
void sqlDobra(sqlite3_context* contexto, int, sqlite3_value** argumentos) {
  const auto* texto = reinterpret_cast<const char*>(sqlite3_value_text(argumentos[0]));
  if (texto == nullptr) {
    sqlite3_result_null(contexto);
    return;
  }
  std::string saida;
  TextoDobrado::dobrar(std::string_view(texto, static_cast<std::size_t>(sqlite3_value_bytes(argumentos[0]))), saida);
  sqlite3_result_text(contexto, saida.data(), static_cast<int>(saida.size()), SQLITE_TRANSIENT);
}

Resultado registrarFuncoes(QSqlDatabase& banco) {
  const QVariant handle = banco.driver()->handle();
  if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
    return Resultado::falha(QStringLiteral("O driver do banco de dados não é o SQLite esperado."), -1);
  sqlite3* sqlite = Nativo(banco);
  if (sqlite == nullptr)
    return Resultado::falha(QStringLiteral("A conexão com o banco de dados não está aberta."), -1);
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  if (sqlite3_create_function_v2(sqlite, "talonix_contem", 2, flags, nullptr, sqlContem, nullptr, nullptr, nullptr) !=
          SQLITE_OK ||
      sqlite3_create_function_v2(sqlite, "talonix_dobra", 1, flags, nullptr, sqlDobra, nullptr, nullptr, nullptr) !=
          SQLITE_OK)
    return Resultado::falha(QString::fromUtf8(sqlite3_errmsg(sqlite)), sqlite3_errcode(sqlite));
  return Resultado::sucesso();
}

}  // namespace

sqlite3* Nativo(const QSqlDatabase& banco) {
  if (!banco.isOpen())
    return nullptr;
  const QVariant handle = banco.driver()->handle();
  if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
    return nullptr;
  return *static_cast<sqlite3* const*>(handle.constData());
}

namespace {

// Opens `caminho` on the connection `nome` and prepares it; the caller drops the connection on
// failure, once no handle to it is left in this scope.
Resultado abrirPreparado(const QString& nome, const QString& caminho) {
  QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
  banco.setDatabaseName(caminho);
  // Another process's short write makes this one wait instead of failing.
  banco.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
  if (!banco.open())
    return ErroBanco::Falha(banco.lastError());

  Resultado resultado = registrarFuncoes(banco);
  if (resultado) {
    // One user and one file: the rollback journal leaves nothing beside the database once a
    // transaction ends, so the file can be zipped, compacted or replaced on its own.
    QSqlQuery ajuste(banco);
    for (const char* pragma : {"PRAGMA journal_mode=DELETE", "PRAGMA synchronous=FULL"}) {
      if (!ajuste.exec(QString::fromLatin1(pragma))) {
        resultado = ErroBanco::Falha(ajuste.lastError());
        break;
      }
    }
  }
  if (resultado)
    resultado = Esquema::VerificarTabelas(banco);
  return resultado;
}

}  // namespace

Resultado AbrirArquivo(const QString& nome, const QString& caminho) {
  const QFileInfo arquivo(caminho);
  if (!arquivo.exists() || !arquivo.isFile())
    return Resultado::falha(QStringLiteral("O arquivo do banco de dados não foi encontrado: ") + caminho,
                            SQLITE_CANTOPEN);

  Descartar(nome);
  const Resultado resultado = abrirPreparado(nome, caminho);
  if (!resultado)
    Descartar(nome);
  return resultado;
}

void Descartar(const QString& nome) {
  if (!QSqlDatabase::contains(nome))
    return;
  {
    QSqlDatabase banco = QSqlDatabase::database(nome, false);
    if (banco.isOpen())
      banco.close();
  }
  QSqlDatabase::removeDatabase(nome);
}

namespace {

Resultado falhaServidor(const QSqlError& erro, const ConfiguracaoBanco& c) {
  const QString texto = erro.databaseText().isEmpty() ? erro.driverText() : erro.databaseText();
  const QString onde = c.servidor + QLatin1Char(':') + QString::number(c.porta) + QStringLiteral(", banco \"") +
                       c.nome + QStringLiteral("\", usuário \"") + c.usuario + QLatin1Char('"');
  // libpq's words when the server wants a password and neither the password file nor the
  // program gave one.
  if (senhaDigitada.isEmpty() && texto.contains(QLatin1String("fe_sendauth")) &&
      (texto.contains(QLatin1String("no password")) || texto.contains(QLatin1String("senha"))))
    return Resultado::falha(QStringLiteral("O servidor do banco de dados (") + onde +
                                QStringLiteral(") pede uma senha, e o arquivo de senhas do usuário não tem nenhuma."),
                            ErroSenhaAusente);
  return Resultado::falha(QStringLiteral("Não foi possível conectar ao servidor do banco de dados (") + onde +
                              QStringLiteral("):\r") + texto.trimmed(),
                          -1);
}

// Opens `banco`, already set up for the server of `c`, and bounds its waits for locks.
Resultado iniciarSessao(QSqlDatabase& banco, const ConfiguracaoBanco& c) {
  if (!banco.open())
    return falhaServidor(banco.lastError(), c);
  QSqlQuery ajuste(banco);
  if (!ajuste.exec(Dialeto::AjusteSessaoServidor()))
    return ErroBanco::Falha(ajuste.lastError());
  return Resultado::sucesso();
}

// Opens the connection `nome` to the server and bounds its waits for locks; the caller drops it
// on failure.
Resultado conectarServidor(const ConfiguracaoBanco& c, const QString& nome) {
  if (!QSqlDatabase::isDriverAvailable(Dialeto::Driver(Dialeto::Tipo::Postgresql)))
    return Resultado::falha(QStringLiteral("O driver do PostgreSQL para o Qt não está instalado (pacote "
                                           "libqt6sql6-psql): o Talonix não pode usar o servidor do banco de dados."),
                            -1);
  QSqlDatabase banco = QSqlDatabase::addDatabase(Dialeto::Driver(Dialeto::Tipo::Postgresql), nome);
  banco.setHostName(c.servidor);
  banco.setPort(c.porta);
  banco.setDatabaseName(c.nome);
  banco.setUserName(c.usuario);
  if (!senhaDigitada.isEmpty())
    banco.setPassword(senhaDigitada);
  banco.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=Talonix"));
  return iniciarSessao(banco, c);
}

Resultado abrirServidor(const ConfiguracaoBanco& c) {
  Resultado resultado = conectarServidor(c, kNomePrincipal);
  if (resultado) {
    QSqlDatabase banco = QSqlDatabase::database(kNomePrincipal, false);
    resultado = Esquema::PrepararServidor(banco);
  }
  if (!resultado)
    Descartar(kNomePrincipal);
  return resultado;
}

}  // namespace

Resultado ConferirDiscoLocal(const QString& caminho, const QString& tipoSistema, bool permitirRede) {
  if (permitirRede || !Plataforma::SistemaDeRede(tipoSistema))
    return Resultado::sucesso();
  return Resultado::falha(
      QStringLiteral("O banco de dados ") + caminho + QStringLiteral(" está numa pasta de rede (sistema de arquivos ") +
          tipoSistema +
          QStringLiteral("). Um arquivo do SQLite compartilhado pela rede pode ser danificado quando duas estações "
                         "gravam nele, e nenhuma delas percebe.\rPara usar o Talonix em várias estações, use o modo "
                         "escritório: um servidor PostgreSQL, indicado na seção [banco] do arquivo de configuração "
                         "(tipo=postgresql). Para abrir este arquivo assim mesmo, por sua conta e risco, escreva "
                         "permitir_rede=1 na seção [banco]."),
      ErroPastaRede);
}

Resultado AbrirAuxiliar(const QString& nome) {
  ConfiguracaoBanco configuracao;
  Resultado resultado = ConfiguracaoBanco::Ler(configuracao);
  if (resultado && configuracao.tipo != Dialeto::Tipo::Postgresql)
    resultado = Resultado::falha(QStringLiteral("O Talonix não está no modo escritório."), -1);
  Descartar(nome);
  if (resultado)
    resultado = conectarServidor(configuracao, nome);
  if (!resultado)
    Descartar(nome);
  return resultado;
}

void DefinirSenha(const QString& senha) {
  senhaDigitada = senha;
}

bool Servidor() {
  return noServidor;
}

Resultado AbrirConexao() {
  ConfiguracaoBanco configuracao;
  if (Resultado lida = ConfiguracaoBanco::Ler(configuracao); !lida)
    return lida;
  noServidor = configuracao.tipo == Dialeto::Tipo::Postgresql;
  if (noServidor) {
    Descartar(kNomePrincipal);
    configuracaoAberta = configuracao;
    return abrirServidor(configuracao);
  }
  const QString caminho = modGeral::CaminhoDados() + NomeArquivoBanco;
  if (Resultado local =
          ConferirDiscoLocal(caminho, Plataforma::TipoSistemaArquivos(caminho), configuracao.permitirRede);
      !local)
    return local;
  identidadeAberta = Plataforma::IdentidadeArquivo(caminho);
  Resultado resultado = AbrirArquivo(kNomePrincipal, caminho);
  // A file of an earlier Talonix is brought to this version's schema before any screen uses it.
  if (resultado)
    resultado = AtualizacaoBanco::AtualizarSeAntigo(kNomePrincipal, caminho);
  if (!resultado)
    Descartar(kNomePrincipal);
  return resultado;
}

void FecharConexao() {
  Descartar(kNomePrincipal);
}

QSqlDatabase Banco() {
  if (noServidor) {
    QSqlDatabase banco = QSqlDatabase::database(kNomePrincipal, false);
    // The server went away (it restarted, or the network failed): the statement that found it
    // gone was told so, and the driver then calls the connection closed. This operation
    // reconnects, once: a server still away fails it, and the next operation tries again.
    // Nothing is ever sent twice from here.
    if (banco.isValid() && !banco.isOpen()) {
      banco.close();
      if (const Resultado aberta = iniciarSessao(banco, configuracaoAberta); !aberta)
        qWarning("Não foi possível reconectar ao servidor do banco de dados: %s", qPrintable(aberta.erro));
    }
    return banco;
  }
  const Plataforma::Identidade noDisco = Plataforma::IdentidadeArquivo(modGeral::CaminhoDados() + NomeArquivoBanco);
  if (QSqlDatabase::database(kNomePrincipal, false).isOpen() && noDisco != Plataforma::Identidade{} &&
      noDisco != identidadeAberta) {
    // Another process compacted or restored the database: its connection still reads the old
    // file, where nothing written would ever be seen again.
    FecharConexao();
    if (const Resultado aberta = AbrirConexao(); !aberta)
      qWarning("Não foi possível reabrir o banco de dados substituído: %s", qPrintable(aberta.erro));
  }
  return QSqlDatabase::database(kNomePrincipal, false);
}

}  // namespace Conexao
