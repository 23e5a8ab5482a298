#include "backup/cUnzip.h"

#include "backup/BibliotecaZip.h"

#include <zip.h>

#include <algorithm>

cUnzip::cUnzip(QObject* parent) : QObject(parent) {}

const mUnzip::Entrada& cUnzip::entrada(int indice) const {
  static const mUnzip::Entrada vazia;
  if (indice < 1 || indice > entradas_.size())
    return vazia;
  return entradas_.at(indice - 1);
}

void cUnzip::setFileSelected(int indice, bool selecionado) {
  if (indice >= 1 && indice <= entradas_.size())
    entradas_[indice - 1].selecionado = selecionado;
}

int cUnzip::executar(const QStringList& incluir) {
  mUnzip::EventosUnzip eventos;
  eventos.mensagem = [this](const QString& texto) { emit Mensagem(texto); };
  eventos.entrada = [this](const mUnzip::Entrada& e) { entradas_.append(e); };
  eventos.sobrescrever = [this](const QString& arquivo, bool& sim) { emit OverwritePrompt(arquivo, sim); };
  eventos.senha = [this](QString& senha) { emit PasswordRequest(senha); };
  return mUnzip::RunUnzip(opcoes_, incluir, eventos);
}

bool cUnzip::Directory() {
  opcoes_.arquivoZip = zipFile_;
  opcoes_.pasta.clear();
  opcoes_.listar = 1;
  const int codigo = executar({});
  opcoes_.listar = 0;
  return codigo == 0;
}

QStringList cUnzip::ListaInclusao() const {
  QStringList nomes;
  bool todas = true;
  for (const mUnzip::Entrada& e : entradas_) {
    if (!e.selecionado) {
      todas = false;
      continue;
    }
    QString nome = e.pasta.isEmpty() ? e.nome : e.pasta + QLatin1Char('/') + e.nome;
    nomes.append(nome.replace(QLatin1Char('\\'), QLatin1Char('/')));
  }
  if (todas)
    nomes.clear();
  return nomes;
}

bool cUnzip::Unzip() {
  if (zipFile_.isEmpty())
    return false;
  const QStringList incluir = ListaInclusao();
  if (!entradas_.isEmpty() && incluir.isEmpty() &&
      std::none_of(entradas_.cbegin(), entradas_.cend(), [](const mUnzip::Entrada& e) { return e.selecionado; }))
    return false;  // nothing selected: nothing to do
  opcoes_.arquivoZip = zipFile_;
  opcoes_.pasta = unzipFolder_;
  opcoes_.listar = 0;
  return executar(incluir) != 0;
}

QString cUnzip::GetVersion() {
  if (!BibliotecaZip::Carregar().isEmpty())
    return {};
  return QString::fromLatin1(zip_libzip_version());
}
