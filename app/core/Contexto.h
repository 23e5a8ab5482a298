#pragma once

class EscolhaArquivo;
class Mensagens;
class Relogio;
class Som;

/// What every screen is handed by the shell: the services that a test replaces with its own.
struct Contexto {
  Mensagens* mensagens = nullptr;
  Relogio* relogio = nullptr;
  EscolhaArquivo* escolhaArquivo = nullptr;
  Som* som = nullptr;
};
