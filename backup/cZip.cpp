#include "backup/cZip.h"

cZip::cZip(QObject* parent) : QObject(parent) {
  setStoreDirectories(false);
  setStoreFolderNames(false);
  setRecurseSubDirs(false);
}

int cZip::MessageLevel() const {
  if (opcoes_.verboso != 0)
    return 0;
  if (opcoes_.silencioso != 0)
    return 1;
  return 2;
}

void cZip::setMessageLevel(int nivel) {
  if (nivel < 0 || nivel > 2)
    return;
  opcoes_.verboso = nivel == 0 ? 1 : 0;
  opcoes_.silencioso = nivel == 1 ? 1 : 0;
}

int cZip::executar() {
  mZip::EventosZip eventos;
  eventos.progresso = [this](int quantidade, const QString& mensagem) { emit Progress(quantidade, mensagem); };
  eventos.senha = [this](QString& senha) { emit PasswordRequest(senha); };
  eventos.comentario = [this](QString& comentario) { emit CommentRequest(comentario); };
  eventos.cancelar = [this](bool& cancelar) { emit Cancel(cancelar); };
  return mZip::RunZip(zipFile_, especificacoes_, opcoes_, eventos);
}

void cZip::Zip() {
  codigo_ = executar();
}

void cZip::Delete() {
  opcoes_.excluirEntradas = 1;
  codigo_ = executar();
  opcoes_.excluirEntradas = 0;
}
