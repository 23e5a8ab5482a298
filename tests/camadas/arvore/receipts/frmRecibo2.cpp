// Planted: a screen and the shell where they do not belong.
#include "app/Inicializacao.h"
#include "controls/uscTextBox.h"
