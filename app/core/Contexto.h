#pragma once

class Mensagens;
class Relogio;
class SeletorArquivo;

/// What every screen is handed by the shell: the services that a test replaces with its own.
struct Contexto {
  Mensagens* mensagens = nullptr;
  Relogio* relogio = nullptr;
  SeletorArquivo* arquivos = nullptr;
};
