// Planted: a screen in a control.
#include "app/core/Mensagens.h"
#include "backup/frmCopiaSeguranca.h"
#include "reports/engine/Relatorio.h"

#include <QWidget>
