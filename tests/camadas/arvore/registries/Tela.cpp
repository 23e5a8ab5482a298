// Planted: the shell in a screen.
#include "app/mdiPrincipal.h"
#include "controls/Caixa.h"
