// Tests may include the shell.
#include "app/mdiPrincipal.h"
#include "registries/Tela.h"
